#include "invest/csvfile.h"

#include <QFileDialog>
#include <QSaveFile>

namespace invest {

namespace {

std::function<QString(CsvFileUse, const QString&)>& answer() {
    static std::function<QString(CsvFileUse, const QString&)> given;
    return given;
}

} // namespace

QString askCsvFile(QWidget* parent, CsvFileUse use, const QString& suggested) {
    if (answer()) return answer()(use, suggested);
    const QString filter = QStringLiteral("CSV files (*.csv);;All files (*)");
    return use == CsvFileUse::Open
               ? QFileDialog::getOpenFileName(parent, QStringLiteral("Import Transactions"), QString(),
                                              filter)
               : QFileDialog::getSaveFileName(parent, QStringLiteral("Export as CSV"), suggested, filter);
}

CsvFileAnswer::CsvFileAnswer(std::function<QString(CsvFileUse, const QString&)> given)
    : previous_(std::exchange(answer(), std::move(given))) {}

CsvFileAnswer::~CsvFileAnswer() {
    answer() = std::move(previous_);
}

QString writeCsvFile(const QString& path, const QString& csv) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.toUtf8()) < 0 || !file.commit())
        return QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString());
    return QString();
}

} // namespace invest
