#pragma once
// The language source: the list of languages, the active language index (-1 for the
// built-in original texts), and the registered localizers it tells about every change.
//
// A source is created in the loading state, like a component read from its window's design:
// its owner sets the design values (Languages, OriginalName, ...) and then calls Loaded(),
// which confirms the index -1 and sets the started flag; from then on every change sends the
// LanguageChanging and LanguageChanged notifications. Values given to ActiveSettings while
// loading are ignored.
//
// Ownership: localizers are not owned; a localizer unregisters when it is destroyed, and
// when the source is destroyed first each registered localizer is told, drops its source
// and restores its window's original texts (unless that window is itself being destroyed).
// User-interface thread only.
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace locale {

class TQCustomLocalizer;
class TQLanguageSettings;

class TQCustomLanguageSource : public QObject {
    Q_OBJECT
public:
    using ChangingHook = std::function<void(TQCustomLanguageSource& sender, int languageIndex, bool& allowChange)>;
    using ChangedHook = std::function<void(TQCustomLanguageSource& sender)>;

    explicit TQCustomLanguageSource(QObject* parent = nullptr);
    ~TQCustomLanguageSource() override;

    bool Loading() const { return loading_; }
    /// Ends loading: confirms the active index (no file, no notification) and sets the
    /// started flag.
    void Loaded();
    /// True after the first completed change request (Loaded() counts as one).
    bool Started() const { return started_; }

    /// -1 for the original language, 0 to count-1 for an entry of Languages.
    int ActiveLanguage() const { return activeLanguage_; }
    /// Makes index the active language. Throws EQLocalError "Index out of bounds (%d)" for an
    /// index outside -1 to count-1 and then changes nothing; the same index does nothing.
    /// Otherwise: releases the old file, asks for permission (once started), loads the new
    /// file and has every registered localizer localize its window.
    void SetActiveLanguage(int index);
    TQLanguageSettings* ActiveSettings() const { return settings_.get(); }

    /// One line per language: "English=English.lng".
    const QStringList& Languages() const { return languages_; }
    /// Replaces the list and makes the original language (-1) active.
    void SetLanguages(const QStringList& languages);
    const QString& OriginalName() const { return originalName_; }
    void SetOriginalName(const QString& name) { originalName_ = name; }
    /// OriginalName for -1, the name part of the line for 0 to count-1 (empty when the line
    /// has no "="); any other index throws EQLocalError "Index out of bounds (%d)".
    QString LanguageName(int index) const;

    /// Appends a localizer (ignored for null or one already registered); when a language file
    /// is active the localizer localizes its window at once.
    void RegisterLocalizer(TQCustomLocalizer* localizer);
    void UnregisterLocalizer(TQCustomLocalizer* localizer);
    const QList<TQCustomLocalizer*>& Localizers() const { return localizers_; }
    /// Asks each registered localizer, in registration order, to localize its window.
    void LocalizeAll();

    void SetOnLanguageChanging(ChangingHook hook) { onLanguageChanging_ = std::move(hook); }
    void SetOnLanguageChanged(ChangedHook hook) { onLanguageChanged_ = std::move(hook); }

    /// Tells each localizer, then the hook; only the hook can refuse (allow := false).
    virtual void LanguageChanging(int newIndex, bool& allow);
    /// Tells each localizer, then the hook.
    virtual void LanguageChanged();
    /// Opens the active language's texts; nothing in the base class.
    virtual void LoadLanguage() {}
    /// Releases the open texts; nothing in the base class.
    virtual void UnloadLanguage() {}
    /// The section that ReadString and ReadSection work on.
    virtual QString Section() const { return section_; }
    virtual void SetSection(const QString& section) { section_ = section; }
    virtual bool IsReadOnly() const { return true; }
    /// The decoded value of key in the current section, or def; the base class has no texts.
    virtual QString ReadString(const QString& key, const QString& def) const;
    /// Fills list with "key=decoded value" lines of the current section; the base class
    /// only clears it.
    virtual void ReadSection(QStringList& list) const;

    // Writing, for producing language files; the program itself never writes. On a read-only
    // source each throws EQLocalError "Cannot write to source file (ReadOnly = True)!".
    /// Sets key in the current section to value.
    virtual void WriteString(const QString& key, const QString& value);
    /// Writes each "key=value" line of list into the current section.
    virtual void WriteSection(const QStringList& list);
    /// Removes the current section.
    virtual void EraseSection();
    /// Removes every section.
    virtual void ClearLanguage();

protected:
    /// Throws EQLocalError "Cannot write to source file (ReadOnly = True)!" when read-only.
    void CheckWritable() const;
    /// Throws EQLocalError "Index out of bounds (%d)" unless -1 <= index < count.
    void CheckIndex(int index) const;

private:
    void ChangeLanguage(int index, bool mayRefuse);
    template <typename Fn> void ForEachLocalizer(Fn fn);

    bool loading_ = true;
    bool started_ = false;
    int activeLanguage_ = -1;
    QStringList languages_;
    QString originalName_ = QStringLiteral("Original");
    QString section_;
    QList<TQCustomLocalizer*> localizers_;
    std::unique_ptr<TQLanguageSettings> settings_;
    ChangingHook onLanguageChanging_;
    ChangedHook onLanguageChanged_;
};

} // namespace locale
