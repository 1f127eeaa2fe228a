#include "TQLanguageSource.h"

#include "QuotedText.h"
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

void TQLanguageSource::WriteString(const QString& key, const QString& value)
{
    CheckWritable();
    if (!file_)
        return;
    file_->setRawValue(Section(), key, QuotedText::encode(value));
    file_->save();
}

void TQLanguageSource::WriteSection(const QStringList& list)
{
    CheckWritable();
    if (!file_)
        return;
    for (const QString& line : list) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0)
            file_->setRawValue(Section(), line.left(eq), QuotedText::encode(line.mid(eq + 1)));
    }
    file_->save();
}

void TQLanguageSource::EraseSection()
{
    CheckWritable();
    if (!file_)
        return;
    file_->eraseSection(Section());
    file_->save();
}

void TQLanguageSource::ClearLanguage()
{
    CheckWritable();
    if (!file_)
        return;
    file_->clear();
    file_->save();
}

} // namespace locale
