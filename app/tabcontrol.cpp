#include "tabcontrol.h"

#include "designfont.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace {

class EqualTabBar : public QTabBar {
public:
    explicit EqualTabBar(QWidget* parent)
        : QTabBar(parent)
    {
        setExpanding(false);
        setUsesScrollButtons(false);
        setElideMode(Qt::ElideNone);
        setDrawBase(false);
    }

protected:
    QSize tabSizeHint(int) const override
    {
        return { count() > 0 ? width() / count() : width(), TabControl::kTabHeight };
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
};

} // namespace

TabControl::TabControl(const QString& objectName, const DesignFonts& fonts, QWidget* parent)
    : QWidget(parent)
    , m_tabBar(new EqualTabBar(this))
{
    setObjectName(objectName);
    m_tabBar->setObjectName(objectName + QStringLiteral("_Tabs"));
    m_tabBar->setFont(fonts.design(9.75));
    m_tabBar->setFocusPolicy(Qt::TabFocus);
    connect(m_tabBar, &QTabBar::currentChanged, this, [this](int index) {
        showOnly(index);
        emit currentChanged(index);
    });
}

QWidget* TabControl::addPage(const QString& caption, const QString& pageName)
{
    auto* page = new QWidget(this);
    page->setObjectName(pageName);
    page->setGeometry(rect());
    m_pages.append(page);
    // Pages lie under the tab strip; the strip stays on top to take its clicks.
    m_tabBar->raise();
    m_tabBar->addTab(caption);
    showOnly(m_tabBar->currentIndex());
    return page;
}

QWidget* TabControl::page(int index) const
{
    return m_pages.value(index);
}

int TabControl::count() const
{
    return static_cast<int>(m_pages.size());
}

int TabControl::currentIndex() const
{
    return m_tabBar->currentIndex();
}

void TabControl::setCurrentIndex(int index)
{
    m_tabBar->setCurrentIndex(index);
}

void TabControl::showOnly(int index)
{
    for (int i = 0; i < m_pages.size(); ++i)
        m_pages[i]->setVisible(i == index);
}

void TabControl::resizeEvent(QResizeEvent*)
{
    m_tabBar->setGeometry(0, 0, width(), kTabHeight);
    for (QWidget* page : std::as_const(m_pages))
        page->setGeometry(rect());
}

void TabControl::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, kTabHeight - 1, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = m_tabBar->size();
    frame.tabBarRect = m_tabBar->geometry();
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}
