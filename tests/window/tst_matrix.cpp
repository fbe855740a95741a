// The window on damaged copies of the bundled database and on things that are no database
// at all: it stays up and shows either records or the message, within the reader's time limit.

#include "files.h"
#include "matrixcases.h"
#include "recordloader.h"
#include "testmain.h"
#include "windowtest.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

// The reader gives up after two seconds; starting the window and the process costs a little more.
constexpr qint64 kAnswerWithinMs = quill::RecordLoader::kTimeLimitMs + 1500;

QByteArray bundled()
{
    return testfiles::readFile(QStringLiteral(ROSTARI_BUNDLED_MDB));
}

} // namespace

class TestMatrix : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_original = bundled();
        QVERIFY(m_original.size() >= 8 * 512);
    }

    void cleanupTestCase()
    {
        std::printf("matrix: %d cases: %d showed records, %d showed the message, %d failed, %d skipped; "
                    "slowest answer %lld ms\n",
            m_records + m_messages + m_failures + m_skipped, m_records, m_messages, m_failures, m_skipped, m_slowestMs);
    }

    void windowSurvives_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("bytes");
        forEachDamagedCopy(m_original, [](const QString& name, const QByteArray& bytes) {
            QTest::newRow(qPrintable(name)) << QStringLiteral("file") << bytes;
        });
        QTest::newRow("empty file") << QStringLiteral("file") << QByteArray();
        QTest::newRow("a folder") << QStringLiteral("folder") << QByteArray();
        QTest::newRow("no read permission") << QStringLiteral("unreadable") << m_original;
        QTest::newRow("link to /dev/zero") << QStringLiteral("devzero") << QByteArray();
        QTest::newRow("200 MB of zeros") << QStringLiteral("zeros") << QByteArray();
    }
    void windowSurvives()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("quilldat.mdb"));
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("quilldat.mdb")));
        } else if (kind == QLatin1String("devzero")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        } else if (kind == QLatin1String("zeros")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(qint64(200) * 1024 * 1024)); // sparse: no disk blocks
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(bytes), bytes.size());
            file.close();
            if (kind == QLatin1String("unreadable")) {
                if (geteuid() == 0) {
                    ++m_skipped;
                    QSKIP("running as root: file permissions do not keep root from reading");
                }
                QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
            }
        }
        QVERIFY(QDir::setCurrent(dir.path()));

        QElapsedTimer timer;
        timer.start();
        auto form = std::make_unique<Form1>();
        QSignalSpy answered(form->dataSource(), &quill::RecordSource::opened);
        form->Form_Load();
        const bool gotAnswer = answered.wait(int(kAnswerWithinMs) + 2000);
        const qint64 elapsed = timer.elapsed();
        m_slowestMs = std::max(m_slowestMs, elapsed);
        QDir::setCurrent(QDir::tempPath());

        bool survived = gotAnswer && elapsed <= kAnswerWithinMs && form->isVisible();
        QString outcome = gotAnswer ? QString() : QStringLiteral("no answer");
        const auto* box = form->findChild<QMessageBox*>(QStringLiteral("Data1_Error"));
        if (survived && answered.first().first().toBool()) {
            // Records: the first one is shown, and the bar still steps.
            const auto& records = form->dataSource()->records();
            survived = !box && records.count() > 0 && textOf(form.get(), "Label1") != QLatin1String("M");
            if (survived) {
                QTest::mouseClick(child<QAbstractButton>(form.get(), "Data1_MoveLast"), Qt::LeftButton);
                survived = records.currentIndex() == records.count() - 1;
            }
            outcome = QStringLiteral("records: %1").arg(records.count());
            m_records += survived;
        } else if (survived) {
            survived = box && box->text().startsWith(QStringLiteral("データベースを開けません: ") + path)
                && textOf(form.get(), "Label1") == QLatin1String("M");
            outcome = box ? box->text() : QStringLiteral("no message");
            m_messages += survived;
        }
        m_failures += !survived;
        QVERIFY2(survived, qPrintable(QStringLiteral("%1 after %2 ms").arg(outcome).arg(elapsed)));
    }

private:
    QByteArray m_original;
    int m_records = 0;
    int m_messages = 0;
    int m_failures = 0;
    int m_skipped = 0;
    qint64 m_slowestMs = 0;
};

ROSTARI_TEST_MAIN(TestMatrix)
#include "tst_matrix.moc"
