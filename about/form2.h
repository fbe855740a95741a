#pragma once

#include <QDialog>

// The About dialog: series and program title, version, maker's addresses.
class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);
};
