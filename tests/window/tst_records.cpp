// The window on real size databases: every record on every page through the navigation
// bar, the length display for every size, and every kind of file it cannot use.

#include "files.h"
#include "fixtures.h"
#include "lengthtables.h"
#include "sizefields.h"
#include "tabcontrol.h"
#include "testmain.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(jet::Format)

using testfiles::readFile;
using testfiles::writeFile;

namespace {

// Every bound label and its field.
const std::pair<const char*, const char*> kBindings[] = {
    { "Label1", "ネジの呼び" },
    { "Label35_2", "ネジの呼び" },
    { "Label35_1", "ネジの呼び" },
    { "Label3", "ネジの呼び" },
    { "Label2_0", "ネジのピッチ" },
    { "Label2_1", "ネジのピッチ" },
    { "Label2_2", "ネジのピッチ" },
    { "Label4", "ｓ" },
    { "Label5", "ｅ" },
    { "Label6", "ｄｋ" },
    { "Label17_0", "ｄｋ" },
    { "Label17_1", "ｄｋ" },
    { "Label7", "ｖ" },
    { "Label8", "ｔ" },
    { "Label9", "ｗ" },
    { "Label10", "ｄａ" },
    { "Label11", "ｄｓ" },
    { "Label18", "ｄｓ" },
    { "Label12", "ｋ" },
    { "Label16_0", "Ｄ" },
    { "Label16_1", "Ｄ" },
    { "Label20", "Ｈ''" },
    { "Label21", "Ｈ'" },
    { "Label19", "ｄ'" },
    { "Label22", "Ｄ１" },
    { "Label23", "ｈ１" },
    { "Label24", "ｔ１" },
    { "Label25", "Ｄ２" },
    { "Label31", "Ｄ２" },
    { "Label26", "ｈ２" },
    { "Label27", "ｔ２" },
    { "Label32", "ｈ３" },
    { "Label33", "ｔ３" },
    { "Label28", "Ｄ３" },
    { "Label29", "ｈ４" },
    { "Label30", "ｔ４" },
};

QString lengthsOf(const QObject* form)
{
    return textOf(form, "Label13") + QLatin1Char('|') + textOf(form, "Label14") + QLatin1Char('|')
        + textOf(form, "Label15");
}

void click(const QObject* form, const char* button)
{
    QTest::mouseClick(child<QAbstractButton>(form, button), Qt::LeftButton);
}

QByteArray fileDigest(const QString& path)
{
    const QByteArray bytes = readFile(path);
    return bytes.isEmpty() ? QByteArray() : QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

class TestRecords : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        // A folder name beyond ASCII: the reader gets its path intact on every system.
        QVERIFY(enterNewFolder(m_dir, QDir::tempPath() + QStringLiteral("/六角穴付ボルト-XXXXXX")));
    }

