#pragma once
// What the wizard can remove: the Firebird database server, its client driver and tools, and
// Talvero's own package, as the package database lists them.

#include "unwinder/options.h"

#include <QList>
#include <QString>

namespace unwinder {

struct Known {
    QString package;
    QString title;
};

// Every component in the order it is removed in: what depends on another comes before it.
const QList<Known>& knownComponents();

struct Component {
    QString package;
    QString title;
    qint64 installedKiB = 0; // Installed-Size of the package database, in KiB
};

// The known components installed (any state but "not-installed" and "config-files"), in the
// known order; false with `error` set when dpkg-query cannot read the package database.
bool installedComponents(const Options& options, QList<Component>& out, QString& error);

// Each named package's state word as dpkg-query reports it ("installed", "config-files", ...);
// a package the database does not know is "not-installed".
QStringList packageStates(const Options& options, const QStringList& packages);

// A size in KiB as the wizard shows it: "2.0 MB", "512 KB".
QString formatSize(qint64 kib);

qint64 totalKiB(const QList<Component>& components);

} // namespace unwinder
