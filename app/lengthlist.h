#pragma once

#include <QComboBox>
#include <QElapsedTimer>

// The length list Combo1: a drop-down list of the nominal lengths, whose entries keep their
// leading blanks (" 100"). It opens as a short list that scrolls, and typing digits picks the
// entry of that number, as list type-ahead does: a pause starts a new search.
class LengthList : public QComboBox {
    Q_OBJECT
public:
    explicit LengthList(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The entry whose number begins with the digits typed so far, or -1.
    int match(const QString& digit);

    QString m_typed;
    QElapsedTimer m_sinceTyped;
};
