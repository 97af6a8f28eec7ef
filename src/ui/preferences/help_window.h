#pragma once

#include <QString>

// Opens the help file of the current language at its contents, owned by the window the key names
// ("br" browse, "ad" add, anything else edit). A missing file gets message 262.
void showHelp(const QString& windowKey);

// Hands a web address to the user's browser; failures are ignored.
void openUrl(const QString& address);
