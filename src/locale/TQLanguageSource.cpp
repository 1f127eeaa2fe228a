#include "TQLanguageSource.h"

#include "TQLanguageFile.h"
#include "TextRules.h"

#include <algorithm>

namespace locale {

TQLanguageSource::TQLanguageSource(QObject* parent) : TQFileLanguageSource(parent)
{
}

TQLanguageSource::~TQLanguageSource()
{
    UnloadLanguage();
}

void TQLanguageSource::LoadLanguage()
{
    UnloadLanguage();
    if (ActiveLanguage() >= 0)
        file_ = std::make_unique<TQLanguageFile>(LanguageFilePath(ActiveLanguage()));
}

void TQLanguageSource::UnloadLanguage()
{
    file_.reset();
}

QString TQLanguageSource::ReadString(const QString& key, const QString& def) const
{
    if (!file_ || key.isEmpty())
        return def;
    return file_->readString(Section(), key, def);
}

void TQLanguageSource::ReadSection(QStringList& list) const
{
    list.clear();
    if (!file_)
        return;
    list = file_->readSection(Section());
    if (sortSections_)
        std::stable_sort(list.begin(), list.end(), [](const QString& a, const QString& b) {
            return text::foldKey(a) < text::foldKey(b);
        });
}

} // namespace locale
