#include "lengthlist.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>

namespace {

// Some styles (Fusion among them) open a non-editable combo box as a menu as tall as all its
// entries; this list of 33 is to drop down as a list of a few with a scroll bar.
class DropDownListStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(
        StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

bool isDigit(const QKeyEvent* event)
{
    const QString text = event->text();
    return text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9')
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

LengthList::LengthList(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(false);
    auto* style = new DropDownListStyle();
    style->setParent(this);
    setStyle(style);
    setMaxVisibleItems(10);
    view()->installEventFilter(this);
}

int LengthList::match(const QString& digit)
{
    if (!m_sinceTyped.isValid() || m_sinceTyped.elapsed() > QApplication::keyboardInputInterval())
        m_typed.clear();
    m_sinceTyped.start();
    // The typed number, or failing that a new search from this digit.
    for (const QString& typed : { QString(m_typed + digit), digit }) {
        for (int i = 0; i < count(); ++i) {
            if (itemText(i).trimmed().startsWith(typed)) {
                m_typed = typed;
                return i;
            }
        }
    }
    m_typed.clear();
    return -1;
}

void LengthList::keyPressEvent(QKeyEvent* event)
{
    // Escape with the list closed belongs to the window (its cancel button).
    if (event->key() == Qt::Key_Escape && !view()->isVisible()) {
        event->ignore();
        return;
    }
    if (isDigit(event)) {
        const int found = match(event->text());
        if (found >= 0)
            setCurrentIndex(found); // a choice: the window runs its dispatch
        return;
    }
    QComboBox::keyPressEvent(event);
}

bool LengthList::eventFilter(QObject* watched, QEvent* event)
{
    // In the open list typing moves the highlight; Enter or a click chooses.
    if (watched == view() && event->type() == QEvent::KeyPress && isDigit(static_cast<QKeyEvent*>(event))) {
        const int found = match(static_cast<QKeyEvent*>(event)->text());
        if (found >= 0)
            view()->setCurrentIndex(model()->index(found, modelColumn(), rootModelIndex()));
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}
