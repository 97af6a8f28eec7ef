#pragma once

#include "core/output/web_form.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QNetworkReply;

// The part of a web browser the e-mail window needs: it loads a page, holds the page's form, sets the
// values of the form's fields by name and submits the form when its button is clicked, as a browser
// would. Every request ends in `documentComplete` or `navigateError`, unless it is stopped.
class RelayBrowser : public QObject {
    Q_OBJECT
public:
    explicit RelayBrowser(QObject* parent = nullptr);
    ~RelayBrowser() override;

    // Requests the page; an earlier request still running is dropped.
    void navigate(const QUrl& address);
    // Whether a request is running.
    bool busy() const;
    // Drops the request running, if any; nothing is reported for it.
    void stop();

    // Sets the value of the named field of the page's form; false when the page has no such field.
    bool setValue(const QString& name, const QString& value);
    // Clicks the named button of the page's form, which sends the form; false when there is no such
    // field in the form, or when the form would go where a browser must not send it (an address that
    // is not http or https, or an unencrypted one from an encrypted page).
    bool click(const QString& name);

    // The address and the form of the page last loaded.
    QUrl address() const { return m_address; }
    const WebForm& form() const { return m_form; }

    // How long a request may go without a byte either way before it fails, in milliseconds: a large
    // message on a slow line takes as long as it takes while it moves.
    void setTimeout(int milliseconds) { m_timeout.setInterval(milliseconds); }

signals:
    void documentComplete();
    // The request failed: the server could not be reached, answered with an error status or a page
    // too large to be a form, or, when `timedOut`, fell silent for longer than allowed.
    void navigateError(const QString& reason, bool timedOut);

private:
    void start(QNetworkReply* reply);
    void finished(QNetworkReply* reply);

    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
    QTimer m_timeout;
    bool m_timedOut = false;
    bool m_tooLarge = false;
    QUrl m_address;
    WebForm m_form;
};

// The address of the relay form: the e-mail server of the setting, or the program's own default.
QUrl relayFormAddress();
