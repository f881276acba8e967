#include "portfolio/comparison.h"

#include "charts/comparechart.h"
#include "db/connection.h"
#include "db/statements.h"
#include "ui/convert.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <functional>

namespace portfolio {

namespace {
// clang-format off
const char* const kNotTwoDifferent = "You failed to select at least two different loans from the listboxes provided.  Please correct for the evaluation!";
// clang-format on

double number(const QSqlRecord& row, const char* column) {
    return row.value(QLatin1String(column)).toDouble();
}

// Whole numbers are read the way the database layer turns a stored double into an integer:
// rounded, an empty value as 0.
int integer(const QSqlRecord& row, const char* column) {
    return qRound(row.value(QLatin1String(column)).toDouble());
}

QString box(int number) {
    return QStringLiteral("Edit%1").arg(number);
}
} // namespace

double totalCost(const Slot& slot) {
    double total = slot.FEEAMT;
    total += slot.TOTALINTEREST;
    total += slot.TOTALTAXES;
    total += slot.TOTALINSURANCE;
    return total;
}

Slot slotFrom(const QSqlRecord& row) {
    Slot s;
    const int blpay = integer(row, "BLPAY");
    s.BLPAY = number(row, "BLPAY");
    s.NUMPAY = number(row, "NUMPAY");
    if (blpay >= 1) {
        s.balloon = QStringLiteral("YES");
        s.pays = blpay;
    } else {
        s.balloon = QStringLiteral("NO");
        s.pays = s.NUMPAY;
    }
    s.ORGAMT = number(row, "ORGAMT");
    s.APR = number(row, "APR");
    s.FREQUENCY = number(row, "FREQUENCY");
    s.REGZAPR = number(row, "REGZAPR");
    s.PAYMENT = number(row, "PAYMENT");
    s.SKPMONTH = integer(row, "SKPMONTH");
    s.INTMETHOD = integer(row, "INTMETHOD");
    s.DOWNAMT = number(row, "DOWNAMT");
    s.FEEAMT = number(row, "FEEAMT");
    s.FEEPCT = number(row, "FEEPCT");
    s.TOTALINTEREST = number(row, "TOTALINTEREST");
    s.TOTALINSURANCE = number(row, "TOTALINSURANCE");
    s.TOTALTAXES = number(row, "TOTALTAXES");
    s.FIRSTDUEDT = row.value(QStringLiteral("FIRSTDUEDT")).toString();
    s.LOANNO = integer(row, "LOANNO");
    s.ORIGDT = row.value(QStringLiteral("ORIGDT")).toString();
    return s;
}

std::array<int, 3> loanNumbers(const std::array<QString, 3>& picked) {
    return {ui::toInt(picked[0]), ui::toInt(picked[1]), ui::toInt(picked[2])};
}

std::optional<QString> refusal(const std::array<int, 3>& loans) {
    if (loans[0] == loans[1] && loans[1] == loans[2]) return QString::fromLatin1(kNotTwoDifferent);
    return std::nullopt;
}

Comparison readComparison(db::Connection& connection, const std::array<int, 3>& loans) {
    const QStringView statements[3] = {db::sql::compareLoan1, db::sql::compareLoan2, db::sql::compareLoan3};
    const QString parameters[3] = {QStringLiteral(":Para1"), QStringLiteral(":Para2"),
                                   QStringLiteral(":Para3")};
    Comparison comparison;
    for (int k = 0; k < 3; ++k) {
        QSqlQuery query = db::prepare(connection, statements[k]);
        query.bindValue(parameters[k], loans[k]);
        db::exec(query);
        comparison[k] = query.next() ? slotFrom(query.record()) : slotFrom(QSqlRecord());
    }
    return comparison;
}

std::optional<loan::LoanInputs> readLoanInputs(db::Connection& connection, int loanNo) {
    QSqlQuery query = db::prepare(connection, db::sql::compareLoan1);
    query.bindValue(QStringLiteral(":Para1"), loanNo);
    db::exec(query);
    if (!query.next()) return std::nullopt;
    const Slot s = slotFrom(query.record());
    loan::LoanInputs in;
    in.ORGAMT = s.ORGAMT;
    in.APR = s.APR;
    in.NUMPAY = s.NUMPAY;
    in.FREQUENCY = s.FREQUENCY;
    in.SKPMONTH = s.SKPMONTH;
    in.INTMETHOD = s.INTMETHOD;
    in.DOWNAMT = s.DOWNAMT;
    in.FEEAMT = s.FEEAMT;
    in.FEEPCT = s.FEEPCT;
    in.BLPAY = s.balloon == QLatin1String("YES") ? s.pays : 0;
    // Stored "MM/DD/YYYY", typed "MMDDCCYY".
    QString due = s.FIRSTDUEDT;
    due.remove(QLatin1Char('/'));
    in.FIRSTDUE = due.toStdString();
    return in;
}

talvero::charts::Chart comparisonChart(db::Connection& connection, const Comparison& comparison) {
    std::vector<talvero::charts::ComparedLoan> loans;
    for (int k = 0; k < 3; ++k) {
        const Slot& s = comparison[static_cast<std::size_t>(k)];
        talvero::charts::ComparedLoan loan;
        loan.name = "Loan # " + std::to_string(k + 1);
        loan.interest = s.TOTALINTEREST;
        loan.fees = s.FEEAMT;
        loan.taxes = s.TOTALTAXES;
        loan.insurance = s.TOTALINSURANCE;
        if (s.LOANNO != 0) {
            QSqlQuery query = db::prepare(connection, db::sql::loanBalances);
            query.setForwardOnly(true);
            query.bindValue(QStringLiteral(":Param1"), s.LOANNO);
            db::exec(query);
            while (query.next()) {
                loan.paydates.push_back(query.value(0).toString().trimmed().toStdString());
                loan.balances.push_back(query.value(1).toDouble());
            }
        }
        loans.push_back(std::move(loan));
    }
    return talvero::charts::comparisonChart(loans);
}

std::vector<BoxText> boxTexts(const Comparison& c) {
    std::vector<BoxText> out;
    for (int k = 0; k < 3; ++k) {
        out.push_back({box(16 + k), c[k].FIRSTDUEDT});
        out.push_back({box(19 + k), c[k].ORIGDT});
    }
    using Text = std::function<QString(const Slot&)>;
    auto money = [](double Slot::*member) {
        return Text([member](const Slot& s) { return ui::format("%7.2f", s.*member); });
    };
    auto count = [](double Slot::*member) {
        return Text([member](const Slot& s) { return ui::format("%3.0f", s.*member); });
    };
    auto whole = [](int Slot::*member) {
        return Text([member](const Slot& s) { return ui::format("%3d", s.*member); });
    };
    const struct {
        int firstBox;
        Text text;
    } filling[] = {
        {1, money(&Slot::ORGAMT)},
        {4, money(&Slot::APR)},
        {7, count(&Slot::FREQUENCY)},
        {10, count(&Slot::pays)},
        {13, money(&Slot::PAYMENT)},
        {22, money(&Slot::FEEPCT)},
        {25, [](const Slot& s) { return s.balloon; }},
        {28, count(&Slot::NUMPAY)},
        {46, whole(&Slot::INTMETHOD)},
        {49, money(&Slot::REGZAPR)},
        {52, whole(&Slot::SKPMONTH)},
        {55, money(&Slot::DOWNAMT)},
        {31, money(&Slot::FEEAMT)},
        {34, money(&Slot::TOTALINTEREST)},
        {37, money(&Slot::TOTALTAXES)},
        {40, money(&Slot::TOTALINSURANCE)},
        {43, [](const Slot& s) { return ui::format("%7.2f", totalCost(s)); }},
    };
    for (const auto& row : filling)
        for (int k = 0; k < 3; ++k)
            out.push_back({box(row.firstBox + k), row.text(c[k])});
    return out;
}

} // namespace portfolio
