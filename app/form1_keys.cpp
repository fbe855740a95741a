// What a designer does from the keyboard and the clipboard: step through the sizes with
// Alt and the arrow keys, and copy the size shown.

#include "form1.h"
#include "labels.h"
#include "lengthlist.h"
#include "recordsource.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

namespace {

// What is copied, in this order: designation, pitch, the 24 dimensions, the chosen length
// and its three lengths, each with its symbol and Japanese name.
struct CopiedLine {
    const char* widget;
    const char* symbol;
    const char* name;
};
constexpr CopiedLine kCopied[] = {
    { "Label1", "M", "ねじの呼び" },
    { "Label2_0", "p", "ピッチ" },
    { "Label4", "s", "六角穴の二面幅" },
    { "Label5", "e", "六角穴の対角距離" },
    { "Label6", "dk", "頭部径" },
    { "Label7", "v", "頭部上面の角" },
    { "Label8", "t", "六角穴の深さ" },
    { "Label9", "w", "六角穴の底から座面までの肉厚" },
    { "Label10", "da", "首下の丸み部の径" },
    { "Label11", "ds", "円筒部の径" },
    { "Label12", "k", "頭部の高さ" },
    { "Label16_0", "D", "座ぐり径" },
    { "Label20", "H''", "座ぐり深さ（頭部を沈める）" },
    { "Label21", "H'", "座ぐり深さ（頭部が出る）" },
    { "Label19", "d'", "ボルト穴径" },
    { "Label22", "D1", "座ぐり径（ばね座金）" },
    { "Label23", "h1", "座ぐり深さ（ばね座金）" },
    { "Label24", "t1", "座金の厚さ（ばね座金）" },
    { "Label25", "D2", "座ぐり径（平座金 並丸）" },
    { "Label26", "h2", "座ぐり深さ（平座金 並丸）" },
    { "Label27", "t2", "座金の厚さ（平座金 並丸）" },
    { "Label32", "h3", "座ぐり深さ（ばね座金・平座金兼用）" },
    { "Label33", "t3", "座金の厚さ（ばね座金・平座金兼用）" },
    { "Label28", "D3", "座ぐり径（平座金 小形丸）" },
    { "Label29", "h4", "座ぐり深さ（平座金 小形丸）" },
    { "Label30", "t4", "座金の厚さ（平座金 小形丸）" },
    { "Combo1", "l", "呼び長さ" },
    { "Label13", "ls", "円筒部の長さ" },
    { "Label14", "lg", "グリップ長さ" },
    { "Label15", "b", "ねじ部長さ" },
};

} // namespace

void Form1::buildKeys()
{
    // Sizes from anywhere in the window, the length list included: the bar's own moves.
    struct Move {
        const char* name;
        QKeyCombination key;
        void (RecordSource::*step)();
    };
    const Move moves[] = {
        { "MoveFirst", Qt::ALT | Qt::Key_Home, &RecordSource::moveFirst },
        { "MovePrevious", Qt::ALT | Qt::Key_Left, &RecordSource::movePrevious },
        { "MoveNext", Qt::ALT | Qt::Key_Right, &RecordSource::moveNext },
        { "MoveLast", Qt::ALT | Qt::Key_End, &RecordSource::moveLast },
    };
    for (const Move& move : moves) {
        auto* action = new QAction(this);
        action->setObjectName(QLatin1String(move.name));
        action->setShortcut(QKeySequence(move.key));
        connect(action, &QAction::triggered, m_records, move.step);
        addAction(action);
    }

    // Copy the size shown: Ctrl+C, or the window's context menu; a value label's own menu
    // also copies its value alone. Nothing to copy before a record is shown.
    m_copy = new QAction(QStringLiteral("コピー"), this);
    m_copy->setObjectName(QStringLiteral("Copy"));
    m_copy->setShortcut(QKeySequence::Copy);
    m_copy->setEnabled(false);
    connect(m_copy, &QAction::triggered, this, &Form1::copyShownSize);
    connect(m_records, &RecordSource::currentChanged, m_copy, [this] { m_copy->setEnabled(true); });
    addAction(m_copy);
    centralWidget()->addAction(m_copy);
    centralWidget()->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (ValueLabel* label : findChildren<ValueLabel*>())
        label->addAction(m_copy);
}

QString Form1::shownSizeText() const
{
    if (!m_records->hasRecord())
        return {};
    QString text;
    for (const CopiedLine& line : kCopied) {
        QString value;
        if (const auto* label = findChild<ValueLabel*>(QLatin1String(line.widget)))
            value = label->hasValue() ? label->caption() : QString(); // a placeholder is no value
        else
            value = m_combo1->currentText().trimmed();
        text += QString::fromUtf8(line.symbol) + QLatin1Char('\t') + QString::fromUtf8(line.name) + QLatin1Char('\t')
            + value + QLatin1Char('\n');
    }
    return text;
}

void Form1::copyShownSize()
{
    const QString text = shownSizeText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}
