#pragma once
// A file export with optional lines before and after the data.
#include "Export3Text.h"

namespace output {

class TQExport3AdvancedText : public TQExport3Text {
    Q_OBJECT
    /// The notice line for characters the file's code page lacks; %1 is their number.
    Q_PROPERTY(QString Warning READ Warning WRITE setWarning)
public:
    using TQExport3Text::TQExport3Text;

    QStringList Header;
    QStringList Footer;

    const QString& Warning() const { return warning_; }
    void setWarning(const QString& text) { warning_ = text; }
    /// Characters of the last run that the file could not hold as they are.
    qsizetype replacedCharacters() const { return replaced_; }

protected:
    void BeginExport() override;
    void EndExport(bool succeeded) override;
    /// Text to the file's bytes (Windows-1252).
    void writeText(const QString& text);
    /// Appends a text's bytes in the file's code page to a line being built, counting the
    /// characters it lacks.
    void appendEncoded(QByteArray& line, const QString& text);
    /// Writes a line built of the file's bytes (a NUL becomes '?').
    void writeEncoded(QByteArray& line);

private:
    /// Writes the lines; when one fails the file is closed before the error goes on.
    void writeLinesOrClose(const QStringList& lines);

    QString warning_ = QStringLiteral("Tegn der ikke kunne skrives i filens tegnsæt: %1 "
                                      "(erstattet af et bogstav uden accent eller et spørgsmålstegn).");
    qsizetype replaced_ = 0;
    QByteArray bytes_; // reused for every line
};

} // namespace output
