#include "schedule/csv.h"

#include <charconv>
#include <cmath>
#include <ostream>

namespace talvero::schedule {

std::string cents(double value) {
    if (!std::isfinite(value)) return "nan";
    if (std::fabs(value) < 0.005) value = 0; // no "-0.00"
    char text[64];
    const auto r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return std::string(text, r.ec == std::errc() ? r.ptr : text);
}

void write_csv(Pass& pass, std::ostream& out) {
    out << "PAYDATE,INTAMT,PRINAMT,DSINS,LFINS,TAXES,HOINS,OTINS,PAYMENT,BALANCE\n";
    for (Row r; pass.next(r);) {
        const Amounts& a = r.amounts;
        out << r.PAYDATE;
        for (double v : {a.INTAMT, a.PRINAMT, a.DSINS, a.LFINS, a.TAXES, a.HOINS, a.OTINS, a.PAYMENT})
            out << ',' << cents(v);
        out << ',';
        if (r.kind == RowKind::Payment) out << cents(r.BALANCE);
        out << '\n';
    }
}

} // namespace talvero::schedule
