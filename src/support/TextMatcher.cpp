#include "TextMatcher.h"

#include "core/Win1252.h"

namespace support {

namespace {

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

bool TextMatcher::matches(const QString& text) const
{
    const QString folded = options_.caseSensitive ? text : core::win1252::upper(text);
    if (!options_.wildcards)
        return !key_.isEmpty() && folded.contains(key_);
    return patternMatch(folded, key_, options_.multi, options_.single);
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
