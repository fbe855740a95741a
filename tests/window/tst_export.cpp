// The sheet and the counterbore DXF of the bundled database, read back by other programs:
// pdftotext, pdffonts and pdfimages (poppler) for the PDF, ezdxf and LibreCAD for the DXF. The
// expected values come from the reviewed CSV files, not from the program.

#include "counterbore.h"
#include "dimensiontext.h"
#include "jet_testsupport.h"
#include "labels.h"
#include "recordsource.h"
#include "savefile.h"
#include "sheetcontent.h"
#include "sheetpdf.h"
#include "testmain.h"
#include "windowtest.h"

#include <QComboBox>
#include <QPaintEngine>
#include <QPainter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

const QString kSources = QStringLiteral(ROSTARI_SOURCE_DIR "/data");

// The reviewed CSV as rows of header -> cell.
QList<QMap<QString, QString>> readCsv(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QList<QMap<QString, QString>> rows;
    const QStringList header = QString::fromUtf8(file.readLine()).trimmed().split(QLatin1Char(','));
    while (!file.atEnd()) {
        // Only the size table's cells are read here: no quoted commas.
        const QStringList cells = QString::fromUtf8(file.readLine()).trimmed().split(QLatin1Char(','));
        QMap<QString, QString> row;
        for (qsizetype i = 0; i < header.size() && i < cells.size(); ++i)
            row.insert(header[i], cells[i]);
        rows << row;
    }
    return rows;
}

