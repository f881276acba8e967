#include "ui/fields.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct BoxCase {
    const char* what;
    QLineEdit* (*build)(QGridLayout*, int);
    Qt::Alignment side;
    bool readOnly;
};

TEST(Fields, NumbersSitAtTheRightDatesAndWordsAtTheLeft) {
    const BoxCase cases[] = {
        {"addEdit",
         [](QGridLayout* g, int r) {
             return ui::addEdit(g, r, 0, QStringLiteral("&Amount"), QStringLiteral("Edit1"));
         },
         Qt::AlignRight, false},
        {"addAnswer",
         [](QGridLayout* g, int r) {
             return ui::addAnswer(g, r, 0, QStringLiteral("Amount"), QStringLiteral("Edit1"));
         },
         Qt::AlignRight, true},
        {"addEdit Text",
         [](QGridLayout* g, int r) {
             return ui::addEdit(g, r, 0, QStringLiteral("Date"), QStringLiteral("Edit1"), QString(),
                                QString(), ui::Content::Text);
         },
         Qt::AlignLeft, false},
        {"addTextEdit",
         [](QGridLayout* g, int r) {
             return ui::addTextEdit(g, r, 0, QStringLiteral("&First Due"), QStringLiteral("Edit1"),
                                    QStringLiteral("06/01/2004"));
         },
         Qt::AlignLeft, false},
        {"addTextAnswer",
         [](QGridLayout* g, int r) {
             return ui::addTextAnswer(g, r, 0, QStringLiteral("Maturity"), QStringLiteral("Edit1"));
         },
         Qt::AlignLeft, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget form;
        auto* grid = new QGridLayout(&form);
        QLineEdit* edit = c.build(grid, 3);
        EXPECT_EQ(edit->alignment() & Qt::AlignHorizontal_Mask, c.side);
        EXPECT_EQ(edit->isReadOnly(), c.readOnly);
        EXPECT_EQ(edit->objectName(), QStringLiteral("Edit1"));
        EXPECT_EQ(edit->accessibleDescription(), QStringLiteral("Edit1"));
        auto* label = qobject_cast<QLabel*>(grid->itemAtPosition(3, 0)->widget());
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->buddy(), edit);
        EXPECT_EQ(grid->itemAtPosition(3, 1)->widget(), edit);
    }
}

TEST(Fields, AlignForTurnsABoxBuiltElsewhere) {
    QLineEdit edit;
    ui::alignFor(&edit, ui::Content::Number);
    EXPECT_EQ(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    ui::alignFor(&edit, ui::Content::Text);
    EXPECT_EQ(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

} // namespace
