#pragma once
// Reading back a written PDF with poppler's command-line tools.
#include <QString>
#include <QStringList>

namespace testing_support {

/// The text of a PDF as pdftotext -layout gives it, one entry per page.
QStringList pdfPages(const QString& path);
/// Number of pages according to pdfinfo; -1 when it cannot read the file.
int pdfPageCount(const QString& path);
/// Names of the fonts embedded in the PDF (pdffonts).
QString pdfFonts(const QString& path);

/// One word of a PDF page with its box in mm from the paper's top left corner (pdftotext -bbox).
struct PdfWord {
    int page = 0; // 1-based
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};
QList<PdfWord> pdfWords(const QString& path);

} // namespace testing_support