    void steppingShowsEveryRecordOnEveryPage_data()
    {
        QTest::addColumn<jet::Format>("format");
        QTest::addColumn<bool>("single");
        QTest::addColumn<bool>("reversed");
        QTest::newRow("Jet 4 Double") << jet::Format::Jet4 << false << false;
        QTest::newRow("Jet 4 Single") << jet::Format::Jet4 << true << false;
        QTest::newRow("Jet 3 code page 932") << jet::Format::Jet3 << false << false;
        QTest::newRow("records in another order") << jet::Format::Jet4 << false << true;
    }
    void steppingShowsEveryRecordOnEveryPage()
    {
        QFETCH(jet::Format, format);
        QFETCH(bool, single);
        QFETCH(bool, reversed);
        jet::Table table = fixtures::sizeTable(single);
        if (reversed)
            std::reverse(table.rows.begin(), table.rows.end());
        fixtures::write(m_dir->path(), table, format);

        bool opened = false;
        auto form = startWindow(&opened);
        QVERIFY(opened);
        const int count = int(table.rows.size());
        QCOMPARE(form->dataSource()->records().count(), count);
        // At the first record, first and previous keep it.
        click(form.get(), "Data1_MoveFirst");
        click(form.get(), "Data1_MovePrevious");
        for (int record = 0; record < count; ++record) {
            if (record > 0)
                click(form.get(), "Data1_MoveNext");
            for (const auto& [label, field] : kBindings) {
                const QString written = fixtures::cell(table, record, QString::fromUtf8(field));
                const QString shown = textOf(form.get(), label);
                // Single values show as the shortest text of the single, which is the CSV's text.
                QVERIFY2(shown == written,
                    qPrintable(QStringLiteral("record %1 %2: %3 != %4")
                                   .arg(record)
                                   .arg(QLatin1String(label), shown, written)));
            }
        }
        // At the last record, next and last keep it.
        const QString last = textOf(form.get(), "Label1");
        click(form.get(), "Data1_MoveNext");
        click(form.get(), "Data1_MoveLast");
        QCOMPARE(textOf(form.get(), "Label1"), last);
        QCOMPARE(form->dataSource()->records().currentIndex(), count - 1);
        click(form.get(), "Data1_MoveFirst");
        QCOMPARE(textOf(form.get(), "Label1"), fixtures::cell(table, 0, QStringLiteral("ネジの呼び")));
    }

    void sharedAndPrimedFields()
    {
        fixtures::write(m_dir->path(), fixtures::sizeTable());
        auto form = startWindow();
        click(form.get(), "Data1_MoveLast"); // M52 has Ｄ２ but neither Ｈ'' nor Ｈ' equal
        QCOMPARE(textOf(form.get(), "Label25"), QStringLiteral("101"));
        QCOMPARE(textOf(form.get(), "Label31"), QStringLiteral("101"));
        QCOMPARE(textOf(form.get(), "Label20"), QStringLiteral("54")); // Ｈ''
        QCOMPARE(textOf(form.get(), "Label21"), QStringLiteral("50")); // Ｈ'
    }

    void lengthsFollowSizeAndLength()
    {
        fixtures::write(m_dir->path(), fixtures::sizeTable());
        auto form = startWindow();
        QCOMPARE(textOf(form.get(), "Label1"), QStringLiteral("M3"));
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("---|---|5"));

