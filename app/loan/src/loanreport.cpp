#include "loan/loanreport.h"

namespace loan {

report::Definition quickRep1() {
    using report::field;
    using report::label;
    const auto amount = report::alignRight;
    const report::Font caption{QStringLiteral("Arial"), 12, true, false};
    const report::Font value{QStringLiteral("Arial"), 10, false, true};
    const report::Font column{QStringLiteral("Arial"), 10, true, true};
    const report::Font title{QStringLiteral("Arial"), 18, true, false};
    const QString money = QStringLiteral("$###,###,##0.00"), small = QStringLiteral("$##,##0.00");
    const QString cents = QStringLiteral("0.00");
    report::Definition d;
    d.title = QStringLiteral("Loan Amortization Table");
    d.bands = {
        {report::BandKind::PageHeader,
         75,
         {label(3, 16, QStringLiteral("Loan Amount :"), caption),
          field(123, 16, QStringLiteral("ORGAMT"), money, value),
          label(187, 16, QStringLiteral("Financed Amount :"), caption),
          field(339, 16, QStringLiteral("FINANCEAMT"), money, value),
          label(427, 16, QStringLiteral("APR :"), caption),
          field(475, 16, QStringLiteral("APR"), cents, value),
          label(515, 16, QStringLiteral("No Payments :"), caption),
          field(632, 16, QStringLiteral("NUMPAY"), {}, value),
          label(0, 44, QStringLiteral("Total Down Amt.:"), caption),
          field(136, 44, QStringLiteral("DOWNAMT"), small, value),
          label(208, 44, QStringLiteral("Total Fee Amt.:"), caption),
          field(328, 44, QStringLiteral("FEEAMT"), small, value),
          label(384, 44, QStringLiteral("Frequency:"), caption),
          field(480, 44, QStringLiteral("FREQUENCY"), {}, value),
          label(536, 44, QStringLiteral("Interest Method:"), caption),
          field(664, 44, QStringLiteral("INTMETHOD"), {}, value)}},
        {report::BandKind::Title, 40, {label(216, 0, QStringLiteral("Loan Amortization Table"), title)}},
        // The amount columns, captions and figures alike, are right-aligned in their columns.
        {report::BandKind::ColumnHeader,
         40,
         {label(0, 0, QStringLiteral("Pay Date"), column),
          amount(label(112, 0, QStringLiteral("Interest"), column)),
          amount(label(176, 0, QStringLiteral("Principal"), column)),
          amount(label(264, 0, QStringLiteral("Disability"), column)),
          amount(label(336, 0, QStringLiteral("Life"), column)),
          amount(label(384, 0, QStringLiteral("Taxes"), column)),
          amount(label(440, 0, QStringLiteral("HO Ins."), column)),
          amount(label(496, 0, QStringLiteral("OTR Ins"), column)),
          amount(label(560, 0, QStringLiteral("Payment"), column)),
          amount(label(640, 0, QStringLiteral("Balance"), column))}},
        {report::BandKind::Detail,
         40,
         {field(0, 0, QStringLiteral("PAYDATE")), amount(field(112, 0, QStringLiteral("INTAMT"), cents)),
          amount(field(176, 0, QStringLiteral("PRINAMT"), cents)),
          amount(field(264, 0, QStringLiteral("DSINS"), cents)),
          amount(field(336, 0, QStringLiteral("LFINS"), cents)),
          amount(field(384, 0, QStringLiteral("TAXES"), cents)),
          amount(field(440, 0, QStringLiteral("HOINS"), cents)),
          amount(field(496, 0, QStringLiteral("OTINS"), cents)),
          amount(field(560, 0, QStringLiteral("PAYMENT"), cents)),
          amount(field(640, 0, QStringLiteral("BALANCE"), QStringLiteral("###,###.##")))}},
        {report::BandKind::PageFooter,
         40,
         {report::special(report::ItemKind::Time, 8, 0),
          report::special(report::ItemKind::PageNumber, 312, 0, QStringLiteral("Page ")),
          amount(report::special(report::ItemKind::Date, 672, 0))}},
    };
    return d;
}

} // namespace loan
