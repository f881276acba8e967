#include "testsupport/pdf_words.h"

#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace testsupport {

namespace {

QString unescaped(QString text) {
    static const QRegularExpression numeric(QStringLiteral("&#(\\d+);"));
    for (auto m = numeric.match(text); m.hasMatch(); m = numeric.match(text))
        text.replace(m.capturedStart(), m.capturedLength(), QChar(m.captured(1).toInt()));
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    // Ligatures ("ﬁ") read as their letters.
    return text.normalized(QString::NormalizationForm_KC);
}

QString where(const PdfWord& w) {
    return QStringLiteral("'%1' at %2,%3-%4,%5")
        .arg(w.text)
        .arg(w.box.left(), 0, 'f', 1)
        .arg(w.box.top(), 0, 'f', 1)
        .arg(w.box.right(), 0, 'f', 1)
        .arg(w.box.bottom(), 0, 'f', 1);
}

} // namespace

QString PdfWords::text(int page) const {
    QStringList out;
    for (const PdfWord& w : words)
        if (w.page == page) out << w.text;
    return out.join(QLatin1Char(' '));
}

PdfWords readPdfWords(const QString& pdf) {
    PdfWords out;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        out.error = QStringLiteral("pdftotext -bbox %1 failed: %2")
                        .arg(pdf, QString::fromUtf8(p.readAllStandardError()));
        return out;
    }
    static const QRegularExpression tag(QStringLiteral(
        "<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|"
        "<word xMin=\"([\\d.-]+)\" yMin=\"([\\d.-]+)\" xMax=\"([\\d.-]+)\" yMax=\"([\\d.-]+)\">"
        "([^<]*)</word>"));
    const QString xhtml = QString::fromUtf8(p.readAllStandardOutput());
    for (auto it = tag.globalMatch(xhtml); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            out.pages << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
            continue;
        }
        const double x0 = m.captured(3).toDouble(), y0 = m.captured(4).toDouble();
        out.words << PdfWord{
            int(out.pages.size()), unescaped(m.captured(7)),
            QRectF(QPointF(x0, y0), QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()))};
    }
    if (out.pages.isEmpty()) out.error = QStringLiteral("%1 has no pages").arg(pdf);
    return out;
}

QStringList overlappingWords(const PdfWords& words, double tolerance) {
    QStringList faults;
    for (qsizetype i = 0; i < words.words.size(); ++i) {
        const PdfWord& a = words.words[i];
        for (qsizetype j = i + 1; j < words.words.size() && words.words[j].page == a.page; ++j) {
            const PdfWord& b = words.words[j];
            const QRectF both = a.box.intersected(b.box);
            if (both.width() > tolerance && both.height() > tolerance)
                faults << QStringLiteral("page %1: %2 overlaps %3").arg(a.page).arg(where(a), where(b));
        }
    }
    return faults;
}

QStringList wordsOutsideMargins(const PdfWords& words, double margin, QSizeF page) {
    QStringList faults;
    for (qsizetype i = 0; i < words.pages.size(); ++i)
        if (qAbs(words.pages[i].width() - page.width()) > 0.5 ||
            qAbs(words.pages[i].height() - page.height()) > 0.5)
            faults << QStringLiteral("page %1 is %2 x %3 points")
                          .arg(i + 1)
                          .arg(words.pages[i].width())
                          .arg(words.pages[i].height());
    const double slack = 0.1;
    for (const PdfWord& w : words.words) {
        const QSizeF size = words.pages.value(w.page - 1, page);
        const QRectF inside(margin - slack, margin - slack, size.width() - 2 * (margin - slack),
                            size.height() - 2 * (margin - slack));
        if (!inside.contains(w.box))
            faults << QStringLiteral("page %1: %2 is outside the margins").arg(w.page).arg(where(w));
    }
    return faults;
}

QString readPdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(30000));
    return QString::fromUtf8(p.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC)
        .simplified();
}

} // namespace testsupport
