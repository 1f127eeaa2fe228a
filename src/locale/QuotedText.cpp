#include "QuotedText.h"

#include "TextRules.h"
#include "core/Win1252.h"

namespace locale {

namespace {
const QChar kQuote = u'"';
const QChar kHash = u'#';

// Characters that must leave the quotes and be written as a code.
bool needsCode(const QString& text, qsizetype i)
{
    const QChar c = text[i];
    if (text::isControlChar(c))
        return true;
    return c == kHash && (i == 0 || text[i - 1] == kQuote);
}
} // namespace

QString QuotedText::encode(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += kQuote;
    bool inRun = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (needsCode(text, i)) {
            if (!inRun)
                out += kQuote; // close the quoted part before the run
            inRun = true;
            out += kHash;
            out += QString::number(c.unicode());
            continue;
        }
        if (inRun)
            out += kQuote; // open the quoted part again after the run
        inRun = false;
        if (c == kQuote)
            out += kQuote;
        out += c;
    }
    if (inRun)
        out += kQuote;
    out += kQuote;
    return out;
}

void QuotedText::appendCodes(QStringView run, QString& out)
{
    qsizetype start = 0;
    while (start <= run.size()) {
        qsizetype end = run.indexOf(kHash, start);
        if (end < 0)
            end = run.size();
        const std::optional<int> code = text::parseDecimal(run.mid(start, end - start), false);
        if (code && *code <= 255) {
            const char byte = char(*code);
            out += core::win1252::decode(&byte, 1);
        }
        start = end + 1;
    }
}

QString QuotedText::unquote(const QString& text)
{
    if (text.size() <= 1 || text[0] != kQuote)
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i] != kQuote) {
            out += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == kQuote) {
            out += kQuote;
            ++i;
            continue;
        }
        break; // the closing quote; the rest is dropped
    }
    return out;
}

QString QuotedText::decode(const QString& value)
{
    QString joined;
    joined.reserve(value.size());
    const QStringView view(value);
    qsizetype pos = 0;
    while (pos < value.size()) {
        const qsizetype pair = value.indexOf(QLatin1String("\"#"), pos);
        if (pair < 0)
            break;
        joined += view.mid(pos, pair - pos);
        const qsizetype runStart = pair + 2;
        qsizetype close = value.indexOf(kQuote, runStart);
        if (close < 0)
            close = value.size();
        appendCodes(view.mid(runStart, close - runStart), joined);
        pos = close + 1;
    }
    if (pos < value.size())
        joined += view.mid(pos);
    return unquote(joined);
}

} // namespace locale
