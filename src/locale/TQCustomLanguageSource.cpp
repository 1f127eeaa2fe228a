#include "TQCustomLanguageSource.h"

#include "TQCustomLocalizer.h"
#include "TQLanguageSettings.h"
#include "Teardown.h"
#include "core/Errors.h"

namespace locale {

TQCustomLanguageSource::TQCustomLanguageSource(QObject* parent)
    : QObject(parent), settings_(std::make_unique<TQLanguageSettings>(this))
{
}

TQCustomLanguageSource::~TQCustomLanguageSource()
{
    // A localizer whose window is going down with us must not touch that window any more.
    const QObject* dying = Teardown::dyingAncestor(this);
    const QList<TQCustomLocalizer*> told = localizers_;
    localizers_.clear();
    for (TQCustomLocalizer* localizer : told) {
        localizer->registeredWith_.removeAll(this);
        localizer->SourceDestroyed(this, Teardown::isWithin(localizer, dying));
    }
}

void TQCustomLanguageSource::Loaded()
{
    if (!loading_)
        return;
    loading_ = false;
    ChangeLanguage(activeLanguage_, true);
}

void TQCustomLanguageSource::CheckIndex(int index) const
{
    if (index < -1 || index >= languages_.size())
        throw core::EQLocalError(QStringLiteral("Index out of bounds (%1)").arg(index));
}

void TQCustomLanguageSource::SetActiveLanguage(int index)
{
    CheckIndex(index);
    if (index == activeLanguage_)
        return;
    ChangeLanguage(index, true);
}

void TQCustomLanguageSource::ChangeLanguage(int index, bool mayRefuse)
{
    const int old = activeLanguage_;
    if (old >= 0)
        UnloadLanguage(); // released before anyone is told of the change
    if (started_) {
        // Refused or failed: the old language stays active, so it gets its texts back (the
        // file exists exactly while a language is active).
        bool allow = true;
        try {
            LanguageChanging(index, allow);
        } catch (...) {
            if (old >= 0)
                LoadLanguage();
            throw;
        }
        if (!allow && mayRefuse) {
            if (old >= 0)
                LoadLanguage();
            return;
        }
    }
    activeLanguage_ = index;
    if (index >= 0)
        LoadLanguage();
    LocalizeAll();
    if (started_)
        LanguageChanged();
    started_ = true;
}

void TQCustomLanguageSource::SetLanguages(const QStringList& languages)
{
    languages_ = languages;
    if (activeLanguage_ != -1)
        ChangeLanguage(-1, false);
}

QString TQCustomLanguageSource::LanguageName(int index) const
{
    CheckIndex(index);
    if (index == -1)
        return originalName_;
    const QString& line = languages_[index];
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.left(eq);
}

template <typename Fn> void TQCustomLanguageSource::ForEachLocalizer(Fn fn)
{
    // A localizer may go away while others are told (a hook closing a window).
    const QList<TQCustomLocalizer*> snapshot = localizers_;
    for (TQCustomLocalizer* localizer : snapshot)
        if (localizers_.contains(localizer))
            fn(*localizer);
}

void TQCustomLanguageSource::RegisterLocalizer(TQCustomLocalizer* localizer)
{
    if (!localizer || localizers_.contains(localizer))
        return;
    localizers_.append(localizer);
    localizer->registeredWith_.append(this);
    if (activeLanguage_ >= 0)
        localizer->Localize();
}

void TQCustomLanguageSource::UnregisterLocalizer(TQCustomLocalizer* localizer)
{
    if (localizers_.removeAll(localizer) > 0)
        localizer->registeredWith_.removeAll(this);
}

void TQCustomLanguageSource::LocalizeAll()
{
    ForEachLocalizer([](TQCustomLocalizer& l) { l.Localize(); });
}

void TQCustomLanguageSource::LanguageChanging(int newIndex, bool& allow)
{
    ForEachLocalizer([newIndex](TQCustomLocalizer& l) {
        bool ignored = true; // what a localizer answers is not consulted
        l.LanguageChanging(newIndex, ignored);
    });
    if (onLanguageChanging_)
        onLanguageChanging_(*this, newIndex, allow);
}

void TQCustomLanguageSource::LanguageChanged()
{
    ForEachLocalizer([](TQCustomLocalizer& l) { l.LanguageChanged(); });
    if (onLanguageChanged_)
        onLanguageChanged_(*this);
}

QString TQCustomLanguageSource::ReadString(const QString& key, const QString& def) const
{
    Q_UNUSED(key);
    return def;
}

void TQCustomLanguageSource::ReadSection(QStringList& list) const
{
    list.clear();
}

void TQCustomLanguageSource::CheckWritable() const
{
    if (IsReadOnly())
        throw core::EQLocalError(QStringLiteral("Cannot write to source file (ReadOnly = True)!"));
}

void TQCustomLanguageSource::WriteString(const QString& key, const QString& value)
{
    Q_UNUSED(key);
    Q_UNUSED(value);
    CheckWritable();
}

void TQCustomLanguageSource::WriteSection(const QStringList& list)
{
    Q_UNUSED(list);
    CheckWritable();
}

void TQCustomLanguageSource::EraseSection()
{
    CheckWritable();
}

void TQCustomLanguageSource::ClearLanguage()
{
    CheckWritable();
}

} // namespace locale
