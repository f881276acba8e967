// The seams are one shared library: a library loaded at run time (the probe) and this test binary
// see one message path, one printer, one modal path, one help state and one today.
#include "probe.h"
#include "testsupport/locale_text.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/printing.h"
#include "ui/today.h"

#include <QDialog>
#include <QLibrary>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

class SharedState : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library = new QLibrary(QStringLiteral(UI_PROBE_PATH));
        if (!library->load()) FAIL() << library->errorString().toStdString();
    }
    static void TearDownTestSuite() {
        delete library;
        library = nullptr;
    }
    template <class F> static F entry(const char* name) {
        auto f = reinterpret_cast<F>(library->resolve(name));
        EXPECT_NE(f, nullptr) << name;
        return f;
    }
    // With a second copy of the seams the probe would open real boxes and wait; it fails instead.
    static bool sharesThePrinter() {
        auto printer = entry<ProbePrinter>("probePrinter");
        return printer && printer() == &ui::printer();
    }
    static QLibrary* library;
};
QLibrary* SharedState::library = nullptr;

TEST_F(SharedState, OnePrinter) {
    auto printer = entry<ProbePrinter>("probePrinter");
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer(), &ui::printer());
}

TEST_F(SharedState, MessagesFromAnotherLibraryReachTheTestsRecorder) {
    auto show = entry<ProbeShowMessage>("probeShowMessage");
    ASSERT_TRUE(show);
    ASSERT_TRUE(sharesThePrinter());
    ui::MessageRecorder rec;
    show(QStringLiteral("from the probe"));
    ASSERT_EQ(rec.messages().size(), 1);
    EXPECT_EQ(rec.lastText(), QStringLiteral("from the probe"));
    EXPECT_EQ(rec.lastKind(), ui::MessageKind::Plain);
}

TEST_F(SharedState, OneToday) {
    auto today = entry<ProbeToday>("probeToday");
    ASSERT_TRUE(today);
    ui::TodayOverride fixed(QDate(2004, 2, 29));
    QDate seen;
    today(seen);
    EXPECT_EQ(seen, QDate(2004, 2, 29));
}

TEST_F(SharedState, OneModalPath) {
    auto showModal = entry<ProbeShowModal>("probeShowModal");
    ASSERT_TRUE(showModal);
    ASSERT_TRUE(sharesThePrinter());
    QDialog form;
    ui::ModalInterceptor modal([](QDialog*) { return int(QDialog::Accepted); });
    EXPECT_EQ(showModal(&form), QDialog::Accepted);
    ASSERT_EQ(modal.shown().size(), 1);
    EXPECT_EQ(modal.shown()[0], &form);
}

TEST_F(SharedState, OneHelpState) {
    auto jump = entry<ProbeHelpJump>("probeHelpJump");
    auto file = entry<ProbeApplicationHelpFile>("probeApplicationHelpFile");
    ASSERT_TRUE(jump && file);
    ASSERT_TRUE(sharesThePrinter());
    ui::HelpRecorder rec;
    ui::setApplicationHelpFile(QStringLiteral("Talvero.hlp"));
    QString seen;
    file(seen);
    EXPECT_EQ(seen, QStringLiteral("Talvero.hlp"));
    jump(QStringLiteral("using_Quorin_Help"));
    ASSERT_EQ(rec.requests().size(), 1);
    EXPECT_EQ(rec.requests()[0].helpFile, QStringLiteral("Talvero.hlp"));
    EXPECT_EQ(rec.requests()[0].topic, QStringLiteral("using_Quorin_Help"));
}

TEST_F(SharedState, OneWayToReadAndShowNumbers) {
    auto toFloat = entry<ProbeToFloat>("probeToFloat");
    auto format = entry<ProbeFormat>("probeFormat");
    ASSERT_TRUE(toFloat && format);
    testsupport::DefaultLocale german("de_DE");
    double v = 0;
    QString message;
    EXPECT_TRUE(toFloat(QStringLiteral("12,5"), v, message));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_FALSE(toFloat(QStringLiteral("abc"), v, message));
    EXPECT_EQ(message, QStringLiteral("'abc' is not a valid floating point value"));
    QString shown;
    format(438.79, shown);
    EXPECT_EQ(shown, QStringLiteral(" 438,79"));
}

} // namespace
