// The reader as a security boundary. Under its system call filter a reader that a file has
// taken over dies at its first forbidden call, and the viewer reports it; the filter changes
// nothing about how any kept input reads; and whatever a reader answers, the viewer's memory
// stays within its bound. This test sits beside a test build of the reader (readerprobe.h),
// which its loader starts.

#include "files.h"
#include "fixtures.h"
#include "matrixcases.h"
#include "readerhardening.h"
#include "readerprobe.h"
#include "recordloader.h"
#include "recordwire.h"
#include "sourcefields.h"
#include "testmain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <malloc.h>

#ifdef __SANITIZE_ADDRESS__
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

using quill::RecordLoader;
using testfiles::readFile;
using testfiles::writeFile;

namespace {

// What any answer may cost: the decoded tables, and the viewer's whole load.
constexpr qint64 kDecodedBound = 16 * 1024 * 1024;
constexpr qint64 kViewerBound = 64 * 1024 * 1024;

QString shippedReader()
{
    return QStringLiteral(ROSTARI_BUILD_DIR "/bin/rostari-mdbread");
}

QString probeReader()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("rostari-mdbread"));
}

// Heap bytes the program holds now.
qint64 heapInUse()
{
#ifdef __SANITIZE_ADDRESS__
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
#endif
}

// A figure of /proc/self/status in bytes ("VmRSS", "VmHWM").
qint64 statusBytes(const QByteArray& name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(QByteArray(name + ':')))
            return line.mid(name.size() + 1).trimmed().split(' ').first().toLongLong() * 1024;
    return -1;
}

// How far the program's resident memory rose above what it held before while `work` ran: its
// peak (the kernel's high-water mark, reset first), less the memory it started with. Freed
// memory goes back to the system first, so that the work cannot hide in it.
qint64 peakGrowth(const std::function<void()>& work)
{
    malloc_trim(0);
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (!clearRefs.open(QIODevice::WriteOnly) || clearRefs.write("5") != 1)
        return -1;
    clearRefs.close();
    const qint64 before = statusBytes("VmRSS");
    work();
    return statusBytes("VmHWM") - before;
}

struct Outcome {
    QProcess::ExitStatus status = QProcess::NormalExit;
    int code = 0; // the signal for a crash
    QByteArray answer; // what follows the magic
    bool inMemory = false; // the progress records read as such, up to the magic
    bool operator==(const Outcome&) const = default;
};

QByteArray magicToken()
{
    return QByteArray(quill::wire::kMagicToken.data(), qsizetype(quill::wire::kMagicToken.size()));
}

// A reader run on a file as the viewer runs it, with the probe's action when given.
Outcome runReader(const QString& program, const QString& path, const QString& action = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!action.isEmpty())
        env.insert(QStringLiteral("ROSTARI_PROBE"), action);
    process.setProcessEnvironment(env);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, { path });
    // Longer than the viewer waits: a busy machine must not make one of two runs differ.
    if (!process.waitForFinished(3 * RecordLoader::kTimeLimitMs)) {
        process.kill();
        process.waitForFinished();
        return { QProcess::CrashExit, -1, "no answer in time" };
    }
    const QByteArray output = process.readAllStandardOutput();
    const std::string_view view(output.constData(), std::size_t(output.size()));
    std::size_t pos = 0;
    quill::wire::Progress progress;
    while (quill::wire::readProgress(view, pos, progress)) { }
    const bool inMemory = quill::wire::atAnswer(view, pos) && progress.done == progress.size;
    const qsizetype answerAt = inMemory ? qsizetype(pos) + magicToken().size() : 0;
    return { process.exitStatus(), process.exitCode(), output.mid(answerAt), inMemory };
}

QByteArray token(const QByteArray& text)
{
    return QByteArray::number(text.size()) + ':' + text;
}

// A table as the reader writes it, read without fault.
QByteArray tableOf(const QList<QByteArray>& fields, qsizetype rows,
    const std::function<QByteArray(qsizetype row, qsizetype column)>& cell)
{
    QByteArray out = token("0") + token("") + token(QByteArray::number(fields.size()));
    for (const QByteArray& field : fields)
        out += token(field);
    out += token(QByteArray::number(rows));
    for (qsizetype row = 0; row < rows; ++row)
        for (qsizetype column = 0; column < fields.size(); ++column)
            out += cell(row, column);
    return out;
}

QList<QByteArray> namedFields(qsizetype count)
{
    QList<QByteArray> fields;
    for (qsizetype i = 0; i < count; ++i)
        fields << "f" + QByteArray::number(i);
    return fields;
}

QByteArray sameCells(qsizetype fields, qsizetype rows, const QByteArray& cell)
{
    return tableOf(namedFields(fields), rows, [&](qsizetype, qsizetype) { return cell; });
}

