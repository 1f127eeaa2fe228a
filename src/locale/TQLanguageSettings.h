#pragma once
// Reading direction and font character set of the active language. Owned by its source:
// for the original language (index -1) it gives its stored values, otherwise it reads
// "BiDiMode" and "FontCharSet" of the active file's "General Settings" section.
#include <QString>

namespace locale {

class TQCustomLanguageSource;

enum TBiDiMode {
    bdLeftToRight = 0,
    bdRightToLeft = 1,
    bdRightToLeftNoAlign = 2,
    bdRightToLeftReadingOnly = 3,
};

/// Windows GDI character set numbers; only the table's names are known.
constexpr int DEFAULT_CHARSET = 1;

class TQLanguageSettings {
public:
    /// Throws EQLocalError "Language source must be specified!" when source is null.
    explicit TQLanguageSettings(TQCustomLanguageSource* source);

    /// The stored value for index -1, else the file's "BiDiMode" (0 to 3; anything else 0).
    TBiDiMode BiDiMode() const;
    /// Ignored while the source is loading.
    void SetBiDiMode(TBiDiMode mode);
    /// The stored value for index -1, else the file's "FontCharSet" name looked up in the
    /// character set table (unknown or missing: DEFAULT_CHARSET).
    int FontCharSet() const;
    /// An 8-bit character set number; ignored while the source is loading.
    void SetFontCharSet(int charSet);

    /// The number of a character set name (any letter case); DEFAULT_CHARSET when unknown.
    static int CharSetFromName(const QString& name);

    static QString settingsSection() { return QStringLiteral("General Settings"); }

private:
    QString readSetting(const QString& key, const QString& def) const;

    TQCustomLanguageSource* source_;
    TBiDiMode biDiMode_ = bdLeftToRight;
    int fontCharSet_ = DEFAULT_CHARSET;
};

} // namespace locale
