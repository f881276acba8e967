#pragma once
// Numbers as the user reads and types them. Reading: blanks around the number are allowed, the
// whole text must be the number, and the decimal point is the user's decimal separator
// (QLocale()'s decimalPoint(); tests fix it with QLocale::setDefault). A '.' is read as the
// decimal point too, unless '.' is the user's group separator: no group separators are read, so
// "12.5" cannot be misread there, while under de_DE "1.000" is refused rather than read as 1.
// Formatting: printf-style widths with the user's decimal separator. Neither depends on the C
// library's locale. A failure carries the message the user sees.

#include "ui/export.h"

#include <QString>
#include <stdexcept>

namespace ui {

class UI_EXPORT ConvertError : public std::runtime_error {
public:
    explicit ConvertError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    ~ConvertError() override;
    const QString& message() const { return message_; }

private:
    QString message_;
};

// "'%s' is not a valid floating point value"
UI_EXPORT double toFloat(const QString& text);
// "'%s' is not a valid integer value"
UI_EXPORT int toInt(const QString& text);

// Non-throwing forms for callers that check first.
UI_EXPORT bool tryFloat(const QString& text, double& value);
UI_EXPORT bool tryInt(const QString& text, int& value);

// printf-style formatting of one number, e.g. format("%7.2f", 12.5) == "  12.50" ("  12,50" where
// the decimal separator is a comma). The width counts the separator as one character.
UI_EXPORT QString format(const char* fmt, double value);
UI_EXPORT QString format(const char* fmt, int value);

// The decimal separator the program shows and reads.
UI_EXPORT QString decimalSeparator();

} // namespace ui
