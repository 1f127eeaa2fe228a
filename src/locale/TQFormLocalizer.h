#pragma once
// The form localizer every window carries: when a language file becomes active it captures
// the window's texts (its own and its components', for the properties named in PropNames),
// then writes the texts of the file's section named after the window (its objectName) over
// them; when the original language returns it writes the captured texts back.
//
// A window declares it as a child, names it, sets its PropNames and Source, builds its
// controls and then calls Loaded():
//     QFormLocalizer1 = new locale::TQFormLocalizer(this);
//     QFormLocalizer1->setObjectName(QStringLiteral("QFormLocalizer1"));
//     QFormLocalizer1->SetPropNames({"Caption", "Hint", "Columns"});
//     QFormLocalizer1->SetSource(languageSource);
//     ... controls ...
//     QFormLocalizer1->Loaded();
// Properties are found through PropertyAccess, keys through KeyResolver.
//
// Font character set and reading direction on Qt: all text is Unicode, so a Windows font
// character set selects nothing; its value is only kept (AppliedFontCharSet). A right-to-left
// reading direction (any of the three right-to-left modes) sets Qt::RightToLeft as the
// layout direction of the window and of each of its component widgets, left-to-right sets
// Qt::LeftToRight.
#include "KeyResolver.h"
#include "TQCustomLocalizer.h"
#include "TQLanguageSettings.h"

#include <QStringList>
#include <QWidget>

namespace locale {

class TQFormLocalizer : public TQCustomLocalizer {
    Q_OBJECT
public:
    using LocalizingHook = std::function<void(TQFormLocalizer& sender, QObject* obj, const QString& propName,
                                              QString& newValue, bool& allow)>;
    using LocalizedHook = std::function<void(TQFormLocalizer& sender, QObject* obj, const QString& propName,
                                             const QString& value)>;

    /// Throws EQLocalError "Owner is not specified!" for a null window, and
    /// "'<window name>' already contains instance of TQFormLocalizer class!" when the window
    /// already has one.
    explicit TQFormLocalizer(QWidget* window);

    QWidget* Window() const { return window_; }

    /// Names of the translated properties, compared without regard to case.
    /// Default "Caption", "Hint".
    const QStringList& PropNames() const { return propNames_; }
    void SetPropNames(const QStringList& names) { propNames_ = names; }
    /// Captured texts: one "key=quoted text" line per property.
    const QStringList& Originals() const { return originals_; }
    /// Component names not captured, and keys not applied.
    const QStringList& Excluded() const { return excluded_; }
    void SetExcluded(const QStringList& names) { excluded_ = names; }

    void SetOnPropertyLocalizing(LocalizingHook hook) { onPropertyLocalizing_ = std::move(hook); }
    void SetOnPropertyLocalized(LocalizedHook hook) { onPropertyLocalized_ = std::move(hook); }

    /// The character set and reading direction applied last (DEFAULT_CHARSET and
    /// left-to-right before the first application).
    int AppliedFontCharSet() const { return appliedCharSet_; }
    TBiDiMode AppliedBiDiMode() const { return appliedBiDiMode_; }

    /// LocalizeSection(the window's objectName).
    void Localize() override;
    /// SaveSection(the window's objectName).
    void Save() override;
    /// Hook first; then, from the original language (or no source) to a language, SaveOriginals.
    void LanguageChanging(int newIndex, bool& allow) override;
    /// With no source or the original language active, RestoreOriginals(PropNames); then the hook.
    void LanguageChanged() override;

    /// With a language active: applies its direction and character set, then each entry of
    /// the section (in file order; excluded keys skipped). Otherwise: default character set,
    /// left-to-right, and RestoreOriginals(PropNames).
    void LocalizeSection(const QString& section);
    /// Writes the window's current non-blank texts (as SaveOriginals captures them) into the
    /// section of the source's active language file, emptying the section first when
    /// ClearBeforeSave is set. Nothing without a source; a read-only source throws EQLocalError.
    void SaveSection(const QString& section);
    /// Replaces Originals with the window's current non-blank texts.
    void SaveOriginals();
    /// Applies and removes each line of Originals whose property name is in names.
    void RestoreOriginals(const QStringList& names);
    ResolvedKey ResolveKey(const QString& key) const;
    /// Writes text into the property when target is set, propName is in names and the target
    /// has such a property: a text only over a non-empty current text; a list is made equal
    /// to the comma text's items; grid column titles are set in order, extra titles ignored,
    /// columns beyond the titles keep theirs.
    void ApplyText(QObject* target, const QString& propName, const QStringList& names, const QString& text);
    void ApplyFontAndDirection(int charSet, TBiDiMode direction);

private:
    static QWidget* CheckedWindow(QWidget* window);
    static void WriteByKind(QObject* target, const QString& propName, const QString& text);

    QWidget* window_;
    QStringList propNames_{QStringLiteral("Caption"), QStringLiteral("Hint")};
    QStringList originals_;
    QStringList excluded_;
    LocalizingHook onPropertyLocalizing_;
    LocalizedHook onPropertyLocalized_;
    int appliedCharSet_ = DEFAULT_CHARSET;
    TBiDiMode appliedBiDiMode_ = bdLeftToRight;
};

} // namespace locale
