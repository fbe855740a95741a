#pragma once

#include <QLabel>

// A plain-text label whose text can be drawn a few pixels lower or higher than QLabel puts it,
// inside the same box: lowered, the label grows below by as much; raised, it keeps its size.
class TextLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    void setTextShift(int pixels); // down positive
    int textShift() const { return m_shift; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_shift = 0;
};
