#include "textstack.h"

#include "textlabel.h"

#include <QImage>

#include <cmath>
#include <functional>

namespace {

constexpr int kMaxLowering = 2;

// The rows a label's text inks, from the label's top, in whole logical pixels rounded outwards
// from the device pixels it is drawn in; empty (top > bottom) for a label that draws nothing.
struct InkRows {
    int top = 0;
    int bottom = -1;
};

InkRows inkRows(const QLabel& label)
{
    // Drawn as the label draws it, at its pixel ratio, on a copy tall enough that nothing is
    // cut off at the bottom, without anything behind it.
    QLabel copy(label.text());
    copy.setTextFormat(label.textFormat());
    copy.setFont(label.font());
    copy.setAlignment((label.alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
    copy.resize(label.width(), 2 * label.fontMetrics().height());
    const qreal ratio = label.devicePixelRatioF();
    QImage image(copy.size() * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    copy.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) != 0) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
    }
    if (first < 0)
        return {};
    return { int(std::floor(first / ratio)), int(std::ceil((last + 1) / ratio)) - 1 };
}

} // namespace

void separateStackedTexts(const QList<TextLabel*>& stack)
{
    struct Text {
        int boxTop; // the label's top, the design's place
        int boxBottom; // the label's last row, which a fixed-size label cuts its text at
        InkRows ink; // as the label draws it today, from its top
        int shift = 0; // how far the text moves, down positive
        int top() const { return boxTop + ink.top + shift; }
        int bottom() const { return boxTop + ink.bottom + shift; }
    };
    QList<TextLabel*> labels;
    QList<Text> texts;
    for (TextLabel* label : stack) {
        label->setTextShift(0);
        label->setAlignment((label->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
        const InkRows ink = inkRows(*label);
        if (ink.top > ink.bottom)
            continue; // nothing drawn, nothing to part
        labels.append(label);
        texts.append({ label->y(), label->y() + label->height() - 1, ink });
    }
    // Raises text k by a pixel if it stays in its box, pushing up the ones above it as needed.
    const std::function<bool(qsizetype)> raise = [&](qsizetype k) {
        Text& text = texts[k];
        if (text.top() - 1 < text.boxTop)
            return false;
        if (k > 0 && text.top() - 1 < texts[k - 1].bottom() + 2 && !raise(k - 1))
            return false;
        --text.shift;
        return true;
    };
    for (qsizetype i = 0; i < texts.size(); ++i) {
        // A text that a fixed-size label would cut off rises into it as far as it can.
        while (texts[i].bottom() > texts[i].boxBottom && raise(i)) { }
        while (i > 0 && texts[i].top() < texts[i - 1].bottom() + 2 && texts[i].shift < kMaxLowering) {
            if (!raise(i - 1))
                ++texts[i].shift;
        }
    }
    for (qsizetype i = 0; i < texts.size(); ++i)
        labels[i]->setTextShift(texts[i].shift);
}
