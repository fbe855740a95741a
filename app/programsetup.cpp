#include "programsetup.h"

#include "programstyle.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void setUpBeforeApplication()
{
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
}

void setUpApplication(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("rostari-bolt"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.quillmark.RostariBolt"));
    QApplication::setStyle(new ProgramStyle(QApplication::style())); // owned by the application
    installQtJapanese(app);
}

bool installQtJapanese(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
