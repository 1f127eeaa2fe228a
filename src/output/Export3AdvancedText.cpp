#include "Export3AdvancedText.h"

#include "core/Win1252.h"

namespace output {

void TQExport3AdvancedText::writeText(const QString& text)
{
    // A NUL in a text file ends the value for many readers: it is written as "?", like a
    // character the code page lacks.
    // Only the character U+0000 becomes the byte 0.
    QByteArray bytes = core::win1252::encodeNearest(text, replaced_);
    if (bytes.contains('\0'))
        bytes.replace('\0', '?');
    writeLine(bytes);
}

void TQExport3AdvancedText::writeLinesOrClose(const QStringList& lines)
{
    try {
        for (const QString& line : lines)
            writeText(line);
    } catch (...) {
        // Closed on every path: a file left open would also block the next run.
        TQExport3Text::EndExport(false);
        throw;
    }
}

void TQExport3AdvancedText::BeginExport()
{
    replaced_ = 0;
    TQExport3Text::BeginExport();
    writeLinesOrClose(Header);
}

void TQExport3AdvancedText::EndExport(bool succeeded)
{
    if (succeeded)
        writeLinesOrClose(Footer);
    TQExport3Text::EndExport(succeeded);
}

} // namespace output
