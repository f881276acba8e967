#pragma once
// A fresh data folder, a fixed today (06/15/2004), recorded messages and the four forms for each
// test, with the investment database helpers.

#include "db/testsupport/tempdatafolder.h"
#include "invest/forms.h"
#include "investdb.h"
#include "testsupport/locale_text.h"
#include "ui/messages.h"
#include "ui/today.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <gtest/gtest.h>

namespace investtest {

class Forms : public ::testing::Test, protected InvestDb {
protected:
    void SetUp() override {
        Form20 = new TForm20;
        Form21 = new TForm21;
        Form22 = new TForm22;
        Form23 = new TForm23;
    }
    void TearDown() override {
        delete Form23;
        delete Form22;
        delete Form21;
        delete Form20;
        Form20 = nullptr;
        Form21 = nullptr;
        Form22 = nullptr;
        Form23 = nullptr;
    }

    // A number as the user types it under the current locale: '.' is the decimal separator and ','
    // the group separator, so "1,000" stays a grouped number wherever it runs.
    static QString typedNumber(const char* text) {
        QString typed;
        for (QChar c : QString::fromLatin1(text)) {
            if (c == QLatin1Char('.'))
                typed += QLocale().decimalPoint();
            else if (c == QLatin1Char(','))
                typed += QLocale().groupSeparator();
            else
                typed += c;
        }
        return typed;
    }
    // Texts the forms show, '.' as the user's decimal separator.
    static QStringList nums(const QStringList& texts) {
        QStringList shown;
        for (const QString& t : texts)
            shown << testsupport::num(t);
        return shown;
    }

    static void setText(QWidget* form, const char* edit, const QString& text) {
        QLineEdit* box = form->findChild<QLineEdit*>(QLatin1String(edit));
        ASSERT_NE(box, nullptr) << edit;
        box->setText(text);
    }
    static QString text(QWidget* form, const char* edit) {
        QLineEdit* box = form->findChild<QLineEdit*>(QLatin1String(edit));
        return box ? box->text() : QStringLiteral("<no %1>").arg(QLatin1String(edit));
    }
    static void click(QWidget* form, const char* button) {
        form->findChild<QPushButton*>(QLatin1String(button))->click();
    }

    db::testing::TempDataFolder folder_;
    ui::TodayOverride today_{QDate(2004, 6, 15)};
    ui::MessageRecorder messages_;
};

} // namespace investtest
