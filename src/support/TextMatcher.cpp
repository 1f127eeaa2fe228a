#include "TextMatcher.h"

#include "core/Win1252.h"

namespace support {

namespace {

// The code page's upper case of every Latin-1 character, looked up instead of computed: a
// search folds every character of every description it walks.
struct FoldTable {
    char16_t upper[256];
    FoldTable()
    {
        for (int c = 0; c < 256; ++c)
            upper[c] = core::win1252::upper(QChar(char16_t(c))).unicode();
    }
};

const FoldTable& foldTable()
{
    static const FoldTable table;
    return table;
}

inline char16_t fold(char16_t c, const char16_t* latin1)
{
    return c < 256 ? latin1[c] : core::win1252::upper(QChar(c)).unicode();
}

QStringView trimmedOfControls(QStringView s)
{
    qsizetype end = s.size();
    while (end > 0 && s.at(end - 1).unicode() < 32)
        --end;
    return s.left(end);
}

// A tail without wildcards must occur so that it reaches the end of s, or of s without its
// trailing control characters; occurrences are tried from left to right.
bool tailReachesEnd(QStringView s, QStringView tail)
{
    const QStringView trimmed = trimmedOfControls(s);
    for (qsizetype at = s.indexOf(tail); at >= 0; at = s.indexOf(tail, at + 1)) {
        const qsizetype end = at + tail.size();
        if (end == s.size() || end == trimmed.size())
            return true;
    }
    return false;
}

qsizetype firstWildcard(QStringView p, QStringView multi, QChar single)
{
    const qsizetype m = p.indexOf(multi);
    const qsizetype s = p.indexOf(single);
    if (m < 0)
        return s;
    return s < 0 ? m : std::min(m, s);
}

} // namespace

TextMatcher::TextMatcher(const QString& key, const MatchOptions& options) : options_(options)
{
    options_.multi = options.multi.left(5);
    key_ = options.caseSensitive ? key : core::win1252::upper(key);
}

bool TextMatcher::matches(QStringView text) const
{
    if (!options_.wildcards)
        return containsKey(text);
    if (options_.caseSensitive)
        return patternMatch(text, key_, options_.multi, options_.single);
    return patternMatch(core::win1252::upper(text.toString()), key_, options_.multi, options_.single);
}

// Containment without a folded copy of the text: each character is folded as it is compared.
bool TextMatcher::containsKey(QStringView text) const
{
    const qsizetype m = key_.size();
    if (m == 0 || text.size() < m)
        return false;
    if (options_.caseSensitive)
        return text.contains(key_);
    const char16_t* latin1 = foldTable().upper;
    const char16_t* t = reinterpret_cast<const char16_t*>(text.utf16());
    const char16_t* k = reinterpret_cast<const char16_t*>(key_.utf16());
    const qsizetype last = text.size() - m;
    for (qsizetype i = 0; i <= last; ++i) {
        if (fold(t[i], latin1) != k[0])
            continue;
        qsizetype j = 1;
        while (j < m && fold(t[i + j], latin1) == k[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
}

bool TextMatcher::patternMatch(QStringView s, QStringView p, QStringView multi, QChar single)
{
    for (;;) {
        if (!multi.isEmpty() && p == multi)
            return true;
        if (s.isEmpty())
            return p.isEmpty();
        if (multi.isEmpty() || !p.startsWith(multi)) {
            if (p.isEmpty())
                return false;
            if (p.front() == single) {
                qsizetype run = 0;
                while (run < p.size() && p.at(run) == single)
                    ++run;
                if (s.size() < run)
                    return false;
                s = s.mid(run);
                p = p.mid(run);
                continue;
            }
            if (p.front() != s.front())
                return false;
            qsizetype same = 0;
            while (same < s.size() && same < p.size() && s.at(same) == p.at(same))
                ++same;
            s = s.mid(same);
            p = p.mid(same);
            continue;
        }
        const QStringView tail = p.mid(multi.size());
        const qsizetype wildcard = firstWildcard(tail, multi, single);
        if (wildcard < 0)
            return tailReachesEnd(s, tail);
        const QStringView literal = tail.left(wildcard);
        if (literal.isEmpty())
            return false;
        const qsizetype at = s.indexOf(literal);
        if (at < 0)
            return false;
        s = s.mid(at + literal.size());
        p = tail.mid(wildcard);
    }
}

} // namespace support
