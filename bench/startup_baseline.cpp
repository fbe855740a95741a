// The reference for startup_bench: the same process shape (application, window shown,
// event loop until the label has been painted, exit) with a bare main window and one label.

#include "firstpaint.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QApplication app(argc, argv);

    QMainWindow window;
    auto* label = new QLabel(QStringLiteral("Hello"), &window);
    window.setCentralWidget(label);
    new FirstPaint(label, 0);
    window.show();
    return QApplication::exec();
}
