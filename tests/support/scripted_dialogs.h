#pragma once

#include "ui/platform/dialogs.h"

#include <QList>
#include <QString>
#include <optional>

struct ShownMessage {
    QString text;
    QString title;
    MsgButtons buttons;
    MsgIcon icon;
};

// Answers every dialog from a script and records what was shown. When the script runs dry it
// takes the safe answer (OK alone, otherwise Cancel or No) and counts the dialog as unscripted.
class ScriptedDialogs : public Dialogs {
public:
    QList<ShownMessage> messages;
    QList<MsgAnswer> answers;

    QStringList inputPrompts;
    QStringList inputDefaults;
    QList<std::optional<QString>> inputs; // nullopt: the user cancels

    QList<FileDialogState> fileRequests; // the state each file dialog was shown with
    QList<std::optional<QString>> files; // chosen full paths; nullopt: cancelled

    int unscripted = 0;

    MsgAnswer message(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon) override;
    bool inputBox(const QString& prompt, const QString& title, const QString& defaultText, QString* result) override;
    bool openFile(FileDialogState& state) override;
    bool saveFile(FileDialogState& state) override;
    bool chooseFolder(FileDialogState& state) override;

    QStringList messageTexts() const;
    void clear();

private:
    bool chooseFile(FileDialogState& state);
};
