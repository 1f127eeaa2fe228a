#pragma once
// A language source whose languages live in files: the file name of each language and the
// folder against which a relative file name is resolved.
#include "TQCustomLanguageSource.h"

namespace locale {

class TQFileLanguageSource : public TQCustomLanguageSource {
    Q_OBJECT
public:
    explicit TQFileLanguageSource(QObject* parent = nullptr);

    /// Extension proposed for language files ("lng"); never added to the names in Languages.
    const QString& DefaultFileExt() const { return defaultFileExt_; }
    void SetDefaultFileExt(const QString& ext) { defaultFileExt_ = ext; }

    /// The empty text for -1; for 0 to count-1 the text after the first "=" of the first
    /// line of Languages whose name equals the name of line index (without regard to case).
    /// Any other index throws EQLocalError "Index out of bounds (%d)".
    QString LanguageFileName(int index) const;

    /// Folder against which a relative language file name is resolved. Empty (the default)
    /// means the process's current directory at the time the file is read.
    const QString& BaseFolder() const { return baseFolder_; }
    void SetBaseFolder(const QString& folder) { baseFolder_ = folder; }
    /// LanguageFileName(index) resolved against BaseFolder(); empty when the name is empty.
    QString LanguageFilePath(int index) const;

private:
    QString defaultFileExt_ = QStringLiteral("lng");
    QString baseFolder_;
};

} // namespace locale
