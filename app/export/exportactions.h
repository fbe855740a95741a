#pragma once

#include "sheet.h"
#include "sheetprint.h"

#include <QObject>

#include <functional>

class QAction;
class QWidget;
namespace quill {
class RecordSource;
}

// The size shown onto paper and into CAD: printing the sheet, saving it as PDF and saving a
// counterbore as DXF. Their menu items are usable while a record is shown.
class ExportActions : public QObject {
    Q_OBJECT
public:
    ExportActions(QWidget* window, quill::RecordSource* records, std::function<sheet::Content()> content);

    QAction* print() const { return m_print; }
    QAction* savePdf() const { return m_savePdf; }
    QAction* saveDxf() const { return m_saveDxf; }

private:
    void updateEnabled();
    void printSheet();
    void saveSheetPdf();
    void saveCounterboreDxf();
    // Asks where to save, starting in the last folder used (the documents folder at first) with the
    // given name; empty when the user cancels.
    QString askSavePath(const QString& title, const QString& fileName, const QString& filter, const QString& suffix);
    void save(const QString& path, const QByteArray& bytes);
    void showProblem(const QString& message);
    QString designation() const;

    QWidget* m_window;
    quill::RecordSource* m_records;
    std::function<sheet::Content()> m_content;
    PagePrinter m_printer;
    QString m_folder; // where the last file was saved; the documents folder at first
    QAction* m_print;
    QAction* m_savePdf;
    QAction* m_saveDxf;
};
