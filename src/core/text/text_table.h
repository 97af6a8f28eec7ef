#pragma once

#include "core/text/text_ids.h"
#include "core/text/text_table.h"

#include <QString>

enum class Language { English = 0, Spanish = 1 };

// The Spanish text of English id n has the id n + kSpanishIdOffset in the table.
inline constexpr int kSpanishIdOffset = 300;

// The title of every message box and dialog, and of the program's small windows.
inline const QString kMessageTitle = QStringLiteral("SP");

// The language texts are shown in; English until the program has chosen.
void setLanguage(Language language);
Language language();

// The text in the current language, or in the given one (the preferences window shows both).
QString loadText(TextId id);
QString loadText(TextId id, Language in);

// True when the table has an entry with exactly this table id (Spanish ids included).
bool hasText(int tableId);

// Colour reference of scheme + role (id 2000 + scheme + role), red in the lowest byte;
// negative values name system colours. Unknown ids give 0; hasColor tells them apart from black.
qint32 colorValue(int id);
bool hasColor(int id);
