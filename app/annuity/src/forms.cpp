#include "annuity/forms.h"

TForm6* Form6 = nullptr;
TForm7* Form7 = nullptr;
TForm8* Form8 = nullptr;

TForm6::TForm6(QWidget* parent) : CalculatorForm(parent) {
    createCalculator(annuity::investmentCalculator(), *this);
}

TForm7::TForm7(QWidget* parent) : CalculatorForm(parent) {
    createCalculator(annuity::retirementCalculator(), *this);
}

TForm8::TForm8(QWidget* parent) : CalculatorForm(parent) {
    createCalculator(annuity::businessCalculator(), *this);
}
