// The wizard's core on a private package database: what it lists, when it refuses, and what a
// removal through the real dpkg leaves behind.
#include "private_dpkg.h"
#include "unwinder/components.h"
#include "unwinder/removal.h"
#include "unwinder/service.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace unwinder;
using unwindertest::Package;
using unwindertest::PrivateDpkg;

namespace {

QList<Package> withOtherApp() {
    QList<Package> packages = unwindertest::firebirdPackages();
    packages.append({QStringLiteral("other-app"), 64, QStringLiteral("libfbclient2")});
    return packages;
}

} // namespace

TEST(Components, ListsTheKnownInstalledPackagesInRemovalOrderWithTheirSizes) {
    PrivateDpkg dpkg;
    QString error;
    // libqt6sql6-ibase stays out; other-app is no component.
    QList<Package> packages = withOtherApp();
    packages.removeIf([](const Package& p) { return p.name == QLatin1String("libqt6sql6-ibase"); });
    ASSERT_TRUE(dpkg.install(packages, error)) << error.toStdString();

    QList<Component> found;
    ASSERT_TRUE(installedComponents(dpkg.options(), found, error)) << error.toStdString();
    QStringList names;
    QList<qint64> sizes;
    for (const Component& c : found) {
        names << c.package;
        sizes << c.installedKiB;
    }
    EXPECT_EQ(names, QStringList({"talvero", "firebird3.0-server", "firebird3.0-server-core",
                                  "firebird3.0-utils", "libfbclient2"}));
    EXPECT_EQ(sizes, QList<qint64>({512, 2048, 6144, 1024, 3072}));
    EXPECT_EQ(formatSize(totalKiB(found)), QStringLiteral("12.5 MB"));
}

TEST(Components, AnUnreadablePackageDatabaseIsAnError) {
    PrivateDpkg dpkg;
    QFile status(dpkg.root() + QStringLiteral("/var/lib/dpkg/status"));
    ASSERT_TRUE(status.open(QIODevice::WriteOnly));
    status.write("this is no package database\n");
    status.close();
    QList<Component> found;
    QString error;
    EXPECT_FALSE(installedComponents(dpkg.options(), found, error));
    EXPECT_TRUE(error.contains(QLatin1String("status"))) << error.toStdString();
}

TEST(Components, SizesAreShownInKilobytesBelowOneMegabyte) {
    const struct {
        qint64 kib;
        const char* shown;
    } cases[] = {{0, "0 KB"}, {300, "300 KB"}, {1023, "1023 KB"}, {1024, "1.0 MB"}, {12800, "12.5 MB"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatSize(c.kib), QLatin1String(c.shown)) << c.kib;
}

TEST(Service, TheUnitOrAServerProcessStopsTheWizard) {
    const struct {
        bool unitActive;
        const char* process; // running in the process folder, or null
        const char* unit;    // expected finding, empty: none
        const char* found;
    } cases[] = {
        {true, nullptr, "firebird3.0", ""},
        {false, "fbguard", "", "fbguard"},
        {false, "firebird", "", "firebird"},
        {true, "fbguard", "firebird3.0", "fbguard"},
        {false, "firebird3.0-utils", "", ""}, // a name that merely starts alike
        {false, "bash", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.process ? c.process : "-") + (c.unitActive ? " unit active" : ""));
        PrivateDpkg dpkg;
        dpkg.setServiceActive(c.unitActive);
        dpkg.addProcess(1, QStringLiteral("systemd"));
        if (c.process) dpkg.addProcess(4242, QLatin1String(c.process));
        const auto server = runningServer(dpkg.options());
        if (!*c.unit && !*c.found) {
            EXPECT_FALSE(server.has_value());
            continue;
        }
        ASSERT_TRUE(server.has_value());
        EXPECT_EQ(server->unit, QLatin1String(c.unit));
        EXPECT_EQ(server->process, QLatin1String(c.found));
        EXPECT_TRUE(refusalText(*server).contains(QLatin1String("sudo systemctl stop firebird3.0")));
    }
}

TEST(Service, NoServiceManagerLeavesTheProcessScanToDecide) {
    PrivateDpkg dpkg;
    Options options = dpkg.options();
    options.systemctl = QStringLiteral("/nonexistent/systemctl");
    EXPECT_FALSE(runningServer(options).has_value());
    dpkg.addProcess(77, QStringLiteral("firebird"));
    const auto server = runningServer(options);
    ASSERT_TRUE(server.has_value());
    EXPECT_TRUE(refusalText(*server).contains(QLatin1String("(process firebird)")));
    EXPECT_TRUE(refusalText(*server).contains(QLatin1String("sudo service firebird3.0 stop")));
}

