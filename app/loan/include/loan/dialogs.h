#pragma once
// The three dialogs of the loan form. Each keeps its own texts between uses and, on OK, converts
// them in order and stores each value into the loan form at once; a text that does not convert
// shows its message and keeps the dialog open with the earlier values already stored.

#include <QDialog>

class QLineEdit;
class QPushButton;

// "Down Payment and Origination Fees"
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr;
    QPushButton* Button1 = nullptr;
    double values[4] = {}; // percent, amount, fee percent, fee amount
public slots:
    void Button1Click();

private:
    int errorMark_ = 0;
};

// "Insurance Charges"
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr;
    QPushButton* Button1 = nullptr;
    double values[6] = {}; // DSRATE, DSFREQ, DSYEARS, LFRATE, LFFREQ, LFYEARS
public slots:
    void Button1Click();

private:
    int errorMark_ = 0;
};

// "Annual Fees"
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr;
    QPushButton* Button1 = nullptr;
    double values[3] = {}; // TAXES, HOINS, OTINS
public slots:
    void Button1Click();

private:
    int errorMark_ = 0;
};
