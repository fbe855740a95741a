#include "data1.h"

#include "designfont.h"
#include "recordsource.h"

#include <QLabel>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

constexpr int kButtonWidth = 18;

} // namespace

DataControl::DataControl(quill::RecordSource* source, const DesignFonts& fonts, QWidget* parent)
    : QWidget(parent)
    , m_source(source)
{
    setObjectName(QStringLiteral("Data1"));
    setAutoFillBackground(true);

    using Direction = NavigationButton::Direction;
    auto* first = new NavigationButton(Direction::First, this);
    auto* previous = new NavigationButton(Direction::Previous, this);
    auto* next = new NavigationButton(Direction::Next, this);
    auto* last = new NavigationButton(Direction::Last, this);
    m_caption = new QLabel(QStringLiteral("　六角穴付ボルト"), this);
    m_caption->setObjectName(QStringLiteral("Data1_Caption"));
    m_caption->setFont(fonts.design(9.75));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    const int w = 193;
    const int h = 25;
    first->setGeometry(0, 0, kButtonWidth, h);
    previous->setGeometry(kButtonWidth, 0, kButtonWidth, h);
    m_caption->setGeometry(2 * kButtonWidth, 0, w - 4 * kButtonWidth, h);
    next->setGeometry(w - 2 * kButtonWidth, 0, kButtonWidth, h);
    last->setGeometry(w - kButtonWidth, 0, kButtonWidth, h);

    connect(first, &QAbstractButton::clicked, source, &quill::RecordSource::moveFirst);
    connect(previous, &QAbstractButton::clicked, source, &quill::RecordSource::movePrevious);
    connect(next, &QAbstractButton::clicked, source, &quill::RecordSource::moveNext);
    connect(last, &QAbstractButton::clicked, source, &quill::RecordSource::moveLast);
}

NavigationButton::NavigationButton(Direction direction, QWidget* parent)
    : QAbstractButton(parent)
    , m_direction(direction)
{
    static constexpr const char* kNames[]
        = { "Data1_MoveFirst", "Data1_MovePrevious", "Data1_MoveNext", "Data1_MoveLast" };
    static constexpr const char* kSpoken[] = { "先頭のレコード", "前のレコード", "次のレコード", "最後のレコード" };
    static constexpr const char* kTips[] = { "先頭のレコードへ (Alt+Home)", "前のレコードへ (Alt+←)",
        "次のレコードへ (Alt+→)", "最後のレコードへ (Alt+End)" };
    const auto i = static_cast<int>(direction);
    setObjectName(QLatin1String(kNames[i]));
    setAccessibleName(QString::fromUtf8(kSpoken[i]));
    setToolTip(QString::fromUtf8(kTips[i]));
    setFocusPolicy(Qt::NoFocus);
    // Held down, a step button keeps stepping.
    setAutoRepeat(true);
}

void NavigationButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    // A solid triangle pointing the way, with a bar for first and last.
    const bool left = m_direction == Direction::First || m_direction == Direction::Previous;
    const bool bar = m_direction == Direction::First || m_direction == Direction::Last;
    const QPoint c = rect().center() + (isDown() ? QPoint(1, 1) : QPoint());
    const int half = 4;
    const int tipX = left ? c.x() - 2 : c.x() + 2;
    const int baseX = left ? c.x() + 2 : c.x() - 2;
    const QPolygon triangle({ QPoint(tipX, c.y()), QPoint(baseX, c.y() - half), QPoint(baseX, c.y() + half) });
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? palette().color(QPalette::ButtonText) : palette().color(QPalette::Mid));
    painter.drawPolygon(triangle);
    if (bar) {
        const int barX = left ? tipX - 2 : tipX + 1;
        painter.drawRect(barX, c.y() - half, 1, 2 * half + 1);
    }
}
