// The dialog TVLOANPR driven as a user does, and whole jobs printed to PDF and read back.
#include "cases.h"
#include "printers/job.h"
#include "printers/tvloanpr.h"

#include "ui/help.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/printing.h"

#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace printers_test;
using talvero::printers::dialogProcedure;
using talvero::printers::PrintDialog;

const talvero::printers::Layout* activeLayout = nullptr;
long probeProcedure(void* dialog, unsigned int message, unsigned long wparam, long lparam) {
    return dialogProcedure(*activeLayout, dialog, message, wparam, lparam);
}

// Text of a PDF, whitespace runs made single, one entry per non-empty line; pages split at \f.
std::vector<std::vector<std::string>> pdfPages(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(60000);
    std::vector<std::vector<std::string>> pages(1);
    for (const QString& raw : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        QString line = raw;
        while (line.startsWith(QLatin1Char('\f'))) {
            pages.emplace_back();
            line.remove(0, 1);
        }
        line = line.simplified();
        if (!line.isEmpty()) pages.back().push_back(line.toStdString());
    }
    while (!pages.empty() && pages.back().empty())
        pages.pop_back();
    return pages;
}

std::vector<std::vector<std::string>> simplified(const talvero::printers::PageText& text) {
    std::vector<std::vector<std::string>> pages;
    for (const auto& page : text.pages()) {
        pages.emplace_back();
        for (const std::string& l : page) {
            const QString s = QString::fromStdString(l).simplified();
            if (!s.isEmpty()) pages.back().push_back(s.toStdString());
        }
    }
    return pages;
}

class Job : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString pdf() const { return dir.filePath(QStringLiteral("job.pdf")); }
    void choosePdf() {
        ui::PrinterDialogInterceptor confirm(true, pdf());
        ASSERT_TRUE(ui::choosePrinter(nullptr));
    }
};

TEST_F(Job, DialogShowsItsTextsWithFocusOnStart) {
    const auto layout = layoutOf(caseNamed("scribe1_24_monthly"));
    activeLayout = layout.get();
    ui::ModalInterceptor modal([](QDialog* d) {
        auto* dialog = qobject_cast<PrintDialog*>(d);
        EXPECT_NE(dialog, nullptr);
        if (!dialog) return 0;
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Print Amortization Schedule"));
        EXPECT_EQ(dialog->objectName(), QStringLiteral("TVLOANPR"));
        EXPECT_EQ(dialog->Button116->text(), QStringLiteral("Cancel"));
        EXPECT_EQ(dialog->Button115->text(), QStringLiteral("Start"));
        EXPECT_EQ(dialog->Button135->text(), QStringLiteral("Help"));
        EXPECT_EQ(dialog->Text200->text(),
                  QStringLiteral("Printing the amortization schedule for the current loan"));
        EXPECT_EQ(dialog->Text201->text(),
                  QStringLiteral("data. Click Start to begin printing, and click Cancel"));
        EXPECT_EQ(dialog->Text202->text(), QStringLiteral("to change your mind."));
        EXPECT_EQ(dialog->focusWidget(), dialog->Button115);
        EXPECT_TRUE(dialog->Button115->isDefault());
        EXPECT_LT(dialog->Button116->x(), dialog->Button115->x());
        EXPECT_LT(dialog->Button115->x(), dialog->Button135->x());
        dialog->Button116->click();
        return dialog->result();
    });
    EXPECT_EQ(talvero::printers::runEntry(&probeProcedure), 0);
    EXPECT_EQ(modal.shown().size(), 1);
    EXPECT_EQ(talvero::printers::openDialog(), nullptr);
}

TEST_F(Job, CancelCloseBoxAndEscapeEndTheDialogWithoutPrinting) {
    const auto layout = layoutOf(caseNamed("scribe1_24_monthly"));
    activeLayout = layout.get();
    choosePdf();
    const std::function<void(PrintDialog*)> ways[] = {
        [](PrintDialog* d) { d->Button116->click(); },
        [](PrintDialog* d) { d->close(); },
        [](PrintDialog* d) { d->reject(); },
    };
    for (const auto& way : ways) {
        bool ended = false;
        ui::ModalInterceptor modal([&](QDialog* d) {
            auto* dialog = static_cast<PrintDialog*>(d);
            way(dialog);
            ended = dialog->ended();
            return dialog->result();
        });
        talvero::printers::runEntry(&probeProcedure);
        EXPECT_TRUE(ended);
    }
    EXPECT_FALSE(QFile::exists(pdf()));
}

