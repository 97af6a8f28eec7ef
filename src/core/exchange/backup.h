#pragma once

#include "core/exchange/exchange_files.h"

#include <QString>

// Deletes every plain file in the folder (not sub-folders, not hidden files). False at the first
// that cannot be deleted, with the reason (or with no reason when the progress stopped the work);
// the files deleted before it stay deleted.
bool clearFolder(const QString& folder, QString* error, const Progress& progress = {});

// Copies every plain file of `from` into `to` under its own name, replacing a file of that name,
// each copy whole before it takes the name. False at the first failure, with the reason (none when
// the progress stopped the work).
bool copyFolderFiles(const QString& from, const QString& to, QString* error, const Progress& progress = {});
