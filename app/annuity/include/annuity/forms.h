#pragma once
// The annuity and business calculator forms. Each is created once at start-up and shown
// modally from the menu; its working values stay as they were between openings.

#include "annuity/business.h"
#include "annuity/investment.h"
#include "annuity/retirement.h"

#include "ui/form.h"
#include "ui/window.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <functional>
#include <type_traits>

class QGridLayout;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QTabWidget;

namespace annuity {

enum class TabButton { Compute, Print, Help };

// What the three calculators share: a page control whose tabs are built from their tables, a Quit
// button below it, and one handler for the Compute, print and Help buttons of every tab.
class CalculatorForm : public ui::Form {
    Q_OBJECT
public:
    QTabWidget* PageControl1 = nullptr;
    QPushButton* Button1 = nullptr; // Quit

    // The box of that name, or null.
    QLineEdit* box(const QString& name) const { return boxes_.value(name); }

public slots:
    void TabButtonClick(int tab, annuity::TabButton button);

protected:
    explicit CalculatorForm(QWidget* parent);

    // Names the form after the calculator, binds Compute to the form's working values and builds
    // every tab of the calculator now or when first needed.
    template <class V>
    void createCalculator(const Calculator<V>& calculator, std::type_identity_t<V>& values) {
        name(calculator.name, calculator.caption);
        compute_ = [&calculator, &values, this](int index) {
            return runTab(calculator.tabs[index], index, values, textOf(), readNumber);
        };
        buildTabs_ = [&calculator, this] {
            for (const Tab<V>& tab : calculator.tabs) {
                QGridLayout* grid = addTab(tab.caption, tab.title);
                int row = 0;
                for (const Row<V>& r : tab.rows)
                    addRow(grid, row++, r.label, r.name, r.format, r.hint);
                addButtons(tab.buttons, tab.helpTopic, tab.helpContext, answerBox(tab));
            }
            ui::installContextHelp(this, calculator.helpContext);
        };
        buildNowUnlessDeferred();
    }

    void buildWidgets() override;
    void showEvent(QShowEvent* event) override;

private:
    struct Built {
        QWidget* page;
        QString helpTopic;
        QLineEdit* answer;
    };

    QGridLayout* addTab(const char* caption, const char* title);
    void addRow(QGridLayout* grid, int row, const char* label, const char* name, const char* format,
                const char* hint);
    void addButtons(const Buttons& buttons, const char* helpTopic, int helpContext, const char* answer);
    void name(const char* name, const char* caption);
    TextOf textOf() const;
    static Converted readNumber(const QString& text);

    QHash<QString, QLineEdit*> boxes_;
    QList<Built> tabs_;
    std::function<Answer(int index)> compute_;
    std::function<void()> buildTabs_;
};

} // namespace annuity

// "Investment Annuities": future and present values of single and regular deposits, and the
// growth rate between two values.
class TForm6 : public annuity::CalculatorForm, public annuity::InvestmentValues {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
};

// "Retirement Annuities": a starting balance with deposits, years of withdrawals, and the
// effective annual rate under periodic and continuous compounding.
class TForm7 : public annuity::CalculatorForm, public annuity::RetirementValues {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
};

// "Business Retailing Calculations": percentage change, percent of total, markups and the
// price after a markup.
class TForm8 : public annuity::CalculatorForm, public annuity::BusinessValues {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);
};

extern TForm6* Form6;
extern TForm7* Form7;
extern TForm8* Form8;
