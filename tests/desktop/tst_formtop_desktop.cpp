#include "formtop.h"
#include "testmain.h"
#include "tst_formtop_xprobe.h"

#include <QWidget>

#include <memory>

// FormTop under a real window manager: what the manager records and how it stacks.
class TestFormTopDesktop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void onKeepsWindowAboveAnActivatedWindow();
    void onTwiceStaysAbove();
    void offReturnsWindowToNormalStacking();
    void offOnOrdinaryWindowLeavesItInPlace();
    void otherModesChangeNothing_data();
    void otherModesChangeNothing();
    void hiddenWindowIsShown_data();
    void hiddenWindowIsShown();
    void stateSurvivesHidingAndShowing_data();
    void stateSurvivesHidingAndShowing();

private:
    static constexpr QRect kPlace { 200, 150, 320, 240 };
    static constexpr QLatin1String kAbove { "_NET_WM_STATE_ABOVE" };
    // The window manager is another process; on a loaded machine it has once taken over 5 s.
    static constexpr int kWindowManagerMs = 15000;

    bool showForm();
    // QWidget::winId() can go stale when a hidden window is re-created; the QWindow's is live.
    xcb_window_t formId() const { return static_cast<xcb_window_t>(m_form->windowHandle()->winId()); }
    // Brings up another program's window over ours and makes it the active one; 0 if it failed.
    xcb_window_t activateOtherWindow();
    bool formIsAbove(xcb_window_t other) const;

    XProbe m_x;
    std::unique_ptr<QWidget> m_form;
    std::unique_ptr<OtherProgramWindow> m_other;
    QRect m_shownAt;
};

void TestFormTopDesktop::initTestCase()
{
    QVERIFY2(m_x.isValid(), "no X connection");
    QVERIFY2(!m_x.atomListProperty(m_x.root(), "_NET_SUPPORTED").isEmpty(), "no EWMH window manager");
}

void TestFormTopDesktop::init()
{
    m_form = std::make_unique<QWidget>();
    m_form->setWindowTitle(QStringLiteral("form under test"));
    m_form->setFixedSize(kPlace.size());
    m_form->move(kPlace.topLeft());
}

void TestFormTopDesktop::cleanup()
{
    m_other.reset();
    m_form.reset();
}

bool TestFormTopDesktop::showForm()
{
    m_form->show();
    if (!QTest::qWaitForWindowExposed(m_form.get()))
        return false;
    const bool managed = QTest::qWaitFor(
        [this] { return m_x.stacking().contains(formId()) && m_x.clientRect(formId()).isValid(); }, kWindowManagerMs);
    m_shownAt = m_x.clientRect(formId());
    return managed && m_shownAt.size() == kPlace.size();
}

xcb_window_t TestFormTopDesktop::activateOtherWindow()
{
    m_other = std::make_unique<OtherProgramWindow>(m_shownAt);
    if (!QTest::qWaitFor([this] { return m_other->window() != 0; }, 10000))
        return 0;
    const xcb_window_t other = m_other->window();
    if (!QTest::qWaitFor([&] { return m_x.stacking().contains(other); }, kWindowManagerMs))
        return 0;
    m_x.activate(other);
    return QTest::qWaitFor([&] { return m_x.activeWindow() == other; }, kWindowManagerMs) ? other : 0;
}

bool TestFormTopDesktop::formIsAbove(xcb_window_t other) const
{
    const QList<xcb_window_t> order = m_x.stacking();
    return order.indexOf(formId()) > order.indexOf(other) && order.contains(other);
}

void TestFormTopDesktop::onKeepsWindowAboveAnActivatedWindow()
{
    QVERIFY(showForm());
    QVERIFY(FormTop(*m_form, 1) != 0);
    QTRY_VERIFY_WITH_TIMEOUT(m_x.netWmState(formId()).contains(kAbove), kWindowManagerMs);

    const xcb_window_t other = activateOtherWindow();
    QVERIFY(other != 0);
    QVERIFY(m_x.waitForManager()); // its restacking after the activation done
    QVERIFY2(formIsAbove(other), "the activated window went over the keep-above one");
    QCOMPARE(m_x.clientRect(formId()), m_shownAt);
    QCOMPARE(m_form->geometry().size(), kPlace.size());
}

