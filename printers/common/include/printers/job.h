// The drawing layer and the dialog of the schedule printers.
//
// A library's entry copies its values, then runs its dialog TVLOANPR through runEntry; Start prints
// the layout on the process-wide printer (the one the user confirmed in the printer dialog). A
// printer with no output chosen and no printer on the system writes a PDF in the data folder and
// the program shows its path.
#pragma once

#include "printers/frame.h"

#include <QDialog>
#include <QFont>
#include <QPointer>
#include <functional>

class QLabel;
class QPainter;
class QPrinter;
class QPushButton;

namespace talvero::printers {

// Draws line n at x = 0, y = n × line height in the painter's font.
class PainterSink : public Sink {
public:
    PainterSink(QPainter& painter, QPrinter& printer, int lineHeight);
    void newPage() override;
    void line(int n, const std::string& text) override;

private:
    QPainter& painter_;
    QPrinter& printer_;
    int lineHeight_;
    int ascent_;
};

// The fixed-pitch font the schedules print in (10 points).
QFont printFont();

// The page geometry of a job on `printer` in the print font.
Geometry geometryOf(QPrinter& printer);

// Prints the job on `printer` under the layout's title; returns the pages printed, 0 when the
// printer could not start a document.
int printLayout(QPrinter& printer, const Layout& layout);

// Prints on the process-wide printer; the path of a PDF written for want of a printer is shown.
int printLayout(const Layout& layout);

// "Print Amortization Schedule": Cancel, Start, Help and the three texts. Every command goes through
// the library's dialog procedure.
class PrintDialog : public QDialog {
    Q_OBJECT
public:
    using Procedure = long (*)(void* dialog, unsigned int message, unsigned long wparam, long lparam);
    PrintDialog(Procedure procedure, QWidget* parent = nullptr);
    QPushButton* Button115 = nullptr; // "Start"
    QPushButton* Button116 = nullptr; // "Cancel"
    QPushButton* Button135 = nullptr; // "Help"
    QLabel *Text200 = nullptr, *Text201 = nullptr, *Text202 = nullptr;
    // Ends the dialog without asking the procedure.
    void end(int result);
    bool ended() const { return ended_; }

    void reject() override; // Escape: as the close box

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void command(int id);
    Procedure procedure_;
    bool ended_ = false;
};

// The dialog procedure of a library over its layout.
long dialogProcedure(const Layout& layout, void* dialog, unsigned int message, unsigned long wparam,
                     long lparam);

// Runs TVLOANPR modally with the procedure; returns when it has ended. Always 0.
int runEntry(PrintDialog::Procedure procedure);

// The dialog runEntry has open, if any.
PrintDialog* openDialog();

} // namespace talvero::printers
