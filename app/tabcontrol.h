#pragma once

#include "designunits.h"

#include <QTabBar>
#include <QWidget>

class DesignFonts;

// A tab control whose pages share its own coordinates: a control on a page is placed
// from the control's top-left corner, tab strip included. Tabs are of equal width in one row.
class TabControl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTabHeight = himetricToPixels(520);

    TabControl(const QString& objectName, const DesignFonts& fonts, QWidget* parent);

    // A new page; its widgets are placed in this control's coordinates.
    QWidget* addPage(const QString& caption, const QString& pageName);
    QWidget* page(int index) const;
    int count() const;

    int currentIndex() const; // the Tab property: the page shown, counted from 0
    void setCurrentIndex(int index);
    QTabBar* tabBar() const { return m_tabBar; }

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showOnly(int index);

    QTabBar* m_tabBar;
    QList<QWidget*> m_pages;
};
