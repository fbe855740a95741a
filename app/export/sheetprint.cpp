#include "sheetprint.h"

#include "printdialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

PagePrinter::PagePrinter() = default;
// The module stays loaded: QLibrary unloads only when asked to.
PagePrinter::~PagePrinter() = default;

#if defined(ROSTARI_PRINT_MODULE_DIR)

namespace {

// The module beside the program (the build tree), otherwise where it is installed; never from the
// working directory, which holds the database.
QString modulePath()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString name = QStringLiteral("rostari-print.so");
    QString beside = programDir.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(programDir.filePath(QStringLiteral(ROSTARI_PRINT_MODULE_DIR "/") + name));
}

} // namespace

QString PagePrinter::print(QWidget* parent, const QString& documentName, const PagePainter& paint)
{
    if (!m_module)
        m_module = std::make_unique<QLibrary>(modulePath());
    const auto print = reinterpret_cast<decltype(&rostariPrintPage)>(m_module->resolve("rostariPrintPage"));
    if (!print)
        return QStringLiteral("印刷の機能を読み込めません。\n（詳細：%1）").arg(m_module->errorString());
    QString error;
    print(parent, documentName, paint, &error);
    return error;
}

#else

QString PagePrinter::print(QWidget* parent, const QString& documentName, const PagePainter& paint)
{
    QString error;
    rostariPrintPage(parent, documentName, paint, &error);
    return error;
}

#endif
