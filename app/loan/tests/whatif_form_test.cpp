// "Extra Payment Analysis" opened from the payout window's "What If…" button, driven as a user does:
// the inputs typed, Compute, the figures and the listing read back, the exports read back from their
// files and Save checked in the loan database.
#include "charts/chartwindow.h"
#include "db/connection.h"
#include "db/testsupport/tempdatafolder.h"
#include "formfixture.h"
#include "loan/forms.h"
#include "loan/whatif.h"
#include "loan/whatifwindow.h"
#include "outside/listing.h"
#include "ui/filedialog.h"
#include "ui/messages.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using loan::ExtraPaymentWindow;

class WhatIfWindow : public loantest::LoanForms {
protected:
    // Presses "What If…" on the payout window and runs `drive` on the window it opens.
    void whatIf(const std::function<void(ExtraPaymentWindow&)>& drive) {
        bool opened = false;
        modal_.setHandler([&](QDialog* d) {
            if (auto* w = qobject_cast<ExtraPaymentWindow*>(d)) {
                opened = true;
                EXPECT_EQ(w->windowTitle(), QStringLiteral("Extra Payment Analysis"));
                drive(*w);
            }
            return d->result();
        });
        press("Form9", "Button6");
        modal_.setHandler([](QDialog* d) { return d->result(); });
        EXPECT_TRUE(opened);
    }
    static QString pdfText(const QString& path) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    db::testing::TempDataFolder folder_;
    QTemporaryDir dir_;
};

TEST_F(WhatIfWindow, FixedExtraEveryMonthSideBySideListedExportedAndSaved) {
    computeDefaultLoan(); // 50,000.00 at 10% over 360 months from 07/01/2004, flag 0
    const QPushButton* button = Form9->findChild<QPushButton*>(QStringLiteral("Button6"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QString::fromUtf8("What If\u2026"));
    const QString csv = dir_.filePath(QStringLiteral("new.csv")),
                  pdf = dir_.filePath(QStringLiteral("new.pdf"));
    ui::FileDialogInterceptor files([&](const ui::FileRequest& request) {
        return request.caption == QLatin1String("Export CSV") ? csv : pdf;
    });
    whatIf([&](ExtraPaymentWindow& w) {
        messages_.clear();
        w.Button2->click();
        EXPECT_EQ(messages_.lastText(), QStringLiteral("Compute the extra payments first."));
        w.Edit1->setText(formtest::typed("100.00"));
        w.Button1->click();
        ASSERT_TRUE(w.result()) << messages_.lastText().toStdString();
        // Flag 0 pays interest on the balance at 10/12% a month: with P + 100 a month the payments
        // number -ln(1 - A i / (P + 100)) / ln(1 + i), rounded up.
        const double P = Form1->SCHEDPAY, i = 0.10 / 12;
        const double n = std::ceil(-std::log(1 - 50000 * i / (P + 100)) / std::log(1 + i));
        EXPECT_EQ(w.Edit4->text(), formtest::f0(360));
        EXPECT_EQ(w.Edit5->text(), formtest::f0(n));
        EXPECT_EQ(w.Edit10->text(), formtest::f0(360 - n));
        EXPECT_EQ(w.Edit8->text(), QStringLiteral("06/01/2034"));
        EXPECT_EQ(w.Edit12->text(), formtest::f2(P));
        EXPECT_GT(w.result()->INTERESTSAVED, 0);
        EXPECT_EQ(w.Edit11->text(), formtest::f2(w.result()->INTERESTSAVED));
        EXPECT_EQ(w.Edit7->text(), formtest::f2(w.result()->NEWTOTALINTEREST));
        // The listing: payments, a subtotal per year, the grand total; the last payment clears the loan.
        auto* model = qobject_cast<outside::ScheduleModel*>(w.Grid1->model());
        ASSERT_NE(model, nullptr);
        const int last = model->rowCount() - 1;
        EXPECT_EQ(model->row(last).kind, talvero::schedule::RowKind::GrandTotal);
        EXPECT_NEAR(model->row(last).amounts.PRINAMT, 50000, 1e-6);
        EXPECT_EQ(model->row(last - 2).BALANCE, 0);
        EXPECT_EQ(model->row(last - 2).date, w.result()->NEWMATURITY);
        // The chart: the balance after each payment as computed and with the extra, the new one
        // reaching 0 on the new last payment date.
        talvero::charts::Chart chart;
        {
            ui::ModalInterceptor charts([&](QDialog* d) {
                if (auto* c = qobject_cast<talvero::charts::ChartWindow*>(d)) chart = c->chart();
                return 0;
            });
            w.Button6->click();
            EXPECT_EQ(charts.shown().size(), 1);
        }
        EXPECT_EQ(chart.title, "Extra Payment Chart");
        ASSERT_EQ(chart.panels.size(), 1u);
        const auto& curves = chart.panels[0].series;
        ASSERT_EQ(curves.size(), 2u);
        EXPECT_EQ(curves[0].name, "Original Balance");
        EXPECT_EQ(curves[0].y.size(), 360u);
        EXPECT_NEAR(curves[0].y.back(), 0, 0.01);
        EXPECT_EQ(curves[1].name, "New Balance");
        ASSERT_EQ(curves[1].y.size(), static_cast<std::size_t>(n));
        EXPECT_EQ(curves[1].y.back(), 0);
        EXPECT_EQ(curves[1].labels.back(), std::string(model->row(last - 2).PAYDATE));
        for (std::size_t k = 0; k < curves[1].y.size(); ++k)
            ASSERT_LE(curves[1].y[k], curves[0].y[k]) << k;

        w.Button2->click();
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QStringList lines =
            QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        EXPECT_EQ(lines.first(),
                  QStringLiteral("PAYDATE,INTAMT,PRINAMT,DSINS,LFINS,TAXES,HOINS,OTINS,PAYMENT,BALANCE"));
        EXPECT_EQ(lines.size(), model->rowCount() + 1);
        EXPECT_TRUE(lines.last().startsWith(QStringLiteral("GRAND TOTALS,"))) << lines.last().toStdString();
        EXPECT_TRUE(lines.last().contains(QStringLiteral(",50000.00,")));

        w.Button3->click();
        const QString text = pdfText(pdf);
        EXPECT_TRUE(text.contains(QStringLiteral("Extra Payment Amortization Table")))
            << text.left(400).toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("GRAND TOTALS")));
        EXPECT_TRUE(text.contains(QString::fromLatin1(model->row(last - 2).PAYDATE)));

        messages_.clear();
        w.Button4->click();
        EXPECT_EQ(messages_.lastText(), QStringLiteral("Loan Data Saved"));
    });
    db::Connection c(db::Alias::IBLoan);
    QSqlQuery q(c.database());
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT NUMPAY, LOANNO FROM LOANSUMMARY")) && q.next());
    const double P = Form1->SCHEDPAY, i = 0.10 / 12;
    EXPECT_EQ(q.value(0).toDouble(), std::ceil(-std::log(1 - 50000 * i / (P + 100)) / std::log(1 + i)));
    EXPECT_EQ(Form1->UnsavedCount, 1); // the computed loan itself is still to save
}

