// "Add Investment Fund" driven as a user does: the checks in their order, the rows written, the
// results form, and a failure part way through the writing.
#include "formtest.h"

#include "db/testsupport/fault.h"
#include "ui/help.h"
#include "ui/modal.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>

namespace {

using investtest::Forms;

struct Typed {
    const char* number = "7";
    const char* name = "Growth Fund";
    const char* price = "10";
    const char* shares = "1000";
    const char* balance = "12000";
    const char* date = "03012004";
    bool blank = false;
};

class AddForm : public Forms {
protected:
    void type(const Typed& t) {
        setText(Form20, "Edit1", QString::fromLatin1(t.number));
        setText(Form20, "Edit2", QString::fromLatin1(t.name));
        setText(Form20, "Edit3", typedNumber(t.price));
        setText(Form20, "Edit4", typedNumber(t.shares));
        setText(Form20, "Edit5", typedNumber(t.balance));
        setText(Form20, "Edit6", QString::fromLatin1(t.date));
        Form20->CheckBox1->setChecked(t.blank);
    }
    QStringList typedTexts() const {
        QStringList texts;
        for (const char* edit : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"})
            texts << text(Form20, edit);
        return texts;
    }
    // Presses Add; Form21, when it opens, is read and closed with OK.
    void add() {
        shownResults_.clear();
        ui::ModalInterceptor modal([this](QDialog* form) {
            EXPECT_EQ(form, Form21);
            for (const char* edit : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit15", "Edit6", "Edit7",
                                     "Edit8", "Edit9", "Edit10", "Edit11", "Edit12", "Edit13", "Edit14"})
                shownResults_[QLatin1String(edit)] = text(Form21, edit);
            click(Form21, "Button1");
            return Form21->result();
        });
        Form20->show();
        click(Form20, "Button1");
    }
    QMap<QString, QString> shownResults_;
};

TEST_F(AddForm, StartsWithItsInitialTexts) {
    EXPECT_EQ(Form20->windowTitle(), QStringLiteral("Add Investment Fund"));
    EXPECT_EQ(Form20->Label1->text(), QStringLiteral("Investment Fund Input"));
    const QStringList initial = {"0", "Account Name", "0.00000000", "0.00000", "   0.00", "06152004"};
    EXPECT_EQ(typedTexts(), nums(initial));
    EXPECT_FALSE(Form20->CheckBox1->isChecked());
    EXPECT_EQ(Form20->CheckBox1->text(), QStringLiteral("Allow Blank Account Data"));
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"Button1", "Add"}, {"Button2", "Quit"}, {"Button3", "Help"}};
    for (const auto& b : buttons)
        EXPECT_EQ(Form20->findChild<QPushButton*>(QLatin1String(b.name))->text(), QLatin1String(b.caption));
    const char* labels[] = {"Account Number", "Account Name",    "Current Price",
                            "Total Shares ",  "Current Balance", "Date Opened"};
    for (int i = 0; i < 6; ++i) {
        QLineEdit* edit = Form20->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i + 1));
        bool labelled = false;
        for (QLabel* label : Form20->findChildren<QLabel*>())
            labelled |= label->buddy() == edit && label->text() == QLatin1String(labels[i]);
        EXPECT_TRUE(labelled) << labels[i];
        EXPECT_EQ(edit->accessibleDescription(), edit->objectName());
    }
}

TEST_F(AddForm, AddWithTheInitialTextsAsksForTheRequiredFields) {
    add();
    EXPECT_EQ(messages_.lastText(), QStringLiteral("You failed to enter a required field.  Please correct!"));
    EXPECT_EQ(count("INVESTSUMMARY"), 0);
}

