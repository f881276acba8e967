#pragma once
// What the regular and the balloon input form share: the frame around their pages, the three dialog
// buttons, Quit and Help, and centring when shown. Each form builds its own pages and computes.

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QVBoxLayout;
class TForm2;
class TForm3;
class TForm4;

namespace loan {

class InputForm : public QDialog {
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
    // The frame with `heading` above the pages, the buttons connected and F1 opening `helpContext`.
    // The form's data is in place by now: buildPages fills the boxes from it.
    void buildFrame(const QString& heading, int helpContext);
    virtual void buildPages() = 0;
    // A page named `sheetName` with `heading` in bold at its top; the page's layout takes the rest.
    static QVBoxLayout* makeSheet(const char* sheetName, const char* heading, QWidget*& sheet);
    void showEvent(QShowEvent* event) override;

private:
    const char* helpTopic_;
    Dialogs dialogs_;
};

} // namespace loan
