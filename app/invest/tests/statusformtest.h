#pragma once
// The status and revaluation forms with their viewers on top of the investment forms' fixture, and
// a small investment database: account 7 (100 shares at 10, book value 1000, then 50 bought at 12
// with commission 5 on 04/01/2004), account 8 beside it, account 9 opened blank.

#include "formtest.h"
#include "invest/revalueform.h"
#include "invest/statusform.h"
#include "invest/store.h"
#include "ui/modal.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QTableView>

namespace investtest {

class StatusForms : public Forms {
protected:
    void SetUp() override {
        Forms::SetUp();
        {
            db::Connection connection(db::Alias::IBInvest);
            invest::writeNewAccount(connection,
                                    {7, QStringLiteral("Growth Fund"), 10, 100, 1000, {3, 1, 2004}, false});
            invest::writeNewAccount(connection,
                                    {8, QStringLiteral("O'Hara's Income"), 5, 10, 50, {3, 2, 2004}, false});
            invest::writeNewAccount(connection,
                                    {9, QStringLiteral("Empty Fund"), 0, 0, 0, {3, 3, 2004}, true});
            invest::PostedTransaction posted;
            ASSERT_EQ(invest::writePosting(connection,
                                           {7, invest::PostingType::Bought, {50, 12, 5, 0, 0}, {4, 1, 2004}},
                                           posted),
                      nullptr);
        }
        Form24 = new TForm24;
        Form25 = new TForm25;
        Form26 = new TForm26;
        Form27 = new TForm27;
    }
    void TearDown() override {
        delete Form27;
        delete Form26;
        delete Form25;
        delete Form24;
        Form24 = nullptr;
        Form25 = nullptr;
        Form26 = nullptr;
        Form27 = nullptr;
        Forms::TearDown();
    }

    // The texts of a form's boxes, in the order given.
    static QStringList texts(QWidget* form, std::initializer_list<const char*> edits) {
        QStringList shown;
        for (const char* edit : edits)
            shown << text(form, edit);
        return shown;
    }
    // The text of the label whose buddy is `control`, empty with none.
    static QString labelOf(QWidget* form, QWidget* control) {
        for (QLabel* label : form->findChildren<QLabel*>())
            if (label->buddy() == control) return label->text();
        return {};
    }

    // What a history viewer showed when it opened.
    struct Viewed {
        QDialog* form = nullptr;
        int rows = 0;
        QStringList captions;
        QStringList types; // TRANSTYPE of each row
    };
    // Presses `button` on `form`; a viewer it opens is read and closed with "OK".
    static std::optional<Viewed> view(QWidget* form, const char* button) {
        std::optional<Viewed> viewed;
        ui::ModalInterceptor modal([&viewed](QDialog* dialog) {
            auto* viewer = qobject_cast<invest::HistoryWindow*>(dialog);
            EXPECT_NE(viewer, nullptr);
            if (!viewer) return 0;
            viewer->show();
            Viewed v;
            v.form = viewer;
            QAbstractItemModel* grid = viewer->DBGrid1->model();
            v.rows = grid->rowCount();
            for (int c = 0; c < grid->columnCount(); ++c)
                v.captions << grid->headerData(c, Qt::Horizontal).toString();
            for (int r = 0; r < v.rows; ++r)
                v.types << grid->index(r, 5).data().toString();
            viewed = v;
            viewer->Button1->click();
            return viewer->result();
        });
        click(form, button);
        return viewed;
    }
};

} // namespace investtest
