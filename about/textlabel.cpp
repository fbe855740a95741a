#include "textlabel.h"

#include <QPainter>
#include <QStyle>

#include <algorithm>

void TextLabel::setTextShift(int pixels)
{
    m_shift = pixels;
    // QLabel lowers its text by a top margin itself; it has no negative one.
    setContentsMargins(0, std::max(pixels, 0), 0, 0);
    adjustSize();
    update();
}

void TextLabel::paintEvent(QPaintEvent* event)
{
    if (m_shift >= 0) {
        QLabel::paintEvent(event);
        return;
    }
    // As QLabel draws plain text, in a box that starts higher (it clips the text to the box).
    QPainter painter(this);
    const int flags = int(QStyle::visualAlignment(layoutDirection(), alignment()))
        | (layoutDirection() == Qt::LeftToRight ? Qt::TextForceLeftToRight : Qt::TextForceRightToLeft);
    style()->drawItemText(
        &painter, contentsRect().adjusted(0, m_shift, 0, 0), flags, palette(), isEnabled(), text(), foregroundRole());
}
