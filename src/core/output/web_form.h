#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

// The first form of a web page, read as a browser would read it to submit it.
struct WebForm {
    struct Field {
        QString name;
        QString value;
        bool submitButton = false; // sent only when it is the one clicked
    };
    bool found = false;
    QUrl action;             // where the form goes, resolved against the page's address
    QByteArray method = "GET";
    QList<Field> fields;     // in page order
    QByteArray charset = "UTF-8"; // how the form is sent: its accept-charset, else the page's own

    // Sets the value of the named field; false when the form has no such field.
    bool setValue(const QString& name, const QString& value);
    bool has(const QString& name) const;
    // What a browser sends when the named button is clicked, URL-encoded in the form's charset (a
    // character it cannot hold goes as a numeric reference, "&#8364;"): every field but the other
    // submit buttons.
    QByteArray submission(const QString& clicked) const;
};

// Reads the first <form> of the page: its action and method and its input, textarea and select
// fields (checkboxes and radio buttons only when checked). Tolerant of the HTML real pages hold, and
// in time linear in the page's size whatever it holds. The page is read in the charset that
// `contentType` (the Content-Type header, if any) names, else the one its <meta> names, else UTF-8.
WebForm readWebForm(const QByteArray& html, const QUrl& pageAddress, const QByteArray& contentType = {});

// The largest page the relay form is read from; a larger answer is not a form page.
inline constexpr qint64 kMaxWebPageBytes = 2 * 1024 * 1024;

// Whether a form on the page at `page` may be sent to `action`: only to an http or https address,
// and never from an encrypted page to an unencrypted one, where anyone on the way could read it.
bool submissionAllowed(const QUrl& page, const QUrl& action);
