#include "db/faults.h"

namespace db {

bool canTryAgain(const Error& error) {
    return error.kind() == ErrorKind::Contention || error.kind() == ErrorKind::DiskFull ||
           error.kind() == ErrorKind::ReadOnly;
}

QString databaseTitle(Alias alias) {
    return alias == Alias::IBLoan ? QStringLiteral("loan database") : QStringLiteral("investment database");
}

QString restoreCommand(Alias alias) {
    return alias == Alias::IBLoan ? QStringLiteral("File > Restore Loan DB")
                                  : QStringLiteral("File > Restore Invest DB");
}

QString diskFullMessage(Alias alias, const QString& where) {
    return QStringLiteral("The disk is full: the %1 %2 cannot grow, so nothing was saved. Free some space on "
                          "that disk and try again; what you typed is still there.")
        .arg(databaseTitle(alias), where);
}

QString readOnlyMessage(Alias alias, const QString& where) {
    return QStringLiteral("The %1 %2 cannot be written (its file, folder or disk is read-only), so nothing "
                          "was saved. Make it writable and try again; what you typed is still there.")
        .arg(databaseTitle(alias), where);
}

QString damagedMessage(Alias alias, const QString& file, const QString& reason) {
    return QStringLiteral(
               "The %1 %2 is damaged or is not a Talvero %1 (%3). Nothing was changed in the file. "
               "To go on with your last backup, use %4.")
        .arg(databaseTitle(alias), file, reason, restoreCommand(alias));
}

QString dataFolderMissingMessage(const QString& folder) {
    return QStringLiteral("The data folder %1 does not exist and cannot be created, so nothing can be saved. "
                          "Create it, or set TALVERO_HOME to a folder you can write.")
        .arg(folder);
}

QString dataFolderReadOnlyMessage(const QString& folder) {
    return QStringLiteral("The data folder %1 is read-only, so its databases cannot be created or changed. "
                          "Make it writable, or set TALVERO_HOME to a folder you can write.")
        .arg(folder);
}

} // namespace db
