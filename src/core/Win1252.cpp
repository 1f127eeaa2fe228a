#include "Win1252.h"

#include <array>

namespace core::win1252 {

namespace {
// 0x80..0x9F; undefined positions map to the C1 control of the same value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar charOf(unsigned char b)
{
    if (b >= 0x80 && b < 0xA0)
        return QChar(kHigh[b - 0x80]);
    return QChar(char16_t(b));
}

unsigned char upperByte(unsigned char b)
{
    if (b >= 'a' && b <= 'z')
        return b - 0x20;
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7)
        return b - 0x20;
    switch (b) {
    case 0x9A: return 0x8A; // š
    case 0x9C: return 0x8C; // œ
    case 0x9E: return 0x8E; // ž
    case 0xFF: return 0x9F; // ÿ
    default: return b;
    }
}
} // namespace

QString decode(const char* data, qsizetype size)
{
    QString text;
    text.resize(size);
    QChar* out = text.data();
    for (qsizetype i = 0; i < size; ++i)
        out[i] = charOf(static_cast<unsigned char>(data[i]));
    return text;
}

QString decode(const QByteArray& bytes)
{
    return decode(bytes.constData(), bytes.size());
}

int byteOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u)
            return 0x80 + i;
    return -1;
}

QByteArray encode(const QString& text)
{
    // Sized once and written in place: appending byte by byte cost more than the mapping.
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar c : text) {
        const int b = byteOf(c);
        *out++ = b < 0 ? '?' : char(b);
    }
    return bytes;
}

namespace {

/// The byte of a character's base letter by its canonical decomposition, or -1.
int baseLetterByte(QChar c)
{
    if (c.decompositionTag() != QChar::Canonical)
        return -1;
    const QChar base = c.decomposition().at(0);
    if (!base.isLetter())
        return -1;
    // Some decompose to a letter that itself carries an accent (ṩ -> ṣ + dot above).
    const int b = byteOf(base);
    return b >= 0 ? b : baseLetterByte(base);
}

} // namespace

QByteArray encodeNearest(const QString& text, qsizetype& replaced)
{
    QByteArray bytes;
    appendNearest(bytes, text, replaced);
    return bytes;
}

void appendNearest(QByteArray& bytes, const QString& text, qsizetype& replaced)
{
    // Sized once and written in place; the code page's own characters need no lookup.
    const qsizetype start = bytes.size();
    bytes.resize(start + text.size());
    char* out = bytes.data() + start;
    const QChar* chars = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = chars[i];
        const char16_t u = c.unicode();
        int b = (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) ? int(u) : byteOf(c);
        if (b < 0) {
            ++replaced;
            if (c.isHighSurrogate() && i + 1 < text.size() && chars[i + 1].isLowSurrogate())
                ++i;
            else
                b = baseLetterByte(c);
        }
        *out++ = b < 0 ? '?' : char(b);
    }
    bytes.truncate(out - bytes.data());
}

QChar upper(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= 'a' && u <= 'z') ? QChar(char16_t(u - 0x20)) : c;
    const int b = byteOf(c);
    if (b < 0)
        return c;
    return charOf(upperByte(static_cast<unsigned char>(b)));
}

QString upper(const QString& text)
{
    QString result = text;
    for (QChar& c : result)
        c = upper(c);
    return result;
}

QString upperAscii(const QString& text)
{
    QString result = text;
    for (QChar& c : result)
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(char16_t(c.unicode() - 0x20));
    return result;
}

} // namespace core::win1252
