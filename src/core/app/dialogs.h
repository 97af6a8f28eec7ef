#pragma once

#include <QString>

enum class MsgButtons { Ok, OkCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Information, Question, Exclamation, Critical };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

// What a window's file dialog keeps between showings: its title, its filter
// ("description|pattern|description|pattern"), and the proposed or last chosen name.
struct FileDialogState {
    QString title;
    QString filter;
    QString fileName;  // proposed name before showing; the chosen full path after
    QString fileTitle; // the chosen file's name without its folder
};

// Every message box, input box and file dialog of the program goes through here,
// so tests can answer them from a script and check what was shown.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual MsgAnswer message(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon) = 0;

    // One-line input box; false when the user cancelled.
    virtual bool inputBox(const QString& prompt, const QString& title, const QString& defaultText, QString* result) = 0;

    // Open and save forms of the file dialog; false when cancelled, leaving the state unchanged.
    virtual bool openFile(FileDialogState& state) = 0;
    virtual bool saveFile(FileDialogState& state) = 0;
};

// Convenience for the common "SP" message box with one OK button.
MsgAnswer showMessage(Dialogs& dialogs, const QString& text, MsgIcon icon = MsgIcon::None);
