#pragma once
// Where an import reads its CSV file and an export writes one: the file dialog, through this one
// function so a test can answer instead of a person.

#include <QString>

#include <functional>

class QWidget;

namespace invest {

enum class CsvFileUse { Open, Save };

// The path the user chose, empty when they cancelled. `suggested` is the file name a save offers.
QString askCsvFile(QWidget* parent, CsvFileUse use, const QString& suggested = QString());

// While it lives, askCsvFile returns what `answer` returns instead of showing a dialog.
class CsvFileAnswer {
public:
    explicit CsvFileAnswer(std::function<QString(CsvFileUse, const QString& suggested)> answer);
    ~CsvFileAnswer();
    CsvFileAnswer(const CsvFileAnswer&) = delete;
    CsvFileAnswer& operator=(const CsvFileAnswer&) = delete;

private:
    std::function<QString(CsvFileUse, const QString&)> previous_;
};

// Writes `csv` to `path` whole or not at all; the error text, empty when written.
QString writeCsvFile(const QString& path, const QString& csv);

} // namespace invest
