#pragma once

#include <QByteArrayView>
#include <QString>

// What the well-formedness check found: nothing (ok) or the first fault and where it is.
struct XmlCheckResult {
    bool ok = true;
    QString error;        // what is wrong, in English, for logs and tests
    qsizetype offset = 0; // byte offset of the fault
};

// Checks that `data` is a well-formed XML 1.0 document in UTF-8, as a conforming parser would:
// valid UTF-8 holding only XML characters, one root element with matching tags, unique attributes,
// only the predefined entities and valid character references, nothing but comments, processing
// instructions and white space outside the root. Elements nested deeper than `maxDepth` are refused,
// so that nothing after this check has to walk an unbounded tree. A document type declaration with an
// internal subset is refused too: its entities could not be expanded anyway.
// One pass over the bytes, no allocation per node.
XmlCheckResult checkWellFormedXml(QByteArrayView data, int maxDepth);
