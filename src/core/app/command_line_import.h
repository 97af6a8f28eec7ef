#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

struct CommandLineImport {
    QStringList files;
    bool withPictures = false;
    QString category; // for recipes that name none; "Imported" when empty
};

// Imports recipe files into the book of the data folder, as the program's import does but without a
// window: the folder locked against the running program, one save per file, a taken title becoming the
// first free "Title (2)". Writes one line per recipe imported or skipped (with the reason) to `out`, and
// what stops it to `err`. Returns 0 when everything was read, 1 when some recipe or file was skipped,
// 2 when the book cannot be changed (the program has it open, it cannot be read or written).
int importFromCommandLine(const CommandLineImport& import, QTextStream& out, QTextStream& err);
