#pragma once
// Where the wizard looks: the package database dpkg uses, how it tells whether the database server
// runs, and how it becomes root. The defaults are the machine's own; a private package database
// (--root, --admindir) and a stand-in service check (--systemctl, --proc) let tests run it.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace unwinder {

struct Options {
    QString root;     // dpkg --root; empty: the machine's own
    QString admindir; // dpkg --admindir; empty: dpkg's default (below root when set)
    QString systemctl = QStringLiteral("systemctl"); // asked "is-active <unit>"
    QString procDir = QStringLiteral("/proc");       // scanned for the server's processes
    QString pkexec = QStringLiteral("pkexec");       // runs dpkg as root for a user
};

// The wizard's command-line options, added to a parser (main adds --help and --version).
void addOptions(QCommandLineParser& parser);

// The options a parser read; false with `error` set when a folder named does not hold what it must.
bool readOptions(const QCommandLineParser& parser, Options& options, QString& error);

// The options dpkg and dpkg-query take for the package database named (none for the machine's).
QStringList databaseOptions(const Options& options);

} // namespace unwinder
