#pragma once

#include <QString>
#include <QStringList>

// Sync tools keep the losing side of a conflict beside the file, under a name of their own:
// recipes.sync-conflict-20261207-120000-ABCDEFG.xml, recipes (conflicted copy 2026-12-07).xml,
// recipes (Ana's conflicted copy).xml, recipes_conflict-20261207.xml and the like.

// Whether a file name is a conflicting copy of the book file recipes.xml.
bool isConflictCopyName(const QString& fileName);

// The conflicting copies of the book in the data folder, oldest first.
QStringList conflictCopies(const QString& dataFolder);
