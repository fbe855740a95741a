#pragma once

#include <QString>

#include <functional>
#include <memory>

class QLibrary;
class QPainter;
class QWidget;

// Paints one page on a device with the given device pixels to the millimetre.
using PagePainter = std::function<void(QPainter& painter, double dotsPerMm)>;

// Printing a page through the print dialog. Qt's printing support is loaded on the first print,
// where the system has shared libraries, so that the program starts without it.
class PagePrinter {
public:
    PagePrinter();
    ~PagePrinter();

    // Asks with the print dialog where and how to print the page (A4 landscape) and prints it when
    // the user says so. Returns an empty string when it was printed or the user cancelled,
    // otherwise what went wrong, in words.
    QString print(QWidget* parent, const QString& documentName, const PagePainter& paint);

private:
    std::unique_ptr<QLibrary> m_module;
};
