#pragma once
// What the windows need of the main window without including it: the one language source
// and the text of the language label Sproget. The main window fills it in; tests set their own.
#include <QString>
#include <functional>

namespace locale {
class TQLanguageSource;
}

namespace forms {

struct AppContext {
    /// The main window's language source; every form localizer uses it.
    locale::TQLanguageSource* languageSource = nullptr;
    /// The text of the main window's label Sproget ("Dansk", "English", ...).
    std::function<QString()> languageLabel;

    /// The active language index: -1 Danish, 0 English, 1 Norsk, 2 Svensk, 3 Deutsch.
    int activeLanguage() const;
    /// The language name shown by the main window's label (empty without one).
    QString languageName() const { return languageLabel ? languageLabel() : QString(); }
};

AppContext& appContext();

} // namespace forms
