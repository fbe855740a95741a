#pragma once

#include <QAbstractButton>
#include <QWidget>

class DesignFonts;
class QLabel;
namespace quill {
class RecordSource;
}

// The navigation bar of the size-record source: its caption between the four buttons that
// move the record. The records, their binding and loading are the source's.
class DataControl : public QWidget {
    Q_OBJECT
public:
    DataControl(quill::RecordSource* source, const DesignFonts& fonts, QWidget* parent);

    quill::RecordSource* source() const { return m_source; }

private:
    quill::RecordSource* m_source;
    QLabel* m_caption;
};

// One of the four arrow buttons of the navigation bar.
class NavigationButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Direction { First, Previous, Next, Last };
    NavigationButton(Direction direction, QWidget* parent);
    QSize sizeHint() const override { return { 18, 25 }; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Direction m_direction;
};
