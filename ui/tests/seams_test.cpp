#include "testsupport/temp_data_folder.h"
#include "ui/datafolder.h"
#include "ui/filedialog.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/printing.h"
#include "ui/today.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

TEST(Messages, RecorderKeepsKindAndTextInOrder) {
    ui::MessageRecorder rec;
    ui::showMessage(QStringLiteral("plain"));
    ui::showError(QStringLiteral("bad"));
    ui::engineMessage(nullptr, 1, "Loan Input Error!\nx");
    ui::engineMessage(nullptr, 0, "info");
    ASSERT_EQ(rec.messages().size(), 4);
    EXPECT_EQ(rec.messages()[0].kind, ui::MessageKind::Plain);
    EXPECT_EQ(rec.messages()[1].kind, ui::MessageKind::Error);
    EXPECT_EQ(rec.messages()[2].kind, ui::MessageKind::Error);
    EXPECT_EQ(rec.messages()[2].text, QStringLiteral("Loan Input Error!\nx"));
    EXPECT_EQ(rec.messages()[3].kind, ui::MessageKind::Plain);
}

TEST(Messages, NestedRecorderRestoresTheOuterOne) {
    ui::MessageRecorder outer;
    {
        ui::MessageRecorder inner;
        ui::showMessage(QStringLiteral("a"));
        EXPECT_EQ(inner.messages().size(), 1);
    }
    ui::showMessage(QStringLiteral("b"));
    ASSERT_EQ(outer.messages().size(), 1);
    EXPECT_EQ(outer.lastText(), QStringLiteral("b"));
}

