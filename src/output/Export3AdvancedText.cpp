#include "Export3AdvancedText.h"

#include "core/Win1252.h"

namespace output {

void TQExport3AdvancedText::writeText(const QString& text)
{
    bytes_.resize(0); // keeps its room
    appendEncoded(bytes_, text);
    writeEncoded(bytes_);
}

void TQExport3AdvancedText::appendEncoded(QByteArray& line, const QString& text)
{
    core::win1252::appendNearest(line, text, replaced_);
}

void TQExport3AdvancedText::writeEncoded(QByteArray& line)
{
    // A NUL in a text file ends the value for many readers: it is written as "?", like a
    // character the code page lacks.
    // Only the character U+0000 becomes the byte 0.
    if (line.contains('\0'))
        line.replace('\0', '?');
    writeLine(line);
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
