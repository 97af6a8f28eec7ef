#pragma once

#include "core/book/book_change.h"

#include <QString>

enum class MsgButtons { Ok, OkCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Information, Question, Exclamation, Critical };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

// What a window's file dialog keeps between showings: its title, its filter
// ("description|pattern|description|pattern"), and the proposed or last chosen name.
struct FileDialogState {
    QString title;
    QString filter;
    QString fileName;      // proposed name before showing; the chosen full path after
    QString fileTitle;     // the chosen file's name without its folder
    bool mustExist = true; // the open form takes only existing files; false where the caller checks the name
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
    // A folder, chosen or made in the dialog; its path in the state's file name. False when cancelled.
    virtual bool chooseFolder(FileDialogState& state) = 0;
};

// The dialogs every window uses: the real ones in the program, scripted ones in tests.
Dialogs& dialogs();
void setDialogs(Dialogs* dialogs); // null goes back to the real ones

// The common message box with the program's title and one OK button.
MsgAnswer showMessage(const QString& text, MsgIcon icon = MsgIcon::None);
MsgAnswer showMessage(Dialogs& dialogs, const QString& text, MsgIcon icon = MsgIcon::None);

// Tells the user what became of a change to the book: first what happened to its pictures on the
// way, then, when the book could not be written, that nothing was changed and why. True when saved.
bool reportChange(const ChangeOutcome& outcome);
