#pragma once
// Texts of numbers as a user under the current locale types and reads them, so one test runs
// under any locale: num("50000.00") is "50000,00" where the decimal separator is a comma.

#include <QLocale>
#include <QString>

namespace testsupport {

// Every '.' of `text` becomes the decimal separator of QLocale() (the default locale).
QString num(const QString& text);
QString num(const char* text);

// The same with group separators: every ',' of `text` becomes the group separator of QLocale() and
// every '.' its decimal separator (grouped("1,000.5") is "1.000,5" under de_DE).
QString grouped(const char* text);

// Sets the default locale for its lifetime, independent of the process environment.
class DefaultLocale {
public:
    explicit DefaultLocale(const QLocale& locale);
    explicit DefaultLocale(const char* name) : DefaultLocale(QLocale(QString::fromLatin1(name))) {}
    ~DefaultLocale();
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;

private:
    QLocale previous_;
};

} // namespace testsupport
