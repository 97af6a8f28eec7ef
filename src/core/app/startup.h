#pragma once

#include <QString>

// Where the lock that keeps a second copy of the program off a data folder lives: outside the folder (in
// the user's runtime folder), named by the folder's real path, so that it never travels with a synced
// folder.
QString dataFolderLockPath(const QString& dataFolder);
// Where the copy that holds that lock listens for files handed to it by a second start: beside the lock.
QString fileHandOverPath(const QString& dataFolder);

// Whether the file is a well-formed XML document (read with a document of its own).
bool isWellFormedXmlFile(const QString& path);

// The program's data folder: SAPORINA_HOME when set, else the user's application data folder.
QString defaultAppPath();

// Point size for a stored "textSize": 0 gives 8, 2 gives 12, any other number 10; the value's
// leading numeric part counts, and text without one counts as 0.
int textFontSizeFor(const QString& setting);

// Scheme code for a stored "color"; anything but one of the eight codes 0, 100 ... 700 gives 0.
int colorSchemeFor(const QString& setting);

// Moves a broken book out of the way under a new name in the same folder; returns that name's
// path, or an empty text when it could not be moved.
QString keepBrokenBook(const QString& bookPath);

// What a start-up step found; the start-up sequence tells the user and decides what comes next.
enum class StartupProblem {
    None,
    DataFolderUnwritable, // `path` cannot be made or written (`error` says why)
    BookInUse,            // another running copy of the program has the data folder
    BookUnreadable,       // the book cannot be read at all (`error` says why); it is left as it is
    BookBroken,           // the book is not a well-formed recipe book; the user may replace it
    BrokenBookNotKept,    // the broken book could not be moved aside, so it was not replaced
};
struct StartupOutcome {
    StartupProblem problem = StartupProblem::None;
    QString path;
    QString error;
    QString keptAs; // where a replaced broken book was kept
};

// The data folder made ready: created when missing, locked against a second copy of the program,
// cleared of temporary files a stopped copy left, and holding a book (a blank one when there was none).
StartupOutcome openDataFolder();

// Reads the book into the shared state.
StartupOutcome loadBook();

// Keeps the broken book under a new name beside it (unless it is empty) and starts a blank one.
StartupOutcome replaceBrokenBook();

// The images folder, the help files, and the text size, colour and language settings.
void finishStartup();
