#pragma once

#include <QString>
#include <QStringList>

// Whether the text is an acceptable e-mail address: one "@"; a local part of ASCII letters, digits,
// "." and "_" that starts with a letter or digit; a domain of two or more labels, each at least two
// letters or digits; and a last label from the program's fixed table of top-level domains. The text is
// judged in lower case and is not trimmed.
bool isValidEmail(const QString& address);

// The 261 top-level domains the check accepts, in the table's order.
const QStringList& topLevelDomains();
