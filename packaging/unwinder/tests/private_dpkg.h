#pragma once
// A package database of the test's own in a temporary folder: small packages built with dpkg-deb
// and installed with the real dpkg below a private root, never the machine's; and a stand-in for
// the service manager and the process folder the wizard looks at.

#include "unwinder/options.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>

namespace unwindertest {

struct Package {
    QString name;
    qint64 installedKiB;
    QString depends; // the Depends field, or empty
};

// The known components as the tests install them, with other-app depending on the client library.
QList<Package> firebirdPackages();

class PrivateDpkg {
public:
    PrivateDpkg();
    // Builds and installs the packages; false with the reason on a failure of dpkg-deb or dpkg.
    bool install(const QList<Package>& packages, QString& error);
    // The package's state word in the private database ("installed", "not-installed").
    QString state(const QString& package) const;
    // Whether one of the package's files is below the private root.
    bool hasFiles(const QString& package) const;

    // The service manager says the server's unit is active (or not).
    void setServiceActive(bool active);
    // A process of that name runs (in the private process folder).
    void addProcess(int pid, const QString& name);

    unwinder::Options options() const;
    QString root() const;

private:
    QTemporaryDir dir_;
};

} // namespace unwindertest
