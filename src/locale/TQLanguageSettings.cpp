#include "TQLanguageSettings.h"

#include "TQCustomLanguageSource.h"
#include "TextRules.h"
#include "core/Errors.h"
#include "core/Win1252.h"

#include <array>

namespace locale {

namespace {
struct CharSetName {
    const char* name;
    int number;
};

constexpr std::array<CharSetName, 19> kCharSets = {{
    {"ANSI_CHARSET", 0},        {"DEFAULT_CHARSET", 1},      {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},        {"SHIFTJIS_CHARSET", 128},   {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},     {"GB2312_CHARSET", 134},     {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},     {"TURKISH_CHARSET", 162},    {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},    {"ARABIC_CHARSET", 178},     {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204},   {"THAI_CHARSET", 222},       {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
}};
} // namespace

TQLanguageSettings::TQLanguageSettings(TQCustomLanguageSource* source) : source_(source)
{
    if (!source_)
        throw core::EQLocalError(QStringLiteral("Language source must be specified!"));
}

QString TQLanguageSettings::readSetting(const QString& key, const QString& def) const
{
    const QString remembered = source_->Section();
    source_->SetSection(settingsSection());
    const QString value = source_->ReadString(key, def);
    source_->SetSection(remembered);
    return value;
}

TBiDiMode TQLanguageSettings::BiDiMode() const
{
    if (source_->ActiveLanguage() == -1)
        return biDiMode_;
    const std::optional<int> mode = text::parseDecimal(readSetting(QStringLiteral("BiDiMode"), QStringLiteral("0")), true);
    if (!mode || *mode < bdLeftToRight || *mode > bdRightToLeftReadingOnly)
        return bdLeftToRight;
    return TBiDiMode(*mode);
}

void TQLanguageSettings::SetBiDiMode(TBiDiMode mode)
{
    if (!source_->Loading())
        biDiMode_ = mode;
}

int TQLanguageSettings::FontCharSet() const
{
    if (source_->ActiveLanguage() == -1)
        return fontCharSet_;
    return CharSetFromName(readSetting(QStringLiteral("FontCharSet"), QStringLiteral("DEFAULT_CHARSET")));
}

void TQLanguageSettings::SetFontCharSet(int charSet)
{
    if (!source_->Loading())
        fontCharSet_ = charSet & 0xFF;
}

int TQLanguageSettings::CharSetFromName(const QString& name)
{
    const QString upper = core::win1252::upper(name);
    for (const CharSetName& entry : kCharSets)
        if (upper == QLatin1String(entry.name))
            return entry.number;
    return DEFAULT_CHARSET;
}

} // namespace locale
