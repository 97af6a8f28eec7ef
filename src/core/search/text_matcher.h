#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Finds a key in UTF-8 texts without regard to case, giving exactly the answer of
// text.toLower().contains(key.toLower()) on the decoded text, but mostly without decoding it: the
// longest run of ASCII characters in the key is looked for in the bytes themselves, sixteen places at a
// time where the processor allows, and only a text that holds the run, or a character whose lower
// case is one of the run's letters (such as "İ" or the Kelvin sign), needs decoding and comparing whole.
class TextMatcher {
public:
    explicit TextMatcher(const QString& key);

    // The answer for one text.
    bool matches(QByteArrayView utf8) const;

    // The parts of that answer, for searching many texts laid end to end:
    bool matchesEverything() const { return m_lowerKey.isEmpty(); }
    // Whether the key has a run to look for; without one every text must be decoded.
    bool hasRun() const { return !m_run.isEmpty(); }
    // Whether finding the run is the answer itself (the key is all ASCII).
    bool runIsWholeKey() const { return m_wholeKeyIsRun; }
    // Where the run next occurs at or after `from`, or -1.
    qsizetype findRun(QByteArrayView text, qsizetype from = 0) const;
    // Where a character next occurs at or after `from` that lower-cases into one of the run's letters, or -1.
    qsizetype findCaseTrap(QByteArrayView text, qsizetype from = 0) const;
    // The answer found the slow way, by decoding the text.
    bool decodedMatch(QByteArrayView utf8) const;
    // Whether the key is in the text around the run found at `runAt`: only the bytes the rest of the key
    // could take on either side are decoded.
    bool matchesAround(QByteArrayView utf8, qsizetype runAt) const;

private:
    QString m_lowerKey;
    QByteArray m_run;             // the key's longest ASCII run, lower case; empty when there is none to use
    bool m_wholeKeyIsRun = false; // a found run is then the answer itself
    qsizetype m_before = 0, m_after = 0; // how many characters of the key come before and after the run
    QList<QByteArray> m_caseTraps; // UTF-8 of the characters that lower-case into one of the run's letters
};
