// The window at every device-pixel ratio Qt can give. The ratio is fixed when the application
// object is made, so each row starts the program in a child process (this binary with --show),
// on the bundled database, as app/main.cpp starts it. Once the first record is shown, the child
// lists every widget with its logical rectangle and text and writes a screenshot of each page.
// Every row must list what ratio 1 lists and show the drawings under the labels.
// The child also draws each label's text alone, on each page and in the About dialog: no two
// texts' ink may touch.

#include "designfont.h"
#include "desktoptools.h"
#include "form1.h"
#include "form2.h"
#include "programsetup.h"
#include "recordsource.h"
#include "tabcontrol.h"
#include "testmain.h"

#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>

namespace {

// Writes the ink of every shown label's text, each drawn alone over the window with all texts
// hidden, as a mask (black where that text alone changes a device pixel): <window>-<label>.png.
// A text is hidden by drawing it in a transparent colour; frames and backgrounds stay.
bool writeTextInks(QWidget& window, const QString& folder, const QString& windowName)
{
    QList<QLabel*> labels;
    for (QLabel* label : window.findChildren<QLabel*>())
        if (label->isVisibleTo(&window) && !label->text().isEmpty() && !label->objectName().isEmpty())
            labels.append(label);
    const auto hide = [](QLabel* label, bool hidden) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::BrightText, Qt::transparent);
        label->setPalette(palette);
        label->setForegroundRole(hidden ? QPalette::BrightText : QPalette::WindowText);
    };
    for (QLabel* label : labels)
        hide(label, true);
    const QImage blank = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    bool written = true;
    for (QLabel* label : labels) {
        hide(label, false);
        const QImage alone = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        hide(label, true);
        QImage ink(alone.size(), QImage::Format_Grayscale8);
        ink.fill(255);
        for (int y = 0; y < alone.height(); ++y)
            for (int x = 0; x < alone.width(); ++x)
                if (alone.pixel(x, y) != blank.pixel(x, y))
                    ink.setPixel(x, y, 0);
        written = ink.save(QStringLiteral("%1/ink-%2-%3.png").arg(folder, windowName, label->objectName())) && written;
    }
    for (QLabel* label : labels)
        hide(label, false);
    return written;
}

// The child: start as the program does, wait for the first record, then tell what is shown.
int showFirstRecord(int argc, char** argv, const QString& folder)
{
    setUpBeforeApplication();
    QApplication app(argc, argv);
    setUpApplication(app);
    Form1 form;
    bool opened = false;
    QObject::connect(form.dataSource(), &quill::RecordSource::opened, &form, [&](bool ok) { opened = ok; });
    form.Form_Load();
    if (!QTest::qWaitFor([&] { return opened && form.windowHandle()->isExposed(); }, 10000))
        return 1;

    std::printf("ratio %g\n", form.devicePixelRatioF());
    for (const QWidget* w : form.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->isWindow())
            continue;
        const QRect r(w->mapTo(&form, QPoint()), w->size());
        const auto* label = qobject_cast<const QLabel*>(w);
        std::printf("%s %s %d %d %d %d %s\n", qPrintable(w->objectName()), qPrintable(w->parent()->objectName()), r.x(),
            r.y(), r.width(), r.height(), label ? qPrintable(label->text()) : "");
    }
    auto* tabs = form.findChild<TabControl*>(QStringLiteral("SSTab1"));
    for (int page = 0; page < 3; ++page) {
        tabs->setCurrentIndex(page);
        form.repaint();
        // The X server has what the window showed; the offscreen screen can only render it anew (its
        // grabWindow cuts the window at its logical size).
        const QPixmap shot = QGuiApplication::platformName() == QLatin1String("xcb")
            ? form.screen()->grabWindow(form.winId())
            : form.grab();
        if (!shot.save(QStringLiteral("%1/page%2.bmp").arg(folder).arg(page + 1))
            || !writeTextInks(form, folder, QStringLiteral("page%1").arg(page + 1)))
            return 1;
    }
    Form2 about(DesignFonts(), &form);
    about.show();
    if (!QTest::qWaitForWindowExposed(&about) || !about.grab().save(folder + QStringLiteral("/about.png"))
        || !writeTextInks(about, folder, QStringLiteral("about")))
        return 1;
    return 0;
}

