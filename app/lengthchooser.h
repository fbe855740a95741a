#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
namespace quill {
class RecordSource;
}

// 呼び長さの選定: from a joint (the clamped thickness, a washer, the internal thread's material
// and a blind hole's depth) to the shortest listed length of the size shown in the main window.
// Non-modal; it follows the main window's size and recalculates on every change.
class LengthChooser : public QDialog {
    Q_OBJECT
public:
    // showLength picks a length item (an index of the length list) in the main window.
    LengthChooser(
        quill::RecordSource* records, std::function<void(int)> showLength, const QFont& font, QWidget* parent);

    // The result as a spreadsheet takes it: one tab-separated line per input and figure.
    QString resultText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sizeChanged();
    void materialChanged();
    void recalculate();
    void copyResult();

    quill::RecordSource* m_records;
    std::function<void(int)> m_showLength;
    QLabel* m_size = nullptr;
    QLineEdit* m_thickness = nullptr;
    QLabel* m_thicknessProblem = nullptr;
    QComboBox* m_washer = nullptr;
    QLabel* m_washerThickness = nullptr;
    QComboBox* m_material = nullptr;
    QLineEdit* m_factor = nullptr;
    QLabel* m_factorProblem = nullptr;
    QLineEdit* m_depth = nullptr;
    QLabel* m_depthProblem = nullptr;
    QLabel* m_result = nullptr;
    QPushButton* m_show = nullptr;
    int m_key = -1; // the length item recommended, -1 for none
    QString m_copied; // resultText()
};
