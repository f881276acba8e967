#pragma once
// "Balloon Loan Payout Analysis": the balloon twin of the loan payout window. The balloon form fills
// it after each successful calculation; it prints an image of itself and saves that loan.

#include "balloon/balloondata.h"
#include "loan/analysis.h"

namespace balloon {
// The balloon loan as its last calculation left it: the balloon term's schedule.
loan::LoanToExamine toExamine(const BalloonData& data);
} // namespace balloon

class TForm14;
extern TForm14* Form14;

// Its amortization window is the balloon one, Form14.
class TForm15 : public loan::PayoutFor<balloon::BalloonData, TForm14> {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);
    // The figures of a balloon calculation; Save writes that loan.
    void fill(balloon::BalloonData& data);
};