TEST_F(AddForm, ChecksStopAtTheFirstFailureAndWriteNothing) {
    // clang-format off
    const char* const required = "You failed to enter a required field.  Please correct!";
    const char* const blankRequired = "You must enter the Account Number and Name for accounts with no data. Please correct!";
    const char* const digitsOnly = "Only numeric values are allowed for the account number. Please re-enter without periods, dashes, etc.";
    const char* const badName = "Invalid Account Name entered!\nYou entered a non-alphabetic character.\nSpaces and hyphens are allowable.\nDo not exceed 20 characters.\nPlease re-enter.";
    const char* const longName = "Account Name is too large!\nYou cannot exceed 20 characters.\nPlease re-enter.";
    const char* const badDate = "Invalid Transaction Date Entered!\nUse MMDDCCYY format--(8 digits total).\nDo not use spaces, slashes, etc.\nThe CENTURY must be included.\nBe sure month, day, and year are valid.\n\nPlease re-enter correctly.\n\nNOTE: A blank transaction date is acceptable.\nThis field will automatically be todays date if\nleft blank.";
    auto with = [](auto change) { Typed t; change(t); return t; };
    const struct {
        const char* what;
        Typed typed;
        ui::MessageKind kind;
        QString message;
    } cases[] = {
        {"price not a number", with([](Typed& t) { t.price = "ten"; }), ui::MessageKind::Plain, "'ten' is not a valid floating point value"},
        {"shares with a separator", with([](Typed& t) { t.shares = "1,000"; }), ui::MessageKind::Plain, QStringLiteral("'%1' is not a valid floating point value").arg(typedNumber("1,000"))},
        {"balance empty", with([](Typed& t) { t.balance = ""; }), ui::MessageKind::Plain, "'' is not a valid floating point value"},
        {"price before shares", with([](Typed& t) { t.price = "p"; t.shares = "s"; }), ui::MessageKind::Plain, "'p' is not a valid floating point value"},
        {"date pieces", with([](Typed& t) { t.date = "0a012004"; }), ui::MessageKind::Plain, "'0a' is not a valid integer value"},
        {"account number with a dash", with([](Typed& t) { t.number = "7-1"; }), ui::MessageKind::Plain, digitsOnly},
        {"account number with a blank", with([](Typed& t) { t.number = " 7"; }), ui::MessageKind::Plain, digitsOnly},
        {"account number empty", with([](Typed& t) { t.number = ""; }), ui::MessageKind::Plain, "'' is not a valid integer value"},
        {"blank account numbered 0", with([](Typed& t) { t.blank = true; t.number = "0"; }), ui::MessageKind::Plain, blankRequired},
        {"blank account, initial name", with([](Typed& t) { t.blank = true; t.name = "Account Name"; }), ui::MessageKind::Plain, blankRequired},
        {"account number 0", with([](Typed& t) { t.number = "0"; }), ui::MessageKind::Plain, required},
        {"name empty", with([](Typed& t) { t.name = ""; }), ui::MessageKind::Plain, required},
        {"initial name", with([](Typed& t) { t.name = "Account Name"; }), ui::MessageKind::Plain, required},
        {"price 0", with([](Typed& t) { t.price = "0"; }), ui::MessageKind::Plain, required},
        {"shares 0", with([](Typed& t) { t.shares = "0.00000"; }), ui::MessageKind::Plain, required},
        {"balance 0", with([](Typed& t) { t.balance = "   0.00"; }), ui::MessageKind::Plain, required},
        {"balance negative", with([](Typed& t) { t.balance = "-5"; }), ui::MessageKind::Plain, required},
        {"name with a digit", with([](Typed& t) { t.name = "Fund 2"; }), ui::MessageKind::Error, badName},
        {"name with an underscore", with([](Typed& t) { t.name = "Growth_Fund"; }), ui::MessageKind::Error, badName},
        {"name of 21 letters", with([](Typed& t) { t.name = "Abcdefghijklmnopqrstu"; }), ui::MessageKind::Error, longName},
        {"name with a digit after 21", with([](Typed& t) { t.name = "Abcdefghijklmnopqrstu1"; }), ui::MessageKind::Error, longName},
        {"price with an exponent", with([](Typed& t) { t.price = "1e1"; }), ui::MessageKind::Error, "Invalid Price entered!\nYou entered a non numeric value.\nPlease re-enter."},
        {"price too large", with([](Typed& t) { t.price = "1000000"; }), ui::MessageKind::Error, "Invalid Price entered!\nAmount exceeds allowable value.\nPlease enter a price not greater than $999,999.99\n"},
        {"shares with a sign", with([](Typed& t) { t.shares = "+5"; }), ui::MessageKind::Error, "Invalid Number of Shares entered!\nYou entered a non numeric value.\nPlease re-enter."},
        {"shares too many", with([](Typed& t) { t.shares = "1000000"; }), ui::MessageKind::Error, "Invalid Number of Shares entered!\nAmount exceeds allowable value.\nPlease enter a quantity not greater than 999999.999\n"},
        {"balance with an exponent", with([](Typed& t) { t.balance = "1e3"; }), ui::MessageKind::Error, "Invalid Balance entered!\nYou entered a non numeric value.\nPlease re-enter."},
        {"balance too large", with([](Typed& t) { t.balance = "1000000000"; }), ui::MessageKind::Error, "Invalid Balance entered!\nAmount exceeds allowable value.\nPlease enter a balance not greater than $999,999,999.99\n"},
        {"blank account, price with an exponent", with([](Typed& t) { t.blank = true; t.price = "1e1"; }), ui::MessageKind::Error, "Invalid Price entered!\nYou entered a non numeric value.\nPlease re-enter."},
        {"month 13", with([](Typed& t) { t.date = "13012004"; }), ui::MessageKind::Error, badDate},
        {"day 00", with([](Typed& t) { t.date = "01002004"; }), ui::MessageKind::Error, badDate},
        {"date with slashes", with([](Typed& t) { t.date = "01/01/04"; }), ui::MessageKind::Plain, "'/0' is not a valid integer value"},
        {"nine digits", with([](Typed& t) { t.date = "010120041"; }), ui::MessageKind::Error, badDate},
        {"blank in the month", with([](Typed& t) { t.date = " 1012004"; }), ui::MessageKind::Error, badDate},
        {"year 0999", with([](Typed& t) { t.date = "01010999"; }), ui::MessageKind::Error, badDate},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        type(c.typed);
        const QStringList typed = typedTexts();
        messages_.clear();
        ui::ModalInterceptor modal;
        Form20->show();
        click(Form20, "Button1");
        ASSERT_EQ(messages_.messages().size(), 1);
        EXPECT_EQ(messages_.lastText(), c.message);
        EXPECT_EQ(messages_.lastKind(), c.kind);
        EXPECT_TRUE(modal.shown().isEmpty());
        EXPECT_TRUE(Form20->isVisible());
        EXPECT_EQ(typedTexts(), typed);
        EXPECT_EQ(Form20->CheckBox1->isChecked(), c.typed.blank);
        EXPECT_EQ(count("INVESTSUMMARY"), 0);
        EXPECT_EQ(count("LINEITEM"), 0);
    }
}

