#pragma once
// The five lookup list windows differ only in data: which table they keep, their designed
// size, place and menu, and the texts they show per language. This table holds all of it;
// TLookupForm builds and runs a window from one entry.
#include <QPoint>
#include <QSize>
#include "locale/Languages.h"

#include <QString>
#include <array>
#include <optional>

namespace engine {
class DataSource;
class Table;
}
namespace data {
class TDM;
}

namespace forms {

enum class LookupMember { Category, Type, Director, Actor, RecordedBy };

/// All five members, in menu order.
constexpr std::array<LookupMember, 5> kLookupMembers = {LookupMember::Category, LookupMember::Type,
                                                        LookupMember::Director, LookupMember::Actor,
                                                        LookupMember::RecordedBy};

/// How a handler picks its text: by the language label's name or by the active index.
enum class TextChoice { ByName, ByIndex };

struct LookupMenuItem {
    const char* name;    ///< object name of the QAction ("Tilfj1")
    const char* caption; ///< designed caption ("&Tilføj")
    const char* handler; ///< handler name ("Tilfj1Click")
};

struct LookupMemberInfo {
    LookupMember member;
    const char* className;  ///< "TKatForm"
    const char* objectName; ///< "KatForm": also the language file section
    engine::Table* data::TDM::*table;
    engine::DataSource* data::TDM::*source;
    const char* listField;
    const char* caption; ///< designed window caption
    QSize outerSize;     ///< designed outer width x height
    /// Designed top-left corner; none: centred on the screen.
    std::optional<QPoint> designedPlace;
    LookupMenuItem addItem;
    LookupMenuItem deleteItem;
    /// The grid's one designed column (field, title); none: every field of the table.
    std::optional<std::pair<const char*, const char*>> designedColumn;

    locale::LanguageTexts addCaption; ///< add input box, chosen by index
    locale::LanguageTexts addPrompt;
    /// Delete question prefix and FormShow texts are chosen this way.
    TextChoice choice;
    locale::LanguageTexts deletePrefix;
    locale::LanguageTexts showAdd;
    locale::LanguageTexts showDelete;
    locale::LanguageTexts showFirstColumn;
    /// Window caption set by FormShow (the category window only).
    std::optional<locale::LanguageTexts> showCaption;
    /// Adapts itself to the screen when created (the category window only).
    bool adaptsToScreen;
};

const LookupMemberInfo& lookupMember(LookupMember member);

} // namespace forms
