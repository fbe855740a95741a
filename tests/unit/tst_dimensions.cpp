// The dimension table and the size records without a window: the record source's moves, values,
// notes and problems on a database the writer made; the copied text; and that each dimension's
// Japanese name is written in one place of the product. The names and values expected here are
// written out by hand, not taken from the table.

#include "dimensiontext.h"
#include "fixtures.h"
#include "lengthnotes.h"
#include "recordsource.h"
#include "shownsize.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The copied lines' symbols and names in their order, then page 3's second D2.
constexpr std::pair<const char*, const char*> kNames[] = { { "M", "ねじの呼び" }, { "p", "ピッチ" },
    { "s", "六角穴の二面幅" }, { "e", "六角穴の対角距離" }, { "dk", "頭部径" }, { "v", "頭部上面の角" },
    { "t", "六角穴の深さ" }, { "w", "六角穴の底から座面までの肉厚" }, { "da", "首下の丸み部の径" },
    { "ds", "円筒部の径" }, { "k", "頭部の高さ" }, { "D", "座ぐり径" }, { "H''", "座ぐり深さ（頭部を沈める）" },
    { "H'", "座ぐり深さ（頭部が出る）" }, { "d'", "ボルト穴径" }, { "D1", "座ぐり径（ばね座金）" },
    { "h1", "座ぐり深さ（ばね座金）" }, { "t1", "座金の厚さ（ばね座金）" }, { "D2", "座ぐり径（平座金 並丸）" },
    { "h2", "座ぐり深さ（平座金 並丸）" }, { "t2", "座金の厚さ（平座金 並丸）" },
    { "h3", "座ぐり深さ（ばね座金・平座金兼用）" }, { "t3", "座金の厚さ（ばね座金・平座金兼用）" },
    { "D3", "座ぐり径（平座金 小形丸）" }, { "h4", "座ぐり深さ（平座金 小形丸）" },
    { "t4", "座金の厚さ（平座金 小形丸）" }, { "l", "呼び長さ" }, { "ls", "円筒部の長さ" }, { "lg", "グリップ長さ" },
    { "b", "ねじ部長さ" }, { "D2", "座ぐり径（ばね座金・平座金兼用）" } };

} // namespace

class TestDimensions : public QObject {
    Q_OBJECT
private slots:
    void records_data()
    {
        QTest::addColumn<QString>("database"); // bundled, without ｗ, or empty
        QTest::addColumn<QString>("moves");
        QTest::addColumn<int>("steps"); // how many moves changed the record
        QTest::addColumn<QString>("designation");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("note"); // its first line; its category is the part before "："
        QTest::addColumn<QString>("problem");
        const QString all = QStringLiteral("all");
        auto row = [](const char* tag, const QString& database, const char* moves, int steps, const char* designation,
                       const char* field, const char* value, const char* note, const char* problem = "") {
            QTest::newRow(tag) << database << QString::fromUtf8(moves) << steps << QString::fromUtf8(designation)
                               << QString::fromUtf8(field) << QString::fromUtf8(value) << QString::fromUtf8(note)
                               << QString::fromUtf8(problem);
        };
        row("first record, published", all, "", 0, "M3", "ｄｋ", "5.5", "公表値：JIS B 1176 (1988) の値。");
        row("derived", all, "", 0, "M3", "Ｄ１", "7",
            "導出値：D1 = ばね座金の外径（最大）5.9 + (D - dk) 1 を 0.5 mm 単位で");
        row("blank with its reason", all, "", 0, "M3", "Ｄ２", "", "規格なし：このデータが平座金の並丸（JIS B ");
        row("designation", all, "", 0, "M3", "ネジの呼び", "M3",
            "公表値：JIS B 1176 (1988) のねじの呼び（メートル並目ねじ）");
        row("first and previous keep the first", all, "previous first previous", 0, "M3", "ネジのピッチ", "0.5",
            "公表値：JIS B 0205 メートル並目ねじのピッチ。");
        row("next in table order", all, "next next", 2, "M5", "ｗ", "1.9", "公表値：JIS B 1176 (1988) の値。");
        row("last and next keep the last", all, "last next last", 1, "M52", "ｗ", "18.2",
            "導出値：w（最小）は公表値のある M48（17.5）と M56（19）の間を");
        row("back from the last", all, "last previous", 2, "M48", "ｄｋ", "72",
            "公表値：JIS B 1176 の表の値（ローレットなし頭部の最大値）。");
        row("missing field", QStringLiteral("without w"), "next next", 2, "M5", "ｗ", "", "",
            "のテーブル「六角穴付ボルト」に項目がありません: ｗ（これらの寸法は空欄で表示します）");
        row("no field of that name", all, "", 0, "M3", "ｘ", "", "");
        row("empty table", QStringLiteral("empty"), "next last first", 0, "", "ｄｋ", "", "",
            "のテーブル「六角穴付ボルト」にレコードがありません");
    }
    void records()
    {
        QFETCH(QString, database);
        QFETCH(QString, moves);
        QFETCH(int, steps);
        QFETCH(QString, designation);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, note);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        jet::Table sizes = fixtures::sizeTable();
        if (database == QLatin1String("without w"))
            fixtures::dropField(sizes, QStringLiteral("ｗ"));
        if (database == QLatin1String("empty"))
            sizes.rows.clear();
        quill::RecordSource source(nullptr);
        source.setDatabaseName(fixtures::write(dir.path(), { sizes, fixtures::sourceTable() }));
        for (const char* shown : { "ネジの呼び", "ｗ", "ｄｋ" })
            source.expectField(QString::fromUtf8(shown));
        QSignalSpy opened(&source, &quill::RecordSource::opened);
        QSignalSpy problems(&source, &quill::RecordSource::problem);
        source.open();
        QVERIFY(opened.wait(10000));
        QCOMPARE(opened.first().first().toBool(), true);
        QCOMPARE(problems.size(), problem.isEmpty() ? 0 : 1);
        if (!problem.isEmpty())
            QVERIFY2(
                problems.first().first().toString().endsWith(problem), qPrintable(problems.first().first().toString()));

