#pragma once
// The test of one field text against a search key: containment, or a wildcard pattern with
// a multi-character and a single-character wildcard, optionally without regard to case
// (the Windows-1252 code page's upper-casing).
#include <QString>

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
    /// False when no text can match (an empty key without wildcards), so a walk can be skipped.
    bool canMatch() const { return options_.wildcards || !key_.isEmpty(); }

    /// The wildcard step rules on prepared (already folded) texts.
    static bool patternMatch(QStringView s, QStringView p, QStringView multi, QChar single);

private:
    bool containsKey(QStringView text) const;

    QString key_; ///< folded unless case-sensitive
    MatchOptions options_;
};

} // namespace support
