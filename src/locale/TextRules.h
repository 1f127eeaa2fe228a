#pragma once
// Small text rules shared by the language-file reader, the codecs and the localizer.
#include <QString>
#include <QStringView>
#include <optional>

namespace locale::text {

/// Codes 0 to 32: what the file format trims and what comma text treats as a separator.
inline bool isBlankChar(QChar c) { return c.unicode() <= 32; }
/// Codes 0 to 31: what the quoted form writes as "#" codes.
inline bool isControlChar(QChar c) { return c.unicode() < 32; }

/// The text without leading and trailing characters of codes 0 to 32.
QStringView trimmed(QStringView text);
/// True when nothing but characters of codes 0 to 32 is left.
bool isBlank(QStringView text);

/// Equality without regard to case, by the Windows-1252 code page's upper-casing.
bool sameText(QStringView a, QStringView b);
/// The key under which a name is compared (its Windows-1252 upper case).
QString foldKey(QStringView text);

/// A decimal number made only of ASCII digits, optionally after one sign when allowSign;
/// std::nullopt for anything else or a value beyond the int range.
std::optional<int> parseDecimal(QStringView text, bool allowSign);

} // namespace locale::text
