#include "designfont.h"
#include "form2.h"
#include "makerinfo.h"
#include "testmain.h"
#include "urlstandin.h"

#include <QFontInfo>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

// The names the design font resolves to on a Linux desktop.
const QStringList kResolvedFamilies { QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
    QStringLiteral("Noto Sans CJK JP") };

// Everything a viewer can see of the dialog's controls, to compare two openings.
QStringList snapshot(const Form2& dialog)
{
    QStringList lines { dialog.windowTitle() + QLatin1Char(' ') + QString::number(dialog.width()) + QLatin1Char('x')
        + QString::number(dialog.height()) };
    for (const QWidget* child : dialog.findChildren<QWidget*>()) {
        QString text;
        if (const auto* label = qobject_cast<const QLabel*>(child))
            text = label->text();
        else if (const auto* button = qobject_cast<const QPushButton*>(child))
            text = button->text();
        const QRect g = child->geometry();
        lines.append(QStringLiteral("%1 %2 [%3] %4,%5 %6x%7 %8 %9 %10")
                         .arg(QLatin1String(child->metaObject()->className()), child->objectName(), text)
                         .arg(g.x())
                         .arg(g.y())
                         .arg(g.width())
                         .arg(g.height())
                         .arg(child->font().toString(), child->palette().color(QPalette::WindowText).name())
                         .arg(child->isVisibleTo(&dialog)));
    }
    lines.sort();
    return lines;
}

} // namespace

class TestForm2 : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowFrame();
    void labels_data();
    void labels();
    void labelsFitTheClientArea();
    void linkIsDrawnBlue();
    void rule();
    void button();
    void onlyTheButtonTakesFocus();
    void closes_data();
    void closes();
    void execReturnsWhenEscapeIsPressed();
    void linkClickOpensTheAddress();
    void otherClicksDoNothing_data();
    void otherClicksDoNothing();
    void secondOpeningShowsTheSameContent();
    void centredOnTheScreenAtEachShowing();

private:
    template <typename T> T* child(const char* name) const { return m_dialog->findChild<T*>(QLatin1String(name)); }
    bool showDialog();

    std::unique_ptr<QWidget> m_owner;
    std::unique_ptr<Form2> m_dialog;
    QList<QUrl> m_opened;
    UrlHandlerStandIn m_handler { &m_opened };
};

void TestForm2::init()
{
    // The owner sits in a corner, so that centring on it and on the screen differ.
    m_owner = std::make_unique<QWidget>();
    m_owner->setGeometry(0, 0, 200, 120);
    m_owner->show();
    m_dialog = std::make_unique<Form2>(DesignFonts(), m_owner.get());
    m_opened.clear();
}

void TestForm2::cleanup()
{
    m_dialog.reset();
    m_owner.reset();
}

bool TestForm2::showDialog()
{
    m_dialog->show();
    return QTest::qWaitForWindowExposed(m_dialog.get());
}

void TestForm2::windowFrame()
{
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("information"));
    QCOMPARE(m_dialog->objectName(), QStringLiteral("Form2"));
    QCOMPARE(m_dialog->parentWidget(), m_owner.get());

    const Qt::WindowFlags flags = m_dialog->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint)); // only the buttons asked for
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    QVERIFY(!m_dialog->testAttribute(Qt::WA_DeleteOnClose)); // the owner may keep it on the stack

    QVERIFY(showDialog());
    QCOMPARE(m_dialog->size(), QSize(321, 344));
    QCOMPARE(m_dialog->minimumSize(), QSize(321, 344));
    QCOMPARE(m_dialog->maximumSize(), QSize(321, 344));
    QVERIFY(!m_dialog->isSizeGripEnabled());
}

void TestForm2::labels_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("place");
    QTest::addColumn<QSize>("fixedSize"); // empty: sized to its text
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QColor>("colour"); // invalid: the style's

    // Twips from the description, divided by 15.
    QTest::newRow("Label3") << QStringLiteral("ロスタリシリーズ") << QPoint(84, 16) << QSize() << 12.0 << false
                            << QColor();
    QTest::newRow("Label1") << QStringLiteral("六角穴付ボルト JIS B 1176(1988)") << QPoint(36, 40) << QSize(248, 16)
                            << 12.0 << false << QColor();
    QTest::newRow("Label4") << QStringLiteral("Vre 4.20") << QPoint(132, 60) << QSize() << 12.0 << false << QColor();
    QTest::newRow("Label11") << QString(makerinfo::copyrightLine) << QPoint(32, 80) << QSize() << 11.25 << false
                             << QColor();
    QTest::newRow("Label12") << QStringLiteral("E-mail  ") + makerinfo::emailAddress << QPoint(60, 96) << QSize()
                             << 9.75 << false << QColor();
    QTest::newRow("Label13_7") << QString(makerinfo::webAddress) << QPoint(60, 108) << QSize() << 9.75 << true
                               << QColor(0, 0, 255);
}

