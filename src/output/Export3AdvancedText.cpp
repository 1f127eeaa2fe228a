#include "Export3AdvancedText.h"

#include "core/Win1252.h"

namespace output {

void TQExport3AdvancedText::writeText(const QString& text)
{
    writeLine(core::win1252::encode(text));
}

void TQExport3AdvancedText::BeginExport()
{
    TQExport3Text::BeginExport();
    for (const QString& line : Header)
        writeText(line);
}

void TQExport3AdvancedText::EndExport(bool succeeded)
{
    if (succeeded)
        for (const QString& line : Footer)
            writeText(line);
    TQExport3Text::EndExport(succeeded);
}

} // namespace output
