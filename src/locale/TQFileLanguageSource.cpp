#include "TQFileLanguageSource.h"

#include "TextRules.h"

#include <QDir>

namespace locale {

TQFileLanguageSource::TQFileLanguageSource(QObject* parent) : TQCustomLanguageSource(parent)
{
}

QString TQFileLanguageSource::LanguageFileName(int index) const
{
    const QString name = LanguageName(index); // checks the index
    if (index == -1)
        return QString();
    for (const QString& line : Languages()) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0 && text::sameText(QStringView(line).left(eq), name))
            return line.mid(eq + 1);
    }
    return QString();
}

QString TQFileLanguageSource::LanguageFilePath(int index) const
{
    const QString name = LanguageFileName(index);
    if (name.isEmpty() || QDir::isAbsolutePath(name))
        return name;
    const QString base = baseFolder_.isEmpty() ? QDir::currentPath() : baseFolder_;
    return QDir(base).filePath(name);
}

} // namespace locale