void TestForm2::labels()
{
    QFETCH(QString, text);
    QFETCH(QPoint, place);
    QFETCH(QSize, fixedSize);
    QFETCH(qreal, points);
    QFETCH(bool, underline);
    QFETCH(QColor, colour);
    QVERIFY(showDialog());

    const auto* label = child<QLabel>(QTest::currentDataTag());
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->pos(), place);

    const QFont font = label->font();
    QCOMPARE(font.families(), DesignFonts().design(points).families());
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.weight(), QFont::Normal);
    QVERIFY(!font.italic());
    QCOMPARE(font.underline(), underline);
    QVERIFY2(kResolvedFamilies.contains(QFontInfo(font).family()), qPrintable(QFontInfo(font).family()));

    QVERIFY(!label->autoFillBackground());
    QCOMPARE(label->cursor().shape(), Qt::ArrowCursor);
    if (colour.isValid())
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
    else
        QCOMPARE(label->palette().color(QPalette::WindowText), m_dialog->palette().color(QPalette::WindowText));

    const QFontMetrics metrics(font);
    if (fixedSize.isValid()) {
        QCOMPARE(label->size(), fixedSize);
        QVERIFY(label->alignment().testFlag(Qt::AlignHCenter));
    } else {
        // Sized to the text: all of it shows, and little more.
        const int advance = metrics.horizontalAdvance(text);
        QVERIFY2(label->width() >= advance && label->width() <= advance + 2, qPrintable(QString::number(advance)));
        QVERIFY(label->height() >= metrics.height() && label->height() <= metrics.height() + 2);
    }
}

void TestForm2::labelsFitTheClientArea()
{
    QVERIFY(showDialog());
    for (const QLabel* label : m_dialog->findChildren<QLabel*>())
        QVERIFY2(m_dialog->rect().contains(label->geometry()), qPrintable(label->objectName()));
    // Stacked from the top in the order of the description, the rule and the button below.
    const QStringList order { QStringLiteral("Label3"), QStringLiteral("Label1"), QStringLiteral("Label4"),
        QStringLiteral("Label11"), QStringLiteral("Label12"), QStringLiteral("Label13_7"), QStringLiteral("Frame1"),
        QStringLiteral("Command1") };
    for (qsizetype i = 1; i < order.size(); ++i) {
        const auto* above = m_dialog->findChild<QWidget*>(order[i - 1]);
        const auto* below = m_dialog->findChild<QWidget*>(order[i]);
        QVERIFY(above && below);
        QVERIFY2(above->y() < below->y(), qPrintable(order[i]));
    }
}

void TestForm2::linkIsDrawnBlue()
{
    QVERIFY(showDialog());
    auto* link = child<QLabel>("Label13_7");
    QVERIFY(link);
    const QImage image = link->grab().toImage();
    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            blue += image.pixelColor(x, y) == QColor(0, 0, 255) ? 1 : 0;
    // The underline alone is one solid row across the text.
    QVERIFY2(blue >= link->width() / 2, qPrintable(QString::number(blue)));
}

void TestForm2::rule()
{
    QVERIFY(showDialog());
    const auto* frame = child<QFrame>("Frame1");
    QVERIFY(frame);
    QCOMPARE(QLatin1String(frame->metaObject()->className()), QLatin1String("QFrame"));
    QCOMPARE(frame->geometry(), QRect(12, 128, 301, 5));
    QCOMPARE(frame->frameShape(), QFrame::HLine);
    QCOMPARE(frame->frameShadow(), QFrame::Sunken);
    QVERIFY(frame->findChildren<QWidget*>().isEmpty());
}

void TestForm2::button()
{
    QVERIFY(showDialog());
    const auto* button = child<QPushButton>("Command1");
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    QCOMPARE(button->geometry(), QRect(176, 304, 65, 25));
    QCOMPARE(button->font(), QApplication::font(button));
    QCOMPARE(m_dialog->findChildren<QPushButton*>().size(), 1);
}

void TestForm2::onlyTheButtonTakesFocus()
{
    QStringList focusable;
    for (const QWidget* widget : m_dialog->findChildren<QWidget*>())
        if (widget->focusPolicy() != Qt::NoFocus)
            focusable.append(widget->objectName());
    QCOMPARE(focusable, QStringList { QStringLiteral("Command1") });

    QVERIFY(showDialog());
    m_dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    auto* button = child<QPushButton>("Command1");
    QCOMPARE(QApplication::focusWidget(), button);
    QTest::keyClick(button, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), button);
    QTest::keyClick(button, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), button);
}

void TestForm2::closes_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("pressesButton");
    QTest::newRow("button") << QStringLiteral("button") << true;
    QTest::newRow("Esc") << QStringLiteral("escape") << true;
    QTest::newRow("close box") << QStringLiteral("close") << false;
}

