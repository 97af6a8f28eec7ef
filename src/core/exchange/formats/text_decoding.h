#pragma once

#include <QByteArray>
#include <QString>

// The text of a file from another program: UTF-8 (with or without a byte-order mark), UTF-16 with a
// byte-order mark, or, where the bytes are not UTF-8, Windows-1252 (which Latin-1 files are read as
// too) byte by byte while the UTF-8 among them stays UTF-8, so that "é" never turns into "Ã©". Line ends
// are left as they are.
QString decodeText(const QByteArray& bytes);
