#include "Export3ASCII.h"

namespace output {

void TQExport3ASCII::appendQuoted(QString& line, const QString& text) const
{
    if (!CSVQuoteStrings) {
        line += text;
        return;
    }
    line += CSVQuote;
    if (text.contains(CSVQuote)) {
        for (const QChar c : text) {
            if (c == CSVQuote)
                line += CSVQuote;
            line += c;
        }
    } else {
        line += text;
    }
    line += CSVQuote;
}

QString TQExport3ASCII::quoted(const QString& text) const
{
    QString line;
    appendQuoted(line, text);
    return line;
}

void TQExport3ASCII::WriteCaptions(const std::vector<ExportColumn>& columns)
{
    if (!AllowCaptions)
        return;
    QStringList captions;
    for (const ExportColumn& column : columns)
        captions << quoted(captionOf(column));
    writeText(captions.join(CSVComma));
}

void TQExport3ASCII::WriteRow(const std::vector<ExportColumn>& columns, const std::vector<ExportCell>& cells)
{
    line_.clear();
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            line_ += CSVComma;
        appendQuoted(line_, formatted(columns[i], cells[i]));
    }
    writeText(line_);
}

} // namespace output
