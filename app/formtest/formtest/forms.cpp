#include "formtest/forms.h"

#include "db/connection.h"
#include "testsupport/locale_text.h"
#include "ui/convert.h"
#include "ui/help.h"
#include "ui/printing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstring>

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace formtest {

QString typed(const char* text) {
    QStringList parts = QString::fromLatin1(text).split(QLatin1Char(','));
    for (QString& part : parts)
        part = testsupport::num(part);
    return parts.join(QLocale().groupSeparator());
}

QString f0(double v) {
    return ui::format("%7.0f", v);
}

QString f2(double v) {
    return ui::format("%7.2f", v);
}

QString f3(double v) {
    return ui::format("%7.3f", v);
}

QString date(const int mdy[3]) {
    return QString::asprintf("%02d/%02d/%d", mdy[0], mdy[1], mdy[2]);
}

QString labelOf(const QWidget* window, const QWidget* w) {
    return buddies(window).value(w);
}

QHash<const QWidget*, QString> buddies(const QWidget* window) {
    QHash<const QWidget*, QString> all;
    for (const QLabel* l : window->findChildren<QLabel*>())
        if (l->buddy()) all.insert(l->buddy(), l->text());
    return all;
}

void Forms::set(std::initializer_list<std::pair<const char*, QWidget*>> forms) {
    forms_.clear();
    for (const auto& [name, form] : forms)
        forms_.insert(QByteArray(name), form);
}

QWidget* Forms::form(const char* name) const {
    QWidget* f = forms_.value(QByteArray(name));
    EXPECT_NE(f, nullptr) << name;
    return f;
}

QLineEdit* Forms::edit(const char* formName, const char* name) const {
    QWidget* f = form(formName);
    auto* e = f ? f->findChild<QLineEdit*>(QString::fromLatin1(name)) : nullptr;
    EXPECT_NE(e, nullptr) << formName << "." << name;
    return e;
}

QString Forms::box(const char* formName, const char* name) const {
    const QLineEdit* e = edit(formName, name);
    return e ? e->text() : QString();
}

void Forms::press(const char* formName, const char* name) const {
    QWidget* f = form(formName);
    auto* b = f ? f->findChild<QPushButton*>(QString::fromLatin1(name)) : nullptr;
    ASSERT_NE(b, nullptr) << formName << "." << name;
    b->click();
}

void Forms::run(const std::vector<Step>& steps) const {
    for (const Step& s : steps) {
        const QString name = QString::fromLatin1(s.name);
        QWidget* f = form(s.form);
        ASSERT_NE(f, nullptr);
        if (!s.text) {
            press(s.form, s.name);
        } else if (name.startsWith(QLatin1String("CheckBox"))) {
            auto* c = f->findChild<QCheckBox*>(name);
            ASSERT_NE(c, nullptr) << s.form << "." << s.name;
            c->setChecked(std::strcmp(s.text, "1") == 0);
        } else if (name.startsWith(QLatin1String("ComboBox"))) {
            auto* c = f->findChild<QComboBox*>(name);
            ASSERT_NE(c, nullptr) << s.form << "." << s.name;
            c->setCurrentIndex(std::atoi(s.text));
        } else {
            QLineEdit* e = edit(s.form, s.name);
            ASSERT_NE(e, nullptr);
            e->setText(typed(s.text));
        }
    }
}

QStringList Forms::editTexts(std::initializer_list<const char*> names) const {
    QStringList all;
    for (const char* n : names)
        if (QWidget* f = form(n))
            for (const QLineEdit* e : f->findChildren<QLineEdit*>())
                all << QLatin1String(n) + QLatin1Char('.') + e->objectName() + QLatin1Char('=') + e->text();
    return all;
}

QStringList Forms::editTexts(const Twin& twin) const {
    return editTexts({twin.form, twin.dialogs[0], twin.dialogs[1], twin.dialogs[2]});
}

void Forms::expectTypedTextsKept(const std::vector<Step>& steps) const {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        if (!s.text || std::strncmp(s.name, "Edit", 4) != 0) continue;
        bool retyped = false;
        for (std::size_t j = i + 1; j < steps.size(); ++j)
            retyped = retyped || (steps[j].text && !std::strcmp(steps[j].form, s.form) &&
                                  !std::strcmp(steps[j].name, s.name));
        if (!retyped) {
            EXPECT_EQ(box(s.form, s.name), typed(s.text)) << s.form << "." << s.name;
        }
    }
}

void FormFixture::page(int index) const {
    auto* pages = form(twin_.form)->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    ASSERT_NE(pages, nullptr);
    pages->setCurrentIndex(index);
}

void FormFixture::computeDefaultLoan() {
    messages_.clear();
    page(0);
    run({{twin_.form, "Edit5", "07012004"}});
    compute();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
}

void FormFixture::expectSaved(qint64 loans) {
    messages_.clear();
    save();
    ASSERT_EQ(messages_.messages().size(), 1);
    EXPECT_EQ(messages_.lastText(), QStringLiteral("Loan Data Saved"));
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Plain);
    EXPECT_EQ(twin_.unsavedCount(), 0);
    EXPECT_EQ(loanRows("LOANSUMMARY"), loans);
}

