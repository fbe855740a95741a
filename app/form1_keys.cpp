// What a designer does from the keyboard and the clipboard: step through the sizes with
// Alt and the arrow keys, through the pages with Ctrl+Tab or Ctrl+PageDown, and copy the
// size shown.

#include "form1.h"
#include "labels.h"
#include "lengthlist.h"
#include "recordsource.h"
#include "shownsize.h"
#include "tabcontrol.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

void Form1::buildKeys()
{
    // Sizes from anywhere in the window, the length list included: the bar's own moves.
    struct Move {
        const char* name;
        QKeyCombination key;
        void (quill::RecordSource::*step)();
    };
    const Move moves[] = {
        { "MoveFirst", Qt::ALT | Qt::Key_Home, &quill::RecordSource::moveFirst },
        { "MovePrevious", Qt::ALT | Qt::Key_Left, &quill::RecordSource::movePrevious },
        { "MoveNext", Qt::ALT | Qt::Key_Right, &quill::RecordSource::moveNext },
        { "MoveLast", Qt::ALT | Qt::Key_End, &quill::RecordSource::moveLast },
    };
    for (const Move& move : moves) {
        auto* action = new QAction(this);
        action->setObjectName(QLatin1String(move.name));
        action->setShortcut(QKeySequence(move.key));
        connect(action, &QAction::triggered, m_records, move.step);
        addAction(action);
    }

    // Pages from anywhere in the window, wrapping round as in any tabbed window; the tab control
    // reports the change as a click does, so the status text follows. As window shortcuts they
    // come before the focused control's own keys unless it claims them, as the open length list
    // does. The closed list would take Ctrl+PageDown as PageDown, which it keeps for itself:
    // the page keys win there, since focus starts in the list and nothing is lost.
    struct PageStep {
        const char* name;
        QList<QKeySequence> keys;
        int step;
    };
    const PageStep pageSteps[] = {
        { "NextPage", { Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageDown }, 1 },
        // Shift+Tab comes as Backtab from the keyboard.
        { "PreviousPage",
            { Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageUp },
            -1 },
    };
    for (const PageStep& pageStep : pageSteps) {
        auto* action = new QAction(this);
        action->setObjectName(QLatin1String(pageStep.name));
        action->setShortcuts(pageStep.keys);
        connect(action, &QAction::triggered, this, [this, step = pageStep.step] {
            const int pages = m_sstab1->count();
            m_sstab1->setCurrentIndex((m_sstab1->currentIndex() + step + pages) % pages);
        });
        addAction(action);
    }

    // Copy the size shown: Ctrl+C, or the window's context menu; a value label's own menu
    // also copies its value alone. Nothing to copy before a record is shown.
    m_copy = new QAction(QStringLiteral("コピー"), this);
    m_copy->setObjectName(QStringLiteral("Copy"));
    m_copy->setShortcut(QKeySequence::Copy);
    m_copy->setEnabled(false);
    connect(m_copy, &QAction::triggered, this, &Form1::copyShownSize);
    connect(m_records, &quill::RecordSource::currentChanged, m_copy, [this] { m_copy->setEnabled(true); });
    addAction(m_copy);
    centralWidget()->addAction(m_copy);
    centralWidget()->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (ValueLabel* label : findChildren<ValueLabel*>())
        label->addAction(m_copy);
}

quill::ShownSize Form1::shownSize() const
{
    return { m_records->records(), m_combo1->currentText(), m_lengths };
}

QString Form1::shownSizeText() const
{
    return quill::copyText(shownSize());
}

void Form1::copyShownSize()
{
    const QString text = shownSizeText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}
