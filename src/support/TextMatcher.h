#pragma once
// The test of one field text against a search key: containment, or a wildcard pattern with
// a multi-character and a single-character wildcard, optionally without regard to case
// (the Windows-1252 code page's upper-casing).
#include <QString>
#include <optional>

namespace support {

struct MatchOptions {
    bool caseSensitive = false;
    bool wildcards = false;
    QString multi = QStringLiteral("%"); ///< at most its first five characters count
    QChar single = QLatin1Char('_');
};

class TextMatcher {
public:
    TextMatcher(const QString& key, const MatchOptions& options);
    /// True when the text matches the key.
    bool matches(QStringView text) const;
    /// The verdict of matches() on the first `limit` characters of a text given as UTF-8, found
    /// without decoding it; nothing when it cannot be told that way (wildcards, a text that may
    /// be longer than the limit, a key holding characters a decoder could make of bad bytes).
    std::optional<bool> matchesUtf8(const char* data, qsizetype size, qsizetype limit) const;
    /// False when no text can match (an empty key without wildcards), so a walk can be skipped.
    bool canMatch() const { return options_.wildcards || !key_.isEmpty(); }

    /// The wildcard step rules on prepared (already folded) texts.
    static bool patternMatch(QStringView s, QStringView p, QStringView multi, QChar single);

private:
    bool containsKey(QStringView text) const;
    bool keyAt(const unsigned char* at, const unsigned char* end) const;
    void findFirstPreimages();
    void prepareUtf8();

    QString key_; ///< folded unless case-sensitive
    MatchOptions options_;
    char16_t firstA_ = 0; ///< the characters that fold to the key's first one
    char16_t firstB_ = 0;
    bool utf8Ready_ = false;      ///< the key can be looked for in UTF-8 bytes
    unsigned char leadA_ = 0;     ///< first UTF-8 bytes of firstA_ and firstB_
    unsigned char leadB_ = 0;
};

} // namespace support
