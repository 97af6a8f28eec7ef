#pragma once

#include "core/exchange/exchange_files.h"

#include "core/text/text_ids.h"

#include <QString>
#include <optional>

// Why a backup may not be written to `target`: it is the book itself, or it lies in the images folder
// (the pictures would be copied into themselves). Nothing when it may.
std::optional<TextId> backupTargetProblem(const QString& target, const QString& bookPath, const QString& imagesFolder);

// Why the pictures may not go into `folder` (exp_img beside the backup): it is a link, and emptying it
// would empty the folder it points at, the program's own images folder perhaps.
std::optional<TextId> pictureFolderProblem(const QString& folder);

// Deletes every plain file in the folder (not sub-folders, not hidden files). False at the first
// that cannot be deleted, with the reason (or with no reason when the progress stopped the work);
// the files deleted before it stay deleted.
bool clearFolder(const QString& folder, QString* error, const Progress& progress = {});

// Copies every plain file of `from` into `to` under its own name, replacing a file of that name,
// each copy whole before it takes the name. False at the first failure, with the reason (none when
// the progress stopped the work).
bool copyFolderFiles(const QString& from, const QString& to, QString* error, const Progress& progress = {});