// The 区分 of each field of a size, from the source CSV (its fourth column; the fifth may hold commas).
QMap<QString, QString> categories(const QString& size)
{
    QMap<QString, QString> found;
    QFile file(kSources + QStringLiteral("/cap-screw-provenance.csv"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return found;
    while (!file.atEnd()) {
        const QStringList cells = QString::fromUtf8(file.readLine()).split(QLatin1Char(','));
        if (cells.size() >= 4 && cells[0] == size)
            found.insert(cells[1], cells[3]);
    }
    return found;
}

// A CSV header ("dk", "H''", "D1") as the size table's field: its letters and digits full-width.
QString fieldOf(const QString& header)
{
    if (header == QLatin1String("P"))
        return QStringLiteral("ネジのピッチ");
    QString field;
    for (const QChar c : header)
        field += c.isLetterOrNumber() ? QChar(c.unicode() + 0xFEE0) : c;
    return field;
}

bool have(const QString& program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

// A page at a printer's resolution whose engine keeps the images painted on it. Windows' print
// engine copies each image's part through a painter that honours the image's pixel ratio, so what
// it is handed decides how much of the frame the picture fills; the PDF engine ignores the ratio.
class ImageRecorder : public QImage, QPaintEngine {
public:
    static constexpr double kDotsPerMm = 600 / 25.4;
    ImageRecorder()
        : QImage(int(sheet::kPageWidthMm * kDotsPerMm), int(sheet::kPageHeightMm * kDotsPerMm), Format_Mono)
        , QPaintEngine(AllFeatures)
    {
        setDotsPerMeterX(int(kDotsPerMm * 1000));
        setDotsPerMeterY(int(kDotsPerMm * 1000));
    }
    QList<QPair<QImage, QRectF>> images; // each with its source rectangle
    QPaintEngine* paintEngine() const override { return const_cast<ImageRecorder*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void drawPath(const QPainterPath&) override { }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { }
    void updateState(const QPaintEngineState&) override { }
    void drawPixmap(const QRectF&, const QPixmap& pixmap, const QRectF& source) override
    {
        images.append({ pixmap.toImage(), source });
    }
    void drawImage(const QRectF&, const QImage& image, const QRectF& source, Qt::ImageConversionFlags) override
    {
        images.append({ image, source });
    }
    Type type() const override { return User; }
};

} // namespace

class TestExport : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(enterNewFolder(m_dir));
        QVERIFY(QFile::copy(QStringLiteral(ROSTARI_BUNDLED_MDB), m_dir->filePath(QStringLiteral("quilldat.mdb"))));
        bool opened = false;
        m_form = startWindow(&opened);
        QVERIFY(opened);
    }
    void cleanup() { m_form.reset(); }

    void pdfReadsBack_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("length");
        QTest::newRow("M8, 45: three lengths") << QStringLiteral("M8") << QStringLiteral("  45");
        QTest::newRow("M52, 300: washer cases blank") << QStringLiteral("M52") << QStringLiteral(" 300");
        QTest::newRow("M3, 10: threaded to the head") << QStringLiteral("M3") << QStringLiteral("  10");
    }
    void pdfReadsBack()
    {
        QFETCH(QString, size);
        QFETCH(QString, length);
        for (const QString& tool :
            { QStringLiteral("pdftotext"), QStringLiteral("pdffonts"), QStringLiteral("pdfimages") })
            if (!have(tool))
                QSKIP("poppler-utils is not installed: SKIPPED");
        showSize(size);
        child<QComboBox>(m_form.get(), "Combo1")->setCurrentText(length);

        // Into a folder and a file with Japanese names, as the user's documents folder may be.
        const QString folder = m_dir->filePath(QStringLiteral("図面"));
        QVERIFY(QDir().mkpath(folder));
        const sheet::Content content = sheetContentOf(*m_form);
        const QString path
            = folder + QLatin1Char('/') + sheet::documentName(content.designation) + QStringLiteral(".pdf");
        QCOMPARE(saveWhole(path, sheet::pdf(content)), QString());
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList { QFileInfo(path).fileName() });

        const jettest::ToolRun pdftotext
            = jettest::run(QStringLiteral("pdftotext"), { QStringLiteral("-raw"), path, QStringLiteral("-") });
        QCOMPARE(pdftotext.exitCode, 0);
        const QString text = QString::fromUtf8(pdftotext.out);
        const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        const QRegularExpression title(
            QRegularExpression::escape(size) + QStringLiteral("\\s+六角穴付ボルト\\s+JIS B 1176\\(1988\\)"));
        QVERIFY2(text.contains(title), qPrintable(text.left(300)));

        // Every value the window shows, on any page, is on the sheet.
        for (const ValueLabel* label : m_form->findChildren<ValueLabel*>())
            if (label->hasValue() && !label->caption().isEmpty())
                QVERIFY2(words.contains(label->caption()),
                    qPrintable(label->objectName() + QStringLiteral(": ") + label->caption()));
        QVERIFY(words.contains(length.trimmed()));

        // Each field's row holds its value, or a blank with a note, and its 区分 from the source table.
        const QMap<QString, QString> category = categories(size);
        QMap<QString, QString> record;
        for (const auto& row : readCsv(kSources + QStringLiteral("/cap-screw-sizes.csv")))
            if (row.value(QStringLiteral("size")) == size)
                record = row;
        QCOMPARE(record.size(), 26);
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (auto it = record.cbegin(); it != record.cend(); ++it) {
            if (it.key() == QLatin1String("size"))
                continue;
            const QString symbol = it.key() == QLatin1String("P") ? QStringLiteral("p") : it.key();
            const QString value
                = it.value().isEmpty() ? QStringLiteral("空欄 ※\\d") : QRegularExpression::escape(it.value());
            const QString kind = category.value(fieldOf(it.key()));
            QVERIFY2(!kind.isEmpty(), qPrintable(it.key()));
            const QRegularExpression row(
                QStringLiteral("^%1 \\S.* %2 %3$").arg(QRegularExpression::escape(symbol), value, kind));
            QVERIFY2(!lines.filter(row).isEmpty(), qPrintable(row.pattern()));
        }

        // Fonts embedded; images, if any, at 300 dots to the inch or more.
        const jettest::ToolRun pdffonts = jettest::run(QStringLiteral("pdffonts"), { path });
        QCOMPARE(pdffonts.exitCode, 0);
        const QString fonts = QString::fromUtf8(pdffonts.out);
        const QStringList fontLines = fonts.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fontLines.isEmpty());
        for (const QString& line : fontLines)
            QVERIFY2(line.contains(
                         QRegularExpression(QStringLiteral("\\s(yes)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$"))),
                qPrintable(fonts));
        const jettest::ToolRun pdfimages = jettest::run(QStringLiteral("pdfimages"), { QStringLiteral("-list"), path });
        QCOMPARE(pdfimages.exitCode, 0);
        for (const QString& line :
            QString::fromUtf8(pdfimages.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2)) {
            const QStringList columns = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QVERIFY(columns.size() >= 14);
            QVERIFY2(columns[12].toInt() >= 300 && columns[13].toInt() >= 300, qPrintable(line));
        }
    }

    // The three drawings reach the paint engine at a pixel ratio of 1, so a ratio-honouring engine
    // fills the frame with the whole source part (under Wine's printing they filled a quarter).
    void drawingsFillTheirFrames()
    {
        ImageRecorder device;
        QPainter painter(&device);
        sheet::paint(painter, ImageRecorder::kDotsPerMm, sheetContentOf(*m_form));
        painter.end();
        QCOMPARE(device.images.size(), 3);
        for (const auto& [image, source] : std::as_const(device.images)) {
            QCOMPARE(image.devicePixelRatio(), 1.0);
            QVERIFY(image.rect().contains(source.toAlignedRect()));
        }
    }

    // Every size and case the database holds, as DXF, read back by ezdxf and LibreCAD against the CSV.
    void dxfReadsBack()
    {
        if (!have(QStringLiteral("librecad")) || !have(QStringLiteral("pdftoppm"))
            || !QFile::exists(QStringLiteral("/usr/bin/python3"))
            || jettest::run(
                   QStringLiteral("/usr/bin/python3"), { QStringLiteral("-c"), QStringLiteral("import ezdxf") })
                    .exitCode
                != 0)
            QSKIP("python3-ezdxf, librecad or poppler-utils is not installed: SKIPPED");
        QTemporaryDir out;
        quill::RecordSource* source = m_form->dataSource();
        source->moveFirst();
        int written = 0;
        for (int i = 0; i < source->records().count(); ++i, source->moveNext()) {
            const QString size
                = source->records().value(quill::fieldName(quill::dimension(quill::DimensionId::Designation)));
            for (const auto& kind : quill::cad::counterboreKinds())
                if (const auto hole = quill::cad::counterboreOf(source->records(), kind)) {
                    const QString name = size + QLatin1Char('_')
                        + QLatin1String(kind.fileTag.data(), qsizetype(kind.fileTag.size())) + QStringLiteral(".dxf");
                    QCOMPARE(saveWhole(out.filePath(name), quill::cad::counterboreDxf(*hole)), QString());
                    ++written;
                }
        }
        QVERIFY(written > 22);
        const jettest::ToolRun check = jettest::run(QStringLiteral("/usr/bin/python3"),
            { QStringLiteral(ROSTARI_SOURCE_DIR "/tests/window/dxf_check.py"), out.path(),
                kSources + QStringLiteral("/cap-screw-sizes.csv") });
        QVERIFY2(check.exitCode == 0, check.out.constData());
    }

private:
    void showSize(const QString& size)
    {
        quill::RecordSource* source = m_form->dataSource();
        source->moveFirst();
        for (int i = 0; i < source->records().count(); ++i, source->moveNext())
            if (textOf(m_form.get(), "Label1") == size)
                return;
        QFAIL(qPrintable(QStringLiteral("no record ") + size));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Form1> m_form;
};

ROSTARI_TEST_MAIN(TestExport)
#include "tst_export.moc"
