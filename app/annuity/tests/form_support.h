#pragma once
// Driving a calculator form as its user does: type into boxes by name, press a button by name,
// read a box. Number texts in the tests are written with '.' as the decimal point; the helpers type
// and compare them with the current locale's separator (testsupport::num).

#include "testsupport/locale_text.h"
#include "ui/help.h"
#include "ui/messages.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <utility>
#include <vector>

namespace annuity_test {

inline QLineEdit* edit(QDialog* form, const char* name) {
    auto* e = form->findChild<QLineEdit*>(QString::fromLatin1(name));
    EXPECT_NE(e, nullptr) << name;
    return e;
}

inline QPushButton* button(QDialog* form, const char* name) {
    auto* b = form->findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

inline QString text(QDialog* form, const char* name) {
    QLineEdit* e = edit(form, name);
    return e ? e->text() : QString();
}

using Typing = std::vector<std::pair<const char*, const char*>>;

inline void type(QDialog* form, const Typing& entries) {
    for (const auto& [name, value] : entries)
        if (QLineEdit* e = edit(form, name)) e->setText(testsupport::num(value));
}

// Shows the tab the button stands on, then presses it.
inline void press(QDialog* form, const char* name) {
    QPushButton* b = button(form, name);
    if (!b) return;
    auto* pages = form->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    if (pages) {
        for (int k = 0; k < pages->count(); ++k)
            if (pages->widget(k)->isAncestorOf(b)) pages->setCurrentIndex(k);
    }
    b->click();
}

// The label a box is announced by (its buddy).
inline QString labelOf(QDialog* form, const QWidget* box) {
    for (QLabel* l : form->findChildren<QLabel*>())
        if (l->buddy() == box) return l->text();
    return QString();
}

// One worked value: the boxes typed, the button pressed, the box read and what it shows.
struct WorkedCase {
    const char* what;
    Typing typed;
    const char* compute;
    const char* answer;
    const char* shown;
};

inline void runWorked(QDialog* form, const WorkedCase& c) {
    SCOPED_TRACE(c.what);
    ui::MessageRecorder messages;
    type(form, c.typed);
    press(form, c.compute);
    EXPECT_TRUE(messages.empty()) << messages.lastText().toStdString();
    EXPECT_EQ(text(form, c.answer), testsupport::num(c.shown));
}

// Every named control carries its name for automation, and every box has its label as buddy.
inline void expectNamedControls(QDialog* form, int edits, int buttons) {
    for (int k = 1; k <= edits; ++k) {
        const QByteArray name = "Edit" + QByteArray::number(k);
        QLineEdit* e = edit(form, name.constData());
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->accessibleDescription(), QString::fromLatin1(name));
        EXPECT_FALSE(labelOf(form, e).isEmpty()) << name.constData();
    }
    for (int k = 1; k <= buttons; ++k) {
        const QByteArray name = "Button" + QByteArray::number(k);
        QPushButton* b = button(form, name.constData());
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->accessibleDescription(), QString::fromLatin1(name));
    }
}

inline QStringList tabCaptions(QDialog* form) {
    QStringList captions;
    if (auto* pages = form->findChild<QTabWidget*>(QStringLiteral("PageControl1")))
        for (int k = 0; k < pages->count(); ++k)
            captions << pages->tabText(k);
    return captions;
}

// F1 on a control: the help context it asks for.
inline int f1Context(QWidget* on) {
    ui::HelpRecorder help;
    QTest::keyClick(on, Qt::Key_F1);
    EXPECT_EQ(help.requests().size(), 1);
    if (help.requests().isEmpty()) return -1;
    EXPECT_EQ(help.requests().first().helpFile, QStringLiteral("talvero.hlp"));
    return help.requests().first().context;
}

// A box's label (its buddy) and its text at creation.
struct BoxAtCreation {
    const char* name;
    const char* label;
    const char* initial;
};

inline void expectBoxes(QDialog* form, std::initializer_list<BoxAtCreation> boxes) {
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.name);
        EXPECT_EQ(text(form, b.name), testsupport::num(b.initial));
        EXPECT_EQ(labelOf(form, edit(form, b.name)), QString::fromLatin1(b.label));
    }
}

// Each Help button sets the bare help file and jumps, through the form's own file, to its topic,
// and the topic is installed.
struct HelpButton {
    const char* button;
    const char* topic;
};

inline void expectHelpButtons(QDialog* form, std::initializer_list<HelpButton> cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        ui::setApplicationHelpFile(QStringLiteral("C:\\Talvero\\TALVERO.HLP"));
        ui::HelpRecorder help;
        press(form, c.button);
        ASSERT_EQ(help.requests().size(), 1);
        EXPECT_EQ(help.requests()[0].topic, QString::fromLatin1(c.topic));
        EXPECT_EQ(help.requests()[0].helpFile, QStringLiteral("talvero.hlp"));
        EXPECT_EQ(ui::applicationHelpFile(), QStringLiteral("Talvero.hlp"));
        EXPECT_TRUE(QFile::exists(ui::helpFolder() + "/" + c.topic + ".html"));
    }
}

} // namespace annuity_test
