#pragma once
// The quoted form in which language files hold their values: the text in double quotes with
// inner quotes doubled, and each run of control characters outside the quotes as "#" codes,
// for example "Tid format = ttmm "#13#10"Indtast f.eks. 0245".
#include <QString>

namespace locale {

class QuotedText {
public:
    /// The quoted form of text. Control characters (codes 0 to 31) stand outside the quotes
    /// as "#<code>" runs; a text ending in such a run ends with an empty pair of quotes.
    /// A "#" at the start of the text or right after a double quote is written as the code
    /// #35 as well, since "\"#" would otherwise read back as the start of a run: so every
    /// text decodes to itself.
    static QString encode(const QString& text);

    /// Decodes a value read from a language file:
    /// 1. every double quote immediately followed by "#" starts a run of "#"-separated
    ///    decimal codes that ends at the next double quote (which is removed); the text
    ///    before, between and after such runs is kept as it stands. A code is a byte of the
    ///    file's code page (Windows-1252); a code that is not a plain decimal number, or is
    ///    above 255, is dropped. A run without a closing quote ends at the end of the value.
    /// 2. if the result is longer than one character and begins with a double quote, it is
    ///    unquoted: the text up to the matching closing quote, doubled quotes read as one,
    ///    anything after the closing quote dropped (no closing quote: up to the end).
    ///    Otherwise the result is taken literally.
    static QString decode(const QString& value);

private:
    static void appendCodes(QStringView run, QString& out);
    static QString unquote(const QString& text);
};

} // namespace locale
