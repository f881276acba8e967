#pragma once
// The pieces the three calculator forms share: a tab with its title, boxes and buttons, reading
// a tab's boxes into the form's working values, and showing an answer.

#include "annuity/answer.h"

#include <QString>
#include <initializer_list>

class QDialog;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QVBoxLayout;
class QWidget;

namespace annuity::kit {

struct Tab {
    QWidget* page = nullptr;
    QGridLayout* grid = nullptr;
    QVBoxLayout* box = nullptr;
    int rows = 0;
};

// The page control and the Quit button below it.
QTabWidget* buildFrame(QDialog* form, const QString& caption, QPushButton*& quit);

Tab addTab(QTabWidget* pages, const QString& caption, const QString& title);

// The next box of the tab with its label.
QLineEdit* addBox(Tab& tab, const QString& label, const QString& name,
                  const QString& initialText = QString());

struct Buttons {
    QPushButton* compute;
    QPushButton* print;
    QPushButton* help;
};
Buttons addButtons(Tab& tab, const QString& computeName, const QString& printName, const QString& helpName,
                   const QString& printCaption = QStringLiteral("Prt/Screen"));

// Initial texts: the zero working value as money or as a count.
QString zeroMoney();
QString zeroCount();

struct Field {
    QLineEdit* edit;
    double* value;
};
// Reads the boxes in order into their working values; on failure shows the message and
// returns false.
bool readFields(std::initializer_list<Field> fields, const QString& requiredMessage);

// Writes the answer "%7.2f" into its box, or shows why there is none (the box keeps its text).
bool showAnswer(const Answer& answer, QLineEdit* box);

} // namespace annuity::kit
