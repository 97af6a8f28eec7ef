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

    // Sets the value of the named field; false when the form has no such field.
    bool setValue(const QString& name, const QString& value);
    bool has(const QString& name) const;
    // What a browser sends when the named button is clicked, URL-encoded: every field but the other
    // submit buttons.
    QByteArray submission(const QString& clicked) const;
};

// Reads the first <form> of the page: its action and method and its input, textarea and select
// fields (checkboxes and radio buttons only when checked). Tolerant of the HTML real pages hold.
WebForm readWebForm(const QByteArray& html, const QUrl& pageAddress);
