#pragma once
// The one printer of the program: the printer dialog sets it up and everything prints on the
// printer the user confirmed. With no printer on the system it writes a PDF in the data folder.

#include <QString>

class QPrinter;
class QWidget;

namespace ui {

QPrinter& printer();

// Shows the printer dialog; true when the user confirmed it.
bool choosePrinter(QWidget* parent);

// A "Prt/Screen" button: the printer dialog, then an image of the form on one page.
// Returns true when something was printed.
bool printFormImage(QWidget* form);

// While one lives, the printer dialog is answered without being shown: confirmed with output to
// the PDF file given, or cancelled.
class PrinterDialogInterceptor {
public:
    PrinterDialogInterceptor(bool confirm, const QString& pdfPath = QString());
    ~PrinterDialogInterceptor();
    PrinterDialogInterceptor(const PrinterDialogInterceptor&) = delete;
    PrinterDialogInterceptor& operator=(const PrinterDialogInterceptor&) = delete;
    int dialogsShown() const { return shown_; }

private:
    friend bool choosePrinter(QWidget*);
    bool confirm_;
    QString pdfPath_;
    int shown_ = 0;
    PrinterDialogInterceptor* previous_;
};

} // namespace ui
