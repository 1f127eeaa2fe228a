#include "Export3AdvancedText.h"

#include "core/Win1252.h"

namespace output {

void TQExport3AdvancedText::writeText(const QString& text)
{
    // A NUL in a text file ends the value for many readers: it is written as "?", like a
    // character the code page lacks.
    static const QChar nul(0);
    const QString clean = text.contains(nul) ? QString(text).replace(nul, QLatin1Char('?')) : text;
    writeLine(core::win1252::encodeNearest(clean, replaced_));
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
