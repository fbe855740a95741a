#include "data1.h"

#include "designfont.h"
#include "labels.h"

#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <cstdio>

namespace {

constexpr int kButtonWidth = 18;

} // namespace

DataControl::DataControl(QWidget* parent)
    : QWidget(parent)
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
    m_caption->setFont(designFont(9.75));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    const int w = 193;
    const int h = 25;
    first->setGeometry(0, 0, kButtonWidth, h);
    previous->setGeometry(kButtonWidth, 0, kButtonWidth, h);
    m_caption->setGeometry(2 * kButtonWidth, 0, w - 4 * kButtonWidth, h);
    next->setGeometry(w - 2 * kButtonWidth, 0, kButtonWidth, h);
    last->setGeometry(w - kButtonWidth, 0, kButtonWidth, h);

    auto move = [this](bool (quill::SizeRecords::*step)()) {
        if ((m_records.*step)())
            showRecord();
    };
    connect(first, &QAbstractButton::clicked, this, [=] { move(&quill::SizeRecords::moveFirst); });
    connect(previous, &QAbstractButton::clicked, this, [=] { move(&quill::SizeRecords::movePrevious); });
    connect(next, &QAbstractButton::clicked, this, [=] { move(&quill::SizeRecords::moveNext); });
    connect(last, &QAbstractButton::clicked, this, [=] { move(&quill::SizeRecords::moveLast); });

    connect(&m_loader, &quill::RecordLoader::loaded, this, &DataControl::onLoaded);
    connect(&m_loader, &quill::RecordLoader::failed, this, &DataControl::onFailed);
}

void DataControl::bind(ValueLabel* label, const QString& field)
{
    m_bindings.append({ label, field });
}

void DataControl::open()
{
    m_loader.start(m_databaseName);
}

void DataControl::onLoaded(const quill::SizeTable& table)
{
    m_records.setTable(table);
    QStringList missing;
    for (const auto& binding : std::as_const(m_bindings))
        if (!m_records.hasField(binding.field) && !missing.contains(binding.field))
            missing.append(binding.field);
    if (!missing.isEmpty())
        std::fprintf(stderr, "rostari-bolt: %s: フィールドがありません: %s\n", qUtf8Printable(m_databaseName),
            qUtf8Printable(missing.join(QStringLiteral(", "))));
    if (m_records.count() == 0)
        std::fprintf(stderr, "rostari-bolt: %s: レコードがありません\n", qUtf8Printable(m_databaseName));
    showRecord();
    emit opened(true);
}

void DataControl::onFailed(const QString& path, const QString& reason)
{
    const QString message = quill::RecordLoader::failureMessage(path, reason);
    std::fprintf(stderr, "rostari-bolt: %s\n", qUtf8Printable(message));
    // Window-modal and non-blocking: the main window stays as it is, with its placeholders.
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("ロスタリ"), message, QMessageBox::Ok, window());
    box->setObjectName(QStringLiteral("Data1_Error"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    emit opened(false);
}

void DataControl::showRecord()
{
    if (m_records.currentIndex() < 0)
        return; // no record: the labels keep their placeholders
    for (const auto& binding : std::as_const(m_bindings)) {
        if (!binding.label)
            continue;
        binding.label->setCaption(m_records.value(binding.field));
        binding.label->setSourceNote(m_records.sourceNote(binding.field));
    }
}

NavigationButton::NavigationButton(Direction direction, QWidget* parent)
    : QAbstractButton(parent)
    , m_direction(direction)
{
    static constexpr const char* kNames[]
        = { "Data1_MoveFirst", "Data1_MovePrevious", "Data1_MoveNext", "Data1_MoveLast" };
    static constexpr const char* kSpoken[] = { "先頭のレコード", "前のレコード", "次のレコード", "最後のレコード" };
    setObjectName(QLatin1String(kNames[static_cast<int>(direction)]));
    setAccessibleName(QString::fromUtf8(kSpoken[static_cast<int>(direction)]));
    setFocusPolicy(Qt::NoFocus);
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
