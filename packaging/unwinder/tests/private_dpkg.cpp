#include "private_dpkg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace unwindertest {

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

bool run(const QString& program, const QStringList& args, QString& error) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        error = program + QLatin1Char(' ') + args.join(QLatin1Char(' ')) + QStringLiteral(":\n") +
                QString::fromLocal8Bit(p.readAll()) + p.errorString();
        return false;
    }
    return true;
}

} // namespace

QList<Package> firebirdPackages() {
    return {
        {QStringLiteral("talvero"), 512, {}},
        {QStringLiteral("firebird3.0-server"), 2048, QStringLiteral("firebird3.0-server-core")},
        {QStringLiteral("firebird3.0-server-core"), 6144, QStringLiteral("libfbclient2")},
        {QStringLiteral("firebird3.0-utils"), 1024, QStringLiteral("libfbclient2")},
        {QStringLiteral("libqt6sql6-ibase"), 300, QStringLiteral("libfbclient2")},
        {QStringLiteral("libfbclient2"), 3072, {}},
    };
}

PrivateDpkg::PrivateDpkg() {
    const QDir d(dir_.path());
    d.mkpath(QStringLiteral("root/var/lib/dpkg/info"));
    d.mkpath(QStringLiteral("root/var/lib/dpkg/updates"));
    d.mkpath(QStringLiteral("proc"));
    writeFile(d.filePath(QStringLiteral("root/var/lib/dpkg/status")), {});
    writeFile(d.filePath(QStringLiteral("root/var/lib/dpkg/available")), {});
    setServiceActive(false);
}

QString PrivateDpkg::root() const {
    return QDir(dir_.path()).filePath(QStringLiteral("root"));
}

unwinder::Options PrivateDpkg::options() const {
    unwinder::Options o;
    o.root = root();
    o.admindir = root() + QStringLiteral("/var/lib/dpkg");
    o.systemctl = QDir(dir_.path()).filePath(QStringLiteral("systemctl"));
    o.procDir = QDir(dir_.path()).filePath(QStringLiteral("proc"));
    // Never asked: the private database is the test's own to write.
    o.pkexec = QStringLiteral("/nonexistent/pkexec");
    return o;
}

bool PrivateDpkg::install(const QList<Package>& packages, QString& error) {
    const QDir d(dir_.path());
    QStringList debs;
    for (const Package& p : packages) {
        const QString tree = d.filePath(QStringLiteral("build/") + p.name);
        QByteArray control = "Package: " + p.name.toUtf8() +
                             "\nVersion: 1.0\nArchitecture: all\nMaintainer: Test <test@example.org>\n"
                             "Installed-Size: " +
                             QByteArray::number(p.installedKiB) + "\n";
        if (!p.depends.isEmpty()) control += "Depends: " + p.depends.toUtf8() + "\n";
        control += "Description: test package " + p.name.toUtf8() + "\n";
        if (!writeFile(tree + QStringLiteral("/DEBIAN/control"), control) ||
            !writeFile(tree + QStringLiteral("/usr/share/") + p.name + QStringLiteral("/README"), "test\n")) {
            error = QStringLiteral("cannot write the package tree of ") + p.name;
            return false;
        }
        const QString deb = d.filePath(p.name + QStringLiteral(".deb"));
        if (!run(QStringLiteral("dpkg-deb"),
                 {QStringLiteral("--root-owner-group"), QStringLiteral("--build"), tree, deb}, error))
            return false;
        debs << deb;
    }
    QStringList args = {QStringLiteral("--root=") + root(),
                        QStringLiteral("--admindir=") + root() + QStringLiteral("/var/lib/dpkg"),
                        QStringLiteral("--log=") + d.filePath(QStringLiteral("dpkg.log")),
                        QStringLiteral("--force-not-root"),
                        QStringLiteral("--force-script-chrootless"),
                        QStringLiteral("--install")};
    return run(QStringLiteral("dpkg"), args + debs, error);
}

QString PrivateDpkg::state(const QString& package) const {
    QProcess p;
    p.start(QStringLiteral("dpkg-query"),
            {QStringLiteral("--admindir=") + root() + QStringLiteral("/var/lib/dpkg"),
             QStringLiteral("--show"), QStringLiteral("--showformat=${db:Status-Status}"), package});
    p.waitForFinished(-1);
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    return out.isEmpty() ? QStringLiteral("not-installed") : out;
}

bool PrivateDpkg::hasFiles(const QString& package) const {
    return QFileInfo::exists(root() + QStringLiteral("/usr/share/") + package + QStringLiteral("/README"));
}

void PrivateDpkg::setServiceActive(bool active) {
    const QString path = QDir(dir_.path()).filePath(QStringLiteral("systemctl"));
    // systemctl is-active: "active" and 0, else the state and 3.
    writeFile(path, active ? "#!/bin/sh\n[ \"$1 $2\" = 'is-active firebird3.0' ] && echo active && exit 0\n"
                             "echo inactive; exit 3\n"
                           : "#!/bin/sh\necho inactive\nexit 3\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void PrivateDpkg::addProcess(int pid, const QString& name) {
    writeFile(QDir(dir_.path()).filePath(QStringLiteral("proc/%1/comm").arg(pid)), name.toUtf8() + "\n");
}

} // namespace unwindertest
