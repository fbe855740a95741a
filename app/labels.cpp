#include "labels.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

// Does the toolkit's word wrap at this width start every line after a blank? Between ideographs
// it may break anywhere, which with whole-pixel advances can split a word such as "兼用".
bool breaksAtBlanksOnly(const QString& text, const QFont& font, int width)
{
    QTextLayout layout(text, font);
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(wrap);
    layout.beginLayout();
    bool blanksOnly = true;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        const int start = line.textStart();
        blanksOnly = blanksOnly && (start == 0 || text.at(start - 1) == QLatin1Char(' '));
    }
    layout.endLayout();
    return blanksOnly;
}

} // namespace

ValueFont::ValueFont(const QFont& font)
    : font(font)
{
    const QFontMetricsF metrics(font);
    for (std::size_t i = 0; i < digitAdvances.size(); ++i)
        digitAdvances[i] = metrics.horizontalAdvance(ValueLabel::kDigits.at(qsizetype(i)));
    height = metrics.height();
}

ValueLabel::ValueLabel(const QString& objectName, const QString& placeholder, const ValueFont& font,
    const QString& description, QWidget* parent)
    : QLabel(placeholder, parent)
    , m_caption(placeholder)
    , m_description(description)
    , m_design(font)
    , m_copyValue(new QAction(QStringLiteral("値をコピー"), this))
{
    setObjectName(objectName);
    setFont(m_design.font);
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);

    m_copyValue->setEnabled(false);
    connect(m_copyValue, &QAction::triggered, this, [this] { QGuiApplication::clipboard()->setText(m_caption); });
    addAction(m_copyValue);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    updateHints();
}

void ValueLabel::setCaption(const QString& text)
{
    // Written even when equal: every write shows the value afresh.
    const bool differs = text != m_caption;
    m_caption = text;
    m_hasValue = true;
    m_copyValue->setEnabled(!text.isEmpty());
    fit();
    if (differs)
        emit changed();
}

void ValueLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    fit();
}

bool ValueLabel::fits(const QString& text, const QFont& font, qreal clearance) const
{
    // Glyphs stay within their advances, so a text as wide as the frame's inside, less the
    // clearance on either side, shows whole.
    const QFontMetricsF metrics(font);
    const QRectF inside = contentsRect();
    return metrics.horizontalAdvance(text) <= inside.width() - 2 * clearance && metrics.height() <= inside.height();
}

bool ValueLabel::fitsAsDesigned(const QString& text) const
{
    // Values are mostly made of these characters, whose advances simply add up (they are not
    // kerned): measured once, not for every value.
    qreal advance = 0;
    for (const QChar c : text) {
        const qsizetype i = kDigits.indexOf(c);
        if (i < 0)
            return fits(text, m_design.font, 0);
        advance += m_design.digitAdvances[std::size_t(i)];
    }
    return advance <= contentsRect().width() && m_design.height <= contentsRect().height();
}

void ValueLabel::fit()
{
    // At the design size the text may use the whole inside of the frame; a smaller size is
    // chosen with a pixel to spare, so that a reduced value never touches the frame.
    QString shown = m_caption;
    QFont font = m_design.font;
    if (!fitsAsDesigned(shown)) {
        qreal points = m_design.font.pointSizeF() - kPointStep;
        for (; points >= kSmallestPoints; points -= kPointStep) {
            font.setPointSizeF(points);
            if (fits(shown, font, 1))
                break;
        }
        if (points < kSmallestPoints) {
            // Not readable any smaller: as spreadsheets do, rather than a cut-off number.
            shown = kTooWide;
            font = m_design.font;
        }
    }
    if (font != this->font())
        setFont(font);
    setText(shown);
    m_reduced = shown != m_caption || font != m_design.font;
    updateHints();
}

void ValueLabel::setSourceNote(const QString& note)
{
    if (note == m_sourceNote)
        return;
    m_sourceNote = note;
    updateHints();
}

void ValueLabel::updateHints()
{
    QString about = m_description;
    if (!m_sourceNote.isEmpty())
        about += QLatin1Char('\n') + m_sourceNote;
    setAccessibleName(m_caption);
    setAccessibleDescription(about);
    // Shown smaller or as "###", the value itself comes first.
    setToolTip(m_reduced ? m_caption + QLatin1Char('\n') + about : about);
}

CaptionLabel::CaptionLabel(
    const QString& objectName, const QString& text, const QFont& font, Sizing sizing, QWidget* parent)
    : QLabel(text, parent)
    , m_sizing(sizing)
{
    setObjectName(objectName);
    setFont(font);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(sizing == Sizing::WrapInBox);
    setAutoFillBackground(false);
}

void CaptionLabel::place(const QRect& box)
{
    if (m_sizing == Sizing::FitText) {
        setGeometry(QRect(box.topLeft(), sizeHint()));
        return;
    }
    // The box was made for the original font's metrics. Where ours needs a few pixels more for
    // a word ("（小形丸）"), the box widens rather than break the word inside; where it needs
    // another line, it grows downwards rather than cut the caption off.
    // Where a line would end inside a word, a pixel or two narrower (never below the widest word)
    // or else wider moves the break to a blank.
    const QFontMetricsF metrics(font());
    int widestWord = 0;
    for (const QString& word : text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        widestWord = std::max(widestWord, int(std::ceil(metrics.horizontalAdvance(word))));
    const int designed = std::max(box.width(), widestWord);
    int width = designed;
    for (int narrower = designed - 1; !breaksAtBlanksOnly(text(), font(), width) && narrower >= widestWord; --narrower)
        width = narrower;
    for (int wider = designed + 1; !breaksAtBlanksOnly(text(), font(), width) && wider <= 2 * designed; ++wider)
        width = wider;
    setGeometry(QRect(box.topLeft(), QSize(width, std::max(box.height(), heightForWidth(width)))));
}