TEST_F(AddForm, AnAccountWithItsHoldingAndItsOpeningLineItem) {
    type({});
    add();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    const QList<QVariantList> accounts = rows(QStringLiteral("SELECT * FROM INVESTSUMMARY"));
    const QVariantList account = {1,   7,  "Growth Fund         ", 10.0, 1000.0, 12000.0, 12000.0, 0.0, 0.0,
                                  0.0, 0.0};
    EXPECT_EQ(accounts, QList<QVariantList>{account});
    const QList<QVariantList> items = rows(QStringLiteral("SELECT * FROM LINEITEM"));
    const QVariantList item = {1,   1,   7,      "Growth Fund         ", "03/01/2004", "N", 1000.0, 10.0, 0.0,
                               0.0, 0.0, 10000.0};
    EXPECT_EQ(items, QList<QVariantList>{item});

    QMap<QString, QString> shown = {{"Edit1", "7"},        {"Edit2", "Growth Fund"}, {"Edit3", "  10.00"},
                                    {"Edit4", "1000.00"},  {"Edit5", "12000.00"},    {"Edit15", "03/01/2004"},
                                    {"Edit6", "7"},        {"Edit7", "Growth Fund"}, {"Edit8", "  10.00"},
                                    {"Edit9", "1000.00"},  {"Edit10", "12000.00"},   {"Edit11", "10000.00"},
                                    {"Edit12", "   0.00"}, {"Edit13", "   0.00"},    {"Edit14", "   0.00"}};
    for (QString& text : shown)
        text = testsupport::num(text);
    EXPECT_EQ(shownResults_, shown);
    // OK on the results closes both forms; the typed texts stay for the next add.
    EXPECT_EQ(Form20->result(), QDialog::Accepted);
    EXPECT_FALSE(Form20->isVisible());
    EXPECT_EQ(text(Form20, "Edit2"), QStringLiteral("Growth Fund"));
}