void TestFormTopDesktop::onTwiceStaysAbove()
{
    QVERIFY(showForm());
    QVERIFY(FormTop(*m_form, 1) != 0);
    QTRY_VERIFY_WITH_TIMEOUT(m_x.netWmState(formId()).contains(kAbove), kWindowManagerMs);
    QVERIFY(FormTop(*m_form, 1) != 0);
    QVERIFY(m_x.waitForManager());
    QCOMPARE(m_x.netWmState(formId()).count(kAbove), 1);

    const xcb_window_t other = activateOtherWindow();
    QVERIFY(other != 0);
    QVERIFY(m_x.waitForManager());
    QVERIFY(formIsAbove(other));
    QCOMPARE(m_x.clientRect(formId()), m_shownAt);
}

void TestFormTopDesktop::offReturnsWindowToNormalStacking()
{
    QVERIFY(showForm());
    QVERIFY(FormTop(*m_form, 1) != 0);
    QTRY_VERIFY_WITH_TIMEOUT(m_x.netWmState(formId()).contains(kAbove), kWindowManagerMs);
    QVERIFY(FormTop(*m_form, 0) != 0);
    QTRY_VERIFY_WITH_TIMEOUT(!m_x.netWmState(formId()).contains(kAbove), kWindowManagerMs);
    QVERIFY(m_form->isVisible());

    // An ordinary window again: another window activated now goes over it.
    const xcb_window_t other = activateOtherWindow();
    QVERIFY(other != 0);
    QTRY_VERIFY_WITH_TIMEOUT(!formIsAbove(other), kWindowManagerMs);
    QCOMPARE(m_x.clientRect(formId()), m_shownAt);
}

void TestFormTopDesktop::offOnOrdinaryWindowLeavesItInPlace()
{
    QVERIFY(showForm());
    const xcb_window_t other = activateOtherWindow();
    QVERIFY(other != 0);
    QTRY_VERIFY_WITH_TIMEOUT(!formIsAbove(other), kWindowManagerMs);
    const QList<xcb_window_t> before = m_x.stacking();

    QVERIFY(FormTop(*m_form, 0) != 0);
    QVERIFY(m_x.waitForManager());
    QVERIFY(!m_x.netWmState(formId()).contains(kAbove));
    QCOMPARE(m_x.stacking(), before);
    QCOMPARE(m_x.clientRect(formId()), m_shownAt);
}

void TestFormTopDesktop::otherModesChangeNothing_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("startAbove");
    QTest::addColumn<bool>("startHidden");
    for (const int mode : { 2, -1, 32767, -32768 }) {
        QTest::addRow("%d on ordinary", mode) << mode << false << false;
        QTest::addRow("%d on keep-above", mode) << mode << true << false;
        QTest::addRow("%d on hidden", mode) << mode << false << true;
    }
}

void TestFormTopDesktop::otherModesChangeNothing()
{
    QFETCH(int, mode);
    QFETCH(bool, startAbove);
    QFETCH(bool, startHidden);
    QVERIFY(showForm());
    if (startAbove) {
        QVERIFY(FormTop(*m_form, 1) != 0);
        QTRY_VERIFY_WITH_TIMEOUT(m_x.netWmState(formId()).contains(kAbove), kWindowManagerMs);
    }
    if (startHidden) {
        m_form->hide();
        QTRY_VERIFY_WITH_TIMEOUT(!m_x.isViewable(formId()), kWindowManagerMs);
        QTRY_VERIFY_WITH_TIMEOUT(!m_x.stacking().contains(formId()), kWindowManagerMs);
    }
    const QStringList stateBefore = m_x.netWmState(formId());
    const QList<xcb_window_t> stackingBefore = m_x.stacking();

    QCOMPARE(FormTop(*m_form, static_cast<std::int16_t>(mode)), 0);
    QVERIFY(m_x.waitForManager());
    QCOMPARE(m_x.netWmState(formId()), stateBefore);
    QCOMPARE(m_x.stacking(), stackingBefore);
    QCOMPARE(m_form->isVisible(), !startHidden);
    QCOMPARE(m_x.isViewable(formId()), !startHidden);
    if (!startHidden)
        QCOMPARE(m_x.clientRect(formId()), m_shownAt);
}

