// "Extra Payment Analysis" from the balloon payout window: the what-if of the balloon term.
#include "balloon/forms.h"
#include "db/connection.h"
#include "db/testsupport/tempdatafolder.h"
#include "formfixture.h"
#include "loan/whatifwindow.h"
#include "outside/listing.h"
#include "ui/messages.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

class BalloonWhatIf : public balloontest::BalloonForms {
protected:
    db::testing::TempDataFolder folder_;
};

TEST_F(BalloonWhatIf, ExtraPaymentsShortenTheBalloonTermAndSaveAsABalloonLoan) {
    computeDefaultLoan(); // 50,000.00 at 10% amortized over 360 months, a balloon term of 60
    bool opened = false;
    modal_.setHandler([&](QDialog* d) {
        auto* w = qobject_cast<loan::ExtraPaymentWindow*>(d);
        if (!w) return d->result();
        opened = true;
        // 100 more a month only shrinks the balloon; 1,000 more pays the loan off inside the term.
        w->Edit1->setText(formtest::typed("100.00"));
        w->Button1->click();
        EXPECT_TRUE(w->result()) << messages_.lastText().toStdString();
        EXPECT_EQ(w->Edit4->text(), formtest::f0(60));
        EXPECT_EQ(w->Edit5->text(), formtest::f0(60));
        EXPECT_GT(w->result()->INTERESTSAVED, 0);
        w->Edit1->setText(formtest::typed("1000.00"));
        w->Button1->click();
        EXPECT_TRUE(w->result()) << messages_.lastText().toStdString();
        EXPECT_LT(w->result()->NEWNUMPAY, 60);
        auto* model = qobject_cast<outside::ScheduleModel*>(w->Grid1->model());
        EXPECT_EQ(model->row(model->rowCount() - 3).BALANCE, 0);
        messages_.clear();
        w->Button4->click();
        EXPECT_EQ(messages_.lastText(), QStringLiteral("Loan Data Saved"));
        return d->result();
    });
    press("Form15", "Button6");
    EXPECT_TRUE(opened);
    db::Connection c(db::Alias::IBLoan);
    QSqlQuery q(c.database());
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT NUMPAY, BLPAY FROM LOANSUMMARY")) && q.next());
    EXPECT_EQ(q.value(0).toDouble(), 360);
    EXPECT_LT(q.value(1).toDouble(), 60);
    EXPECT_GT(q.value(1).toDouble(), 0);
}

} // namespace
