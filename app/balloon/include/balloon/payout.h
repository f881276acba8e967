#pragma once
// "Balloon Loan Payout Analysis": the balloon twin of the loan payout window. The balloon form fills
// it after each successful calculation; it prints an image of itself and saves that loan.

#include "balloon/balloondata.h"
#include "loan/analysis.h"

class TForm15 : public loan::AnalysisWindow {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);
    // The figures of a balloon calculation; Save writes that loan.
    void fill(balloon::BalloonData& data);
    QPushButton* Button4 = nullptr; // "Save"
    QPushButton* Button3 = nullptr; // "Amortize Tables"

public slots:
    void Button4Click();
    // Opens the balloon amortization window on the loan this window was filled from.
    void Button3Click();

private:
    balloon::BalloonData* loan_ = nullptr;
};
