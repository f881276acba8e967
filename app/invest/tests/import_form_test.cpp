// "Import Transactions": the preview lists the rows and what the forms' checks say of them and
// writes nothing; "Post" writes them; the exports of the import window and of a history viewer
// write the files the export core gives.
#include "formtest.h"
#include "invest/csvfile.h"
#include "invest/importform.h"
#include "invest/statusform.h"
#include "invest/transfer.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

class ImportForm : public investtest::Forms {
protected:
    QString file(const char* name, const QByteArray& bytes = {}) {
        const QString path = dir_.filePath(QLatin1String(name));
        if (!bytes.isEmpty()) {
            QFile f(path);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        return path;
    }
    static QString read(const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        return QString::fromUtf8(f.readAll());
    }
    QTemporaryDir dir_;
    TImportForm form_;
};

const QByteArray kGood = "ACTNO,NAME,DATE,TYPE,SHARES,PRICE,COMMISSION,FEE,DIVIDEND\n"
                         "7,Growth Fund,03012004,N,100,10,0,0,0\n"
                         "7,,04012004,B,50,12.5,5,0,0\n"
                         "7,,05012004,R,0,14,0,0,0\n";

TEST_F(ImportForm, PreviewsThenPosts) {
    const QList<QVariantList> before = everything();
    form_.preview(file("good.csv", kGood));
    EXPECT_EQ(form_.Grid1->rowCount(), 3);
    EXPECT_EQ(form_.Grid1->item(1, 0)->text(), QStringLiteral("3")) << "the row as a spreadsheet numbers it";
    EXPECT_EQ(form_.Grid1->item(1, 6)->text(), QStringLiteral("12.5"));
    EXPECT_TRUE(form_.Memo1->toPlainText().isEmpty());
    EXPECT_EQ(text(&form_, "Edit2"), QStringLiteral("Ready to post 3 rows"));
    EXPECT_TRUE(form_.Button2->isEnabled());
    EXPECT_EQ(everything(), before) << "the preview writes nothing";

    click(&form_, "Button2");
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    EXPECT_EQ(text(&form_, "Edit2"), QStringLiteral("Imported 3 rows"));
    EXPECT_FALSE(form_.Button2->isEnabled()) << "posted once";
    db::Connection connection(db::Alias::IBInvest);
    const invest::AccountRow a = invest::readAccount(connection, 7).value();
    EXPECT_DOUBLE_EQ(a.TOTSHARES, 150);
    EXPECT_DOUBLE_EQ(a.CURRENTPRICE, 14);
    EXPECT_DOUBLE_EQ(a.TOTBOOKVALUE, 1000 + 625 + 5);
}

TEST_F(ImportForm, RefusedRowsAreListedAndCannotBePosted) {
    openAccounts();
    const QList<QVariantList> before = everything();
    form_.preview(file("bad.csv", "ACTNO,NAME,DATE,TYPE,SHARES,PRICE,COMMISSION,FEE,DIVIDEND\n"
                                  "7,Growth Fund,03012004,N,100,10,0,0,0\n"
                                  "8,,04012004,S,5,x,0,0,0\n"));
    EXPECT_EQ(form_.Grid1->rowCount(), 2);
    EXPECT_EQ(form_.Memo1->toPlainText(),
              QStringLiteral("row 2: Duplicate Account Number entered. Please correct!\n"
                             "row 3: 'x' is not a valid floating point value"));
    EXPECT_EQ(text(&form_, "Edit2"), QStringLiteral("2 rows refused"));
    EXPECT_FALSE(form_.Button2->isEnabled());
    EXPECT_EQ(everything(), before);
}

TEST_F(ImportForm, ExportsAsTheCoreWritesThem) {
    openAccounts();
    buyForSeven();
    QString asked;
    invest::CsvFileAnswer answer([&](invest::CsvFileUse use, const QString& suggested) {
        EXPECT_EQ(use, invest::CsvFileUse::Save);
        asked = suggested;
        return file(suggested.toLatin1().constData());
    });
    db::Connection connection(db::Alias::IBInvest);
    click(&form_, "Button3");
    EXPECT_EQ(read(file("history.csv")), invest::exportHistoryCsv(connection));
    click(&form_, "Button4");
    EXPECT_EQ(read(file("accounts.csv")), invest::exportAccountsCsv(connection, {6, 15, 2004}));
    EXPECT_EQ(text(&form_, "Edit2"), QStringLiteral("Exported to ") + file("accounts.csv"));

    TForm27 viewer;
    viewer.setAccount(7);
    click(&viewer, "Button2");
    EXPECT_EQ(asked, QStringLiteral("account-7.csv"));
    const QString seven = read(file("account-7.csv"));
    EXPECT_EQ(seven, invest::exportHistoryCsv(connection, 7));
    EXPECT_EQ(seven.count(QLatin1Char('\n')), 3) << "the header, the opening and the purchase";
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
}

} // namespace