TEST_F(AddForm, ABlankAccountIsAllZeroAndAnEmptyDateIsToday) {
    Typed t;
    t.blank = true;
    t.price = "0.00000000";
    t.shares = "0.00000";
    t.balance = "   0.00";
    t.date = "";
    type(t);
    add();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    const QVariantList account = {1, 7, "Growth Fund         ", 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM INVESTSUMMARY")), QList<QVariantList>{account});
    const QVariantList item = {1,   1,   7,  "Growth Fund         ", "06/15/2004", "N", 0.0, 0.0, 0.0,
                               0.0, 0.0, 0.0};
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM LINEITEM")), QList<QVariantList>{item});
    EXPECT_EQ(shownResults_.value("Edit15"), QStringLiteral("06/15/2004"));
    for (const char* edit : {"Edit3", "Edit4", "Edit5", "Edit8", "Edit9", "Edit10", "Edit11"})
        EXPECT_EQ(shownResults_.value(QLatin1String(edit)), testsupport::num("   0.00")) << edit;

    // With the box ticked, amounts typed are not stored either.
    t.number = "8";
    t.price = "10";
    t.shares = "5";
    t.balance = "50";
    type(t);
    add();
    EXPECT_EQ(rows(QStringLiteral("SELECT TOTSHARES, TOTVALUE FROM INVESTSUMMARY WHERE ACTNO = 8")),
              (QList<QVariantList>{{0.0, 0.0}}));
}

TEST_F(AddForm, NamesOfTwentyCharactersWithApostrophesAndHyphensAreStoredWhole) {
    const char* names[] = {"O'Brien-Smith Growth", "Apple Growth", "A'B"};
    int number = 1;
    for (const char* name : names) {
        SCOPED_TRACE(name);
        Typed t;
        const QByteArray numberText = QByteArray::number(number++);
        t.number = numberText.constData();
        t.name = name;
        type(t);
        add();
        ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
        const QString padded = QString::fromLatin1(name).leftJustified(20);
        const QString select =
            QStringLiteral("SELECT NAME FROM %1 WHERE ACTNO = ") + QString::fromLatin1(numberText);
        EXPECT_EQ(rows(select.arg("INVESTSUMMARY")), (QList<QVariantList>{{padded}}));
        EXPECT_EQ(rows(select.arg("LINEITEM")), (QList<QVariantList>{{padded}}));
        EXPECT_EQ(shownResults_.value("Edit2"), QLatin1String(name));
        EXPECT_EQ(shownResults_.value("Edit7"), QLatin1String(name));
    }
    // Fund and record numbers follow each other.
    EXPECT_EQ(rows(QStringLiteral("SELECT FUNDNO FROM INVESTSUMMARY ORDER BY ACTNO")),
              (QList<QVariantList>{{1}, {2}, {3}}));
    EXPECT_EQ(rows(QStringLiteral("SELECT RECNO, FUNDNO FROM LINEITEM ORDER BY ACTNO")),
              (QList<QVariantList>{{1, 1}, {2, 2}, {3, 3}}));
}

TEST_F(AddForm, AFundNumberOfZeroOrLessBecomesOne) {
    {
        db::Connection connection(db::Alias::IBInvest);
        QSqlQuery q(connection.database());
        ASSERT_TRUE(q.exec(QStringLiteral("UPDATE KEYGEN SET NUM = -3 WHERE NAME = 'FUNDNOGEN'")));
    }
    type({});
    add();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    EXPECT_EQ(rows(QStringLiteral("SELECT FUNDNO FROM INVESTSUMMARY")), (QList<QVariantList>{{1}}));
    EXPECT_EQ(rows(QStringLiteral("SELECT FUNDNO FROM LINEITEM")), (QList<QVariantList>{{1}}));
}

TEST_F(AddForm, TheLastDaysOfTheCalendarPass) {
    const char* dates[] = {"12312004", "02312004", "01019998"};
    int number = 1;
    for (const char* date : dates) {
        Typed t;
        const QByteArray numberText = QByteArray::number(number++);
        t.number = numberText.constData();
        t.date = date;
        type(t);
        add();
        EXPECT_TRUE(messages_.empty()) << date;
    }
    EXPECT_EQ(rows(QStringLiteral("SELECT TRANSDATE FROM LINEITEM ORDER BY RECNO")),
              (QList<QVariantList>{{"12/31/2004"}, {"02/31/2004"}, {"01/01/9998"}}));
}

TEST_F(AddForm, ADuplicateAccountNumberIsRefusedBeforeAnythingIsWritten) {
    type({});
    add();
    const QList<QVariantList> before = everything();
    Typed t;
    t.name = "Other Fund";
    type(t);
    add();
    EXPECT_EQ(messages_.lastText(), QStringLiteral("Duplicate Account Number entered. Please correct!"));
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Plain);
    EXPECT_EQ(everything(), before);
    EXPECT_TRUE(Form20->isVisible());
}

