#pragma once

#include "core/text/text_table.h"

// Makes Qt's own texts (the standard buttons of message boxes and file dialogs) follow the
// chosen language.
void applyQtLanguage(Language language);
