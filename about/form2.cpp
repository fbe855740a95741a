#include "form2.h"

#include "clicklabel.h"
#include "designfont.h"
#include "designunits.h"
#include "makerinfo.h"
#include "openurl.h"
#include "textlabel.h"
#include "textstack.h"

#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

QFont labelFont(const DesignFonts& fonts, qreal points, bool underline = false)
{
    QFont font = fonts.design(points);
    font.setUnderline(underline);
    return font;
}

// A transparent plain-text label; auto-sized to its text with its top-left at the place.
TextLabel* placeLabel(
    TextLabel* label, const char* name, const QString& text, int leftTwips, int topTwips, const QFont& font)
{
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(false);
    label->setFont(font);
    label->setText(text);
    label->move(twipsToPixels(leftTwips), twipsToPixels(topTwips));
    label->adjustSize();
    return label;
}

QMargins frameMargins(const QWidget& window)
{
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    return { inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
        outer.bottom() - inner.bottom() };
}

} // namespace

Form2::Form2(const DesignFonts& fonts, QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("information"));
    setFixedSize(twipsToPixels(4815), twipsToPixels(5160));

    TextLabel* label3 = placeLabel(
        new TextLabel(this), "Label3", QStringLiteral("ロスタリシリーズ"), 1260, 240, labelFont(fonts, 12));
    TextLabel* label1 = placeLabel(new TextLabel(this), "Label1", QStringLiteral("六角穴付ボルト JIS B 1176(1988)"),
        540, 600, labelFont(fonts, 12));
    label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label1->setFixedSize(twipsToPixels(3720), twipsToPixels(240));
    TextLabel* label4
        = placeLabel(new TextLabel(this), "Label4", QStringLiteral("Vre 4.20"), 1980, 900, labelFont(fonts, 12));
    TextLabel* label11
        = placeLabel(new TextLabel(this), "Label11", makerinfo::copyrightLine, 480, 1200, labelFont(fonts, 11.25));
    TextLabel* label12 = placeLabel(new TextLabel(this), "Label12",
        QStringLiteral("E-mail  ") + makerinfo::emailAddress, 900, 1440, labelFont(fonts, 9.75));

    auto* link = new ClickLabel(this);
    QPalette linkPalette = link->palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    link->setPalette(linkPalette);
    link->setCursor(Qt::ArrowCursor);
    m_label13_7 = placeLabel(link, "Label13_7", makerinfo::webAddress, 900, 1620, labelFont(fonts, 9.75, true));
    connect(link, &ClickLabel::clicked, this, &Form2::Label13_Click);
    // The boxes are the design font's; a substitute draws lower or higher in them.
    separateStackedTexts({ label3, label1, label4, label11, label12, link });

    auto* frame1 = new QFrame(this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setFrameShape(QFrame::HLine);
    frame1->setFrameShadow(QFrame::Sunken);
    frame1->setGeometry(twipsRect(180, 1920, 4515, 75));

    m_command1 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setGeometry(twipsRect(2640, 4560, 975, 375));
    m_command1->setFocus();
    connect(m_command1, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        centreOnScreen();
}

void Form2::keyPressEvent(QKeyEvent* event)
{
    // Esc presses the cancel button rather than rejecting behind its back.
    if (event->matches(QKeySequence::Cancel)) {
        m_command1->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Form2::Command1_Click()
{
    reject();
}

void Form2::Label13_Click()
{
    // A failure is silent: nothing is reported and the dialog stays as it was.
    openWebAddress(m_label13_7->text());
}

void Form2::centreOnScreen()
{
    QScreen* target = parentWidget() ? parentWidget()->screen() : screen();
    if (!target)
        return;
    // Before its first mapping the frame is unknown; the owner's frame is a fair guess.
    QMargins frame = frameMargins(*this);
    if (frame.isNull() && parentWidget() && parentWidget()->window()->isVisible())
        frame = frameMargins(*parentWidget()->window());
    const QRect outer
        = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size().grownBy(frame), target->geometry());
    // The client's own place: how a move() of the frame is read before mapping varies.
    setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), size()));
}