TEST(Modal, InterceptorSeesTheFormAndItsResult) {
    QDialog form;
    ui::ModalInterceptor modal([](QDialog* d) {
        d->setWindowTitle(QStringLiteral("driven"));
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(ui::showModal(&form), QDialog::Accepted);
    ASSERT_EQ(modal.shown().size(), 1);
    EXPECT_EQ(modal.shown()[0], &form);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("driven"));
}

TEST(Today, OverrideIsRestored) {
    const QDate real = ui::today();
    {
        ui::TodayOverride fixed(QDate(2004, 2, 29));
        EXPECT_EQ(ui::today(), QDate(2004, 2, 29));
    }
    EXPECT_EQ(ui::today(), real);
}

struct Told {
    int month, day, year;
    bool operator==(const Told&) const = default;
};

TEST(Today, ListenersFollowEveryChange) {
    QList<Told> told;
    const int id = ui::onTodayChanged([&told](int m, int d, int y) { told.append({m, d, y}); });
    {
        ui::TodayOverride fixed(QDate(2004, 2, 29));
        { ui::TodayOverride inner(QDate(1999, 12, 31)); }
    }
    ui::removeTodayListener(id);
    { ui::TodayOverride unheard(QDate(2010, 1, 1)); }
    const QList<Told> expected = {{0, 0, 0}, {2, 29, 2004}, {12, 31, 1999}, {2, 29, 2004}, {0, 0, 0}};
    EXPECT_EQ(told, expected);
}

TEST(Today, AListenerAddedUnderAnOverrideHearsItAtOnce) {
    ui::TodayOverride fixed(QDate(2004, 6, 1));
    Told heard{-1, -1, -1};
    const int id = ui::onTodayChanged([&heard](int m, int d, int y) { heard = {m, d, y}; });
    EXPECT_EQ(heard, (Told{6, 1, 2004}));
    ui::removeTodayListener(id);
}

class DataFolder : public testsupport::DataFolderTest {};

TEST_F(DataFolder, FixtureGivesAPrivateEmptyFolder) {
    EXPECT_EQ(ui::dataFolderPath(), QDir::cleanPath(dataFolder.path()));
    EXPECT_TRUE(QDir(dataFolder.path()).isEmpty());
}

TEST(DataFolderFixture, RestoresWhatWasThere) {
    const QByteArray before = qgetenv("TALVERO_HOME");
    QString inside;
    {
        testsupport::TempDataFolder folder;
        inside = folder.path();
        EXPECT_EQ(qgetenv("TALVERO_HOME"), inside.toLocal8Bit());
    }
    EXPECT_EQ(qgetenv("TALVERO_HOME"), before);
    EXPECT_FALSE(QDir(inside).exists()) << "the folder goes with the fixture";
}

TEST_F(DataFolder, CreatedPrivateUnderTalveroHome) {
    const QString home = dataFolder.path() + QStringLiteral("/nested/home");
    qputenv("TALVERO_HOME", home.toUtf8());
    EXPECT_EQ(ui::dataFolderPath(), home);
    EXPECT_EQ(ui::ensureDataFolder(), home);
    const QFileInfo info(home);
    EXPECT_TRUE(info.isDir());
    EXPECT_EQ(info.permissions() &
                  (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
}

TEST_F(DataFolder, FallsBackToXdgData) {
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    qunsetenv("TALVERO_HOME");
    qputenv("XDG_DATA_HOME", "/tmp/xdgdata");
    EXPECT_EQ(ui::dataFolderPath(), QStringLiteral("/tmp/xdgdata/talvero"));
    if (oldXdg.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", oldXdg);
}

TEST(FileDialog, InterceptorAnswersEachRequestAndRecordsIt) {
    ui::FileDialogInterceptor outer; // cancels
    {
        ui::FileDialogInterceptor inner([](const ui::FileRequest& r) {
            return r.kind == ui::FileRequest::Save ? QStringLiteral("/tmp/") + r.proposed : QString();
        });
        EXPECT_EQ(ui::saveFileName(nullptr, QStringLiteral("Save as PDF"), QStringLiteral("Report.pdf"),
                                   QStringLiteral("PDF files (*.pdf)")),
                  QStringLiteral("/tmp/Report.pdf"));
        EXPECT_EQ(ui::openFileName(nullptr, QStringLiteral("Open"), QString(), QStringLiteral("*.db")),
                  QString());
        ASSERT_EQ(inner.requests().size(), 2);
        const ui::FileRequest& save = inner.requests()[0];
        EXPECT_EQ(save.kind, ui::FileRequest::Save);
        EXPECT_EQ(save.caption, QStringLiteral("Save as PDF"));
        EXPECT_EQ(save.proposed, QStringLiteral("Report.pdf"));
        EXPECT_EQ(save.filter, QStringLiteral("PDF files (*.pdf)"));
        EXPECT_EQ(inner.requests()[1].kind, ui::FileRequest::Open);
    }
    EXPECT_EQ(ui::saveFileName(nullptr, QStringLiteral("Save"), QStringLiteral("x.pdf"), QString()),
              QString())
        << "the outer interceptor is back and cancels";
    EXPECT_EQ(outer.requests().size(), 1);
}

class PrintSeam : public testsupport::DataFolderTest {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&form);
        layout->addWidget(new QLabel(QStringLiteral("Total Payout  12345.67")));
        form.resize(300, 120);
    }
    QDialog form;
    QTemporaryDir tmp;
};

TEST_F(PrintSeam, CancelledDialogPrintsNothing) {
    const QString pdf = tmp.path() + QStringLiteral("/out.pdf");
    ui::PrinterDialogInterceptor dialog(false, pdf);
    EXPECT_FALSE(ui::printFormImage(&form));
    EXPECT_EQ(dialog.dialogsShown(), 1);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintSeam, ConfirmedDialogWritesAPdfPage) {
    const QString pdf = tmp.path() + QStringLiteral("/out.pdf");
    ui::PrinterDialogInterceptor dialog(true, pdf);
    EXPECT_TRUE(ui::printFormImage(&form));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Image")) << "the form is printed as a picture";
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// With no printer every print goes to a file of its own in the data folder, named to the user.
TEST_F(PrintSeam, WithNoPrinterEachPrintHasItsOwnFile) {
    ui::MessageRecorder messages;
    ui::PrinterDialogInterceptor dialog(true);
    ASSERT_TRUE(ui::printFormImage(&form));
    ASSERT_TRUE(ui::printFormImage(&form));
    ASSERT_TRUE(ui::printFormImage(&form));
    const QStringList files =
        QDir(dataFolder.path()).entryList({QStringLiteral("talvero-print-*.pdf")}, QDir::Files);
    ASSERT_EQ(files.size(), 3);
    ASSERT_EQ(messages.messages().size(), 3);
    QStringList named;
    for (const auto& m : messages.messages()) {
        ASSERT_TRUE(m.text.startsWith(QStringLiteral("Printed to "))) << m.text.toStdString();
        named << m.text.mid(11);
    }
    EXPECT_EQ(named.size(), QSet<QString>(named.begin(), named.end()).size()) << "no file is written twice";
    for (const QString& path : named) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(QFileInfo(path).absolutePath(), QDir(dataFolder.path()).absolutePath());
        EXPECT_TRUE(contents(path).startsWith("%PDF"));
    }
}

TEST_F(PrintSeam, ProposedNameSkipsTakenNames) {
    const QString first = ui::nextPdfPath();
    EXPECT_TRUE(QFileInfo(first).fileName().startsWith(QStringLiteral("talvero-print-")));
    QFile taken(first);
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.close();
    const QString second = ui::nextPdfPath();
    EXPECT_NE(second, first);
    EXPECT_FALSE(QFile::exists(second));
}

TEST(Help, JumpsContextsAndFormHelpFiles) {
    ui::HelpRecorder rec;
    QDialog form;
    ui::setApplicationHelpFile(QStringLiteral("C:\\Talvero\\TALVERO.HLP"));
    EXPECT_EQ(ui::helpFileFor(&form), QStringLiteral("C:\\Talvero\\TALVERO.HLP"));
    ui::setFormHelpFile(&form, QStringLiteral("talvero.hlp"));
    EXPECT_EQ(ui::helpFileFor(&form), QStringLiteral("talvero.hlp"));
    ui::helpJump(QStringLiteral("Talvero.hlp"), QStringLiteral("using_Quorin_Help"));
    ui::helpContext(ui::helpFileFor(&form), 2);
    ui::helpContext(ui::helpFileFor(&form), 987654);
    ASSERT_EQ(rec.requests().size(), 3);
    EXPECT_EQ(rec.requests()[0].topic, QStringLiteral("using_Quorin_Help"));
    EXPECT_EQ(rec.requests()[1].helpFile, QStringLiteral("talvero.hlp"));
    EXPECT_EQ(rec.requests()[1].context, 2);
    EXPECT_EQ(rec.requests()[2].topic, QStringLiteral("index")) << "an unknown context opens the contents";
}

TEST(Help, EveryMappedContextHasItsTopicFile) {
    for (int id : {1, 2, 3, 4, 6}) {
        SCOPED_TRACE(id);
        const QString topic = ui::topicForContext(id);
        EXPECT_NE(topic, QStringLiteral("index"));
        EXPECT_TRUE(QFile::exists(ui::helpFolder() + QLatin1Char('/') + topic + QStringLiteral(".html")));
    }
    EXPECT_TRUE(QFile::exists(ui::helpFolder() + QStringLiteral("/index.html")));
    EXPECT_TRUE(QFile::exists(ui::helpFolder() + QStringLiteral("/using_Quorin_Help.html")));
}

} // namespace
