#pragma once
// A Dialogs implementation without a screen: records every box and answers from queues.
// Used by tests and by the command line.
#include "Dialogs.h"

#include <QStringList>
#include <deque>

namespace core {

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString kind;     // "message", "information", "error", "confirm", "choose", "input", "openFile", "folder",
                          // "report", "progress", "endProgress", "shell", "program"
        QString caption;  // input caption or dialog title
        QString text;     // message text, prompt, target
        QString extra;    // input default, open filter, the buttons to choose from joined by '|'
    };

    void message(const QString& text) override;
    void information(const QString& text) override;
    void error(const QString& text) override;
    bool confirm(const QString& text, ConfirmButtons buttons) override;
    std::optional<int> choose(const QString& text, const QStringList& buttons) override;
    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& defaultText) override;
    std::optional<QString> openFile(const QString& title, const QString& filter,
                                    const QString& defaultExt) override;
    std::optional<QString> chooseFolder(const QString& title) override;
    void showReport(const QString& caption, const QString& text) override;
    bool progress(const QString& text, qint64 done, qint64 total) override;
    void endProgress() override;
    bool shellOpen(const QString& target, bool maximized) override;
    bool startProgram(const QString& program) override;

    /// Answers, taken from the front; when a queue is empty: confirm gives false, input and
    /// openFile and chooseFolder give std::nullopt (cancel), shellOpen and startProgram give shellResult.
    std::deque<bool> confirmAnswers;
    /// choose gives the first button when its queue is empty.
    std::deque<std::optional<int>> chooseAnswers;
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<std::optional<QString>> openFileAnswers;
    std::deque<std::optional<QString>> folderAnswers;
    /// The progress call after which the user cancels; -1 never.
    int cancelAfterProgressCalls = -1;
    int progressCalls = 0;
    bool shellResult = true;

    std::vector<Shown> shown;
    /// Texts of all boxes of one kind, in order.
    QStringList texts(const QString& kind) const;
    void clear() { shown.clear(); }
};

} // namespace core
