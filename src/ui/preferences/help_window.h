#pragma once

#include <QString>

class QWidget;

// Opens the help file of the current language at its contents, in a help window owned by `owner`
// (one per window: asking again brings it back). A missing file gets a message.
void showHelp(QWidget* owner);

// Hands a web address to the user's browser; failures are ignored.
void openUrl(const QString& address);
