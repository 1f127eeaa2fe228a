#pragma once
// The program's languages and the tables that hold one entry per language. The list is made at
// build time from Languages.txt, which the install rules read too.
//
// The language index is the language source's: -1 the designed Danish, 0 the first language
// file (English), and so on in the order of the list.
#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>
#include <optional>
#include <type_traits>
#include <utility>

namespace locale {

struct Language {
    const char* name;        ///< as the language label and menu show it ("Dansk")
    const char* file;        ///< the language file ("English.lng"); empty for the designed language
    const char* helpFolder;  ///< folder under Help/ ("Engelsk")
    const char* placeholder; ///< picture under Billeder/ shown for a tape without a cover
    const char* caption;     ///< the main window's caption, the product's name in that language
    const char* desktop;     ///< the desktop's languages it serves, ISO 639 codes separated by blanks
};

inline constexpr Language kLanguages[] = {
#include "LanguageList.inc"
};

inline constexpr int kLanguageCount = int(std::size(kLanguages));
/// The index of the first entry: the designed language.
inline constexpr int kDesignedLanguage = -1;

/// The language with that index, or nullptr outside the list.
const Language* findLanguage(int languageIndex);
/// The index of a language name, compared exactly; std::nullopt for a name that is none of them.
std::optional<int> languageIndexOfName(const QString& name);
/// The index of the language that serves the desktop's language (an ISO 639 code: "nb");
/// std::nullopt for a language none serves.
std::optional<int> languageIndexOfDesktop(const QString& code);
/// The language source's lines for every language with a file ("English=English.lng"), in order.
QStringList languageFileLines();
/// The designed language's name ("Dansk").
QString designedLanguageName();

/// The slot of a language index in a per-language table, or std::nullopt outside the list.
constexpr std::optional<std::size_t> languageSlot(int languageIndex)
{
    const int slot = languageIndex - kDesignedLanguage;
    if (slot < 0 || slot >= kLanguageCount)
        return std::nullopt;
    return std::size_t(slot);
}

namespace detail {
template <std::size_t, typename U>
using Repeat = U;
}

/// One value per language, in the order of the list. Its constructor takes exactly
/// kLanguageCount values: a table that misses a language, or has one too many, does not compile.
/// Immutable once built.
template <typename T, typename Slots = std::make_index_sequence<kLanguageCount>>
class PerLanguage;

template <typename T, std::size_t... Slots>
class PerLanguage<T, std::index_sequence<Slots...>> {
public:
    constexpr PerLanguage(const detail::Repeat<Slots, T>&... entries) : entries_{{entries...}} {}

    template <typename... Other, typename = std::enable_if_t<(sizeof...(Other) > 1 && sizeof...(Other) != kLanguageCount)>>
    PerLanguage(Other&&...)
    {
        static_assert(sizeof...(Other) == kLanguageCount,
                      "a per-language table needs exactly one entry per language of Languages.txt");
    }

    /// The same value for every language.
    static constexpr PerLanguage same(const T& value) { return PerLanguage((void(Slots), value)...); }

    /// The value for a language index; the designed (Danish) value for an index outside the list.
    constexpr const T& operator[](int languageIndex) const { return entries_[languageSlot(languageIndex).value_or(0)]; }
    /// The value for a language index, or nullptr outside the list.
    constexpr const T* find(int languageIndex) const
    {
        const auto slot = languageSlot(languageIndex);
        return slot ? &entries_[*slot] : nullptr;
    }
    /// The text for a language index, as operator[] chooses it, for tables of UTF-8 literals.
    QString text(int languageIndex) const { return QString::fromUtf8((*this)[languageIndex]); }

private:
    std::array<T, kLanguageCount> entries_;
};

/// One UTF-8 text per language, the kind of table most windows keep.
using LanguageTexts = PerLanguage<const char*>;

} // namespace locale
