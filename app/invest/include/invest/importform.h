#pragma once
// "Import Transactions": a CSV file's rows shown with what each form's checks say of them, posted
// together by "Post" when none is refused; beside it the exports of the whole history and of the
// account list.

#include "invest/transfer.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

class TImportForm : public QDialog {
    Q_OBJECT
public:
    explicit TImportForm(QWidget* parent = nullptr);

    // Reads the file and shows its rows and refusals (nothing is written).
    void preview(const QString& path);

    QLabel* Label1 = nullptr;        // heading
    QLineEdit* Edit1 = nullptr;      // "File"
    QTableWidget* Grid1 = nullptr;   // "Rows"
    QPlainTextEdit* Memo1 = nullptr; // "Refused Rows"
    QLineEdit* Edit2 = nullptr;      // "Import Status"
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr,
                *Button5 = nullptr;

public slots:
    void Button1Click(); // Open File...
    void Button2Click(); // Post
    void Button3Click(); // Export History...
    void Button4Click(); // Export Accounts...
    void Button5Click(); // Quit

private:
    QString csv_;
};