struct Widget {
    QString parent;
    QRect rect;
    QString text;
    bool operator==(const Widget&) const = default;
};

struct Shown {
    qreal ratio = 0;
    QMap<QString, Widget> widgets;
    QImage pages[3];
    QImage about;
    // Per window ("page1" to "page3", "about"), each label's text ink alone.
    QMap<QString, QMap<QString, QImage>> inks;
};

char* toString(const Widget& w)
{
    const QRect& r = w.rect;
    return qstrdup(qPrintable(QStringLiteral("%1,%2 %3x%4 in %5, \"%6\"")
                                  .arg(r.x())
                                  .arg(r.y())
                                  .arg(r.width())
                                  .arg(r.height())
                                  .arg(w.parent, w.text)));
}

// Runs the child with the given environment; a failure leaves the test with the child's output.
Shown show(const QProcessEnvironment& environment)
{
    Shown shown;
    QTemporaryDir folder;
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(QStringLiteral(ROSTARI_BUILD_DIR "/share/rostari-bolt"));
    child.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--show"), folder.path() });
    const bool finished = child.waitForFinished(30000);
    // A Windows child writes its lines in text mode, ending them with "\r\n".
    const QString output = QString::fromUtf8(child.readAllStandardOutput()).remove(QLatin1Char('\r'));
    if (!finished || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        qWarning("child %s, exit code %d:\n%s%s", child.exitStatus() == QProcess::CrashExit ? "crashed" : "failed",
            child.exitCode(), qPrintable(output), child.readAllStandardError().constData());
        return shown;
    }
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList f = line.split(QLatin1Char(' '));
        if (f[0] == QLatin1String("ratio"))
            shown.ratio = f[1].toDouble();
        else if (f.size() >= 7)
            shown.widgets[f[0]] = { f[1], QRect(f[2].toInt(), f[3].toInt(), f[4].toInt(), f[5].toInt()),
                f.mid(6).join(QLatin1Char(' ')) };
    }
    for (int page = 0; page < 3; ++page)
        shown.pages[page]
            = QImage(folder.filePath(QStringLiteral("page%1.bmp").arg(page + 1))).convertToFormat(QImage::Format_RGB32);
    shown.about = QImage(folder.filePath(QStringLiteral("about.png")));
    static const QRegularExpression inkName(QStringLiteral("^ink-([^-]+)-(.+)\\.png$"));
    for (const QString& file : QDir(folder.path()).entryList({ QStringLiteral("ink-*.png") })) {
        const auto name = inkName.match(file);
        if (name.hasMatch())
            shown.inks[name.captured(1)][name.captured(2)] = QImage(folder.filePath(file));
    }
    return shown;
}

// The first place where two labels' texts touch: one's ink in a device pixel of the other's or
// next to one (across a corner too), or empty. A picture of the window with the two inks in red
// and blue is kept.
QString touchingTexts(const Shown& shown, const QString& window, const QImage& screen)
{
    const QMap<QString, QImage> inks = shown.inks.value(window);
    if (inks.size() < 3)
        return QStringLiteral("%1: only %2 texts drawn").arg(window).arg(inks.size());
    const QRect area(QPoint(), inks.first().size());
    const auto inked = [](const QImage& ink, const QPoint& p) { return qGray(ink.pixel(p)) == 0; };
    // Which text inks each pixel; the first found where two do.
    QList<QString> owner(qsizetype(area.width()) * area.height());
    const auto at = [&](const QPoint& p) -> QString& { return owner[qsizetype(p.y()) * area.width() + p.x()]; };
    for (auto it = inks.cbegin(); it != inks.cend(); ++it)
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x)
                if (inked(it.value(), { x, y }) && at({ x, y }).isEmpty())
                    at({ x, y }) = it.key();
    for (auto it = inks.cbegin(); it != inks.cend(); ++it)
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x) {
                if (!inked(it.value(), { x, y }))
                    continue;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint p(x + dx, y + dy);
                        if (!area.contains(p) || at(p).isEmpty() || at(p) == it.key())
                            continue;
                        const QString other = at(p);
                        QImage picture = screen.convertToFormat(QImage::Format_RGB32);
                        for (int v = 0; v < area.height(); ++v)
                            for (int u = 0; u < area.width(); ++u) {
                                if (inked(inks.value(other), { u, v }))
                                    picture.setPixel(u, v, qRgb(255, 0, 0));
                                if (inked(it.value(), { u, v }))
                                    picture.setPixel(u, v, qRgb(0, 0, 255));
                            }
                        const QString kept
                            = QDir::temp().filePath(QStringLiteral("tst_hidpi-%1-%2.png").arg(window).arg(shown.ratio));
                        picture.save(kept);
                        return QStringLiteral("%1 at ratio %2: %3 and %4 touch at %5,%6 (device pixels; %7)")
                            .arg(window)
                            .arg(shown.ratio)
                            .arg(other, it.key())
                            .arg(x)
                            .arg(y)
                            .arg(kept);
                    }
            }
    return {};
}

