#pragma once
// The annuity and business calculator forms. Each is created once at start-up and shown
// modally from the menu; its working values stay as they were between openings.

#include <QDialog>

class QLineEdit;
class QPushButton;
class QShowEvent;
class QTabWidget;

// "Investment Annuities": future and present values of single and regular deposits, and the
// growth rate between two values.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr,
                *Button5 = nullptr, *Button6 = nullptr, *Button7 = nullptr, *Button8 = nullptr,
                *Button9 = nullptr, *Button10 = nullptr, *Button11 = nullptr, *Button12 = nullptr,
                *Button13 = nullptr, *Button14 = nullptr, *Button15 = nullptr, *Button16 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr, *Edit10 = nullptr,
              *Edit11 = nullptr, *Edit12 = nullptr, *Edit13 = nullptr, *Edit14 = nullptr, *Edit15 = nullptr,
              *Edit16 = nullptr, *Edit17 = nullptr, *Edit18 = nullptr, *Edit19 = nullptr, *Edit20 = nullptr,
              *Edit21 = nullptr, *Edit22 = nullptr, *Edit23 = nullptr, *Edit24 = nullptr;

    // Working values of the last Compute.
    double rate = 0;       // APR in percent
    double amount = 0;     // deposit, regular deposit, or the end value on the growth tab
    double perYear = 0;    // periods per year
    double periods = 0;    // perYear * years, unrounded
    double result = 0;     // the last answer
    double startValue = 0; // growth tab
    double years = 0;
    int failed = 0;
    int tab = 0;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void Button13Click();
    void Button14Click();
    void Button15Click();
    void Button16Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void ReadInputs(int tabIndex);
    void Compute(int tabIndex);
};

// "Retirement Annuities": a starting balance with deposits, years of withdrawals, and the
// effective annual rate under periodic and continuous compounding.
class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr,
                *Button5 = nullptr, *Button6 = nullptr, *Button7 = nullptr, *Button8 = nullptr,
                *Button9 = nullptr, *Button10 = nullptr, *Button11 = nullptr, *Button12 = nullptr,
                *Button13 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr, *Edit10 = nullptr,
              *Edit11 = nullptr, *Edit12 = nullptr, *Edit13 = nullptr, *Edit14 = nullptr, *Edit15 = nullptr,
              *Edit16 = nullptr;

    // Working values of the last Compute.
    double rate = 0;    // APR in percent
    double amount = 0;  // deposit or withdrawal
    double perYear = 0; // periods per year (compounding periods on the effective-rate tab)
    double periods = 0; // perYear * years
    double balance = 0; // the running result
    double startBalance = 0;
    double years = 0;
    int failed = 0;
    int tab = 0;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void Button13Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void ReadInputs(int tabIndex);
    void Compute(int tabIndex);
};

// "Business Retailing Calculations": percentage change, percent of total, markups and the
// price after a markup.
class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr,
                *Button5 = nullptr, *Button6 = nullptr, *Button7 = nullptr, *Button8 = nullptr,
                *Button9 = nullptr, *Button10 = nullptr, *Button11 = nullptr, *Button12 = nullptr,
                *Button13 = nullptr, *Button14 = nullptr, *Button15 = nullptr, *Button16 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr, *Edit10 = nullptr,
              *Edit11 = nullptr, *Edit12 = nullptr, *Edit13 = nullptr, *Edit14 = nullptr, *Edit15 = nullptr;

    // Working values of the last Compute: the two inputs of the tab and the answer.
    double A = 0;
    double B = 0;
    double result = 0;
    int failed = 0;
    int tab = 0;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void Button13Click();
    void Button14Click();
    void Button15Click();
    void Button16Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void ReadInputs(int tabIndex);
    void Compute(int tabIndex);
};

extern TForm6* Form6;
extern TForm7* Form7;
extern TForm8* Form8;
