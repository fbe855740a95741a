#pragma once

#include "textlabel.h"

// A label that reports a click of the left button: pressed and released over it.
class ClickLabel : public TextLabel {
    Q_OBJECT
public:
    using TextLabel::TextLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};