QProcessEnvironment environment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

QString xprop(const QStringList& arguments)
{
    return desktop::run(QStringLiteral("xprop"), arguments);
}

} // namespace

class TestHiDpi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_atOne = show(environment());
        QCOMPARE(m_atOne.ratio, 1.0);
        QCOMPARE(m_atOne.widgets.value(QStringLiteral("Label1")).text, QStringLiteral("M3"));
    }

    void everyRatio_data()
    {
        QTest::addColumn<qreal>("ratio");
        for (qreal ratio : { 1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0 })
            QTest::newRow(qPrintable(QString::number(ratio))) << ratio;
    }
    void everyRatio()
    {
        QFETCH(qreal, ratio);
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(ratio));
        const Shown shown = show(env);
        QCOMPARE(shown.ratio, ratio);
        compareWithRatioOne(shown);
        noTextTouchesText(shown);
    }

    // As a desktop at 125 % or 150 % sets it: Xft.dpi in the X resources, no Qt variables.
    void xftDpi_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::newRow("Xft.dpi 120") << 120;
        QTest::newRow("Xft.dpi 144") << 144;
    }
    void xftDpi()
    {
        QFETCH(int, dpi);
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs the private X display (ctest runs it as tst_hidpi_xft)");
        const QStringList resources { QStringLiteral("-root"), QStringLiteral("RESOURCE_MANAGER") };
        if (!xprop(resources).contains(QLatin1String("not found")))
            QSKIP("the X display has resources of its own");
        xprop({ QStringLiteral("-root"), QStringLiteral("-format"), QStringLiteral("RESOURCE_MANAGER"),
            QStringLiteral("8s"), QStringLiteral("-set"), QStringLiteral("RESOURCE_MANAGER"),
            QStringLiteral("Xft.dpi:\t%1\n").arg(dpi) });
        const auto removeResources = qScopeGuard([] {
            xprop({ QStringLiteral("-root"), QStringLiteral("-remove"), QStringLiteral("RESOURCE_MANAGER") });
        });
        QVERIFY(xprop(resources).contains(QStringLiteral("Xft.dpi:\\t%1").arg(dpi)));
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        const Shown shown = show(env);
        QCOMPARE(shown.ratio, dpi / 96.0);
        compareWithRatioOne(shown);
        noTextTouchesText(shown);
    }

