#include "loan/whatif.h"

#include "loan/checks.h"
#include "ui/convert.h"

#include <QRegularExpression>
#include <QStringList>

namespace loan {

namespace sched = talvero::schedule;

sched::Variant LoanToExamine::variant() const {
    return balloon ? sched::Variant::balloon_term(BLPAY) : sched::Variant::regular();
}

LoanToSave LoanToExamine::toSave(const sched::ExtraPrincipal& extra) const {
    LoanToSave s{block, SCHEDPAY, FEEPCT, balloon, BLPAY, today};
    // A balloon loan's new rows are the balloon term's schedule the window showed.
    s.balloonScheduleRows = balloon;
    s.extra = extra;
    return s;
}

LoanToExamine toExamine(const LoanData& data) {
    LoanToExamine loan;
    loan.block = data;
    loan.SCHEDPAY = data.SCHEDPAY;
    loan.FEEPCT = data.FEEPCT;
    return loan;
}

ReadExtra readExtraInputs(const ExtraInputs& in) {
    ReadExtra r;
    try {
        r.extra.amount = in.amount.trimmed().isEmpty() ? 0.0 : ui::toFloat(in.amount);
        r.extra.from = in.from.trimmed().isEmpty() ? 1 : ui::toInt(in.from);
        switch (in.every) {
        case ExtraEvery::Payment:
            r.extra.every = 1;
            break;
        case ExtraEvery::NthPayment:
            r.extra.every = ui::toInt(in.nth);
            break;
        case ExtraEvery::Year:
            r.extra.month = in.month;
            break;
        }
        static const QRegularExpression apart(QStringLiteral("[\\s:]+"));
        for (const QString& line : in.lumps.split(QLatin1Char('\n'))) {
            const QStringList parts = line.trimmed().split(apart, Qt::SkipEmptyParts);
            if (parts.isEmpty()) continue;
            const std::string date = parts[0].toStdString();
            if (parts.size() != 2 || date.empty() || !isValidDateText(date)) {
                r.error = QStringLiteral("'%1' is not a date (MMDDCCYY) and an amount").arg(line.trimmed());
                return r;
            }
            int d[3];
            readDateParts(date, d);
            r.extra.lumps.push_back({{d[0], d[1], d[2]}, ui::toFloat(parts[1])});
        }
    } catch (const ui::ConvertError& e) {
        r.error = QString::fromUtf8(e.what());
    }
    return r;
}

WhatIfTexts whatIfTexts(const sched::WhatIf& w) {
    auto date = [](const talvero::common::Date& d) {
        return QString::fromStdString(talvero::common::date_text(d));
    };
    return {ui::format("%7.2f", w.PAYMENT),
            ui::format("%7.0f", w.NUMPAY),
            ui::format("%7.0f", w.NEWNUMPAY),
            ui::format("%7.0f", w.PAYMENTSSAVED),
            ui::format("%7.2f", w.TOTALINTEREST),
            ui::format("%7.2f", w.NEWTOTALINTEREST),
            ui::format("%7.2f", w.INTERESTSAVED),
            date(w.MATURITY),
            date(w.NEWMATURITY)};
}

QVariant scheduleField(const talvero::common::LoanBlock& b, double numpay, const sched::Row& row,
                       const QString& f) {
    const sched::Amounts& a = row.amounts;
    struct Column {
        const char* name;
        double value;
    } const columns[] = {
        {"INTAMT", a.INTAMT},         {"PRINAMT", a.PRINAMT}, {"DSINS", a.DSINS},
        {"LFINS", a.LFINS},           {"TAXES", a.TAXES},     {"HOINS", a.HOINS},
        {"OTINS", a.OTINS},           {"PAYMENT", a.PAYMENT}, {"ORGAMT", b.ORGAMT},
        {"FINANCEAMT", b.FINANCEAMT}, {"APR", b.APR},         {"NUMPAY", numpay},
        {"DOWNAMT", b.DOWNAMT},       {"FEEAMT", b.FEEAMT},   {"FREQUENCY", b.FREQUENCY},
    };
    if (f == QLatin1String("PAYDATE")) return QString::fromLatin1(row.PAYDATE);
    if (f == QLatin1String("BALANCE"))
        return row.kind == sched::RowKind::Payment ? QVariant(row.BALANCE) : QVariant();
    if (f == QLatin1String("INTMETHOD")) return b.INTMETHOD;
    for (const Column& c : columns)
        if (f == QLatin1String(c.name)) return c.value;
    return {};
}

} // namespace loan
