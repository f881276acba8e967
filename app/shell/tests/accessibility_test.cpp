// Every form of the program as an assistive tool sees it, through Qt's accessibility interface:
// each control is named and labelled, each pick list offers exactly the entries it shows and picks
// one when told to, and Tab walks each form in reading order.
#include "invest/deleteforms.h"
#include "invest/forms.h"
#include "invest/revalueform.h"
#include "invest/statusform.h"
#include "invest/store.h"
#include "loan/saving.h"
#include "portfolio/forms.h"
#include "savedloans.h"
#include "shell/mainform.h"
#include "shell/startup.h"
#include "ui/form.h"
#include "ui/grids.h"
#include "ui/messages.h"
#include "ui/today.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMenuBar>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>

// Readable QString values in failure messages.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

class Accessibility : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(saveData());
        shell::initialiseApplication(*qApp);
        order_ = shell::createForms();
        status_ = std::make_unique<TForm16>(MainForm);
    }
    void TearDown() override {
        status_.reset();
        shell::destroyForms();
    }

    // Accounts whose numbers are not their fund numbers (funds 1, 2, 3), a purchase, and saved
    // regular and balloon loans.
    static void saveData() {
        db::Connection invest(db::Alias::IBInvest);
        invest::writeNewAccount(invest,
                                {7, QStringLiteral("Growth Fund"), 10, 100, 1000, {3, 1, 2004}, false});
        invest::writeNewAccount(invest, {9, QStringLiteral("Income Fund"), 5, 10, 50, {3, 2, 2004}, false});
        invest::writeNewAccount(invest, {12, QStringLiteral("Bond Fund"), 20, 5, 100, {3, 3, 2004}, false});
        invest::PostedTransaction posted;
        ASSERT_EQ(invest::writePosting(
                      invest, {9, invest::PostingType::Bought, {50, 12, 5, 0, 0}, {4, 1, 2004}}, posted),
                  nullptr);
        portfoliotest::saveRegular({10000, 36, 150, 1957.15, 0, 0});
        portfoliotest::saveRegular({5000, 24, 75, 648.68, 0, 0});
        portfoliotest::saveBalloon({20000, 60, 400, 3000, 0, 0}, 12);
    }

    // Every form, in the order the program makes them, and the status window made when saving.
    std::vector<QWidget*> forms() const {
        std::vector<QWidget*> all{MainForm};
        for (const QString& name : order_.mid(1)) {
            auto* form = MainForm->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
            EXPECT_NE(form, nullptr) << name.toStdString();
            // Reaching a form's controls builds them.
            ui::ensureBuilt(form);
            if (form) all.push_back(form);
        }
        all.push_back(status_.get());
        return all;
    }

    // Shows a form as the user gets it, lists read.
    static void open(QWidget* form) {
        form->show();
        QApplication::processEvents();
    }

    QStringList order_;
    std::unique_ptr<TForm16> status_;
    ui::TodayOverride today_{QDate(2004, 6, 15)};
    ui::MessageRecorder messages_;
};

// Widgets a user operates. Parts of such a widget (a combo's list, a grid's headers, a tab bar's
// scroll buttons) belong to it and are not controls of their own.
bool isControl(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QTextEdit*>(w) ||
           (qobject_cast<const QAbstractItemView*>(w) && !qobject_cast<const QHeaderView*>(w));
}
bool isPartOfAControl(const QWidget* w, const QWidget* form) {
    for (const QWidget* p = w->parentWidget(); p && p != form; p = p->parentWidget())
        if (isControl(p) || qobject_cast<const QTabBar*>(p) || qobject_cast<const QMdiArea*>(p) ||
            qobject_cast<const QMenuBar*>(p) || p->isWindow())
            return true;
    return false;
}
std::vector<QWidget*> controlsOf(QWidget* form) {
    std::vector<QWidget*> controls;
    for (QWidget* w : form->findChildren<QWidget*>())
        if (isControl(w) && !isPartOfAControl(w, form)) controls.push_back(w);
    return controls;
}
QString where(const QWidget* form, const QWidget* control) {
    return form->objectName() + QLatin1Char('.') + control->objectName() + QLatin1String(" (") +
           QLatin1String(control->metaObject()->className()) + QLatin1Char(')');
}