private:
    void noTextTouchesText(const Shown& shown)
    {
        for (int page = 1; page <= 3; ++page) {
            const QString window = QStringLiteral("page%1").arg(page);
            const QString touching = touchingTexts(shown, window, shown.pages[page - 1]);
            QVERIFY2(touching.isEmpty(), qPrintable(touching));
        }
        const QString touching = touchingTexts(shown, QStringLiteral("about"), shown.about);
        QVERIFY2(touching.isEmpty(), qPrintable(touching));
    }

    // Same widgets, rectangles and texts as at ratio 1, and on every page the drawing around the labels: where
    // the 1x drawing has one colour all around a pixel, the screen shows that colour there; inside its black
    // lines it stays black-ish; at the ratios a drawing is made for (1, 2) every pixel is a drawing colour.
    void compareWithRatioOne(const Shown& shown)
    {
        QCOMPARE(shown.widgets.keys(), m_atOne.widgets.keys());
        for (auto it = m_atOne.widgets.cbegin(); it != m_atOne.widgets.cend(); ++it)
            QCOMPARE(shown.widgets.value(it.key()), it.value());

        const qreal r = shown.ratio;
        const bool sharp = r == 1.0 || r == 2.0;
        for (int page = 1; page <= 3; ++page) {
            const QString picture = QStringLiteral("Picture%1").arg(page);
            const QImage original(QStringLiteral(":/drawings/picture%1.bmp").arg(page));
            const QImage drawing = original.convertToFormat(QImage::Format_RGB32);
            const QImage& screen = shown.pages[page - 1];
            QVERIFY(!drawing.isNull() && !screen.isNull());
            const QRect area = m_atOne.widgets.value(picture).rect.adjusted(2, 2, -2, -2);
            QList<QRect> covered;
            for (const Widget& w : m_atOne.widgets)
                if (w.parent == picture)
                    covered.append(w.rect.adjusted(-1, -1, 1, 1));
            int same = 0;
            int dark = 0;
            for (int y = 2; y < area.height() - 2; ++y)
                for (int x = 2; x < area.width() - 2; ++x) {
                    const QPoint p(x, y);
                    const QPoint at = area.topLeft() + p;
                    if (std::any_of(covered.begin(), covered.end(), [&](const QRect& c) { return c.contains(at); }))
                        continue;
                    const QRgb colour = drawing.pixel(p);
                    const QRgb seen = screen.pixel(((QPointF(at) + QPointF(0.5, 0.5)) * r).toPoint());
                    const auto where = [&] {
                        return QStringLiteral("%1 at %2,%3: %4 for %5")
                            .arg(picture)
                            .arg(x)
                            .arg(y)
                            .arg(seen, 0, 16)
                            .arg(colour, 0, 16)
                            .toUtf8();
                    };
                    if (sharp && !original.colorTable().contains(seen))
                        QFAIL(where().constData());
                    const auto ink = [&](int dx, int dy) { return drawing.pixel(p + QPoint(dx, dy)) == qRgb(0, 0, 0); };
                    // Inside a line, not at its end: the drawing of the other density may end it a pixel apart.
                    if (ink(0, 0) && ((ink(-1, 0) && ink(1, 0)) || (ink(0, -1) && ink(0, 1)))) {
                        // The device pixels this pixel touches and one more all round: where the picture starts
                        // between two device pixels, the line falls on either.
                        const QRect device
                            = QRectF(QPointF(at) * r, QSizeF(r, r)).toAlignedRect().adjusted(-1, -1, 1, 1);
                        int darkest = 255;
                        for (int dy = device.top(); dy <= device.bottom(); ++dy)
                            for (int dx = device.left(); dx <= device.right(); ++dx)
                                darkest = std::min(darkest, qGray(screen.pixel(dx, dy)));
                        if (darkest >= 96)
                            QFAIL(where().constData());
                        ++dark;
                        continue;
                    }
                    bool uniform = true;
                    for (int dy = -2; uniform && dy <= 2; ++dy)
                        for (int dx = -2; uniform && dx <= 2; ++dx)
                            uniform = drawing.pixel(p + QPoint(dx, dy)) == colour;
                    if (!uniform)
                        continue;
                    if (std::abs(qRed(seen) - qRed(colour)) > 2 || std::abs(qGreen(seen) - qGreen(colour)) > 2
                        || std::abs(qBlue(seen) - qBlue(colour)) > 2)
                        QFAIL(where().constData());
                    ++same;
                }
            QVERIFY2(same > area.width() * area.height() / 2, qPrintable(QString::number(same)));
            QVERIFY2(dark > 1000, qPrintable(QString::number(dark)));
        }
    }

    Shown m_atOne;
};

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--show") == 0)
        return showFirstRecord(argc, argv, QString::fromLocal8Bit(argv[2]));
    // The Xft.dpi rows run on the private X display (ctest's tst_hidpi_xft), skipped without one.
    return rostariTestMain<TestHiDpi>(argc, argv, qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("xcb"));
}

#include "tst_hidpi.moc"
