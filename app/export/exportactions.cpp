#include "exportactions.h"

#include "counterbore.h"
#include "dimensiontext.h"
#include "recordsource.h"
#include "savefile.h"
#include "sheetpdf.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QStandardPaths>

#include <algorithm>

namespace {

QString number(double value)
{
    return QString::number(value, 'g', 15);
}

} // namespace

ExportActions::ExportActions(QWidget* window, quill::RecordSource* records, std::function<sheet::Content()> content)
    : QObject(window)
    , m_window(window)
    , m_records(records)
    , m_content(std::move(content))
    , m_print(new QAction(QStringLiteral("印刷(&P)..."), this))
    , m_savePdf(new QAction(QStringLiteral("PDF に保存(&E)..."), this))
    , m_saveDxf(new QAction(QStringLiteral("座ぐりを DXF に保存(&D)..."), this))
{
    m_print->setObjectName(QStringLiteral("Print"));
    m_print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_savePdf->setObjectName(QStringLiteral("SavePdf"));
    m_saveDxf->setObjectName(QStringLiteral("SaveDxf"));
    connect(m_print, &QAction::triggered, this, &ExportActions::printSheet);
    connect(m_savePdf, &QAction::triggered, this, &ExportActions::saveSheetPdf);
    connect(m_saveDxf, &QAction::triggered, this, &ExportActions::saveCounterboreDxf);
    connect(m_records, &quill::RecordSource::currentChanged, this, &ExportActions::updateEnabled);
    connect(m_records, &quill::RecordSource::opened, this, &ExportActions::updateEnabled);
    updateEnabled();
}

void ExportActions::updateEnabled()
{
    const bool shown = m_records->hasRecord();
    for (QAction* action : { m_print, m_savePdf, m_saveDxf })
        action->setEnabled(shown);
}

QString ExportActions::designation() const
{
    return m_records->records().value(quill::fieldName(quill::dimension(quill::DimensionId::Designation)));
}

void ExportActions::printSheet()
{
    if (!m_records->hasRecord())
        return;
    const sheet::Content content = m_content();
    const QString problem
        = m_printer.print(m_window, sheet::documentName(content.designation), [&](QPainter& painter, double dotsPerMm) {
              // On paper smaller than A4 (Letter) the sheet is made smaller to fit, never larger.
              const QPaintDevice* paper = painter.device();
              const double scale = std::min({ 1.0, paper->width() / (sheet::kPageWidthMm * dotsPerMm),
                  paper->height() / (sheet::kPageHeightMm * dotsPerMm) });
              painter.scale(scale, scale);
              sheet::paint(painter, dotsPerMm, content);
          });
    if (!problem.isEmpty())
        showProblem(problem);
}

void ExportActions::saveSheetPdf()
{
    if (!m_records->hasRecord())
        return;
    const sheet::Content content = m_content();
    const QString path
        = askSavePath(QStringLiteral("PDF に保存"), sheet::documentName(content.designation) + QStringLiteral(".pdf"),
            QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"));
    if (!path.isEmpty())
        save(path, sheet::pdf(content));
}

void ExportActions::saveCounterboreDxf()
{
    if (!m_records->hasRecord())
        return;
    const quill::SizeRecords& records = m_records->records();
    struct Offered {
        const quill::cad::CounterboreKind* kind;
        quill::cad::Counterbore hole;
    };
    QList<Offered> offered;
    QStringList items;
    for (const quill::cad::CounterboreKind& kind : quill::cad::counterboreKinds()) {
        const auto hole = quill::cad::counterboreOf(records, kind);
        if (!hole)
            continue;
        offered.append({ &kind, *hole });
        items << QStringLiteral("%1　座ぐり φ%2 深さ %3、穴 φ%4")
                     .arg(quill::utf8Text(kind.title), number(hole->diameter), number(hole->depth),
                         number(hole->holeDiameter));
    }
    const QString size = designation();
    if (offered.isEmpty()) {
        showProblem(QStringLiteral("%1 には座ぐりの値がないため、DXF にできません。").arg(size));
        return;
    }

    QInputDialog picker(m_window);
    picker.setObjectName(QStringLiteral("DxfCase"));
    picker.setWindowTitle(QStringLiteral("座ぐりの種類"));
    picker.setLabelText(QStringLiteral("%1 の座ぐり（1:1、mm）：").arg(size));
    picker.setComboBoxItems(items);
    picker.setComboBoxEditable(false);
    // Wide enough for the longest case with its values, whatever the font's widths.
    int widest = 0;
    for (const QString& item : items)
        widest = std::max(widest, picker.fontMetrics().horizontalAdvance(item));
    picker.setMinimumWidth(widest + 80);
    if (picker.exec() != QDialog::Accepted)
        return;
    const qsizetype chosen = items.indexOf(picker.textValue());
    if (chosen < 0)
        return;
    const Offered& pick = offered[chosen];
    const QString name = sheet::fileNameSafe(size) + QStringLiteral("_座ぐり_") + quill::utf8Text(pick.kind->title)
        + QStringLiteral(".dxf");
    const QString path = askSavePath(
        QStringLiteral("座ぐりを DXF に保存"), name, QStringLiteral("DXF (*.dxf)"), QStringLiteral("dxf"));
    if (!path.isEmpty())
        save(path, quill::cad::counterboreDxf(pick.hole));
}

QString ExportActions::askSavePath(
    const QString& title, const QString& fileName, const QString& filter, const QString& suffix)
{
    if (m_folder.isEmpty()) {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        m_folder = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    }
    QFileDialog dialog(m_window, title, m_folder, filter);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(QDir(m_folder).filePath(fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QString path = dialog.selectedFiles().constFirst();
    m_folder = QFileInfo(path).absolutePath();
    return path;
}

void ExportActions::save(const QString& path, const QByteArray& bytes)
{
    const QString problem = saveWhole(path, bytes);
    if (!problem.isEmpty())
        showProblem(problem);
}

void ExportActions::showProblem(const QString& message)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("ロスタリ"), message, QMessageBox::Ok, m_window);
    box.setObjectName(QStringLiteral("ExportProblem"));
    box.exec();
}
