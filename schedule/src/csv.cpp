#include "schedule/csv.h"

#include <cstdio>
#include <ostream>

namespace talvero::schedule {

void write_csv(Pass& pass, std::ostream& out) {
    out << "PAYDATE,INTAMT,PRINAMT,DSINS,LFINS,TAXES,HOINS,OTINS,PAYMENT,BALANCE\n";
    char text[400];
    for (Row r; pass.next(r);) {
        const Amounts& a = r.amounts;
        const int n = std::snprintf(text, sizeof text, "%s,%.2f,%.2f,%.2f,%.2f,%.2f,%.2f,%.2f,%.2f,", r.PAYDATE,
                                    a.INTAMT, a.PRINAMT, a.DSINS, a.LFINS, a.TAXES, a.HOINS, a.OTINS, a.PAYMENT);
        out.write(text, n > 0 && n < static_cast<int>(sizeof text) ? n : 0);
        if (r.kind == RowKind::Payment) {
            std::snprintf(text, sizeof text, "%.2f", r.BALANCE);
            out << text;
        }
        out << '\n';
    }
}

} // namespace talvero::schedule
