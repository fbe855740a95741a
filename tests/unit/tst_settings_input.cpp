// Stored window positions of every shape, through the window's start-up and close: valid text
// is applied (huge values clamped), anything else leaves the design position with one line
// on stderr naming the key, and the close always leaves whole numbers and every other key.

#include "form1.h"
#include "settingsaccess.h"
#include "testmain.h"

#include <QRegularExpression>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kNoPosition = -1; // invalid: the window stays where it was placed
constexpr int kClampedPixels = 1 << 24;

// What the program writes to stderr while it is alive.
class StderrCapture {
public:
    StderrCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        dup2(m_file.handle(), STDERR_FILENO);
    }
    ~StderrCapture() { release(); }
    QStringList lines()
    {
        release();
        m_file.seek(0);
        return QString::fromUtf8(m_file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    void release()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        m_saved = -1;
    }
    QTemporaryFile m_file;
    int m_saved = -1;
};

int linesNaming(const QStringList& lines, const QString& key)
{
    int count = 0;
    for (const QString& line : lines)
        count += line.contains(QStringLiteral("設定 ") + key + QLatin1Char(' '));
    return count;
}

struct Session {
    QPoint placed;
    QStringList errors;
};

// Starts the window as the program does, notes where it opened and what it said, and closes it.
Session startAndClose()
{
    Session session;
    StderrCapture capture;
    Form1 form;
    form.Form_Load();
    session.placed = form.frameGeometry().topLeft();
    form.close(); // must complete, whatever the store
    session.errors = capture.lines();
    return session;
}

} // namespace

class TestSettingsInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Where the window opens with nothing stored: the design position, as this platform reports it.
        init();
        const Session empty = startAndClose();
        QVERIFY(empty.errors.filter(QStringLiteral("設定")).isEmpty());
        m_design = empty.placed;
    }

    void init() { rawstore::clear(); }

    void storedPosition_data()
    {
        QTest::addColumn<QByteArray>("x1");
        QTest::addColumn<QByteArray>("y1");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("leading blank") << QByteArray(" 1200") << QByteArray(" 1200") << 80 << 80;
        QTest::newRow("fraction") << QByteArray("1200.5") << QByteArray("1200.5") << 80 << 80;
        QTest::newRow("minus zero") << QByteArray("-0") << QByteArray("-0") << 0 << 0;
        QTest::newRow("huge, clamped") << QByteArray("99999999999") << QByteArray("-99999999999") << kClampedPixels
                                       << -kClampedPixels;
        QTest::newRow("inf") << QByteArray("inf") << QByteArray("-inf") << kNoPosition << kNoPosition;
        QTest::newRow("one megabyte") << QByteArray(1 << 20, '1') << QByteArray(1 << 20, '7') << kNoPosition
                                      << kNoPosition;
        QTest::newRow("not UTF-8") << QByteArray("\xff\xfe\x31\x32\x80") << QByteArray("\x80\x80") << kNoPosition
                                   << kNoPosition;
#ifdef Q_OS_WIN
        // The registry holds text: the unfinished sequence is stored as U+FFFD, which is no number.
        QTest::newRow("unfinished UTF-8 at the end")
            << QByteArray("2400\xc3") << QByteArray("1200\xe3\x81") << kNoPosition << kNoPosition;
#else
        // Qt's INI reader drops an unfinished UTF-8 sequence at the end of a value: "2400" is read.
        QTest::newRow("unfinished UTF-8 at the end")
            << QByteArray("2400\xc3") << QByteArray("1200\xe3\x81") << 160 << 80;
#endif
        QTest::newRow("one key broken") << QByteArray("abc") << QByteArray("1200") << kNoPosition << 80;
    }
    void storedPosition()
    {
        QFETCH(QByteArray, x1);
        QFETCH(QByteArray, y1);
        QFETCH(int, x);
        QFETCH(int, y);
        rawstore::write({ { QStringLiteral("Other/keep"), "yes" }, { QStringLiteral("Form1_StrtUp/X1"), x1 },
            { QStringLiteral("Form1_StrtUp/Y1"), y1 } });
        const auto [placed, errors] = startAndClose();
        // Invalid: the window stays where it was placed, and says which key it ignored.
        QCOMPARE(placed, QPoint(x == kNoPosition ? m_design.x() : x, y == kNoPosition ? m_design.y() : y));
        QCOMPARE(linesNaming(errors, QStringLiteral("X1")), x == kNoPosition ? 1 : 0);
        QCOMPARE(linesNaming(errors, QStringLiteral("Y1")), y == kNoPosition ? 1 : 0);
        for (const QString& line : std::as_const(errors))
            QVERIFY2(line.size() < 300, "a line on stderr, not the whole value");

        // The close wrote the position as whole numbers and kept everything else.
        const auto stored = rawstore::open();
        QCOMPARE(stored->status(), QSettings::NoError);
        QCOMPARE(stored->value(QStringLiteral("Other/keep")).toString(), QStringLiteral("yes"));
        const QRegularExpression whole(QStringLiteral("^-?[0-9]+$"));
        const QString storedX = stored->value(QStringLiteral("Form1_StrtUp/X1")).toString();
        const QString storedY = stored->value(QStringLiteral("Form1_StrtUp/Y1")).toString();
        QVERIFY2(whole.match(storedX).hasMatch(), qPrintable(storedX.left(40)));
        QVERIFY2(whole.match(storedY).hasMatch(), qPrintable(storedY.left(40)));
        QCOMPARE(storedX.toLongLong(), qlonglong(placed.x()) * 15);
        QCOMPARE(storedY.toLongLong(), qlonglong(placed.y()) * 15);
    }

    void storeThatCannotBeRead_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("a folder") << true;
        QTest::newRow("no read permission") << false;
    }
    void storeThatCannotBeRead()
    {
        QFETCH(bool, folder);
#ifdef Q_OS_WIN
        QSKIP("on Windows the store is a registry key: no folder or file permissions to break it");
#else
        if (folder) {
            QVERIFY(QDir().mkpath(rawstore::file()));
        } else {
            if (geteuid() == 0)
                QSKIP("running as root: file permissions do not keep root from reading");
            rawstore::write(
                { { QStringLiteral("Form1_StrtUp/X1"), "2400" }, { QStringLiteral("Form1_StrtUp/Y1"), "1200" } });
            QVERIFY(QFile::setPermissions(rawstore::file(), QFileDevice::WriteOwner));
        }
#endif
        const auto [placed, errors] = startAndClose();
        QCOMPARE(placed, m_design);
        QVERIFY2(errors.filter(QStringLiteral("設定を読み取れません")).size() == 1, qPrintable(errors.join(u'\n')));
        if (folder) {
            QVERIFY(QFileInfo(rawstore::file()).isDir());
            QVERIFY2(errors.filter(QStringLiteral("保存できません")).size() == 1, qPrintable(errors.join(u'\n')));
        }
    }

private:
    QPoint m_design;
};

ROSTARI_TEST_MAIN(TestSettingsInput)
#include "tst_settings_input.moc"
