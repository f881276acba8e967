// Every tab of the three calculators as its table describes it: built with the table's names,
// labels, initial texts, buttons and help, and every Compute button wired to its own tab.
#include "annuity/forms.h"
#include "form_support.h"

#include <memory>

namespace {

using namespace annuity;
using namespace annuity_test;

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

template <class V> void expectBuiltFromTable(QDialog* form, const Calculator<V>& calculator) {
    SCOPED_TRACE(calculator.name);
    EXPECT_EQ(form->objectName(), latin(calculator.name));
    EXPECT_EQ(form->accessibleDescription(), latin(calculator.name));
    EXPECT_EQ(form->windowTitle(), latin(calculator.caption));
    auto* pages = form->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), int(calculator.tabs.size()));
    for (int k = 0; k < pages->count(); ++k) {
        const Tab<V>& tab = calculator.tabs[k];
        SCOPED_TRACE(tab.caption);
        QWidget* page = pages->widget(k);
        EXPECT_EQ(pages->tabText(k), latin(tab.caption));
        QStringList labels;
        for (QLabel* l : page->findChildren<QLabel*>())
            labels << l->text();
        EXPECT_TRUE(labels.contains(latin(tab.title)));
        for (const Row<V>& r : tab.rows) {
            SCOPED_TRACE(r.name);
            auto* e = page->findChild<QLineEdit*>(latin(r.name));
            ASSERT_NE(e, nullptr) << "the box stands on its own tab";
            EXPECT_EQ(e->accessibleDescription(), latin(r.name));
            EXPECT_EQ(labelOf(form, e), latin(r.label));
            EXPECT_EQ(e->text(), r.format ? testsupport::num(QString::asprintf(r.format, 0.0)) : QString());
            if (r.hint) {
                EXPECT_TRUE(labels.contains(latin(r.hint)));
            }
        }
        const struct {
            const char* name;
            const char* caption;
        } buttons[] = {{tab.buttons.compute, "Compute"},
                       {tab.buttons.print, tab.buttons.printCaption},
                       {tab.buttons.help, "Help"}};
        for (const auto& b : buttons) {
            auto* button = page->findChild<QPushButton*>(latin(b.name));
            ASSERT_NE(button, nullptr) << b.name;
            EXPECT_EQ(button->accessibleDescription(), latin(b.name));
            EXPECT_EQ(button->text(), latin(b.caption));
        }
        EXPECT_EQ(f1Context(button(form, tab.buttons.help)),
                  tab.helpContext > 0 ? tab.helpContext : calculator.helpContext);
        {
            ui::HelpRecorder help;
            press(form, tab.buttons.help);
            ASSERT_EQ(help.requests().size(), 1);
            EXPECT_EQ(help.requests()[0].topic, latin(tab.helpTopic));
        }
        // Compute reads this tab only: its initial zeros are refused with its own message.
        ui::MessageRecorder messages;
        press(form, tab.buttons.compute);
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_EQ(messages.lastText(), *tab.required);
        EXPECT_EQ(text(form, answerBox(tab)), QString());
    }
}

TEST(TablesTest, EveryTabIsBuiltFromItsTable) {
    expectBuiltFromTable(std::make_unique<TForm6>().get(), investmentCalculator());
    expectBuiltFromTable(std::make_unique<TForm7>().get(), retirementCalculator());
    expectBuiltFromTable(std::make_unique<TForm8>().get(), businessCalculator());
}

} // namespace
