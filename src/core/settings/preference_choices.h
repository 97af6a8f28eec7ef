#pragma once

#include <QString>
#include <QStringList>

// The fixed entries of the preferences lists, the same in both languages.
QStringList colorSchemeNames();
QStringList languageNames();
QStringList textSizeNames();

// The list position a stored value stands for: its numeric value (divided by `divisor`), rounded;
// empty, non-numeric or out-of-range values give position 0.
int preferencePosition(const QString& stored, int divisor, int count);

// The notice shown when preferences are discarded before any language was chosen.
inline const QString kDefaultLanguageNotice = QStringLiteral("Default settings will be used (English)");