void TestFormTopDesktop::hiddenWindowIsShown_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("shownBefore");
    QTest::newRow("1, never shown") << 1 << false;
    QTest::newRow("0, never shown") << 0 << false;
    QTest::newRow("1, hidden after showing") << 1 << true;
    QTest::newRow("0, hidden after showing") << 0 << true;
}

void TestFormTopDesktop::hiddenWindowIsShown()
{
    QFETCH(int, mode);
    QFETCH(bool, shownBefore);
    if (shownBefore) {
        QVERIFY(showForm());
        m_form->hide();
        QTRY_VERIFY_WITH_TIMEOUT(!m_x.isViewable(formId()), kWindowManagerMs);
    }

    QVERIFY(FormTop(*m_form, static_cast<std::int16_t>(mode)) != 0);
    QVERIFY(m_form->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QTRY_VERIFY_WITH_TIMEOUT(m_x.isViewable(formId()), kWindowManagerMs);
    QTRY_COMPARE_WITH_TIMEOUT(m_x.netWmState(formId()).contains(kAbove), mode == 1, kWindowManagerMs);
    QTRY_COMPARE_WITH_TIMEOUT(m_x.clientRect(formId()).size(), kPlace.size(), kWindowManagerMs);
    if (shownBefore)
        QTRY_COMPARE_WITH_TIMEOUT(m_x.clientRect(formId()), m_shownAt, kWindowManagerMs);
    else
        QTRY_COMPARE_WITH_TIMEOUT(m_form->pos(), kPlace.topLeft(), kWindowManagerMs);
}

void TestFormTopDesktop::stateSurvivesHidingAndShowing_data()
{
    QTest::addColumn<QList<int>>("modes");
    QTest::addColumn<bool>("above");
    QTest::newRow("1") << QList<int> { 1 } << true;
    QTest::newRow("1 then 0") << QList<int> { 1, 0 } << false;
    QTest::newRow("0 then 1") << QList<int> { 0, 1 } << true;
}

// The manager forgets the state of an unmapped window; Qt must map it again as asked.
void TestFormTopDesktop::stateSurvivesHidingAndShowing()
{
    QFETCH(QList<int>, modes);
    QFETCH(bool, above);
    QVERIFY(showForm());
    for (const int mode : modes)
        QVERIFY(FormTop(*m_form, static_cast<std::int16_t>(mode)) != 0);
    // "1 then 0" reads as not above before the manager has taken either request. Hidden then, the
    // window could be withdrawn with only the first one applied, and Qt adds its own states to the
    // property when it maps a window again but never removes one: it came back above.
    QVERIFY(m_x.waitForManager());
    QTRY_COMPARE_WITH_TIMEOUT(m_x.netWmState(formId()).contains(kAbove), above, kWindowManagerMs);

    m_form->hide();
    QTRY_VERIFY_WITH_TIMEOUT(!m_x.isViewable(formId()), kWindowManagerMs);
    QTRY_VERIFY_WITH_TIMEOUT(!m_x.stacking().contains(formId()), kWindowManagerMs); // withdrawn by the manager
    m_form->show();
    QTRY_VERIFY_WITH_TIMEOUT(m_x.isViewable(formId()), kWindowManagerMs);
    QVERIFY(m_x.waitForManager());
    QCOMPARE(m_x.netWmState(formId()).contains(kAbove), above);
}

ROSTARI_DESKTOP_TEST_MAIN(TestFormTopDesktop)
#include "tst_formtop_desktop.moc"
