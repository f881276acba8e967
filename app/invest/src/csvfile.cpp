#include "invest/csvfile.h"

#include <QSaveFile>

namespace invest {

QString askCsvFile(QWidget* parent, CsvFileUse use, const QString& suggested) {
    const QString filter = QStringLiteral("CSV files (*.csv);;All files (*)");
    return use == CsvFileUse::Open
               ? ui::openFileName(parent, QStringLiteral("Import Transactions"), QString(), filter)
               : ui::saveFileName(parent, QStringLiteral("Export as CSV"), suggested, filter);
}

CsvFileAnswer::CsvFileAnswer(std::function<QString(CsvFileUse, const QString&)> answer)
    : files_([answer = std::move(answer)](const ui::FileRequest& request) {
          return answer(request.kind == ui::FileRequest::Open ? CsvFileUse::Open : CsvFileUse::Save,
                        request.proposed);
      }) {}

QString writeCsvFile(const QString& path, const QString& csv) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.toUtf8()) < 0 || !file.commit())
        return QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString());
    return QString();
}

} // namespace invest
