// What the fuzzer found and kept, through the real viewer: every crash or hang reproducer in
// fuzz/regressions/ opened by the window must end in the message, and every corpus file read
// by the reader process must end normally, each within the reader's time limit.

#include "recordloader.h"
#include "testmain.h"
#include "windowtest.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

#include <csignal>
#include <sys/types.h>

namespace {

constexpr qint64 kAnswerWithinMs = quill::RecordLoader::kTimeLimitMs + 1500;

QStringList filesIn(const QString& folder)
{
    QStringList paths;
    const QDir dir(QStringLiteral(ROSTARI_FUZZ_DIR "/") + folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
        if (!name.startsWith(QLatin1Char('.')) && !name.endsWith(QLatin1String(".md")))
            paths.append(dir.filePath(name));
    return paths;
}

bool copyTo(const QString& from, const QString& to)
{
    QFile::remove(to);
    return QFile::copy(from, to);
}

} // namespace

class TestRobustRegressions : public QObject {
    Q_OBJECT
private slots:
    void reproducerEndsInTheMessage_data()
    {
        QTest::addColumn<QString>("reproducer");
        const QStringList files = filesIn(QStringLiteral("regressions"));
        QVERIFY(!files.isEmpty());
        for (const QString& file : files)
            QTest::newRow(qPrintable(QFileInfo(file).fileName())) << file;
    }
    void reproducerEndsInTheMessage()
    {
        QFETCH(QString, reproducer);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("quilldat.mdb"));
        QVERIFY(copyTo(reproducer, path));
        QVERIFY(QDir::setCurrent(dir.path()));

        QElapsedTimer timer;
        timer.start();
        bool opened = true;
        auto form = startWindow(&opened);
        const qint64 elapsed = timer.elapsed();
        QDir::setCurrent(QDir::tempPath());
        QVERIFY(!opened);
        QVERIFY2(elapsed <= kAnswerWithinMs, qPrintable(QString::number(elapsed)));
        const auto* box = child<QMessageBox>(form.get(), "Data1_Error");
        QVERIFY(box);
        QVERIFY2(box->text().startsWith(QStringLiteral("データベースを開けません: ") + path), qPrintable(box->text()));
        // The window is still there and still takes input.
        QVERIFY(form->isVisible());
        QTest::mouseClick(child<QAbstractButton>(form.get(), "Data1_MoveNext"), Qt::LeftButton);
        QCOMPARE(textOf(form.get(), "Label1"), QStringLiteral("M"));
    }

    // No input kept here makes the reader die of a signal any more, so one is sent to it while
    // it hangs: the window reports the crash at once, not after the time limit.
    void readerDyingOfASignalEndsInTheMessage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("quilldat.mdb"));
        QVERIFY(copyTo(QStringLiteral(ROSTARI_FUZZ_DIR "/regressions/catalog-property-chunk-empty.mdb"), path));
        QVERIFY(QDir::setCurrent(dir.path()));
        auto form = std::make_unique<Form1>();
        QSignalSpy answered(form->dataSource(), &quill::RecordSource::opened);
        form->Form_Load();
        QTRY_COMPARE_WITH_TIMEOUT(readersOfThisProcess().size(), 1, 1000);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(::kill(pid_t(readersOfThisProcess().first()), SIGSEGV), 0);
        QVERIFY(answered.wait(int(kAnswerWithinMs)));
        QDir::setCurrent(QDir::tempPath());
        QVERIFY(timer.elapsed() < quill::RecordLoader::kTimeLimitMs);
        QCOMPARE(answered.first().first().toBool(), false);
        const auto* box = child<QMessageBox>(form.get(), "Data1_Error");
        QVERIFY(box);
        QVERIFY2(box->text().contains(QStringLiteral("異常終了")), qPrintable(box->text()));
        QVERIFY(form->isVisible());
    }

    // The corpus holds inputs that ran to their end in the fuzzer: the reader must neither
    // crash nor hang on any of them either.
    void corpusEndsNormallyInTheReader()
    {
        const QStringList files = filesIn(QStringLiteral("corpus"));
        QVERIFY(!files.isEmpty());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("quilldat.mdb"));
        int withRecords = 0;
        QMap<QString, int> reasons;
        qint64 slowest = 0;
        for (const QString& file : files) {
            QVERIFY(copyTo(file, path));
            quill::RecordLoader loader;
            QSignalSpy loaded(&loader, &quill::RecordLoader::loaded);
            QSignalSpy failed(&loader, &quill::RecordLoader::failed);
            QElapsedTimer timer;
            timer.start();
            loader.start(path);
            QTRY_VERIFY_WITH_TIMEOUT(loaded.count() + failed.count() == 1, int(kAnswerWithinMs) + 2000);
            slowest = std::max(slowest, timer.elapsed());
            QVERIFY2(timer.elapsed() <= kAnswerWithinMs, qPrintable(file));
            if (!loaded.isEmpty()) {
                ++withRecords;
                continue;
            }
            const QString reason = failed.first().at(1).toString();
            QVERIFY2(!reason.contains(QStringLiteral("異常終了")) && !reason.contains(QStringLiteral("秒以内")),
                qPrintable(file + QStringLiteral(": ") + reason));
            ++reasons[reason];
        }
        std::printf("corpus: %lld files: %d read, slowest %lld ms\n", qlonglong(files.size()), withRecords, slowest);
        for (auto it = reasons.cbegin(); it != reasons.cend(); ++it)
            std::printf("corpus:   %d refused: %s\n", it.value(), qUtf8Printable(it.key()));
    }
};

ROSTARI_TEST_MAIN(TestRobustRegressions)
#include "tst_robust_regressions.moc"
