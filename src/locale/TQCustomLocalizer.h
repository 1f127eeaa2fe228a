#pragma once
// Base of the localizers: the link to a language source and the two change hooks.
//
// A localizer is a QObject child of the window it serves and starts in the loading state,
// like a component read from its window's design: a Source assigned while loading is only
// remembered, and takes effect when the window calls Loaded() after building its controls.
// Assigning a source registers the localizer with it (which localizes the window at once
// when a language file is active); destroying the localizer unregisters it from every source
// that holds it (also one that registered it directly).
// User-interface thread only.
#include "TQCustomLanguageSource.h"

#include <QObject>
#include <QPointer>
#include <functional>

namespace locale {

class TQCustomLocalizer : public QObject {
    Q_OBJECT
public:
    using ChangingHook = std::function<void(TQCustomLocalizer& sender, int languageIndex, bool& allowChange)>;
    using ChangedHook = std::function<void(TQCustomLocalizer& sender)>;

    ~TQCustomLocalizer() override;

    TQCustomLanguageSource* Source() const { return source_; }
    /// While loading: remembered until Loaded(). Otherwise, for a source other than the
    /// current one: unregister from the old source; when the old and new active indexes
    /// differ, LanguageChanging(new index) with the old source still assigned; assign; when
    /// they differ, LanguageChanged(); then register with the new source.
    void SetSource(TQCustomLanguageSource* source);
    bool Loading() const { return loading_; }
    /// Ends loading and assigns the source remembered meanwhile.
    void Loaded();

    void SetOnLanguageChanging(ChangingHook hook) { onLanguageChanging_ = std::move(hook); }
    void SetOnLanguageChanged(ChangedHook hook) { onLanguageChanged_ = std::move(hook); }

    /// Applies the source's active language to the window.
    virtual void Localize() = 0;
    /// Writes the window's texts into the source's active language file (for producing
    /// language files; the program itself never saves).
    virtual void Save() {}
    /// Whether Save empties the window's section before writing it. Default false.
    bool ClearBeforeSave() const { return clearBeforeSave_; }
    void SetClearBeforeSave(bool clear) { clearBeforeSave_ = clear; }
    /// Called before every change of the active language; calls the hook.
    virtual void LanguageChanging(int newIndex, bool& allow);
    /// Called after every change of the active language; calls the hook.
    virtual void LanguageChanged();

protected:
    explicit TQCustomLocalizer(QObject* owner);

private:
    friend class TQCustomLanguageSource;
    /// The source is being destroyed: drop it and, unless the window is going too, localize
    /// (which restores the original texts).
    void SourceDestroyed(TQCustomLanguageSource* source, bool windowGoing);

    QPointer<TQCustomLanguageSource> source_;
    QPointer<TQCustomLanguageSource> pending_;
    QList<QPointer<TQCustomLanguageSource>> registeredWith_; // kept by the sources
    bool loading_ = true;
    bool clearBeforeSave_ = false;
    ChangingHook onLanguageChanging_;
    ChangedHook onLanguageChanged_;
};

} // namespace locale
