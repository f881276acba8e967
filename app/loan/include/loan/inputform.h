#pragma once
// What the regular and the balloon input form share: the frame around their pages, the three dialog
// buttons, Quit and Help, and centring when shown. Each form builds its own pages and computes.

#include "loan/loaninputs.h"

#include "ui/form.h"

#include <QDialog>

#include <functional>
#include <map>
#include <string>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QLabel;
class QPushButton;
class QTabWidget;
class QVBoxLayout;
class TForm2;
class TForm3;
class TForm4;

namespace loan {

class InputForm : public ui::Form {
    Q_OBJECT
public:
    QLabel* Label1 = nullptr; // the title above the pages
    QTabWidget* PageControl1 = nullptr;
    QGroupBox* GroupBox1 = nullptr; // "Additional Factors and Fees"
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr,
                *Button5 = nullptr, *Button6 = nullptr;

    // The global pointers to the form's down payment and fees, insurance and annual fees dialogs.
    struct Dialogs {
        TForm2* const* fees;
        TForm3* const* insurance;
        TForm4* const* annualFees;
    };

    // A saved loan's inputs on the Calc Payment page and in the down payment and fees dialog, the
    // insurance and annual fees cleared (they are not saved per year), then Compute.
    virtual void openLoan(const LoanInputs& inputs) = 0;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    // Compute.
    virtual void Button4Click() = 0;
    void Button5Click();
    void Button6Click();

protected:
    // `name` is the form's objectName; Help opens `helpTopic`.
    InputForm(QWidget* parent, const char* name, const char* caption, const char* helpTopic, Dialogs dialogs);
    // The frame with `heading` above the pages, the buttons connected and F1 opening `helpContext`,
    // built now or when first needed. The form's data is in place by now: buildPages fills the boxes
    // from it.
    void frameWithPages(const QString& heading, int helpContext);
    void buildWidgets() override;
    virtual void buildPages() = 0;
    // A page named `sheetName` with `heading` in bold at its top; the page's layout takes the rest.
    static QVBoxLayout* makeSheet(const char* sheetName, const char* heading, QWidget*& sheet);
    void showEvent(QShowEvent* event) override;
    // Shows `texts` in the Calc Payment page's edits found by `edit` and `flag` in `flagList`,
    // refills the dialogs from the data and computes.
    void showInputsAndCompute(const std::map<std::string, std::string>& texts,
                              const std::function<QLineEdit*(const char* name)>& edit, QComboBox* flagList,
                              int flag);

private:
    const char* helpTopic_;
    Dialogs dialogs_;
    QString heading_;
    int helpContext_ = 0;
};

} // namespace loan