// The label whose buddy `control` is, if any.
const QLabel* buddyOf(const QWidget* form, const QWidget* control) {
    for (const QLabel* label : form->findChildren<QLabel*>())
        if (label->buddy() == control && !label->text().trimmed().isEmpty()) return label;
    return nullptr;
}

// The texts a list view shows, one per row, as its delegate draws them.
QStringList shownTexts(const QListView* list) {
    QStringList texts;
    const QAbstractItemModel* model = list->model();
    const auto* delegate = qobject_cast<const QStyledItemDelegate*>(list->itemDelegate());
    for (int row = 0; row < model->rowCount(list->rootIndex()); ++row) {
        const QVariant value = model->index(row, list->modelColumn(), list->rootIndex()).data();
        texts << (delegate ? delegate->displayText(value, list->locale()) : value.toString());
    }
    return texts;
}
// A widget's accessibility interface as a screen reader finds it now. Offscreen there is no
// accessibility bridge, so Qt never tells a list's interface that its rows changed (a bridge
// does); a new interface reads the rows as they are.
QAccessibleInterface* currentInterface(QWidget* w) {
    if (QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(w))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
    return QAccessible::queryAccessibleInterface(w);
}
// The items an assistive tool is offered by a list.
std::vector<QAccessibleInterface*> accessibleItems(QWidget* list) {
    std::vector<QAccessibleInterface*> items;
    QAccessibleInterface* iface = currentInterface(list);
    for (int i = 0; iface && i < iface->childCount(); ++i)
        if (QAccessibleInterface* child = iface->child(i); child && child->role() == QAccessible::ListItem)
            items.push_back(child);
    return items;
}
QStringList accessibleTexts(QWidget* list) {
    QStringList texts;
    for (QAccessibleInterface* item : accessibleItems(list))
        texts << item->text(QAccessible::Name);
    return texts;
}
// Picks the item announced as `text` as an assistive tool does, through the item's own action.
bool pickThroughAccessibility(QWidget* list, const QString& text) {
    for (QAccessibleInterface* item : accessibleItems(list)) {
        if (item->text(QAccessible::Name) != text) continue;
        QAccessibleActionInterface* actions = item->actionInterface();
        if (!actions || !actions->actionNames().contains(QAccessibleActionInterface::toggleAction()))
            return false;
        actions->doAction(QAccessibleActionInterface::toggleAction());
        return item->state().selected;
    }
    return false;
}

TEST_F(Accessibility, EveryControlHasItsNameAsDescriptionAndANameOrALabel) {
    for (QWidget* form : forms()) {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form);
        ASSERT_NE(window, nullptr) << form->objectName().toStdString();
        EXPECT_FALSE(window->text(QAccessible::Name).isEmpty()) << form->objectName().toStdString();
        for (QWidget* control : controlsOf(form)) {
            SCOPED_TRACE(where(form, control).toStdString());
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
            ASSERT_NE(iface, nullptr);
            EXPECT_FALSE(control->objectName().isEmpty());
            EXPECT_EQ(iface->text(QAccessible::Description), control->objectName());
            // A button is named by its caption; any other control by a name of its own or by its
            // label (the group around it names the group, not the control).
            EXPECT_FALSE(iface->text(QAccessible::Name).trimmed().isEmpty()) << "no accessible name";
            const bool named = qobject_cast<QAbstractButton*>(control) ||
                               !control->accessibleName().trimmed().isEmpty() || buddyOf(form, control);
            EXPECT_TRUE(named) << "neither a name nor a label";
        }
    }
}

TEST_F(Accessibility, EveryListOffersTheEntriesItShows) {
    const struct {
        QWidget* form;
        const char* list;
        QStringList entries;
    } kLists[] = {
        {Form22, "DBLookupListBox1", {"7", "9", "12"}},
        {Form24, "DBLookupListBox1", {"7", "9", "12"}},
        {Form25, "DBLookupListBox1", {"7", "9", "12"}},
        {Form28, "DBLookupListBox1", {"7", "9", "12"}},
        // Loans 1 to 3 in the order of their amounts.
        {Form17, "DBLookupListBox4", {"2", "1", "3"}},
    };
    for (const auto& l : kLists) {
        open(l.form);
        auto* list = l.form->findChild<QListView*>(QLatin1String(l.list));
        ASSERT_NE(list, nullptr) << l.list;
        EXPECT_EQ(shownTexts(list), l.entries) << l.form->objectName().toStdString();
        EXPECT_EQ(accessibleTexts(list), l.entries) << l.form->objectName().toStdString();
        l.form->hide();
    }
    // Every list of every form, whatever it holds.
    for (QWidget* form : forms()) {
        open(form);
        for (QListView* list : form->findChildren<QListView*>()) {
            if (isPartOfAControl(list, form)) continue;
            SCOPED_TRACE(where(form, list).toStdString());
            EXPECT_FALSE(shownTexts(list).isEmpty()) << "the walk needs entries to compare";
            EXPECT_EQ(accessibleTexts(list), shownTexts(list));
        }
        form->hide();
    }
}