TEST_F(AddForm, AFailureWritingTheLineItemLeavesNoAccount) {
    type({});
    add();
    const QList<QVariantList> before = everything();
    db::testing::InsertFault fault(db::Alias::IBInvest, QStringLiteral("LINEITEM"), 0);
    Typed t;
    t.number = "8";
    type(t);
    add();
    EXPECT_EQ(messages_.lastText(), db::testing::InsertFault::faultMessage(0));
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Plain);
    EXPECT_TRUE(shownResults_.isEmpty());
    EXPECT_FALSE(Form20->isVisible()) << "the add form closes";
    EXPECT_EQ(everything(), before);
}

TEST_F(AddForm, QuitClosesAndHelpOpensItsTopic) {
    ui::HelpRecorder help;
    Form20->show();
    click(Form20, "Button3");
    ASSERT_EQ(help.requests().size(), 1);
    EXPECT_EQ(help.requests()[0].topic, QStringLiteral("Adding_an_Investment_Account"));
    EXPECT_TRUE(QFile::exists(ui::helpFolder() + QStringLiteral("/Adding_an_Investment_Account.html")));
    EXPECT_EQ(ui::applicationHelpFile(), QStringLiteral("Talvero.hlp"));
    click(Form20, "Button2");
    EXPECT_FALSE(Form20->isVisible());
}

TEST_F(AddForm, TheResultsFormHasItsGroupsAndCaptions) {
    EXPECT_EQ(Form21->windowTitle(), QStringLiteral("Form21"));
    EXPECT_EQ(Form21->Label1->text(), QStringLiteral("Add Investment Results"));
    EXPECT_EQ(Form21->GroupBox1->title(), QStringLiteral("Add Investment Input"));
    EXPECT_EQ(Form21->GroupBox2->title(), QStringLiteral("Add Investment Results"));
    const struct {
        const char* edit;
        const char* label;
        QWidget* group;
    } boxes[] = {
        {"Edit1", "Account Number", Form21->GroupBox1},  {"Edit2", "Account Name", Form21->GroupBox1},
        {"Edit3", "Current Price", Form21->GroupBox1},   {"Edit4", "Total Shares Owned", Form21->GroupBox1},
        {"Edit5", "Current Balance", Form21->GroupBox1}, {"Edit15", "Transaction Date", Form21->GroupBox1},
        {"Edit6", "Account Number", Form21->GroupBox2},  {"Edit7", "Account Name", Form21->GroupBox2},
        {"Edit8", "Current Price", Form21->GroupBox2},   {"Edit9", "Total Shares", Form21->GroupBox2},
        {"Edit10", "Total Value", Form21->GroupBox2},    {"Edit11", "Total Book Value", Form21->GroupBox2},
        {"Edit12", "Gain Dollars", Form21->GroupBox2},   {"Edit13", "Gain Percent", Form21->GroupBox2},
        {"Edit14", "Average Cost", Form21->GroupBox2}};
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.edit);
        QLineEdit* edit = b.group->findChild<QLineEdit*>(QLatin1String(b.edit));
        ASSERT_NE(edit, nullptr);
        bool labelled = false;
        for (QLabel* label : b.group->findChildren<QLabel*>())
            labelled |= label->buddy() == edit && label->text() == QLatin1String(b.label);
        EXPECT_TRUE(labelled);
    }
    EXPECT_EQ(Form21->Button1->text(), QStringLiteral("OK"));
}

} // namespace
