#include "Export3ASCII.h"

namespace output {

namespace {
const QChar kTextMark = QLatin1Char('\'');
} // namespace

bool startsLikeFormula(char16_t first)
{
    // '-' too: a spreadsheet reads "-00" as the number 0 and "-A1" as a formula. Numbers
    // the catalogue stores as numbers are not texts and never get the mark.
    return QStringView(u"=+-@\t\r'").contains(QChar(first));
}

void TQExport3ASCII::appendQuoted(QString& line, const QString& text, bool marked) const
{
    if (!CSVQuoteStrings) {
        if (marked)
            line += kTextMark;
        line += text;
        return;
    }
    line += CSVQuote;
    if (marked)
        line += kTextMark;
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

void TQExport3ASCII::appendQuotedPlain(QByteArray& line, QByteArrayView text, bool marked) const
{
    // ASCII is the same bytes in the file's code page.
    if (!CSVQuoteStrings) {
        if (marked)
            line.append('\'');
        line.append(text);
        return;
    }
    const char quote = char(CSVQuote.unicode());
    line.append(quote);
    if (marked)
        line.append('\'');
    for (qsizetype at = 0;;) {
        const qsizetype found = text.indexOf(quote, at);
        if (found < 0) {
            line.append(text.sliced(at));
            break;
        }
        line.append(text.sliced(at, found + 1 - at)).append(quote);
        at = found + 1;
    }
    line.append(quote);
}

void TQExport3ASCII::WriteRow(const std::vector<ExportColumn>& columns, const std::vector<ExportCell>& cells)
{
    // Built as the file's bytes: a plain text is copied as stored, anything else encoded.
    bytes_.resize(0);
    const bool plainQuote = CSVQuote.unicode() < 0x80;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            appendEncoded(bytes_, CSVComma);
        const bool text = columns[i].kind == ColumnKind::Text && !cells[i].isNull;
        if (cells[i].isPlain && plainQuote) {
            appendQuotedPlain(bytes_, cells[i].plain, text && !cells[i].plain.empty() && startsLikeFormula(char16_t(cells[i].plain[0])));
            continue;
        }
        const QString value = formatted(columns[i], cells[i]);
        text_.resize(0);
        appendQuoted(text_, value, text && !value.isEmpty() && startsLikeFormula(value.front().unicode()));
        appendEncoded(bytes_, text_);
    }
    writeEncoded(bytes_);
}

} // namespace output
