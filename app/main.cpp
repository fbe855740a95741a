#include "form1.h"
#include "translation.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // The layout is fixed in twips at 96 dots per inch, so font points follow that too.
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("rostari-bolt"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.quillmark.RostariBolt"));
    installQtJapanese(app);

    Form1 form;
    // Quit and Escape end at once: no close handler runs and nothing is stored.
    QObject::connect(&form, &Form1::programEndRequested, &app, [] { QCoreApplication::exit(0); });
    form.Form_Load();
    return QApplication::exec();
}