        QSignalSpy changed(&source, &quill::RecordSource::currentChanged);
        for (const QString& move : moves.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (move == QLatin1String("first"))
                source.moveFirst();
            else if (move == QLatin1String("previous"))
                source.movePrevious();
            else if (move == QLatin1String("next"))
                source.moveNext();
            else
                source.moveLast();
        }
        QCOMPARE(changed.size(), steps);
        const quill::SizeRecords& records = source.records();
        QCOMPARE(source.hasRecord(), !designation.isEmpty());
        QCOMPARE(records.designation(), designation);
        QCOMPARE(records.value(field), value);
        const QString told = records.sourceNote(field);
        QVERIFY2(note.isEmpty() ? told.isEmpty() : told.startsWith(note), qPrintable(told));
        QCOMPARE(records.sourceCategory(field), note.section(QStringLiteral("："), 0, 0));
    }

    // The copied text, line for line: the names by hand, M3's values from the reviewed CSV, and
    // the lengths of "  25" from the standard's rule (l − b = 25 − 18, minus 5 × 0.5).
    void copiedText()
    {
        const char* values[] = { "M3", "0.5", "2.5", "2.87", "5.5", "0.3", "1.3", "1.15", "3.6", "3", "3", "6.5", "3.3",
            "2.7", "3.4", "7", "4", "0.7", "", "", "", "", "", "7", "3.8", "0.5", "25", "4.5", "7", "18" };
        QString expected;
        for (std::size_t i = 0; i < std::size(values); ++i)
            expected += QStringLiteral("%1\t%2\t%3\n")
                            .arg(QString::fromUtf8(kNames[i].first), QString::fromUtf8(kNames[i].second),
                                QString::fromUtf8(values[i]));
        quill::SizeTable table;
        const jet::Table sizes = fixtures::sizeTable();
        for (const jet::Column& column : sizes.columns)
            table.fields << QString::fromStdString(column.name);
        QList<std::optional<QString>> first;
        for (const jet::Cell& cell : sizes.rows.front())
            first << (cell ? std::optional(QString::fromStdString(*cell)) : std::nullopt);
        table.rows << first;
        quill::SizeRecords records;
        const std::optional<quill::lengths::ShownLengths> none;
        QCOMPARE(quill::copyText({ records, QStringLiteral("  25"), none }), QString()); // no record yet
        records.setTable(table);
        const std::optional lengths = quill::lengths::shownLengths(quill::lengths::sizes().front(), 7);
        QCOMPARE(quill::copyText({ records, QStringLiteral("  25"), lengths }), expected);
    }

    // The rows by symbol and by field; D2 and Ｄ２ find the copied row, not page 3's second one.
    void lookups()
    {
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            const QString symbol = QString::fromUtf8(kNames[i].first);
            const quill::Dimension* row = quill::dimensionBySymbol(symbol);
            QVERIFY(row);
            QCOMPARE(quill::symbolOf(*row), symbol);
            if (i + 1 < std::size(kNames))
                QCOMPARE(quill::nameOf(*row), QString::fromUtf8(kNames[i].second));
            if (!row->field.empty())
                QCOMPARE(quill::dimensionByField(quill::fieldName(*row)), row);
        }
        QCOMPARE(quill::nameOf(*quill::dimensionByField(u"Ｄ２")), QString::fromUtf8(kNames[18].second));
        QCOMPARE(quill::descriptionOf(*quill::dimensionByField(u"ネジの呼び")), QString::fromUtf8(kNames[0].second));
        QCOMPARE(quill::dimensionByField(u"ｘ"), nullptr);
        QCOMPARE(quill::dimensionBySymbol(u"x"), nullptr);
    }

    // Every dimension's Japanese name stands in the product's sources once: as a text of its own
    // or the start of one ("頭部径" or "頭部径 dk"), in the one table.
    void eachNameIsWrittenOnce()
    {
        QStringList sources;
        for (const char* folder : { "app", "about", "data", "platform", "tools" }) {
            QDirIterator files(QStringLiteral(ROSTARI_SOURCE_DIR "/") + QLatin1String(folder),
                { QStringLiteral("*.cpp"), QStringLiteral("*.h") }, QDir::Files, QDirIterator::Subdirectories);
            while (files.hasNext()) {
                QFile file(files.next());
                QVERIFY(file.open(QIODevice::ReadOnly));
                sources << QString::fromUtf8(file.readAll());
            }
        }
        QVERIFY(sources.size() > 50);
        for (const auto& [symbol, name] : kNames) {
            Q_UNUSED(symbol);
            const QRegularExpression written(
                QLatin1Char('"') + QRegularExpression::escape(QString::fromUtf8(name)) + QStringLiteral("[\" ]"));
            qsizetype count = 0;
            for (const QString& text : std::as_const(sources))
                for (auto found = written.globalMatch(text); found.hasNext(); found.next())
                    ++count;
            QVERIFY2(count == 1,
                qPrintable(QStringLiteral("%1 is written %2 times").arg(QString::fromUtf8(name)).arg(count)));
        }
    }
};

QTEST_GUILESS_MAIN(TestDimensions)
#include "tst_dimensions.moc"