QByteArray answerOf(const QByteArray& sizes, const QByteArray& sources)
{
    const QByteArray noTable = token("4") + token("no table of that name") + token("0") + token("0");
    return magicToken() + sizes + (sources.isNull() ? noTable : sources);
}

} // namespace

class TestReaderSandbox : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(probeReader()).isExecutable(), qPrintable(probeReader()));
        QCOMPARE(RecordLoader::readerProgram(), probeReader());
        m_database = m_dir.filePath(QStringLiteral("quilldat.mdb"));
        QVERIFY(QFile::copy(QStringLiteral(ROSTARI_BUNDLED_MDB), m_database));
    }

    void forbiddenCallEndsInTheMessage_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QProcess::ExitStatus>("status");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        for (const std::string_view action : quill::probe::kForbiddenActions)
            QTest::newRow(action.data()) << QString::fromLatin1(action) << QProcess::CrashExit << int(SIGSYS)
                                         << QStringLiteral("読み取り中に異常終了しました");
        QTest::newRow("no filter to be had")
            << QStringLiteral("fail") << QProcess::NormalExit << quill::kReaderNotConfined
            << QStringLiteral("システムコールを制限できません");
    }
    void forbiddenCallEndsInTheMessage()
    {
        if (kSanitized)
            QSKIP("the sanitizer build runs its reader unconfined");
        QFETCH(QString, action);
        QFETCH(QProcess::ExitStatus, status);
        QFETCH(int, code);
        QFETCH(QString, message);

        const Outcome outcome = runReader(probeReader(), m_database, action);
        QCOMPARE(outcome.status, status);
        QCOMPARE(outcome.code, code);
        QVERIFY(outcome.inMemory); // the file was read before the filter, as ever
        QCOMPARE(outcome.answer, QByteArray());

        // The viewer's loader reports it at once, not when its time is up.
        qputenv("ROSTARI_PROBE", action.toLatin1());
        const auto unset = qScopeGuard([] { qunsetenv("ROSTARI_PROBE"); });
        RecordLoader loader;
        QSignalSpy failed(&loader, &RecordLoader::failed);
        QElapsedTimer timer;
        timer.start();
        loader.start(m_database);
        QVERIFY(failed.wait(RecordLoader::kTimeLimitMs + 2000));
        QVERIFY(timer.elapsed() < RecordLoader::kTimeLimitMs);
        const QString reason = failed.first().at(1).toString();
        QVERIFY2(reason.contains(message), qPrintable(reason));
    }

    // What comes before the answer: progress records of one file, each further than the last,
    // then the magic. Anything else stops the reading of progress where it stands.
    void progressBeforeTheAnswer_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("done");
        QTest::addColumn<bool>("atAnswer");
        const QByteArray magic = magicToken();
        auto read = [](int done, int size) -> QByteArray {
            return token("read") + token(QByteArray::number(done)) + token(QByteArray::number(size));
        };
        QTest::newRow("two pieces, then the answer") << read(5, 9) + read(9, 9) + magic + "1:0" << 2 << 9 << true;
        QTest::newRow("a file that could not be read") << magic + "1:1" << 0 << 0 << true;
        QTest::newRow("a record not yet whole") << read(5, 9) + read(9, 9).chopped(1) << 1 << 5 << false;
        QTest::newRow("the magic not yet whole") << read(5, 9) + magic.chopped(1) << 1 << 5 << false;
        QTest::newRow("less than before") << read(5, 9) + read(3, 9) + magic << 1 << 5 << false;
        QTest::newRow("the same again") << read(5, 9) + read(5, 9) + magic << 1 << 5 << false;
        QTest::newRow("more than the file holds") << read(10, 9) + magic << 0 << 0 << false;
        QTest::newRow("another file's size") << read(5, 9) + read(7, 10) << 1 << 5 << false;
        QTest::newRow("nothing read") << read(0, 9) << 0 << 0 << false;
        QTest::newRow("beyond the largest file") << read(1, 268435457) << 0 << 0 << false;
        QTest::newRow("the previous version's answer") << token("quillrec3") + "1:0" << 0 << 0 << false;
    }
    void progressBeforeTheAnswer()
    {
        QFETCH(QByteArray, output);
        QFETCH(int, records);
        QFETCH(int, done);
        QFETCH(bool, atAnswer);
        const std::string_view view(output.constData(), std::size_t(output.size()));
        std::size_t pos = 0;
        quill::wire::Progress progress;
        int read = 0;
        while (quill::wire::readProgress(view, pos, progress))
            ++read;
        QCOMPARE(read, records);
        QCOMPARE(progress.done, std::size_t(done));
        QCOMPARE(quill::wire::atAnswer(view, pos), atAnswer);
    }

    // Waiting for the file is not working on it: a read longer than the parse deadline loads, and
    // a reader that dies before it has the file says nothing about the file's content.
    void readingIsNotParsing_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("reason"); // empty: loaded
        QTest::newRow("16 pieces, 250 ms each") << QStringLiteral("slow-read") << QString();
        QTest::newRow("killed while reading") << QStringLiteral(
            "die-reading") << QStringLiteral("読み取りプログラムがファイルの読み込み中に異常終了しました");
    }
    void readingIsNotParsing()
    {
        QFETCH(QString, action);
        QFETCH(QString, reason);
        qputenv("ROSTARI_PROBE", action.toLatin1());
        const auto unset = qScopeGuard([] { qunsetenv("ROSTARI_PROBE"); });
        RecordLoader loader;
        QSignalSpy loaded(&loader, &RecordLoader::loaded);
        QSignalSpy failed(&loader, &RecordLoader::failed);
        QSignalSpy readingLong(&loader, &RecordLoader::readingLong);
        qsizetype rows = -1;
        connect(&loader, &RecordLoader::loaded, this, [&](const quill::SizeTable& table) { rows = table.rows.size(); });
        QElapsedTimer timer;
        timer.start();
        loader.start(m_database);
        QTRY_VERIFY_WITH_TIMEOUT(loaded.size() + failed.size() == 1, 20000);
        if (reason.isEmpty()) {
            QVERIFY2(failed.isEmpty(), qPrintable(failed.value(0).value(1).toString()));
            QVERIFY2(timer.elapsed() > RecordLoader::kTimeLimitMs, qPrintable(QString::number(timer.elapsed())));
            QCOMPARE(readingLong.size(), 1);
            QCOMPARE(rows, 22);
        } else {
            const QString why = failed.first().at(1).toString();
            QVERIFY2(why == reason, qPrintable(why));
        }
    }

    // Every input the robustness tests open, and the Jet 3 and Jet 4 fixtures, read exactly as
    // without the filter: the same answer, or the same end.
    void filterChangesNothing()
    {
        if (kSanitized)
            QSKIP("the sanitizer build runs its reader unconfined");
        const QString path = m_dir.filePath(QStringLiteral("input.mdb"));
        QStringList differ;
        int inputs = 0;
        int withRecords = 0;
        auto compare = [&](const QString& name, const QByteArray& bytes) {
            if (!writeFile(path, bytes)) {
                differ.append(name + QStringLiteral(" (not written)"));
                return;
            }
            const Outcome confined = runReader(shippedReader(), path);
            ++inputs;
            quill::MdbTable sizes;
            quill::MdbTable sources;
            const auto answer = std::string_view(confined.answer.constData(), std::size_t(confined.answer.size()));
            withRecords += confined.inMemory
                && quill::wire::decode(std::string(quill::wire::kMagicToken) + std::string(answer), sizes, sources)
                && !sizes.rows.empty();
            if (!(confined == runReader(probeReader(), path, QStringLiteral("unconfined"))))
                differ.append(name);
        };

        const QByteArray bundled = readFile(QStringLiteral(ROSTARI_BUNDLED_MDB));
        compare(QStringLiteral("the bundled database"), bundled);
        forEachDamagedCopy(bundled, compare);
        for (const char* folder : { "regressions", "corpus" }) {
            const QDir dir(QStringLiteral(ROSTARI_FUZZ_DIR "/") + QLatin1String(folder));
            for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
                compare(QLatin1String(folder) + QLatin1Char('/') + name, readFile(dir.filePath(name)));
        }
        for (const jet::Format format : { jet::Format::Jet3, jet::Format::Jet4 }) {
            for (const bool single : { false, true }) {
                const QString name = QLatin1String(format == jet::Format::Jet3 ? "fixture Jet 3" : "fixture Jet 4")
                    + QLatin1String(single ? ", Single" : "");
                const QString written = fixtures::write(m_dir.path(),
                    { fixtures::sizeTable(single), fixtures::sourceTable(format) }, format, QStringLiteral("f.mdb"));
                compare(name, readFile(written));
            }
        }
        std::printf("filter: %d inputs, %d with records, %lld differ\n", inputs, withRecords, qlonglong(differ.size()));
        QVERIFY2(differ.isEmpty(), qPrintable(differ.join(QStringLiteral(", "))));
        QVERIFY(withRecords > inputs / 2);
    }

    // A reader taken over can answer anything: the viewer refuses what is beyond its limits
    // before it makes room for it, and what it takes stays within its bound.
    void hostileAnswerStaysSmall_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("accepted");
        using quill::wire::kMaxText;
        const QByteArray longest = token(QByteArray(qsizetype(kMaxText), 'x'));
        QTest::newRow("4 million NULL cells")
            << answerOf(sameCells(64, 4096, {}) + QByteArray(4'000'000, '~'), {}) << false;
        QTest::newRow("NULL cells up to the limit") << answerOf(sameCells(32, 4096, "~"), {}) << true;
        QTest::newRow("one cell more") << answerOf(sameCells(32, 4096, "~"), sameCells(1, 1, "~")) << false;
        QTest::newRow("one-byte texts up to the limit") << answerOf(sameCells(32, 4096, token("a")), {}) << true;
        QTest::newRow("16-byte texts up to the limit")
            << answerOf(sameCells(32, 4096, token("abcdefghijklmnop")), {}) << true;
        QTest::newRow("longest texts up to the answer's size")
            << answerOf(sameCells(0, 0, {}), sameCells(5, 190, longest)) << true;
        QTest::newRow("a text one byte longer") << answerOf(sameCells(1, 1, token(QByteArray(4097, 'x'))), {}) << false;
        QTest::newRow("rows without fields") << answerOf(sameCells(0, 4096, {}), sameCells(0, 32768, {})) << true;
        QTest::newRow("a count without digits")
            << answerOf(token("0") + token("") + token("") + token("0"), {}) << false;
        QTest::newRow("rows the answer does not hold") << answerOf(sameCells(64, 2048, {}), {}) << false;
        // Every row a note the viewer keeps, each with the text that fills the answer.
        QList<QByteArray> sourceFields;
        for (const std::string_view name : quill::kSourceFields)
            sourceFields << QByteArray(name.data(), qsizetype(name.size()));
        const QByteArray basis = token(QByteArray(120, 'x'));
        QTest::newRow("source notes up to the limit") << answerOf(
            sameCells(0, 0, {}), tableOf(sourceFields, 26214, [&](qsizetype row, qsizetype column) {
                const QByteArray cells[]
                    = { token("M" + QByteArray::number(row)), token("ｓ"), token("1"), token("公表値"), basis };
                return cells[column];
            })) << true;
    }
    void hostileAnswerStaysSmall()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, accepted);
        QVERIFY(std::size_t(answer.size()) <= quill::wire::kMaxBytes);

        qint64 decoded = 0;
        {
            const qint64 before = heapInUse();
            quill::MdbTable sizes;
            quill::MdbTable sources;
            QCOMPARE(
                quill::wire::decode(std::string_view(answer.constData(), std::size_t(answer.size())), sizes, sources),
                accepted);
            decoded = heapInUse() - before;
        }

        // The same answer from a reader, through the viewer's loader: the reader has written the
        // magic once the file was in memory, and answers the rest under its filter.
        const QString answerFile = m_dir.filePath(QStringLiteral("answer"));
        QVERIFY(answer.startsWith(magicToken()));
        QVERIFY(writeFile(answerFile, answer.mid(magicToken().size())));
        qputenv("ROSTARI_PROBE", "answer");
        qputenv("ROSTARI_PROBE_ANSWER", answerFile.toLocal8Bit());
        const auto unset = qScopeGuard([] {
            qunsetenv("ROSTARI_PROBE");
            qunsetenv("ROSTARI_PROBE_ANSWER");
        });
        QString reason;
        const qint64 peak = peakGrowth([&] {
            RecordLoader loader;
            quill::SizeTable table;
            bool answered = false;
            connect(&loader, &RecordLoader::loaded, this, [&](const quill::SizeTable& got) {
                table = got;
                answered = true;
            });
            connect(&loader, &RecordLoader::failed, this, [&](const QString&, const QString& why) {
                reason = why;
                answered = true;
            });
            loader.start(m_database);
            QTRY_VERIFY_WITH_TIMEOUT(answered, 10000);
        });
        QVERIFY2(accepted ? reason.isEmpty() : reason.contains(QStringLiteral("読み取り結果が不正です")),
            qPrintable(reason));
        std::printf("answer of %lld bytes: decoded %.1f MB, viewer's peak %.1f MB\n", qlonglong(answer.size()),
            double(decoded) / (1 << 20), double(peak) / (1 << 20));
        QVERIFY2(decoded <= kDecodedBound, qPrintable(QString::number(decoded)));
        if (kSanitized)
            return; // AddressSanitizer keeps freed memory resident for its checks
        QVERIFY(peak >= 0);
        QVERIFY2(peak <= kViewerBound, qPrintable(QString::number(peak)));
    }

private:
    QTemporaryDir m_dir;
    QString m_database;
};

ROSTARI_TEST_MAIN(TestReaderSandbox)
#include "tst_reader_sandbox.moc"
