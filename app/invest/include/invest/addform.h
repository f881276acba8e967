#pragma once
// "Add Investment Fund" and its results form "Add Investment Results".

#include "invest/store.h"

#include "ui/form.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm20 : public ui::Form {
    Q_OBJECT
public:
    explicit TForm20(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr; // "Investment Fund Input"
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr;

    invest::AccountTexts texts() const;

public slots:
    void Button1Click(); // Add
    void Button2Click(); // Quit
    void Button3Click(); // Help

protected:
    void buildWidgets() override;
};

class TForm21 : public ui::Form {
    Q_OBJECT
public:
    explicit TForm21(QWidget* parent = nullptr);

    // Both groups from an added account.
    void fill(const invest::AddedAccount& added);

    QLabel* Label1 = nullptr; // "Add Investment Results"
    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr, *Edit10 = nullptr,
              *Edit11 = nullptr, *Edit12 = nullptr, *Edit13 = nullptr, *Edit14 = nullptr, *Edit15 = nullptr;
    QPushButton* Button1 = nullptr; // "OK": closes this form and the add form

public slots:
    void Button1Click();

protected:
    void buildWidgets() override;
};
