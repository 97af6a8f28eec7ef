#include "scripted_dialogs.h"

#include <QFileInfo>

MsgAnswer ScriptedDialogs::message(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon)
{
    messages.append({text, title, buttons, icon});
    if (!answers.isEmpty())
        return answers.takeFirst();
    if (buttons != MsgButtons::Ok)
        ++unscripted;
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    default:
        return MsgAnswer::Cancel;
    }
}

bool ScriptedDialogs::inputBox(const QString& prompt, const QString&, const QString& defaultText, QString* result)
{
    inputPrompts.append(prompt);
    inputDefaults.append(defaultText);
    if (inputs.isEmpty()) {
        ++unscripted;
        return false;
    }
    const std::optional<QString> answer = inputs.takeFirst();
    if (answer && result)
        *result = *answer;
    return answer.has_value();
}

bool ScriptedDialogs::chooseFile(FileDialogState& state)
{
    fileRequests.append(state);
    if (files.isEmpty()) {
        ++unscripted;
        return false;
    }
    const std::optional<QString> chosen = files.takeFirst();
    if (!chosen)
        return false;
    state.fileName = *chosen;
    state.fileTitle = QFileInfo(*chosen).fileName();
    return true;
}

bool ScriptedDialogs::openFile(FileDialogState& state)
{
    return chooseFile(state);
}

bool ScriptedDialogs::saveFile(FileDialogState& state)
{
    return chooseFile(state);
}

bool ScriptedDialogs::chooseFolder(FileDialogState& state)
{
    return chooseFile(state);
}

QStringList ScriptedDialogs::messageTexts() const
{
    QStringList texts;
    for (const ShownMessage& m : messages)
        texts.append(m.text);
    return texts;
}

void ScriptedDialogs::clear()
{
    *this = ScriptedDialogs();
}
