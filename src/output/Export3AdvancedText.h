#pragma once
// A file export with optional lines before and after the data.
#include "Export3Text.h"

namespace output {

class TQExport3AdvancedText : public TQExport3Text {
    Q_OBJECT
public:
    using TQExport3Text::TQExport3Text;

    QStringList Header;
    QStringList Footer;

protected:
    void BeginExport() override;
    void EndExport(bool succeeded) override;
    /// Text to the file's bytes (Windows-1252).
    void writeText(const QString& text);

private:
    /// Writes the lines; when one fails the file is closed before the error goes on.
    void writeLinesOrClose(const QStringList& lines);
};

} // namespace output
