#pragma once
// "Display or Print Loan Amortization": lists the schedule on screen, saves the loan and previews
// it as a report, prints it by loan year or by calendar year, or shows it as a chart. Everything comes from
// the loan data the payout window hands over; nothing is entered here.

#include "charts/series.h"
#include "loan/loandata.h"
#include "loan/loanreport.h"
#include "report/report.h"
#include "roster1/roster1.h"
#include "scribe1/scribe1.h"
#include "vellum1/vellum1.h"

#include "ui/form.h"
#include "ui/libraries.h"

class QFrame;
class QLabel;
class QPushButton;

namespace loan {

inline constexpr char kRoster1[] = "libroster1.so";
inline constexpr char kScribe1[] = "libscribe1.so";
inline constexpr char kVellum1[] = "libvellum1.so";
inline constexpr char kListAmortBL[] = "ListAmortBL";
inline constexpr char kPrntAmortBL[] = "PrntAmortBL";
inline constexpr char kPrntCalYR[] = "PrntCalYR";

// The library entries the window calls, each library loaded with its first call.
struct AmortizationLibraries {
    decltype(&::ListAmortBL) ListAmortBL =
        &ui::LazyEntry<kRoster1, kListAmortBL, decltype(&::ListAmortBL)>::call;
    decltype(&::PrntAmortBL) PrntAmortBL =
        &ui::LazyEntry<kScribe1, kPrntAmortBL, decltype(&::PrntAmortBL)>::call;
    decltype(&::PrntCalYR) PrntCalYR = &ui::LazyEntry<kVellum1, kPrntCalYR, decltype(&::PrntCalYR)>::call;
};

// The window the regular and the balloon loan share: the heading and, in the bevel, the five
// buttons with their texts. Each form connects its own Screen, Preview/Save and printer actions;
// Quit closes the window.
class AmortizationWindow : public ui::Form {
    Q_OBJECT
public:
    QLabel* Label1 = nullptr; // the heading
    QFrame* Bevel1 = nullptr;
    QPushButton* Button1 = nullptr; // "Screen"
    QPushButton* Button5 = nullptr; // "Preview/Save "
    QPushButton* Button2 = nullptr; // "Scribe1"
    QPushButton* Button3 = nullptr; // "Scribe2"
    QPushButton* Button4 = nullptr; // "Quit"
    QPushButton* Button6 = nullptr; // "Chart"

public slots:
    void Button4Click();

protected:
    AmortizationWindow(QWidget* parent, const char* name, const char* caption, int height,
                       const char* screenText);
    void showEvent(QShowEvent* event) override;
    // The printer dialog before a printout; a cancelled one shows "Print job terminated.".
    bool printerChosen();
    // Previews `definition` over the rows `sql` gives for the saved loan. A database error is shown
    // and gives false; the loan stays saved.
    bool previewLoan(const report::Definition& definition, QStringView sql, qint64 loanNo);
    // Opens "Amortization Chart" over the chart built from the loan's schedule rows.
    void showChart(talvero::charts::Chart chart);
    // The heading and the bevel with its buttons.
    void buildWidgets() override;

private:
    int height_;
    const char* screenText_;
};

} // namespace loan

class TForm5 : public loan::AmortizationWindow {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
    // The loan the buttons work on: the one the payout window was filled from.
    void setLoan(loan::LoanData& data) { loan_ = &data; }

    loan::AmortizationLibraries libraries;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button5Click();
    void Button6Click();

protected:
    void buildWidgets() override;

private:
    loan::LoanData* loan_ = nullptr;
};
