#pragma once
// The program's output formats. Each names its writer, its menu item and texts, and its
// command-line option; the main window's menu and the command line loop over this list, so a
// new format (a web catalogue, labels) is one entry in OutputFormats.cpp.
#include "locale/Languages.h"

#include <QString>
#include <vector>

namespace data {
class TDM;
}

namespace output {

class TQExport3ASCII;

/// The texts of a format's menu command in one language.
struct FormatTexts {
    const char* promptCaption; ///< caption of the box that asks for the target
    const char* prompt;        ///< its prompt
    const char* notice;        ///< the notice's first words, before the target's name
    const char* noticeEnd;     ///< the notice's second line
};

/// What a format's menu command works with: the main window's export component and the
/// active language index.
struct MenuRun {
    TQExport3ASCII& exporter;
    int languageIndex;
};

struct OutputFormat {
    const char* option;       ///< command-line option ("--export")
    const char* argument;     ///< its argument as the help names it ("FILE")
    const char* argumentNoun; ///< what the refusal of a missing argument asks for ("file name")
    const char* help;         ///< the option's line in the help
    /// Writes the open catalogue's tapes to target (an absolute path); throws core::EError.
    void (*write)(data::TDM& dm, const QString& target);
    /// The main window's menu item ("Eksport1"); nullptr for a format only the command line offers.
    const char* menuItem;
    /// The menu item's designed caption; the language files translate it by the item's name.
    const char* menuCaption;
    const char* defaultTarget; ///< the target the menu command's box proposes
    /// The menu command's texts; nullptr without a menu item.
    const locale::PerLanguage<FormatTexts>* texts;
    /// Runs the menu command: asks for the target, writes, tells where the output went.
    void (*runFromMenu)(const OutputFormat& format, const MenuRun& run);
};

/// Every output format, in menu order.
const std::vector<OutputFormat>& outputFormats();
/// The format with that command-line option; throws core::EError for an option of no format.
const OutputFormat& outputFormat(const char* option);

/// The notice after a format wrote to target: its notice, the target, its second line.
QString formatNotice(const OutputFormat& format, const QString& target, int languageIndex);

} // namespace output
