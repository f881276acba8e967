#include "db/startcheck.h"

#include "db/error.h"

#include <QFileInfo>

namespace db {

QStringList startupProblems() {
    QStringList problems;
    for (Alias alias : {Alias::IBLoan, Alias::IBInvest}) {
        try {
            const Target target = resolveAlias(alias);
            if (target.driver == QLatin1String(sqliteDriverName) && !QFileInfo::exists(target.database))
                continue;
            Connection connection(alias);
        } catch (const Error& e) {
            problems << e.message();
        }
    }
    return problems;
}

} // namespace db