        auto* combo = child<QComboBox>(form.get(), "Combo1");
        combo->setCurrentText(QStringLiteral("  25"));
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("4.5|7|18"));
        combo->setCurrentText(QStringLiteral(" 100"));
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("---|---|---"));
        for (int i = 0; i < 9; ++i) // M3 … M18
            click(form.get(), "Data1_MoveNext");
        QCOMPARE(textOf(form.get(), "Label1"), QStringLiteral("M18"));
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("39.5|52|48"));
        click(form.get(), "Data1_MoveNext");
        QCOMPARE(textOf(form.get(), "Label1"), QStringLiteral("M20"));
        QCOMPARE(combo->currentText(), QStringLiteral(" 100"));
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("35.5|48|52"));
        // With the keyboard in the list: one step down is " 110".
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), QStringLiteral(" 110"));
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("45.5|58|52"));
    }

    void textsThatAreNoLengthKeyChangeNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("no blanks") << QStringLiteral("25");
        QTest::newRow("trailing blank") << QStringLiteral("  25 ");
        QTest::newRow("empty") << QString();
    }
    void textsThatAreNoLengthKeyChangeNothing()
    {
        QFETCH(QString, text);
        fixtures::write(m_dir->path(), fixtures::sizeTable());
        auto form = startWindow();
        auto* combo = child<QComboBox>(form.get(), "Combo1");
        combo->setCurrentText(QStringLiteral("  30"));
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("9.5|12|18"));
        combo->addItem(text);
        combo->setCurrentIndex(combo->count() - 1);
        QCOMPARE(combo->currentText(), text);
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("9.5|12|18"));
        click(form.get(), "Data1_MoveNext"); // M4 runs its routine with the same text: still nothing
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("9.5|12|18"));
    }

    // Every designation reaches its own routine: at each size's own dimensioned length the
    // three texts are a row no other size has.
    void everySizeReachesItsOwnRoutine()
    {
        fixtures::write(m_dir->path(), fixtures::sizeTable());
        auto form = startWindow();
        auto* combo = child<QComboBox>(form.get(), "Combo1");
        const auto& sizes = quill::lengths::sizes();
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            if (i > 0)
                click(form.get(), "Data1_MoveNext");
            QCOMPARE(textOf(form.get(), "Label1"), QString::fromLatin1(sizes[i].designation.data()));
            int key = 0;
            while (quill::lengths::rowKind(sizes[i], key) != quill::lengths::RowKind::Dimensioned)
                ++key;
            combo->setCurrentIndex(key);
            const auto row = quill::lengths::row(sizes[i], key);
            for (std::size_t j = 0; j < sizes.size(); ++j)
                if (j != i)
                    QVERIFY(quill::lengths::row(sizes[j], key) != row);
            QCOMPARE(lengthsOf(form.get()), QString::fromStdString(row.shank + '|' + row.grip + '|' + row.thread));
        }
    }

    void everySizeAndEveryLength()
    {
        fixtures::write(m_dir->path(), fixtures::sizeTable());
        auto form = startWindow();
        auto* combo = child<QComboBox>(form.get(), "Combo1");
        for (const auto& size : quill::lengths::sizes()) {
            QCOMPARE(textOf(form.get(), "Label1"), QString::fromLatin1(size.designation.data()));
            for (int key = 0; key < combo->count(); ++key) {
                combo->setCurrentIndex(key);
                const auto row = quill::lengths::row(size, key);
                QCOMPARE(lengthsOf(form.get()), QString::fromStdString(row.shank + '|' + row.grip + '|' + row.thread));
            }
            click(form.get(), "Data1_MoveNext");
        }
    }

    void unknownDesignationShowsNoLengths()
    {
        jet::Table table = fixtures::sizeTable();
        table.rows[1][0] = std::string("M3 ");
        table.rows[2][0] = std::string("m3");
        fixtures::write(m_dir->path(), table);
        auto form = startWindow();
        child<QComboBox>(form.get(), "Combo1")->setCurrentText(QStringLiteral("  25"));
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("4.5|7|18"));
        // Not M3's lengths shown as if they were this record's.
        click(form.get(), "Data1_MoveNext");
        QCOMPARE(textOf(form.get(), "Label1"), QStringLiteral("M3 "));
        QCOMPARE(textOf(form.get(), "Label4"), QStringLiteral("3"));
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("---|---|---"));
        click(form.get(), "Data1_MoveNext");
        QCOMPARE(textOf(form.get(), "Label1"), QStringLiteral("m3"));
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("---|---|---"));
    }

    void unknownFirstDesignationKeepsThePlaceholders()
    {
        jet::Table table = fixtures::sizeTable();
        table.rows[0][0] = std::string("m3");
        fixtures::write(m_dir->path(), table);
        auto form = startWindow();
        QCOMPARE(textOf(form.get(), "Label1"), QStringLiteral("m3"));
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("L-13|L-14|L-15"));
    }

    void missingFieldsAreNamedAndTheirLabelsLeftEmpty()
    {
        jet::Table table = fixtures::sizeTable();
        fixtures::dropField(table, QStringLiteral("ｄｋ"));
        fixtures::dropField(table, QStringLiteral("ｗ"));
        fixtures::write(m_dir->path(), table);
        bool opened = false;
        auto form = startWindow(&opened);
        QVERIFY(opened);
        // One message in the window names both; everything else is shown.
        const auto boxes = form->findChildren<QMessageBox*>(QStringLiteral("Data1_Error"));
        QCOMPARE(boxes.size(), 1);
        const QString message = boxes.first()->text();
        QVERIFY2(
            message.contains(QStringLiteral("ｄｋ")) && message.contains(QStringLiteral("ｗ")), qPrintable(message));
        QVERIFY(boxes.first()->isVisible());
        QCOMPARE(boxes.first()->windowModality(), Qt::WindowModal);
        for (const char* name : { "Label6", "Label17_0", "Label17_1", "Label9" })
            QCOMPARE(textOf(form.get(), name), QString());
        QCOMPARE(textOf(form.get(), "Label4"), QStringLiteral("2.5"));
        QCOMPARE(textOf(form.get(), "Label1"), QStringLiteral("M3"));
    }

    void extraFieldsAreIgnoredAndAnEmptyTableShowsPlaceholders()
    {
        jet::Table table = fixtures::sizeTable();
        table.columns.push_back({ "備考", jet::ColumnType::Text, 20 });
        for (auto& row : table.rows)
            row.push_back(std::string("x"));
        fixtures::write(m_dir->path(), table);
        {
            auto form = startWindow();
            QCOMPARE(textOf(form.get(), "Label6"), QStringLiteral("5.5"));
        }
        table.rows.clear();
        fixtures::write(m_dir->path(), table);
        bool opened = false;
        auto form = startWindow(&opened);
        QVERIFY(opened);
        QCOMPARE(textOf(form.get(), "Label1"), QStringLiteral("M"));
        QCOMPARE(textOf(form.get(), "Label6"), QStringLiteral("dk"));
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("L-13|L-14|L-15"));
        click(form.get(), "Data1_MoveNext");
        QCOMPARE(textOf(form.get(), "Label1"), QStringLiteral("M"));
    }

    void filesThatCannotBeOpened_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QStringLiteral("missing") << QStringLiteral("ファイルがありません");
        QTest::newRow("missing table") << QStringLiteral("table")
                                       << QStringLiteral("テーブル「六角穴付ボルト」がありません");
        QTest::newRow("not a database") << QStringLiteral("text")
                                        << QStringLiteral("Access のデータベースファイルではありません");
        QTest::newRow("truncated") << QStringLiteral("truncated") << QStringLiteral("壊れています");
        // The size table is whole, the source table after it is not: a damaged file all the same.
        QTest::newRow("source table cut short") << QStringLiteral("sources") << QStringLiteral("壊れています");
        QTest::newRow("parser crash") << QStringLiteral("crash") << QStringLiteral("壊れています");
        QTest::newRow("a folder") << QStringLiteral("folder") << QStringLiteral("フォルダー");