void TestForm2::closes()
{
    QFETCH(QString, how);
    QFETCH(bool, pressesButton);
    QVERIFY(showDialog());
    auto* button = child<QPushButton>("Command1");
    QSignalSpy pressed(button, &QPushButton::clicked);
    QSignalSpy finished(m_dialog.get(), &QDialog::finished);

    if (how == QLatin1String("button"))
        QTest::mouseClick(button, Qt::LeftButton);
    else if (how == QLatin1String("escape"))
        QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    else
        QVERIFY(m_dialog->close());

    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(finished.size(), 1);
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(pressed.size(), pressesButton ? 1 : 0);
    QVERIFY(m_opened.isEmpty());
}

void TestForm2::execReturnsWhenEscapeIsPressed()
{
    // As the owner uses it: a fresh dialog, shown modally, closed by Esc.
    bool timedOut = false;
    QTimer::singleShot(0, m_dialog.get(), [this] { QTest::keyClick(m_dialog.get(), Qt::Key_Escape); });
    QTimer::singleShot(5000, m_dialog.get(), [this, &timedOut] {
        timedOut = true;
        m_dialog->done(QDialog::Accepted);
    });
    QCOMPARE(m_dialog->exec(), int(QDialog::Rejected));
    QVERIFY(!timedOut);
    QVERIFY(!m_dialog->isVisible());
}

void TestForm2::linkClickOpensTheAddress()
{
    QVERIFY(showDialog());
    auto* link = child<QLabel>("Label13_7");
    QVERIFY(link);
    QSignalSpy finished(m_dialog.get(), &QDialog::finished);

    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(m_opened, QList<QUrl> { QUrl(makerinfo::webAddress) });
    QVERIFY(m_dialog->isVisible());

    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, link->height() / 2));
    QCOMPARE(m_opened, (QList<QUrl> { QUrl(makerinfo::webAddress), QUrl(makerinfo::webAddress) }));
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(finished.size(), 0);
}

void TestForm2::otherClicksDoNothing_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<Qt::MouseButton>("button");
    for (const char* name : { "Label3", "Label1", "Label4", "Label11", "Label12", "Frame1" })
        QTest::newRow(name) << QString::fromLatin1(name) << Qt::LeftButton;
    QTest::newRow("dialog background") << QStringLiteral("Form2") << Qt::LeftButton;
    QTest::newRow("link, right button") << QStringLiteral("Label13_7") << Qt::RightButton;
}

void TestForm2::otherClicksDoNothing()
{
    QFETCH(QString, target);
    QFETCH(Qt::MouseButton, button);
    QVERIFY(showDialog());
    const QStringList before = snapshot(*m_dialog);
    QSignalSpy finished(m_dialog.get(), &QDialog::finished);

    QWidget* widget = target == QLatin1String("Form2") ? m_dialog.get() : m_dialog->findChild<QWidget*>(target);
    QVERIFY(widget);
    const QPoint where = widget == m_dialog.get() ? QPoint(10, 250) : widget->rect().center();
    // The click lands on the target itself, not on something above it.
    QCOMPARE(m_dialog->childAt(widget->mapTo(m_dialog.get(), where)), widget == m_dialog.get() ? nullptr : widget);
    QTest::mouseClick(widget, button, {}, where);
    QTest::mouseDClick(widget, button, {}, where);

    QVERIFY(m_opened.isEmpty());
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(finished.size(), 0);
    QCOMPARE(snapshot(*m_dialog), before);
}

void TestForm2::secondOpeningShowsTheSameContent()
{
    QVERIFY(showDialog());
    const QStringList first = snapshot(*m_dialog);
    QVERIFY(first.size() >= 9); // the dialog and its eight controls
    QTest::mouseClick(child<QLabel>("Label13_7"), Qt::LeftButton);
    QTest::keyClick(m_dialog.get(), Qt::Key_Tab);
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    QVERIFY(!m_dialog->isVisible());
    m_dialog.reset();

    m_dialog = std::make_unique<Form2>(DesignFonts(), m_owner.get());
    QVERIFY(showDialog());
    QCOMPARE(snapshot(*m_dialog), first);
}

void TestForm2::centredOnTheScreenAtEachShowing()
{
    const QRect screen = m_owner->screen()->geometry();
    const auto centred = [&] {
        const QPoint offset = m_dialog->frameGeometry().center() - screen.center();
        return std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1;
    };
    QVERIFY(showDialog());
    QVERIFY2(centred(), qPrintable(QStringLiteral("%1,%2").arg(m_dialog->x()).arg(m_dialog->y())));

    m_dialog->hide();
    m_dialog->move(5, 5);
    QVERIFY(showDialog());
    QVERIFY(centred());
}

ROSTARI_TEST_MAIN(TestForm2)
#include "tst_form2.moc"
