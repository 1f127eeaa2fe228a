#include "TextMatcher.h"

#include "core/Win1252.h"

#include <algorithm>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace support {

namespace {

// The code page's upper case of every Latin-1 character, looked up instead of computed: a
// search folds every character of every description it walks.
struct FoldTable {
    char16_t upper[256];
    char16_t lower[256]; ///< the other Latin-1 character whose upper case this is, or itself
    FoldTable()
    {
        for (int c = 0; c < 256; ++c) {
            upper[c] = core::win1252::upper(QChar(char16_t(c))).unicode();
            lower[c] = char16_t(c);
        }
        for (int c = 0; c < 256; ++c)
            if (upper[c] != c && upper[c] < 256)
                lower[upper[c]] = char16_t(c);
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

// The first position from `from` on where t holds a or b, or n.
qsizetype findEither(const char16_t* t, qsizetype from, qsizetype n, char16_t a, char16_t b)
{
    qsizetype i = from;
#ifdef __SSE2__
    const __m128i va = _mm_set1_epi16(short(a));
    const __m128i vb = _mm_set1_epi16(short(b));
    for (; i + 8 <= n; i += 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(chunk, va), _mm_cmpeq_epi16(chunk, vb)));
        if (mask != 0)
            return i + __builtin_ctz(unsigned(mask)) / 2;
    }
#endif
    for (; i < n; ++i)
        if (t[i] == a || t[i] == b)
            return i;
    return n;
}

// The first position from `from` on where t holds byte a or b, or n.
qsizetype findEitherByte(const unsigned char* t, qsizetype from, qsizetype n, unsigned char a, unsigned char b)
{
    qsizetype i = from;
#ifdef __SSE2__
    const __m128i va = _mm_set1_epi8(char(a));
    const __m128i vb = _mm_set1_epi8(char(b));
    for (; i + 16 <= n; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, va), _mm_cmpeq_epi8(chunk, vb)));
        if (mask != 0)
            return i + __builtin_ctz(unsigned(mask));
    }
#endif
    for (; i < n; ++i)
        if (t[i] == a || t[i] == b)
            return i;
    return n;
}

// One character of UTF-8 at p, as Qt's decoder accepts it (no overlong forms, no encoded
// surrogates, nothing above U+10FFFF): its length, or 0 for bytes the decoder replaces.
int decodeUtf8(const unsigned char* p, const unsigned char* end, char32_t& code)
{
    const unsigned char lead = *p;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    int more = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1;
        code = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2;
        code = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3;
        code = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (end - p <= more)
        return 0;
    for (int i = 1; i <= more; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (p[i] & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return more + 1;
}

unsigned char leadByte(char16_t c)
{
    if (c < 0x80)
        return static_cast<unsigned char>(c);
    if (c < 0x800)
        return static_cast<unsigned char>(0xC0 | (c >> 6));
    return static_cast<unsigned char>(0xE0 | (c >> 12));
}

// Characters that a decoder may make of bytes it does not accept, or may drop or keep at
// the start of a text: a key holding one is not looked for in UTF-8.
bool decoderDependent(char16_t c)
{
    return (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFD || c == 0xFEFF || (c >= 0xFDD0 && c <= 0xFDEF)
           || c == 0xFFFE || c == 0xFFFF;
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
    if (!key_.isEmpty() && !options.caseSensitive)
        findFirstPreimages();
    else if (!key_.isEmpty())
        firstA_ = firstB_ = key_.at(0).unicode();
    prepareUtf8();
}

void TextMatcher::prepareUtf8()
{
    utf8Ready_ = !options_.wildcards && !key_.isEmpty();
    for (const QChar c : std::as_const(key_))
        if (decoderDependent(c.unicode()))
            utf8Ready_ = false;
    leadA_ = leadByte(firstA_);
    leadB_ = leadByte(firstB_);
}

std::optional<bool> TextMatcher::matchesUtf8(const char* data, qsizetype size, qsizetype limit) const
{
    // Within the limit in bytes means within it in characters as well.
    if (!utf8Ready_ || size > limit)
        return std::nullopt;
    const auto* t = reinterpret_cast<const unsigned char*>(data);
    const unsigned char* end = t + size;
    // A lead byte is never part of another character, so each place found starts one.
    for (qsizetype at = findEitherByte(t, 0, size, leadA_, leadB_); at < size;
         at = findEitherByte(t, at + 1, size, leadA_, leadB_))
        if (keyAt(t + at, end))
            return true;
    return false;
}

// True when the characters from `at` on, folded unless case-sensitive, are the key. Bytes a
// decoder would replace, and characters beyond U+FFFF, are no part of any key here.
bool TextMatcher::keyAt(const unsigned char* at, const unsigned char* end) const
{
    const char16_t* latin1 = foldTable().upper;
    for (const QChar wanted : key_) {
        char32_t code = 0;
        const int length = at < end ? decodeUtf8(at, end, code) : 0;
        if (length == 0 || code > 0xFFFF)
            return false;
        at += length;
        const char16_t unit = options_.caseSensitive ? char16_t(code) : fold(char16_t(code), latin1);
        if (unit != wanted.unicode())
            return false;
    }
    return true;
}

// The characters whose upper case is the key's first character: itself and at most one
// other (a lower-case letter; ÿ for Ÿ; š, œ, ž for their capitals).
void TextMatcher::findFirstPreimages()
{
    const char16_t first = key_.at(0).unicode();
    firstA_ = firstB_ = first;
    if (first < 256) {
        firstB_ = foldTable().lower[first];
        return;
    }
    for (const char16_t c : {u'\u00FF', u'\u0161', u'\u0153', u'\u017E'})
        if (core::win1252::upper(QChar(c)).unicode() == first)
            firstB_ = c;
}

bool TextMatcher::matches(QStringView text) const
{
    if (!options_.wildcards)
        return containsKey(text);
    if (options_.caseSensitive)
        return patternMatch(text, key_, options_.multi, options_.single);
    return patternMatch(core::win1252::upper(text.toString()), key_, options_.multi, options_.single);
}

// Containment without a folded copy of the text: the characters that fold to the key's first
// character are looked for, and from each such place the rest is folded as it is compared.
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
    const qsizetype starts = text.size() - m + 1;
    for (qsizetype i = findEither(t, 0, starts, firstA_, firstB_); i < starts;
         i = findEither(t, i + 1, starts, firstA_, firstB_)) {
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
