#include "ui/datafolder.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/printing.h"
#include "ui/today.h"

#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
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

TEST(DataFolder, CreatedPrivateUnderTalveroHome) {
    QTemporaryDir tmp;
    const QString home = tmp.path() + QStringLiteral("/nested/home");
    const QByteArray old = qgetenv("TALVERO_HOME");
    qputenv("TALVERO_HOME", home.toUtf8());
    EXPECT_EQ(ui::dataFolderPath(), home);
    EXPECT_EQ(ui::ensureDataFolder(), home);
    const QFileInfo info(home);
    EXPECT_TRUE(info.isDir());
    EXPECT_EQ(info.permissions() &
                  (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
    qputenv("TALVERO_HOME", old);
}

TEST(DataFolder, FallsBackToXdgData) {
    const QByteArray oldHome = qgetenv("TALVERO_HOME");
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    qunsetenv("TALVERO_HOME");
    qputenv("XDG_DATA_HOME", "/tmp/xdgdata");
    EXPECT_EQ(ui::dataFolderPath(), QStringLiteral("/tmp/xdgdata/talvero"));
    qputenv("TALVERO_HOME", oldHome);
    if (oldXdg.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", oldXdg);
}

class PrintSeam : public ::testing::Test {
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
