#pragma once

#include "designfont.h"
#include "labels.h"
#include "settingsstore.h"
#include "shownsize.h"

#include <QMainWindow>

#include <cstddef>
#include <map>
#include <optional>

class QAction;
class QLabel;
class QPushButton;
class QStatusBar;
class DataControl;
class ExportActions;
class LengthChooser;
class LengthList;
class RecordBinding;
class TabControl;
class ValueLabel;
namespace quill {
class RecordSource;
}

// The main window: one size record at a time on three tab pages, the nominal length chosen
// in Combo1, and the shank, grip and thread lengths for it.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The start-up steps; the size records are read once this has returned.
    void Form_Load();

    quill::RecordSource* dataSource() const { return m_records; }

    // The size shown, as data: the current record, the length chosen and the three lengths.
    quill::ShownSize shownSize() const;
    // The size shown, as text a spreadsheet takes (quill::copyText); empty while no record is shown.
    QString shownSizeText() const;

signals:
    // Quit or Escape: the program is to end at once, with nothing stored.
    void programEndRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildMenus();
    void buildKeys();
    void buildClientArea();
    void buildPage1(QWidget* page);
    void buildPage2(QWidget* page);
    void buildPage3(QWidget* page);
    QLabel* addPicture(QWidget* page, const QString& name, const QString& drawing);
    // Creates page `index`'s labels from its table and binds the values to Data1.
    void addPageLabels(int index, QWidget* page, QLabel* picture);
    const ValueFont& valueFont(qreal points);

    void Form_Unload();
    void Form_Activate();
    void Command1_Click();
    void Quit_Click();
    void Combo1_Click();
    void Label1_Change();
    void SSTab1_Click();
    void FormTop_ON_Click();
    void FormTop_OFF_Click();
    void About_Click();
    void ChooseLength_Click();

    void ShowLengths();
    // The row of the length chosen for kDesignations[size].
    void writeLengths(std::size_t size);
    void writeLengthLabels(const quill::lengths::ShownLengths& lengths);
    void M03L();
    void M04L();
    void M05L();
    void M06L();
    void M08L();
    void M10L();
    void M12L();
    void M14L();
    void M16L();
    void M18L();
    void M20L();
    void M22L();
    void M24L();
    void M27L();
    void M30L();
    void M33L();
    void M36L();
    void M39L();
    void M42L();
    void M45L();
    void M48L();
    void M52L();

    void setStatusText(int panel, const QString& text);
    void showDatabaseProblem(const QString& message);
    void showReading(bool reading);
    void copyShownSize();
    void setFramePosition(const QPoint& corner);

    SettingsStore m_settings;
    quill::RecordSource* m_records = nullptr;
    RecordBinding* m_binding = nullptr;
    // The fonts, with their families looked up once for every control of both windows.
    DesignFonts m_fonts;
    // The value labels' fonts, each measured once for all labels in it.
    std::map<qreal, ValueFont> m_valueFonts;
    DataControl* m_data1 = nullptr;
    TabControl* m_sstab1 = nullptr;
    QStatusBar* m_statusBar1 = nullptr;
    QLabel* m_panel1 = nullptr;
    QLabel* m_panel2 = nullptr;
    QPushButton* m_command1 = nullptr;
    LengthList* m_combo1 = nullptr;
    ValueLabel* m_label1 = nullptr;
    ValueLabel* m_label13 = nullptr;
    ValueLabel* m_label14 = nullptr;
    ValueLabel* m_label15 = nullptr;
    QAction* m_formTopOn = nullptr;
    QAction* m_formTopOff = nullptr;
    QAction* m_copy = nullptr;
    // 呼び長さの選定, made when first asked for so that start-up does not build it.
    LengthChooser* m_lengthChooser = nullptr;
    ExportActions* m_export = nullptr;
    // Form_Activate runs when the window becomes active after start-up or after the
    // About dialog, not when the user comes back from another program.
    bool m_activationPending = false;
    // The three lengths written last; nullopt while they show their placeholders. Once a size's
    // lengths were written, an unknown designation shows "---".
    std::optional<quill::lengths::ShownLengths> m_lengths;
};