TEST_F(Job, HelpKeepsTheDialogOpenAndStartPrints) {
    struct {
        const char* name;
        int context;
        const char* title;
    } cases[] = {{"scribe1_24_monthly", 216, "Regular Amortization"},
                 {"vellum1_36_from_2004", 225, "Calendar Amortization"},
                 {"vellum2_360_balloon_60", 225, "Calendar Amortization"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(pdf());
        const auto layout = layoutOf(caseNamed(c.name));
        activeLayout = layout.get();
        choosePdf();
        ui::HelpRecorder help;
        ui::MessageRecorder messages;
        ui::ModalInterceptor modal([&](QDialog* d) {
            auto* dialog = static_cast<PrintDialog*>(d);
            dialog->Button135->click();
            EXPECT_FALSE(dialog->ended());
            EXPECT_FALSE(QFile::exists(pdf()));
            dialog->Button115->click();
            EXPECT_TRUE(dialog->ended());
            return dialog->result();
        });
        talvero::printers::runEntry(&probeProcedure);
        ASSERT_EQ(help.requests().size(), 1);
        EXPECT_EQ(help.requests()[0].kind, ui::HelpRequest::Context);
        EXPECT_EQ(help.requests()[0].context, c.context);
        EXPECT_EQ(help.requests()[0].helpFile, QStringLiteral("talvero.hlp"));
        EXPECT_TRUE(QFile::exists(pdf()));
        EXPECT_EQ(ui::printer().docName(), QString::fromLatin1(c.title));
        EXPECT_TRUE(messages.empty()); // the printer the user chose: no fallback file to announce
    }
}

TEST(Help, PrinterContextsOpenTheirTopics) {
    EXPECT_EQ(ui::topicForContext(216), QStringLiteral("Printing_by_Loan_Year"));
    EXPECT_EQ(ui::topicForContext(225), QStringLiteral("Printing_by_Calendar_Year"));
    for (int context : {216, 225})
        EXPECT_TRUE(QFile::exists(ui::helpFolder() + QLatin1Char('/') + ui::topicForContext(context) +
                                  QStringLiteral(".html")));
}

TEST_F(Job, ProcedureAnswersEachMessage) {
    const auto layout = layoutOf(caseNamed("scribe1_24_monthly"));
    ui::HelpRecorder help;
    struct {
        unsigned message;
        unsigned long wparam;
        long result;
    } cases[] = {
        {TVLOANPR_INITDIALOG, 0, 0},
        {TVLOANPR_COMMAND, TVLOANPR_CANCEL, 1},
        {TVLOANPR_COMMAND, TVLOANPR_HELP, 0},
        {TVLOANPR_COMMAND, 999, 0},
        {TVLOANPR_CLOSE, 0, 1},
        {0x0200, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(dialogProcedure(*layout, nullptr, c.message, c.wparam, 0), c.result);
    }
    EXPECT_EQ(help.requests().size(), 1);
}

// One job per library on the printer the user confirmed, read back with pdftotext.
TEST_F(Job, PrintedPagesMatchTheLayoutInThePdf) {
    for (const char* name : {"scribe1_26_a_year", "vellum1_closing_on_new_page", "vellum2_360_balloon_60"}) {
        SCOPED_TRACE(name);
        QFile::remove(pdf());
        choosePdf();
        const auto layout = layoutOf(caseNamed(name));
        const int pages = talvero::printers::printLayout(*layout);
        talvero::printers::PageText expected;
        talvero::printers::runJob(*layout, talvero::printers::geometryOf(ui::printer()).linesPerPage,
                                  expected);
        EXPECT_EQ(static_cast<std::size_t>(pages), expected.pages().size());
        EXPECT_EQ(pdfPages(pdf()), simplified(expected));
    }
}

TEST_F(Job, WithoutAChosenOutputTheJobGoesToAPdfInTheDataFolder) {
    qputenv("TALVERO_HOME", dir.path().toLocal8Bit());
    QPrinter& printer = ui::printer();
    const QString before = printer.outputFileName();
    const QPrinter::OutputFormat format = printer.outputFormat();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString());
    ui::MessageRecorder messages;
    const auto layout = layoutOf(caseNamed("scribe1_24_monthly"));
    EXPECT_EQ(talvero::printers::printLayout(*layout), 1);
    ASSERT_EQ(messages.messages().size(), 1);
    const QString path = printer.outputFileName();
    EXPECT_TRUE(path.startsWith(dir.path()));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Printed to %1").arg(path));
    printer.setOutputFormat(format);
    printer.setOutputFileName(before);
}

} // namespace