#ifdef Q_OS_WIN
        // Only Windows keeps readers out while another program may be writing.
        QTest::newRow("open for writing elsewhere")
            << QStringLiteral("writing") << QStringLiteral("書き込み用に開いている");
#endif
    }
    void filesThatCannotBeOpened()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString path = m_dir->filePath(QStringLiteral("quilldat.mdb"));
        jet::Table table = fixtures::sizeTable();
        if (kind == QLatin1String("table")) {
            table.name = "六角ボルト";
            fixtures::write(m_dir->path(), table);
        } else if (kind == QLatin1String("text")) {
            QVERIFY(writeFile(path, "size,P\nM3,0.5\n"));
        } else if (kind == QLatin1String("truncated")) {
            fixtures::write(m_dir->path(), table);
            QVERIFY(writeFile(path, readFile(path).left(5 * 4096)));
        } else if (kind == QLatin1String("sources")) {
            fixtures::write(m_dir->path(), { table, fixtures::sourceTable() });
            QVERIFY(writeFile(path, readFile(path).chopped(4096)));
        } else if (kind == QLatin1String("crash")) {
            // The table's page map made zero bytes long: libmdb 1.0.0 dereferences NULL on it, so the
            // reader refuses it first (tst_robust_regressions keeps files that do crash the reader).
            fixtures::write(m_dir->path(), table);
            QByteArray bytes = readFile(path);
            const int tdef = 5 * 4096;
            const int page = static_cast<unsigned char>(bytes[tdef + 56]);
            const int row = static_cast<unsigned char>(bytes[tdef + 55]);
            QVERIFY(row > 0);
            char* offsets = bytes.data() + page * 4096 + 14;
            offsets[2 * row] = offsets[2 * row - 2];
            offsets[2 * row + 1] = offsets[2 * row - 1];
            QVERIFY(writeFile(path, bytes));
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("quilldat.mdb")));
        }
        QFile writer(path);
        if (kind == QLatin1String("writing")) {
            fixtures::write(m_dir->path(), table);
            QVERIFY(writer.open(QIODevice::ReadWrite));
        }
        QElapsedTimer timer;
        timer.start();
        bool opened = true;
        auto form = startWindow(&opened);
        QVERIFY(!opened);
        QVERIFY(timer.elapsed() < 2500);
        auto* box = child<QMessageBox>(form.get(), "Data1_Error");
        QVERIFY(box);
        QVERIFY2(box->text().startsWith(QStringLiteral("データベースを開けません: ") + QDir::toNativeSeparators(path)),
            qPrintable(box->text()));
        QVERIFY2(box->text().contains(reason), qPrintable(box->text()));
        // The window stays, with its placeholders, and takes input again once the message is gone.
        QCOMPARE(textOf(form.get(), "Label1"), QStringLiteral("M"));
        QCOMPARE(lengthsOf(form.get()), QStringLiteral("L-13|L-14|L-15"));
        box->accept();
        child<TabControl>(form.get(), "SSTab1")->setCurrentIndex(2);
        QCOMPARE(textOf(form.get(), "StatusBar1_Panel1"),
            QStringLiteral("JIS M3～M52 座金類使用時 座グリ及び穴寸法（参考値）"));
    }

    // The reader starts with the window, but nothing is shown before loading, and loading shows
    // the file as it is then: changed, removed, or another one in another folder.
    void readingAheadShowsTheFileAsLoadingFindsIt_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("shown");
        QTest::newRow("unchanged") << QString() << QStringLiteral("M3");
        QTest::newRow("rewritten, same size") << QStringLiteral("rewritten") << QStringLiteral("m3");
        QTest::newRow("removed") << QStringLiteral("removed") << QStringLiteral("M");
        QTest::newRow("another folder") << QStringLiteral("folder") << QStringLiteral("m3");
    }
    void readingAheadShowsTheFileAsLoadingFindsIt()
    {
        QFETCH(QString, change);
        QFETCH(QString, shown);
        const QString path = fixtures::write(m_dir->path(), fixtures::sizeTable());
        auto form = std::make_unique<Form1>();
        QTRY_VERIFY(readersOfThisProcess().isEmpty());
        QCOMPARE(textOf(form.get(), "Label1"), QStringLiteral("M"));
        QCOMPARE(form->dataSource()->records().count(), 0);

        jet::Table other = fixtures::sizeTable();
        other.rows[0][0] = std::string("m3");
        QTemporaryDir elsewhere;
        if (change == QLatin1String("rewritten")) {
            QCOMPARE(QFileInfo(fixtures::write(m_dir->path(), other)).size(), QFileInfo(path).size());
        } else if (change == QLatin1String("removed")) {
            QVERIFY(QFile::remove(path));
        } else if (change == QLatin1String("folder")) {
            fixtures::write(elsewhere.path(), other);
            QVERIFY(QDir::setCurrent(elsewhere.path()));
        }
        QSignalSpy opened(form->dataSource(), &quill::RecordSource::opened);
        form->Form_Load();
        QVERIFY(opened.wait(5000));
        QDir::setCurrent(m_dir->path());
        QCOMPARE(opened.first().first().toBool(), change != QLatin1String("removed"));
        QCOMPARE(textOf(form.get(), "Label1"), shown);
    }

    // File > Reload reads the file as it is now and keeps the size shown where it can.
    void reloadKeepsTheSizeShown_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("ok");
        QTest::newRow("unchanged") << QString() << QStringLiteral("M10") << true;
        QTest::newRow("new values, the size still there") << QStringLiteral("values") << QStringLiteral("M10") << true;
        QTest::newRow("the size gone: the first record") << QStringLiteral("gone") << QStringLiteral("M3") << true;
        QTest::newRow("twice, the first read given up") << QStringLiteral("twice") << QStringLiteral("M10") << true;
        QTest::newRow("removed: the message, the records kept")
            << QStringLiteral("removed") << QStringLiteral("M10") << false;
        QTest::newRow("after a failure: the first record") << QStringLiteral("failed") << QStringLiteral("M3") << true;
    }
    void reloadKeepsTheSizeShown()
    {
        QFETCH(QString, change);
        QFETCH(QString, shown);
        QFETCH(bool, ok);
        jet::Table table = fixtures::sizeTable();
        const QString path = m_dir->filePath(QStringLiteral("quilldat.mdb"));
        if (change != QLatin1String("failed"))
            fixtures::write(m_dir->path(), table);
        bool opened = false;
        auto form = startWindow(&opened);
        QCOMPARE(opened, change != QLatin1String("failed"));
        for (int i = 0; i < 5 && opened; ++i)
            click(form.get(), "Data1_MoveNext");
        QCOMPARE(textOf(form.get(), "Label1"), opened ? QStringLiteral("M10") : QStringLiteral("M"));

        if (change == QLatin1String("values")) {
            table.rows[5][4] = std::string("99.5"); // ｄｋ of M10
        } else if (change == QLatin1String("gone")) {
            table.rows.erase(table.rows.begin() + 5);
        }
        if (change == QLatin1String("removed"))
            QVERIFY(QFile::remove(path));
        else
            fixtures::write(m_dir->path(), table);

        if (auto* box = form->findChild<QMessageBox*>(QStringLiteral("Data1_Error")))
            box->accept();
        QTRY_VERIFY(form->findChild<QMessageBox*>(QStringLiteral("Data1_Error")) == nullptr);
        QSignalSpy answered(form->dataSource(), &quill::RecordSource::opened);
        auto* reload = child<QAction>(form.get(), "Reload");
        reload->trigger();
        if (change == QLatin1String("twice"))
            reload->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!answered.isEmpty(), 5000);
        QTest::qWait(200);
        QCOMPARE(answered.size(), 1);
        QCOMPARE(answered.first().first().toBool(), ok);
        QCOMPARE(textOf(form.get(), "Label1"), shown);
        QCOMPARE(textOf(form.get(), "Label35_1"), shown);
        QCOMPARE(textOf(form.get(), "Label6"),
            change == QLatin1String("values")
                ? QStringLiteral("99.5")
                : fixtures::cell(table, shown == QLatin1String("M3") ? 0 : 5, QStringLiteral("ｄｋ")));
        auto* box = form->findChild<QMessageBox*>(QStringLiteral("Data1_Error"));
        QCOMPARE(box != nullptr && box->isVisible(), !ok);
    }

    void theFileIsNeverWritten()
    {
        const QString path = fixtures::write(m_dir->path(), fixtures::sizeTable());
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        const QByteArray before = fileDigest(path);
        const QDateTime modified = QFileInfo(path).lastModified();
        const qint64 size = QFileInfo(path).size();
        {
            bool opened = false;
            auto form = startWindow(&opened);
            QVERIFY(opened);
            for (int i = 0; i < 25; ++i)
                click(form.get(), "Data1_MoveNext");
            click(form.get(), "Data1_MoveFirst");
            form->close();
        }
        QCOMPARE(fileDigest(path), before);
        QCOMPARE(QFileInfo(path).lastModified(), modified);
        QCOMPARE(QFileInfo(path).size(), size);
        QCOMPARE(
            QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("quilldat.mdb") });
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

ROSTARI_TEST_MAIN(TestRecords)
#include "tst_records.moc"
