#pragma once

#include <QString>

// The settings key all of the program's values live under.
inline const QString kRegRoot = QStringLiteral("HKLM\\Software\\Quorvel\\Saporina\\");

// Every value the program keeps, each under its own name below kRegRoot.
enum class Setting {
    Language,    // "0" English, "1" Spanish; missing until the language is chosen
    TextSize,    // "0" small, "1" normal, "2" large
    ColorScheme, // the scheme's list position x 100
    WindowState, // the shared main-window placement: "0" normal, "1" minimised, "2" maximised
    WindowWidth, // and size and position in twips
    WindowHeight,
    WindowLeft,
    WindowTop,
    SenderName, // the sender last used for e-mailing recipes
    SenderEmail,
    RelayHost,    // the web server that relays e-mail, "https://host[:port]"
    RelayTimeout, // how long a request to it may take, in milliseconds
    FoldedSearch, // "1" when the search window ignores accents and case, "0" or missing for the exact search
    // The page header and footer printed pages carry, kept with the printing settings outside the
    // program's key; blank while the program prints its own pages.
    PageSetupHeader,
    PageSetupFooter,
};

// The full path of a setting, kRegRoot followed by its value name.
QString settingPath(Setting setting);
QString readSetting(Setting setting);
void writeSetting(Setting setting, const QString& value);

// Settings are addressed by full paths such as kRegRoot + "language" and stored as text.
// Reading never fails: a missing value, or any failure, reads as empty text.
QString readSetting(const QString& fullPath);

// Stores the text; a store that cannot be written is skipped without a message.
void writeSetting(const QString& fullPath, const QString& value);

