#pragma once
// The plain-text export writer; this program uses its semicolon-separated (CSV) form: a
// caption line, then one line per record, every value quoted.
//
// A text value that a spreadsheet would run as a formula (it starts with =, +, -, @, a tab
// or a carriage return) is written behind an apostrophe, which spreadsheets show as text. So
// that the mark is never ambiguous, a text that itself starts with an apostrophe gets one
// too: the CSV import takes exactly one leading apostrophe off every value, and the export
// -> import -> export round trip stays byte for byte the same.
#include "Export3FormatText.h"

namespace output {

enum class ExportType { etCSV };

/// True for a text's first character that gets the apostrophe (see above).
bool startsLikeFormula(char16_t first);

class TQExport3ASCII : public TQExport3FormatText {
    Q_OBJECT
public:
    using TQExport3FormatText::TQExport3FormatText;

    ExportType Type = ExportType::etCSV;
    QString CSVComma = QStringLiteral(";");
    QChar CSVQuote = QLatin1Char('"');
    bool CSVQuoteStrings = true;

protected:
    void WriteCaptions(const std::vector<ExportColumn>& columns) override;
    void WriteRow(const std::vector<ExportColumn>& columns, const std::vector<ExportCell>& cells) override;

private:
    QString quoted(const QString& text) const;
    /// Appends text quoted, behind the apostrophe when marked.
    void appendQuoted(QString& line, const QString& text, bool marked = false) const;
    /// Appends plain ASCII text quoted as appendQuoted would, as the file's bytes.
    void appendQuotedPlain(QByteArray& line, QByteArrayView text, bool marked) const;

    QString text_;     // reused for every value
    QByteArray bytes_; // reused for every row
};

} // namespace output
