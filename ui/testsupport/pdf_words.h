#pragma once
// The words of a PDF file with their boxes, as `pdftotext -bbox` reads them, and the checks a
// printed page must pass: no two words overlap, every word stands inside the margins.

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace testsupport {

struct PdfWord {
    int page = 0; // from 1
    QString text;
    QRectF box; // points from the page's top left
};

struct PdfWords {
    QString error;       // why the file could not be read; empty when it was
    QList<QSizeF> pages; // each page's size in points
    QList<PdfWord> words;
    // The words of one page joined by blanks, in reading order.
    QString text(int page) const;
};

PdfWords readPdfWords(const QString& pdf);

// The text of a PDF file as `pdftotext -layout` reads it, ligatures (fi, ff) read back as the letters
// they join and every run of blanks and line ends made one blank.
QString readPdfText(const QString& pdf);

// "page 2: '12.00' overlaps 'Taxes'" for every two words of a page whose boxes overlap by more than
// `tolerance` points both ways.
QStringList overlappingWords(const PdfWords& words, double tolerance = 0.1);

// Every word outside its page less `margin` points on each side, and every page not of `page` size.
QStringList wordsOutsideMargins(const PdfWords& words, double margin, QSizeF page = QSizeF(612, 792));

} // namespace testsupport