void FormFixture::expectSavedAlready(qint64 loans) {
    messages_.clear();
    save();
    ASSERT_EQ(messages_.messages().size(), 1);
    EXPECT_EQ(messages_.lastText(), QStringLiteral("Loan data previously saved"));
    EXPECT_EQ(loanRows("LOANSUMMARY"), loans);
}

void FormFixture::expectComputeRefused(int pageIndex, const std::vector<Step>& steps, ui::MessageKind kind,
                                       const QString& message) {
    TearDown();
    SetUp();
    page(pageIndex);
    run(steps);
    messages_.clear();
    const QStringList before = forms_.editTexts(twin_);
    const long calls = twin_.engineCalls();
    compute();
    EXPECT_EQ(twin_.engineCalls(), calls);
    ASSERT_EQ(messages_.messages().size(), 1);
    EXPECT_EQ(messages_.lastKind(), kind);
    EXPECT_EQ(messages_.lastText(), message);
    EXPECT_TRUE(modal_.shown().isEmpty());
    EXPECT_EQ(twin_.unsavedCount(), 0);
    EXPECT_TRUE(box(twin_.payout, "Edit1").isEmpty());
    EXPECT_EQ(forms_.editTexts(twin_), before);
    forms_.expectTypedTextsKept(steps);
}

void expectOpenInTheMiddleOfTheScreen(std::initializer_list<QDialog*> forms) {
    for (QDialog* f : forms) {
        SCOPED_TRACE(f->objectName().toStdString());
        f->move(0, 0);
        f->show();
        ASSERT_NE(f->screen(), nullptr);
        const QRect screen = f->screen()->availableGeometry();
        ASSERT_LT(f->frameGeometry().width(), screen.width()); // else the middle says nothing
        EXPECT_EQ(f->frameGeometry().center(), screen.center());
        f->hide();
    }
}

void expectPrintScreenOnlyWhenConfirmed(QDialog* window) {
    SCOPED_TRACE(window->windowTitle().toStdString());
    auto* button = window->findChild<QPushButton*>(QStringLiteral("Button1"));
    ASSERT_NE(button, nullptr);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(window->objectName() + QStringLiteral(".pdf"));
    {
        ui::PrinterDialogInterceptor cancel(false);
        button->click();
        EXPECT_EQ(cancel.dialogsShown(), 1);
    }
    EXPECT_FALSE(QFileInfo::exists(pdf));
    {
        ui::PrinterDialogInterceptor confirm(true, pdf);
        button->click();
        EXPECT_EQ(confirm.dialogsShown(), 1);
    }
    EXPECT_GT(QFileInfo(pdf).size(), 0);
}

void expectF1OpensHelpContext(QWidget* w, int context, const char* helpFile) {
    ui::HelpRecorder help;
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &f1);
    ASSERT_EQ(help.requests().size(), 1);
    EXPECT_EQ(help.requests().first().kind, ui::HelpRequest::Context);
    EXPECT_EQ(help.requests().first().context, context);
    if (helpFile) {
        EXPECT_EQ(help.requests().first().helpFile, QLatin1String(helpFile));
    }
}

void expectDialogEditsAtCreation(const Forms& forms, const Twin& twin) {
    const struct {
        int dialog; // fees, insurance, annual fees
        const char* name;
        const char* label;
        const char* text;
    } edits[] = {
        {0, "Edit1", "Down Payment %", "   0.00"},
        {0, "Edit2", "Down Payment Amount", "   0.00"},
        {0, "Edit3", "Origination Fee %", "   0.00"},
        {0, "Edit4", "Origination Fee Amount", "   0.00"},
        {1, "Edit1", "Diability Rate (per $1 of balance)", "  0.000"},
        {1, "Edit2", "Disability Insurance Payments (per year)", "      0"},
        {1, "Edit3", "Disability Number of Years", "      0"},
        {1, "Edit4", "Life Rate (per $1 of balance)", "  0.000"},
        {1, "Edit5", "Life Insruance Payments (per year)", "      0"},
        {1, "Edit6", "Life Number of Years", "      0"},
        {2, "Edit1", "Taxes", "   0.00"},
        {2, "Edit2", "Home Owners Insurance", "   0.00"},
        {2, "Edit3", "Other Insurance", "   0.00"},
    };
    for (const auto& e : edits) {
        const char* dialog = twin.dialogs[e.dialog];
        SCOPED_TRACE(std::string(dialog) + "." + e.name);
        QLineEdit* w = forms.edit(dialog, e.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->text(), testsupport::num(e.text));
        EXPECT_EQ(labelOf(forms.form(dialog), w), QLatin1String(e.label));
    }
}

qint64 loanRows(const char* table) {
    db::Connection c(db::Alias::IBLoan);
    QSqlQuery q(c.database());
    q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table));
    q.next();
    return q.value(0).toLongLong();
}

} // namespace formtest