TEST(Removal, RunsDpkgItselfOnlyWhenItMayWriteThePackageDatabase) {
    Options machine;
    const QStringList pkgs = {QStringLiteral("libfbclient2")};
    EXPECT_EQ(removalCommand(machine, pkgs, true, true),
              QStringList({"dpkg", "--status-fd", "1", "--remove", "libfbclient2"}));
    EXPECT_EQ(removalCommand(machine, pkgs, false, false),
              QStringList({"pkexec", "dpkg", "--status-fd", "1", "--remove", "libfbclient2"}));
    Options own;
    own.root = QStringLiteral("/tmp/r");
    own.admindir = QStringLiteral("/tmp/r/var/lib/dpkg");
    EXPECT_EQ(removalCommand(own, pkgs, false, true),
              QStringList({"dpkg", "--root=/tmp/r", "--admindir=/tmp/r/var/lib/dpkg", "--force-not-root",
                           "--log=/tmp/r/var/log/dpkg.log", "--status-fd", "1", "--remove", "libfbclient2"}));
}

TEST(Removal, RemovesWhatNothingElseNeedsAndTellsWhyTheRestStays) {
    PrivateDpkg dpkg;
    QString error;
    ASSERT_TRUE(dpkg.install(withOtherApp(), error)) << error.toStdString();

    Removal removal(dpkg.options());
    QSignalSpy finished(&removal, &Removal::finished);
    QStringList completed;
    QObject::connect(&removal, &Removal::progress, [&](const QString& package, int percent) {
        if (percent == 100) completed << package;
    });
    // other-app still needs the client library.
    const QStringList chosen = {"firebird3.0-server", "firebird3.0-server-core", "libfbclient2"};
    removal.start(chosen);
    ASSERT_TRUE(finished.wait(120000));

    ASSERT_EQ(removal.outcomes().size(), 3);
    EXPECT_TRUE(removal.outcomes()[0].removed);
    EXPECT_TRUE(removal.outcomes()[1].removed);
    EXPECT_FALSE(removal.outcomes()[2].removed);
    EXPECT_TRUE(removal.outcomes()[2].message.contains(QLatin1String("dependency problems")))
        << removal.outcomes()[2].message.toStdString();
    EXPECT_TRUE(removal.errorOutput().contains(QLatin1String("other-app depends on libfbclient2")))
        << removal.errorOutput().toStdString();
    for (const QString& p : chosen)
        EXPECT_TRUE(completed.contains(p)) << p.toStdString();

    EXPECT_EQ(dpkg.state(QStringLiteral("firebird3.0-server")), QStringLiteral("not-installed"));
    EXPECT_EQ(dpkg.state(QStringLiteral("firebird3.0-server-core")), QStringLiteral("not-installed"));
    EXPECT_FALSE(dpkg.hasFiles(QStringLiteral("firebird3.0-server-core")));
    EXPECT_EQ(dpkg.state(QStringLiteral("libfbclient2")), QStringLiteral("installed"));
    EXPECT_TRUE(dpkg.hasFiles(QStringLiteral("libfbclient2")));
    EXPECT_EQ(dpkg.state(QStringLiteral("firebird3.0-utils")), QStringLiteral("installed"));
    // dpkg logged below the private root.
    EXPECT_TRUE(QFile::exists(dpkg.root() + QStringLiteral("/var/log/dpkg.log")));
}

TEST(Options, NamedFoldersMustHoldAPackageDatabase) {
    PrivateDpkg dpkg;
    const struct {
        QStringList args;
        bool ok;
    } cases[] = {
        {{"u", "--admindir", dpkg.root() + "/var/lib/dpkg", "--root", dpkg.root()}, true},
        {{"u", "--admindir", dpkg.root()}, false},
        {{"u", "--root", dpkg.root() + "/missing"}, false},
        {{"u"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QCommandLineParser parser;
        addOptions(parser);
        ASSERT_TRUE(parser.parse(c.args));
        Options options;
        QString error;
        EXPECT_EQ(readOptions(parser, options, error), c.ok) << error.toStdString();
        if (c.ok && c.args.size() > 1) {
            EXPECT_EQ(databaseOptions(options),
                      QStringList({"--root=" + dpkg.root(), "--admindir=" + dpkg.root() + "/var/lib/dpkg"}));
        }
        if (c.args.size() == 1) {
            EXPECT_EQ(options.systemctl, QStringLiteral("systemctl"));
        }
    }
}
