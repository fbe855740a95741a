#pragma once

#include <QDialog>

class DesignFonts;
class QLabel;
class QPushButton;

// The About dialog: series and program title, version, maker's addresses. Create one for
// each showing, with the owner window as parent (an owned dialog stays out of the task
// bar), and show it with exec(); the button, Esc and the close box all close it.
class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(const DesignFonts& fonts, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Command1_Click();
    void Label13_Click();
    void centreOnScreen();

    QLabel* m_label13_7;
    QPushButton* m_command1;
};