// A grid's captions and cells as it shows them, row by row, columns in the order on screen.
QStringList shownCells(const QTableView* grid) {
    const QAbstractItemModel* model = grid->model();
    const QHeaderView* header = grid->horizontalHeader();
    const auto* delegate = qobject_cast<const QStyledItemDelegate*>(grid->itemDelegate());
    QStringList cells;
    for (int v = 0; v < header->count(); ++v)
        cells << model->headerData(header->logicalIndex(v), Qt::Horizontal).toString();
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int v = 0; v < header->count(); ++v) {
            const QVariant value = model->index(row, header->logicalIndex(v)).data();
            cells << (delegate ? delegate->displayText(value, grid->locale()) : value.toString());
        }
    }
    return cells;
}
// The same as an assistive tool reads them: column descriptions, then the cells by row and column.
QStringList accessibleCells(QTableView* grid) {
    QAccessibleTableInterface* table = currentInterface(grid)->tableInterface();
    QStringList cells;
    if (!table) return cells;
    for (int c = 0; c < table->columnCount(); ++c)
        cells << table->columnDescription(c);
    for (int row = 0; row < table->rowCount(); ++row)
        for (int c = 0; c < table->columnCount(); ++c)
            cells << table->cellAt(row, c)->text(QAccessible::Name);
    return cells;
}

TEST_F(Accessibility, EveryGridIsReadInTheOrderItShows) {
    for (QWidget* form : forms()) {
        open(form);
        for (QTableView* grid : form->findChildren<QTableView*>()) {
            if (isPartOfAControl(grid, form)) continue;
            SCOPED_TRACE(where(form, grid).toStdString());
            EXPECT_EQ(accessibleCells(grid), shownCells(grid));
        }
        form->hide();
    }
}

TEST_F(Accessibility, PickingAnEntryThroughAccessibilitySelectsIt) {
    // The data-bound texts beside a list follow the entry picked: fund number and name.
    const struct {
        QWidget* form;
        const char* entry;
        std::vector<std::pair<const char*, const char*>> bound;
    } kPicks[] = {
        {Form22, "9", {}},
        {Form24, "9", {{"DBText1", "2"}, {"DBText2", "Income Fund"}}},
        {Form25, "12", {{"DBText2", "3"}, {"DBText1", "Bond Fund"}}},
        {Form28, "9", {{"DBText2", "2"}, {"DBText1", "Income Fund"}}},
        {Form29, "", {}},
        {Form17, "", {}},
    };
    for (const auto& p : kPicks) {
        open(p.form);
        for (ui::PickList* list : p.form->findChildren<ui::PickList*>()) {
            SCOPED_TRACE(where(p.form, list).toStdString());
            const QStringList entries = shownTexts(list);
            ASSERT_GE(entries.size(), 2);
            // A fixed entry where the form shows data-bound texts, else the last (not the first,
            // where a list stands once opened).
            const QString entry = *p.entry ? QString::fromLatin1(p.entry) : entries.last();
            list->clearSelection();
            EXPECT_TRUE(pickThroughAccessibility(list, entry));
            EXPECT_EQ(list->selectedText(), entry);
            EXPECT_EQ(list->currentIndex().data().toString(), entry) << "the keyboard goes on from it";
            QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(list)->tableInterface();
            ASSERT_NE(table, nullptr);
            ASSERT_EQ(table->selectedCellCount(), 1);
            EXPECT_EQ(table->selectedCells().value(0)->text(QAccessible::Name), entry);
            for (const auto& [name, text] : p.bound) {
                auto* label = p.form->findChild<QLabel*>(QLatin1String(name));
                ASSERT_NE(label, nullptr) << name;
                EXPECT_EQ(label->text().trimmed(), QLatin1String(text)) << name;
            }
            // The table interface picks a row as well.
            EXPECT_TRUE(table->selectRow(0));
            EXPECT_EQ(list->selectedText(), entries.first());
        }
        p.form->hide();
    }
}

