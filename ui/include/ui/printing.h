#pragma once
// The one printer of the program: the printer dialog sets it up and everything prints on the
// printer the user confirmed. With no printer on the system it writes a PDF in the data folder.

#include "ui/export.h"
#include <QString>

class QPrinter;
class QWidget;

namespace ui {

UI_EXPORT QPrinter& printer();

// Shows the printer dialog; true when the user confirmed it.
UI_EXPORT bool choosePrinter(QWidget* parent);

// A "Prt/Screen" button: the printer dialog, then an image of the form on one page.
// Returns true when something was printed.
UI_EXPORT bool printFormImage(QWidget* form);

// With no printer on the system every print proposes a new PDF file in the data folder (stamped
// with the time, and a count when that name is taken), so no print overwrites an earlier one.
UI_EXPORT QString nextPdfPath();

// While one lives, the printer dialog is answered without being shown: cancelled, or confirmed
// with output to the PDF file given. Confirmed with no file given, it answers as a user on a
// system with no printer who accepts the proposed file.
class UI_EXPORT PrinterDialogInterceptor {
public:
    PrinterDialogInterceptor(bool confirm, const QString& pdfPath = QString());
    ~PrinterDialogInterceptor();
    PrinterDialogInterceptor(const PrinterDialogInterceptor&) = delete;
    PrinterDialogInterceptor& operator=(const PrinterDialogInterceptor&) = delete;
    int dialogsShown() const { return shown_; }

private:
    friend bool choosePrinter(QWidget*);
    friend bool printFormImage(QWidget*);
    bool confirm_;
    QString pdfPath_;
    int shown_ = 0;
    PrinterDialogInterceptor* previous_;
};

} // namespace ui
