#pragma once

#include <QString>

// Ids of the texts that have no fixed number elsewhere (English ids; loadText adds the offset).
namespace TextId {
constexpr int AboutDescription = 219;
constexpr int WebAddress = 220;
constexpr int SaveFailed = 264;
constexpr int BrokenBookKept = 265;
constexpr int BrokenBookNotKept = 266;
constexpr int DataFolderUnwritable = 267;
constexpr int PictureNotCopied = 268;
constexpr int PictureNotRenamed = 269;
constexpr int BookUnreadable = 270;
constexpr int BookInUse = 271;
constexpr int PictureNameUnusableKept = 272;
constexpr int PictureNameUnusable = 273;
} // namespace TextId

constexpr int SpanishOffset = 300;

// The text with id + langOffset. Callers pass English ids.
QString loadText(int id);

// The entry with exactly this id, no offset added (the preferences window shows both languages).
QString tableText(int id);

// True when the table has an entry with exactly this id.
bool hasText(int id);

// Colour reference of scheme + role (id 2000 + scheme + role), red in the lowest byte;
// negative values name system colours. Unknown ids give 0.
qint32 colorValue(int id);