TEST_F(WhatIfWindow, YearlyExtraAndLumpSumsAndBadInput) {
    computeDefaultLoan();
    whatIf([&](ExtraPaymentWindow& w) {
        struct Case {
            const char* amount;
            const char* lumps;
            const char* message;
        } const refused[] = {
            {"-5", "", "The extra amount cannot be negative."},
            {"abc", "", "'abc' is not a valid floating point value"},
            {"", "07012004", "'07012004' is not a date (MMDDCCYY) and an amount"},
            {"", "07012004 60000",
             "The lump sum of 60000.00 dated 07/01/2004 is more than the balance of 50000.00"},
            {"", "07012044 10", "The lump sum dated 07/01/2044 falls outside the loan"},
        };
        for (const Case& c : refused) {
            messages_.clear();
            w.Edit1->setText(QString::fromLatin1(c.amount));
            w.Memo1->setPlainText(QString::fromLatin1(c.lumps));
            w.Button1->click();
            EXPECT_TRUE(messages_.lastText().startsWith(QString::fromLatin1(c.message)))
                << messages_.lastText().toStdString();
            EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Error);
            EXPECT_FALSE(w.result());
            EXPECT_TRUE(w.Edit5->text().isEmpty());
        }
        // A thirteenth payment each December and two lump sums.
        w.Edit1->setText(formtest::typed("438.79"));
        w.ComboBox1->setCurrentIndex(2);
        w.ComboBox2->setCurrentIndex(11);
        w.Memo1->setPlainText(QStringLiteral("03152006 1000\n01012010:2500"));
        w.Button1->click();
        ASSERT_TRUE(w.result()) << messages_.lastText().toStdString();
        auto* model = qobject_cast<outside::ScheduleModel*>(w.Grid1->model());
        QStringList extra;
        for (int r = 0; r < model->rowCount() && extra.size() < 5; ++r)
            if (model->row(r).extra > 0) extra << QString::fromLatin1(model->row(r).PAYDATE);
        EXPECT_EQ(extra, (QStringList{"12/01/2004", "12/01/2005", "04/01/2006", "12/01/2006", "12/01/2007"}));
    });
}

} // namespace
