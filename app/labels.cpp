#include "labels.h"

#include "designfont.h"

#include <algorithm>

ValueLabel::ValueLabel(
    const QString& objectName, const QString& placeholder, qreal points, const QString& description, QWidget* parent)
    : QLabel(placeholder, parent)
    , m_caption(placeholder)
    , m_description(description)
{
    setObjectName(objectName);
    setFont(designFont(points));
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    updateHints();
}

void ValueLabel::setCaption(const QString& text)
{
    // Written even when equal: every write shows the value afresh.
    const bool differs = text != m_caption;
    m_caption = text;
    setText(text);
    updateHints();
    if (differs)
        emit changed();
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
    setToolTip(about);
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
    // The box was made for the original font's metrics; where ours needs another line,
    // let the label grow downwards rather than cut the caption off.
    setGeometry(QRect(box.topLeft(), QSize(box.width(), std::max(box.height(), heightForWidth(box.width())))));
}
