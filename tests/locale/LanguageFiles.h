#pragma once
// Test language files: written in Windows-1252 with CR LF line ends into a temporary folder.
#include "core/Win1252.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace locale_test {

class LanguageFiles {
public:
    QString folder() const { return dir_.path(); }
    QString path(const QString& name) const { return dir_.filePath(name); }

    /// Writes lines (joined with CR LF) as the file name.
    void write(const QString& name, const QStringList& lines) const
    {
        QFile file(path(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(core::win1252::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    }

    static QStringList fourLanguages()
    {
        return {"English=English.lng", "Norsk=Norsk.lng", "Svensk=Svensk.lng", "Deutsch=Deutsch.lng"};
    }

private:
    QTemporaryDir dir_;
};

} // namespace locale_test
