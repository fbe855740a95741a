// One whole start of the viewer, as the program does it, ending once the first record is
// shown with its lengths and the window has painted it. Run from the folder that holds
// quilldat.mdb; exits non-zero when the start did not get that far.

#include "firstpaint.h"
#include "form1.h"
#include "programsetup.h"
#include "recordsource.h"

#include <QApplication>
#include <QLabel>

#include <cstdio>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // From here to exec() the same steps as app/main.cpp.
    setUpBeforeApplication();
    QApplication app(argc, argv);
    setUpApplication(app);

    Form1 form;
    QObject::connect(&form, &Form1::programEndRequested, &app, [] { QCoreApplication::exit(0); });

    auto* size = form.findChild<QLabel*>(QStringLiteral("Label1"));
    const auto* shank = form.findChild<QLabel*>(QStringLiteral("Label13"));
    if (!size || !shank) {
        std::fputs("startup_bench: Label1 or Label13 is missing\n", stderr);
        return 1;
    }
    QObject::connect(form.dataSource(), &quill::RecordSource::opened, &app, [&](bool ok) {
        if (!ok || size->text() == QLatin1String("M") || shank->text() == QLatin1String("L-13")) {
            std::fputs("startup_bench: the first record and its lengths are not shown\n", stderr);
            QCoreApplication::exit(1);
            return;
        }
        // The new texts repaint Label1 (and the window, if it was not painted yet).
        new FirstPaint(size, 0);
    });

    form.Form_Load();
    return QApplication::exec();
}