// Reading order, the way the layouts place things: of the two pieces of the innermost layout that
// hold `a` and `b` apart (a widget, a group, a nested block of rows), the upper comes first; two
// pieces side by side (their heights overlap by more than `kOverlap` pixels, as a tall list beside
// the boxes next to it) are read from left to right.
constexpr int kOverlap = 4;
bool holds(QLayoutItem* item, const QWidget* w) {
    if (QWidget* widget = item->widget()) return widget == w || widget->isAncestorOf(w);
    if (QLayout* layout = item->layout()) {
        for (int i = 0; i < layout->count(); ++i)
            if (holds(layout->itemAt(i), w)) return true;
    }
    return false;
}
QLayoutItem* pieceHolding(QLayout* layout, const QWidget* w) {
    for (int i = 0; i < layout->count(); ++i)
        if (holds(layout->itemAt(i), w)) return layout->itemAt(i);
    return nullptr;
}
bool upperOrLefter(const QRect& pa, const QRect& pb) {
    const int overlap = std::min(pa.bottom(), pb.bottom()) - std::max(pa.top(), pb.top());
    if (overlap <= kOverlap) return pa.top() < pb.top();
    return pa.left() < pb.left();
}
bool readBefore(const QWidget* a, const QWidget* b) {
    const QWidget* common = a->parentWidget();
    while (common && !common->isAncestorOf(b))
        common = common->parentWidget();
    if (!common) return false;
    QLayout* layout = common->layout();
    while (layout) {
        QLayoutItem* pa = pieceHolding(layout, a);
        QLayoutItem* pb = pieceHolding(layout, b);
        if (!pa || !pb) break;
        if (pa != pb) return upperOrLefter(pa->geometry(), pb->geometry());
        layout = pa->layout() ? pa->layout() : pa->widget() ? pa->widget()->layout() : nullptr;
    }
    // No layout between them (a tab bar and its pages): where they sit on the form.
    auto place = [common](const QWidget* w) {
        while (w->parentWidget() != common)
            w = w->parentWidget();
        return w->geometry();
    };
    return upperOrLefter(place(a), place(b));
}

// The controls Tab reaches, in the order it reaches them, starting from the form.
std::vector<QWidget*> tabChain(QWidget* form) {
    std::vector<QWidget*> chain;
    for (QWidget* w = form->nextInFocusChain(); w && w != form; w = w->nextInFocusChain()) {
        if (!form->isAncestorOf(w) || w->window() != form) continue;
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !w->isVisible() || !w->isEnabled()) continue;
        if (w->focusProxy()) continue;
        chain.push_back(w);
    }
    return chain;
}

void checkTabOrder(QWidget* form, const QString& page) {
    const std::vector<QWidget*> chain = tabChain(form);
    for (size_t i = 1; i < chain.size(); ++i) {
        EXPECT_FALSE(readBefore(chain[i], chain[i - 1]))
            << form->objectName().toStdString() << page.toStdString() << ": Tab goes from "
            << chain[i - 1]->objectName().toStdString() << " back to "
            << chain[i]->objectName().toStdString();
    }
}

TEST_F(Accessibility, TabFollowsTheReadingOrderOfEveryPage) {
    for (QWidget* form : forms()) {
        if (form == MainForm) continue; // a menu bar and the windows' area, nothing to tab through
        open(form);
        const QList<QTabWidget*> pages = form->findChildren<QTabWidget*>();
        if (pages.isEmpty()) {
            checkTabOrder(form, QString());
        } else {
            for (QTabWidget* tabs : pages) {
                for (int p = 0; p < tabs->count(); ++p) {
                    tabs->setCurrentIndex(p);
                    QApplication::processEvents();
                    checkTabOrder(form, QStringLiteral(" page \"%1\"").arg(tabs->tabText(p)));
                }
                tabs->setCurrentIndex(0);
            }
        }
        form->hide();
    }
}

} // namespace
