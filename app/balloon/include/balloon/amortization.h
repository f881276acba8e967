#pragma once
// "Balloon Loan Display or Print Loan Amortization": the amortization window over the balloon
// schedule of the balloon form's last calculation. It lists the schedule, saves the loan and
// previews it as the balloon report, prints it by loan year or by calendar year, or shows it as a
// chart with its balloon payment.

#include "balloon/balloondata.h"
#include "loan/amortization.h"
#include "roster2/roster2.h"
#include "scribe2/scribe2.h"
#include "vellum2/vellum2.h"

namespace balloon {

inline constexpr char kRoster2[] = "libroster2.so";
inline constexpr char kScribe2[] = "libscribe2.so";
inline constexpr char kVellum2[] = "libvellum2.so";
inline constexpr char kListBall[] = "ListBall";
inline constexpr char kPrntBall[] = "PrntBall";
inline constexpr char kPrntCal2YR[] = "PrntCal2YR";

// The library entries the window calls, each library loaded with its first call.
struct AmortizationLibraries {
    decltype(&::ListBall) ListBall = &ui::LazyEntry<kRoster2, kListBall, decltype(&::ListBall)>::call;
    decltype(&::PrntBall) PrntBall = &ui::LazyEntry<kScribe2, kPrntBall, decltype(&::PrntBall)>::call;
    decltype(&::PrntCal2YR) PrntCal2YR = &ui::LazyEntry<kVellum2, kPrntCal2YR, decltype(&::PrntCal2YR)>::call;
};

// The balloon report QuickRep1 over the rows of db::sql::balloonPreview: the loan report with the
// amortize periods and the number of payments in its header.
report::Definition quickRep1();

} // namespace balloon

class TForm14 : public loan::AmortizationWindow {
    Q_OBJECT
public:
    explicit TForm14(QWidget* parent = nullptr);
    // The balloon loan the buttons work on: the balloon form's data the payout window was filled from.
    void setLoan(balloon::BalloonData& data) { loan_ = &data; }

    balloon::AmortizationLibraries libraries;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button5Click();
    void Button6Click();

protected:
    void buildWidgets() override;

private:
    balloon::BalloonData* loan_ = nullptr;
};
