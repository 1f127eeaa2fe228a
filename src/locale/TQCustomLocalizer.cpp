#include "TQCustomLocalizer.h"

#include "TQCustomLanguageSource.h"

namespace locale {

TQCustomLocalizer::TQCustomLocalizer(QObject* owner) : QObject(owner)
{
}

TQCustomLocalizer::~TQCustomLocalizer()
{
    const auto sources = registeredWith_;
    for (TQCustomLanguageSource* source : sources)
        if (source)
            source->UnregisterLocalizer(this);
}

void TQCustomLocalizer::SetSource(TQCustomLanguageSource* source)
{
    if (loading_) {
        pending_ = source;
        return;
    }
    if (source == source_)
        return;
    if (source_)
        source_->UnregisterLocalizer(this);
    const int newIndex = source ? source->ActiveLanguage() : -1;
    const int oldIndex = source_ ? source_->ActiveLanguage() : -1;
    if (newIndex != oldIndex) {
        bool allow = true;
        LanguageChanging(newIndex, allow);
    }
    source_ = source;
    if (newIndex != oldIndex)
        LanguageChanged();
    if (source)
        source->RegisterLocalizer(this);
}

void TQCustomLocalizer::Loaded()
{
    if (!loading_)
        return;
    loading_ = false;
    TQCustomLanguageSource* source = pending_;
    pending_ = nullptr;
    SetSource(source);
}

void TQCustomLocalizer::LanguageChanging(int newIndex, bool& allow)
{
    if (onLanguageChanging_)
        onLanguageChanging_(*this, newIndex, allow);
}

void TQCustomLocalizer::LanguageChanged()
{
    if (onLanguageChanged_)
        onLanguageChanged_(*this);
}

void TQCustomLocalizer::SourceDestroyed(TQCustomLanguageSource* source, bool windowGoing)
{
    if (pending_ == source)
        pending_ = nullptr;
    if (source_ != source)
        return;
    source_ = nullptr;
    if (!windowGoing)
        Localize();
}

} // namespace locale
