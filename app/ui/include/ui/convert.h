#pragma once
// Text-to-number conversion as the forms read their edit boxes: blanks around the number are
// allowed, the whole text must be the number. A failure carries the message the user sees.

#include <QString>
#include <stdexcept>

namespace ui {

class ConvertError : public std::runtime_error {
public:
    explicit ConvertError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// "'%s' is not a valid floating point value"
double toFloat(const QString& text);
// "'%s' is not a valid integer value"
int toInt(const QString& text);

// Non-throwing forms for callers that check first.
bool tryFloat(const QString& text, double& value);
bool tryInt(const QString& text, int& value);

// printf-style formatting of one number, e.g. format("%7.2f", 12.5) == "  12.50".
QString format(const char* fmt, double value);
QString format(const char* fmt, int value);

} // namespace ui
