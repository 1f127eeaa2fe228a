#include "Dialogs.h"
#include "ScriptedDialogs.h"

namespace core {

namespace {
Dialogs* installed = nullptr;

Dialogs& fallback()
{
    static ScriptedDialogs scripted;
    return scripted;
}
} // namespace

Dialogs& dialogs()
{
    return installed ? *installed : fallback();
}

void setDialogs(Dialogs* impl)
{
    installed = impl;
}

QString applicationTitle()
{
    return QStringLiteral("Spolarkiv");
}

QString boxText(const QString& text)
{
    QString result = text;
    result.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

void ScriptedDialogs::message(const QString& text)
{
    shown.push_back({QStringLiteral("message"), QString(), text, QString()});
}

void ScriptedDialogs::information(const QString& text)
{
    shown.push_back({QStringLiteral("information"), QString(), text, QString()});
}

void ScriptedDialogs::error(const QString& text)
{
    shown.push_back({QStringLiteral("error"), QString(), text, QString()});
}

bool ScriptedDialogs::confirm(const QString& text, ConfirmButtons buttons)
{
    shown.push_back({QStringLiteral("confirm"), QString(), text,
                     buttons == ConfirmButtons::YesNo ? QStringLiteral("YesNo")
                                                      : QStringLiteral("OkCancel")});
    if (confirmAnswers.empty())
        return false;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::input(const QString& caption, const QString& prompt,
                                              const QString& defaultText)
{
    shown.push_back({QStringLiteral("input"), caption, prompt, defaultText});
    if (inputAnswers.empty())
        return std::nullopt;
    auto answer = inputAnswers.front();
    inputAnswers.pop_front();
    if (answer)
        answer = answer->left(255);
    return answer;
}

namespace {
std::optional<QString> takeAnswer(std::deque<std::optional<QString>>& answers)
{
    if (answers.empty())
        return std::nullopt;
    // Taken apart rather than copied whole: GCC warns falsely on a copied optional<QString>.
    const bool chosen = answers.front().has_value();
    const QString name = answers.front().value_or(QString());
    answers.pop_front();
    return chosen ? std::optional<QString>(name) : std::nullopt;
}
} // namespace

std::optional<QString> ScriptedDialogs::openFile(const QString& title, const QString& filter,
                                                 const QString& defaultExt)
{
    shown.push_back({QStringLiteral("openFile"), title, defaultExt, filter});
    return takeAnswer(openFileAnswers);
}

std::optional<int> ScriptedDialogs::choose(const QString& text, const QStringList& buttons)
{
    shown.push_back({QStringLiteral("choose"), QString(), text, buttons.join(QLatin1Char('|'))});
    if (chooseAnswers.empty())
        return 0;
    const std::optional<int> answer = chooseAnswers.front();
    chooseAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::chooseFolder(const QString& title)
{
    shown.push_back({QStringLiteral("folder"), title, QString(), QString()});
    return takeAnswer(folderAnswers);
}

void ScriptedDialogs::showReport(const QString& caption, const QString& text)
{
    shown.push_back({QStringLiteral("report"), caption, text, QString()});
}

bool ScriptedDialogs::progress(const QString& text, qint64 done, qint64 total)
{
    if (progressCalls++ == 0)
        shown.push_back({QStringLiteral("progress"), QString(), text, QStringLiteral("%1/%2").arg(done).arg(total)});
    return cancelAfterProgressCalls < 0 || progressCalls <= cancelAfterProgressCalls;
}

void ScriptedDialogs::endProgress()
{
    shown.push_back({QStringLiteral("endProgress"), QString(), QString(), QString()});
    progressCalls = 0;
}

bool ScriptedDialogs::shellOpen(const QString& target, bool maximized)
{
    shown.push_back({QStringLiteral("shell"), QString(), target,
                     maximized ? QStringLiteral("maximized") : QString()});
    return shellResult;
}

bool ScriptedDialogs::startProgram(const QString& program)
{
    shown.push_back({QStringLiteral("program"), QString(), program, QString()});
    return shellResult;
}

QStringList ScriptedDialogs::texts(const QString& kind) const
{
    QStringList result;
    for (const Shown& s : shown)
        if (s.kind == kind)
            result << s.text;
    return result;
}

} // namespace core
