#pragma once

#include <QByteArray>
#include <QString>

// Writes the data to a temporary file beside `path`, flushes it to disk, then puts it in place
// of `path`. On failure `path` keeps its old content and `error` says why.
bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);
