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

std::optional<QString> ScriptedDialogs::openFile(const QString& title, const QString& filter,
                                                 const QString& defaultExt)
{
    shown.push_back({QStringLiteral("openFile"), title, defaultExt, filter});
    if (openFileAnswers.empty())
        return std::nullopt;
    // Taken apart rather than copied whole: GCC warns falsely on a copied optional<QString>.
    const bool chosen = openFileAnswers.front().has_value();
    const QString name = openFileAnswers.front().value_or(QString());
    openFileAnswers.pop_front();
    return chosen ? std::optional<QString>(name) : std::nullopt;
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
