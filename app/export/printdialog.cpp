#include "printdialog.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

void rostariPrintPage(QWidget* parent, const QString& documentName, const PagePainter& paint, QString* error)
{
#ifdef Q_OS_WIN
    // The system's print dialog needs a printer to open at all; without one it would silently do
    // nothing. (Qt's own dialog elsewhere always offers printing into a PDF file.)
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        *error = QStringLiteral("プリンターが見つかりません。プリンターを設定するか、"
                                "［ﾌｧｲﾙ］の［PDF に保存］で PDF にしてから印刷してください。");
        return;
    }
#endif
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    // The painter's origin at the paper's corner: the sheet keeps its own margins.
    printer.setFullPage(true);

    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    dialog.setWindowTitle(QStringLiteral("印刷"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The sheet is laid out for landscape only; a system dialog may hand back the printer's own
    // default (Wine's returns portrait).
    printer.setPageOrientation(QPageLayout::Landscape);

    QPainter painter;
    if (!painter.begin(&printer)) {
        *error = QStringLiteral("印刷を始められません。プリンターの設定を確かめてください。");
        return;
    }
    paint(painter, printer.resolution() / 25.4);
    if (!painter.end())
        *error = QStringLiteral("印刷を終えられませんでした。プリンターの状態を確かめてください。");
}
