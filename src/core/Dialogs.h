#pragma once
// The program's message, confirmation and input boxes, file-open dialog and shell "open".
// Windows call these through dialogs(); the real program installs the Qt implementation,
// tests install ScriptedDialogs and answer without a screen.
#include <QString>
#include <QStringList>
#include <optional>

namespace core {

enum class ConfirmButtons { YesNo, OkCancel };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    /// Plain message box with one OK button; caption is the application title.
    virtual void message(const QString& text) = 0;
    /// Information box ("Information", one OK button).
    virtual void information(const QString& text) = 0;
    /// Error box ("Fejl", one OK button).
    virtual void error(const QString& text) = 0;
    /// Confirmation box ("Bekræft"); true for "&Ja" or "OK".
    virtual bool confirm(const QString& text, ConfirmButtons buttons) = 0;
    /// A question answered by one of the buttons given or by "Annuller" ("Bekræft"); the index
    /// of the button pressed, std::nullopt for "Annuller".
    virtual std::optional<int> choose(const QString& text, const QStringList& buttons) = 0;
    /// Single-line input box with "OK" and "Annuller"; the default is shown selected and the
    /// answer holds at most 255 characters. std::nullopt means cancelled.
    virtual std::optional<QString> input(const QString& caption, const QString& prompt,
                                         const QString& defaultText) = 0;
    /// File-open dialog; std::nullopt when cancelled.
    virtual std::optional<QString> openFile(const QString& title, const QString& filter,
                                            const QString& defaultExt) = 0;
    /// Folder chooser; std::nullopt when cancelled.
    virtual std::optional<QString> chooseFolder(const QString& title) = 0;
    /// A long text (a report) in a window of its own with one OK button.
    virtual void showReport(const QString& caption, const QString& text) = 0;
    /// Progress of a long task with a cancel button, shown from the first call until
    /// endProgress(); false once the user has cancelled.
    virtual bool progress(const QString& text, qint64 done, qint64 total) = 0;
    virtual void endProgress() = 0;
    /// The shell's "open" action on a file, folder or address; false when nothing could open it.
    virtual bool shellOpen(const QString& target, bool maximized = false) = 0;
    /// Starts a program by name (no shell); false when it could not be started.
    virtual bool startProgram(const QString& program) = 0;
};

/// The installed implementation (ScriptedDialogs until something else is installed).
Dialogs& dialogs();
/// Installs an implementation; not owned. Passing nullptr goes back to the default.
void setDialogs(Dialogs* impl);

/// The application title: the program's short name, the caption of plain message boxes.
QString applicationTitle();

/// Texts that the program builds for its boxes use "line feed, carriage return" as a line
/// break; Qt shows one line break for it.
QString boxText(const QString& text);

} // namespace core
