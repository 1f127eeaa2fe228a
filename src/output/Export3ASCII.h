#pragma once
// The plain-text export writer; this program uses its semicolon-separated (CSV) form: a
// caption line, then one line per record, every value quoted.
#include "Export3FormatText.h"

namespace output {

enum class ExportType { etCSV };

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
    void appendQuoted(QString& line, const QString& text) const;
    /// Appends plain ASCII text quoted as appendQuoted would, as the file's bytes.
    void appendQuotedPlain(QByteArray& line, QByteArrayView text) const;

    QString text_;     // reused for every value
    QByteArray bytes_; // reused for every row
};

} // namespace output
