#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Folding for the search that ignores accents and case: every character becomes what a cook types for
// it on a plain keyboard, in lower case: "Á" "a", "ñ" "n", "ß" "ss", "Æ" "ae", "Œ" "oe", "ø" "o",
// "ﬁ" "fi", "’" "'". A key is in a text when its folding is in the text's folding; both are folded one
// character at a time, so a match never depends on the characters around it.

// The folding of one character: its compatibility decomposition (below U+3000 and in the ligature and
// full-width blocks), without non-spacing marks, case-folded, done twice so that folding a folding
// changes nothing; a few letters that do not decompose are spelt out.
QString foldedCharacter(char32_t c);

// A text folded one character at a time, the plain way.
QString foldedText(const QString& text);

// The fast way, for searching: UTF-8 folded into UTF-8 from a table made on first use (the ASCII parts
// sixteen bytes at a time). Bytes that are not UTF-8 are copied as they are. `out` must have room for
// maxFoldedSize(size) bytes; returns how many were written.
qsizetype foldUtf8(const char* in, qsizetype size, char* out);
qsizetype maxFoldedSize(qsizetype utf8Size);
QByteArray foldedUtf8(QByteArrayView utf8);
