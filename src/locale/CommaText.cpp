#include "CommaText.h"

#include "TextRules.h"

namespace locale {

namespace {
const QChar kQuote = u'"';
const QChar kComma = u',';

bool needsQuotes(const QString& item)
{
    for (QChar c : item)
        if (text::isBlankChar(c) || c == kQuote || c == kComma)
            return true;
    return false;
}

void skipBlanks(const QString& text, qsizetype& pos)
{
    while (pos < text.size() && text::isBlankChar(text[pos]))
        ++pos;
}
} // namespace

QString CommaText::write(const QStringList& items)
{
    if (items.size() == 1 && items.first().isEmpty())
        return QStringLiteral("\"\"");
    QString out;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += kComma;
        const QString& item = items[i];
        if (!needsQuotes(item)) {
            out += item;
            continue;
        }
        out += kQuote;
        for (QChar c : item) {
            if (c == kQuote)
                out += kQuote;
            out += c;
        }
        out += kQuote;
    }
    return out;
}

QString CommaText::readQuoted(const QString& text, qsizetype& pos)
{
    QString item;
    ++pos; // the opening quote
    while (pos < text.size()) {
        const QChar c = text[pos++];
        if (c != kQuote) {
            item += c;
            continue;
        }
        if (pos < text.size() && text[pos] == kQuote) {
            item += kQuote;
            ++pos;
            continue;
        }
        break;
    }
    return item;
}

QString CommaText::readPlain(const QString& text, qsizetype& pos)
{
    const qsizetype start = pos;
    while (pos < text.size() && !text::isBlankChar(text[pos]) && text[pos] != kComma)
        ++pos;
    return text.mid(start, pos - start);
}

QStringList CommaText::read(const QString& text)
{
    QStringList items;
    qsizetype pos = 0;
    skipBlanks(text, pos);
    while (pos < text.size()) {
        items.append(text[pos] == kQuote ? readQuoted(text, pos) : readPlain(text, pos));
        skipBlanks(text, pos);
        if (pos < text.size() && text[pos] == kComma) {
            if (pos + 1 == text.size())
                items.append(QString());
            ++pos;
            skipBlanks(text, pos);
        }
    }
    return items;
}

} // namespace locale
