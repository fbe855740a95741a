#pragma once

#include <QIcon>
#include <QLabel>
#include <QString>

// The window icon, 32 x 32, from the pixel grid compiled into the program: no image reader and none of
// its format plugins are loaded for it.
QIcon windowIconImage();

// A picture area showing one of the drawings ("picture1" to "picture3"). It gets its drawing when it
// is first shown, so that pages not shown cost nothing at start, and gets it for the screen it is shown
// on: the drawing made for that density where there is one (1 and 2), otherwise the next denser one
// smoothly scaled to the screen's pixels.
class PictureLabel : public QLabel {
public:
    PictureLabel(const QString& drawing, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_drawing;
};
