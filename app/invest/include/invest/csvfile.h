#pragma once
// Where an import reads its CSV file and an export writes one: the program's file dialog seam
// (ui/filedialog.h) with the CSV captions and filter.

#include "ui/filedialog.h"

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

private:
    ui::FileDialogInterceptor files_;
};

// Writes `csv` to `path` whole or not at all; the error text, empty when written.
QString writeCsvFile(const QString& path, const QString& csv);

} // namespace invest
