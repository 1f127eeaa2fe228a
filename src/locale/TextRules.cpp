#include "TextRules.h"

#include "core/Win1252.h"

#include <climits>

namespace locale::text {

QStringView trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankChar(text[begin]))
        ++begin;
    while (end > begin && isBlankChar(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool isBlank(QStringView text)
{
    return trimmed(text).isEmpty();
}

bool sameText(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && core::win1252::upper(a[i]) != core::win1252::upper(b[i]))
            return false;
    return true;
}

QString foldKey(QStringView text)
{
    return core::win1252::upper(text.toString());
}

std::optional<int> parseDecimal(QStringView text, bool allowSign)
{
    qsizetype i = 0;
    bool negative = false;
    if (allowSign && !text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        negative = text[0] == u'-';
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > qint64(INT_MAX) + 1) // stops long digit runs early
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        return std::nullopt;
    return int(value);
}

} // namespace locale::text
