#pragma once
// What the down payment and fees, insurance and annual fees dialogs keep on the form they serve,
// besides the loan block: the four down payment and fee values, and the texts the dialogs' edits
// hold now. The loan checks look at those texts whether or not the dialog was closed with OK.

#include <string>

namespace loan {

struct DialogTexts {
    // Down payment and fees dialog: Edit1 percent, Edit2 amount, Edit3 fee percent, Edit4 fee amount.
    std::string downPct, downAmount, feePct, feeAmount;
    // Insurance dialog, Edit1 to Edit6.
    std::string dsRate, dsFreq, dsYears, lfRate, lfFreq, lfYears;
    // Annual fees dialog, Edit1 to Edit3.
    std::string taxes, hoIns, otIns;
};

struct DialogData {
    double DOWNPAYAMT = 0.0; // down payment, dollars
    double DOWNPAYPCT = 0.0; // down payment, percent of the loan amount
    double FEEPAYAMT = 0.0;  // origination fee, dollars
    double FEEPCT = 0.0;     // origination fee, percent of the loan amount
    DialogTexts dialogTexts;
};

} // namespace loan
