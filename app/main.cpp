#include "form1.h"
#include "programsetup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    setUpBeforeApplication();
    QApplication app(argc, argv);
    setUpApplication(app);

    Form1 form;
    // Quit and Escape end at once: no close handler runs and nothing is stored.
    QObject::connect(&form, &Form1::programEndRequested, &app, [] { QCoreApplication::exit(0); });
    form.Form_Load();
    return QApplication::exec();
}
