// The wizard driven as a user does, offscreen: check the components, press Next and Uninstall,
// and read what the private package database holds afterwards.
#include "private_dpkg.h"
#include "unwinder/wizard.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace unwinder;
using unwindertest::PrivateDpkg;

namespace {

template <class W> W* find(QWidget* wizard, const char* name) {
    W* w = wizard->findChild<W*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

QStringList itemTexts(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void setChecked(QListWidget* list, const QString& package, bool checked) {
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().contains(QStringLiteral("(%1)").arg(package)))
            list->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void press(QWizard& wizard, QWizard::WizardButton which) {
    QAbstractButton* b = wizard.button(which);
    ASSERT_TRUE(b->isVisible() && b->isEnabled()) << which;
    b->click();
}

// Uninstall pressed on the summary: waits for dpkg to end.
void uninstall(Unwinder& wizard) {
    QSignalSpy finished(&wizard.removal(), &Removal::finished);
    press(wizard, QWizard::CommitButton);
    ASSERT_EQ(wizard.currentId(), Unwinder::Progress);
    if (wizard.removal().running()) {
        EXPECT_FALSE(wizard.button(QWizard::CancelButton)->isEnabled());
        wizard.reject();
        EXPECT_TRUE(wizard.isVisible());
    }
    ASSERT_TRUE(finished.wait(120000));
    EXPECT_TRUE(wizard.button(QWizard::CancelButton)->isEnabled());
}

} // namespace

TEST(Wizard, RemovesTheCheckedComponentsAndKeepsTheOthers) {
    PrivateDpkg dpkg;
    QString error;
    ASSERT_TRUE(dpkg.install(unwindertest::firebirdPackages(), error)) << error.toStdString();
    Unwinder wizard(dpkg.options());
    wizard.show();

    auto* list = find<QListWidget>(&wizard, "ComponentList");
    EXPECT_EQ(itemTexts(list),
              QStringList({
                  "Talvero financial calculator (talvero)    512 KB",
                  "Firebird 3 database server (firebird3.0-server)    2.0 MB",
                  "Firebird 3 database engine (firebird3.0-server-core)    6.0 MB",
                  "Firebird command-line tools (isql-fb, gbak) (firebird3.0-utils)    1.0 MB",
                  "Qt 6 Firebird database driver (libqt6sql6-ibase)    300 KB",
                  "Firebird client library (libfbclient2)    3.0 MB",
              }));
    setChecked(list, QStringLiteral("talvero"), false);
    press(wizard, QWizard::NextButton);
    ASSERT_EQ(wizard.currentId(), Unwinder::Summary);
    const QString summary = find<QLabel>(&wizard, "SummaryText")->text();
    EXPECT_FALSE(summary.contains(QLatin1String("(talvero)")));
    EXPECT_TRUE(summary.contains(QLatin1String("Firebird 3 database server (firebird3.0-server)    2.0 MB")));
    // 2048 + 6144 + 1024 + 300 + 3072 KiB.
    EXPECT_EQ(find<QLabel>(&wizard, "TotalLabel")->text(), QStringLiteral("Total size: 12.3 MB"));

    uninstall(wizard);
    auto* removals = find<QListWidget>(&wizard, "RemovalList");
    EXPECT_EQ(itemTexts(removals),
              QStringList({
                  "Removed: Firebird 3 database server (firebird3.0-server)",
                  "Removed: Firebird 3 database engine (firebird3.0-server-core)",
                  "Removed: Firebird command-line tools (isql-fb, gbak) (firebird3.0-utils)",
                  "Removed: Qt 6 Firebird database driver (libqt6sql6-ibase)",
                  "Removed: Firebird client library (libfbclient2)",
              }));
    EXPECT_EQ(find<QProgressBar>(&wizard, "TotalBar")->value(), 5);
    EXPECT_EQ(find<QProgressBar>(&wizard, "TotalBar")->maximum(), 5);
    EXPECT_EQ(find<QProgressBar>(&wizard, "CurrentBar")->value(), 100);
    press(wizard, QWizard::NextButton);
    EXPECT_EQ(wizard.currentId(), Unwinder::Finish);
    EXPECT_TRUE(find<QLabel>(&wizard, "FinishText")->text().contains(QLatin1String("were removed")));
    EXPECT_TRUE(wizard.button(QWizard::FinishButton)->isVisible());

    for (const auto& p : unwindertest::firebirdPackages()) {
        const bool kept = p.name == QLatin1String("talvero");
        EXPECT_EQ(dpkg.state(p.name), kept ? QStringLiteral("installed") : QStringLiteral("not-installed"))
            << p.name.toStdString();
        EXPECT_EQ(dpkg.hasFiles(p.name), kept) << p.name.toStdString();
    }
}

TEST(Wizard, RefusesToGoOnWhileTheServerRunsAndSaysHowToStopIt) {
    PrivateDpkg dpkg;
    QString error;
    ASSERT_TRUE(dpkg.install(unwindertest::firebirdPackages(), error)) << error.toStdString();
    dpkg.setServiceActive(true);
    Unwinder wizard(dpkg.options());
    wizard.show();

    press(wizard, QWizard::NextButton);
    EXPECT_EQ(wizard.currentId(), Unwinder::Components);
    auto* notice = find<QLabel>(&wizard, "ServiceLabel");
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->text().contains(QLatin1String("(service firebird3.0)")))
        << notice->text().toStdString();
    EXPECT_TRUE(notice->text().contains(QLatin1String("sudo systemctl stop firebird3.0")));

    // Stopped: Next goes on, and nothing was removed meanwhile.
    dpkg.setServiceActive(false);
    press(wizard, QWizard::NextButton);
    EXPECT_EQ(wizard.currentId(), Unwinder::Summary);
    EXPECT_FALSE(notice->isVisible());
    EXPECT_EQ(dpkg.state(QStringLiteral("firebird3.0-server")), QStringLiteral("installed"));
}

TEST(Wizard, APackageStillNeededEndsOnTheErrorPageWithDpkgsReason) {
    PrivateDpkg dpkg;
    QString error;
    auto packages = unwindertest::firebirdPackages();
    packages.append({QStringLiteral("other-app"), 64, QStringLiteral("libfbclient2")});
    ASSERT_TRUE(dpkg.install(packages, error)) << error.toStdString();
    Unwinder wizard(dpkg.options());
    wizard.show();
    auto* list = find<QListWidget>(&wizard, "ComponentList");
    for (const char* p : {"talvero", "firebird3.0-server", "firebird3.0-server-core", "firebird3.0-utils"})
        setChecked(list, QLatin1String(p), false);
    press(wizard, QWizard::NextButton);
    uninstall(wizard);

    const QStringList removals = itemTexts(find<QListWidget>(&wizard, "RemovalList"));
    ASSERT_EQ(removals.size(), 2);
    EXPECT_EQ(removals[0], QStringLiteral("Removed: Qt 6 Firebird database driver (libqt6sql6-ibase)"));
    EXPECT_TRUE(removals[1].startsWith(QLatin1String("Failed: Firebird client library (libfbclient2): ")))
        << removals[1].toStdString();
    press(wizard, QWizard::NextButton);
    EXPECT_EQ(wizard.currentId(), Unwinder::Error);
    const QString text = find<QLabel>(&wizard, "ErrorText")->text();
    EXPECT_TRUE(
        text.contains(QLatin1String("could not be removed:\n    Firebird client library (libfbclient2)")))
        << text.toStdString();
    EXPECT_TRUE(find<QPlainTextEdit>(&wizard, "DpkgOutput")
                    ->toPlainText()
                    .contains(QLatin1String("other-app depends on libfbclient2")));
    EXPECT_EQ(dpkg.state(QStringLiteral("libqt6sql6-ibase")), QStringLiteral("not-installed"));
    EXPECT_EQ(dpkg.state(QStringLiteral("libfbclient2")), QStringLiteral("installed"));
}

TEST(Wizard, NothingInstalledLeavesNothingToGoOnWith) {
    PrivateDpkg dpkg;
    QString error;
    ASSERT_TRUE(dpkg.install({{QStringLiteral("other-app"), 64, {}}}, error)) << error.toStdString();
    Unwinder wizard(dpkg.options());
    wizard.show();
    EXPECT_EQ(find<QListWidget>(&wizard, "ComponentList")->count(), 0);
    EXPECT_TRUE(
        find<QLabel>(&wizard, "ServiceLabel")->text().contains(QLatin1String("nothing to uninstall")));
    EXPECT_FALSE(wizard.button(QWizard::NextButton)->isEnabled());
}

TEST(Wizard, AnUnreadablePackageDatabaseGoesToTheErrorPage) {
    PrivateDpkg dpkg;
    QFile status(dpkg.root() + QStringLiteral("/var/lib/dpkg/status"));
    ASSERT_TRUE(status.open(QIODevice::WriteOnly));
    status.write("garbage\n");
    status.close();
    Unwinder wizard(dpkg.options());
    wizard.show();
    press(wizard, QWizard::NextButton);
    EXPECT_EQ(wizard.currentId(), Unwinder::Error);
    EXPECT_TRUE(find<QLabel>(&wizard, "ErrorText")->text().contains(QLatin1String("Nothing was removed")));
    EXPECT_FALSE(find<QPlainTextEdit>(&wizard, "DpkgOutput")->toPlainText().isEmpty());
}
