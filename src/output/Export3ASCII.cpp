#include "Export3ASCII.h"

namespace output {

QString TQExport3ASCII::quoted(const QString& text) const
{
    if (!CSVQuoteStrings)
        return text;
    QString inner = text;
    inner.replace(CSVQuote, QString(2, CSVQuote));
    return CSVQuote + inner + CSVQuote;
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

void TQExport3ASCII::WriteRow(const std::vector<ExportColumn>& columns, std::vector<ExportCell>& cells)
{
    QStringList values;
    for (size_t i = 0; i < columns.size(); ++i) {
        values << quoted(formatted(columns[i], cells[i]));
        cells[i].needsFormat = false;
    }
    writeText(values.join(CSVComma));
}

} // namespace output
