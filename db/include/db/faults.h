#pragma once
// The texts of the failures a user must do something about: a full disk, a read-only or missing
// data folder, a damaged database file. Plain functions, so the start-up, the forms and
// talvero-cli say the same.

#include "db/connection.h"
#include "db/error.h"

#include <QString>

namespace db {

// Whether the same command can go through once the user tries again (contention) or has made
// room or write access (a full disk, a read-only database): the form then keeps what was typed.
bool canTryAgain(const Error& error);

// "loan database" or "investment database".
QString databaseTitle(Alias alias);
// The menu command that puts a backup back: "File > Restore Loan DB" or "File > Restore Invest DB".
QString restoreCommand(Alias alias);

// `where` is the database as describe() gives it.
QString diskFullMessage(Alias alias, const QString& where);
QString readOnlyMessage(Alias alias, const QString& where);
// A file that is no sound database of the alias; `reason` is SQLite's text or what is missing.
QString damagedMessage(Alias alias, const QString& file, const QString& reason);
QString dataFolderMissingMessage(const QString& folder);
QString dataFolderReadOnlyMessage(const QString& folder);

} // namespace db
