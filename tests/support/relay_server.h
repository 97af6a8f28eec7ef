#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QUrl>

// A web server on loopback that stands in for the e-mail relay: it serves the form page at
// /sp/email1.html and records every request, the fields of each form sent to it decoded.
class RelayServer : public QObject {
    Q_OBJECT
public:
    enum class Behaviour {
        ServeForm,   // the relay form; a sent form gets a thank-you page
        NeverAnswer, // takes the connection and says nothing
        NoForm,      // a page without the form, as a login page on the way would be
    };

    explicit RelayServer(Behaviour behaviour = Behaviour::ServeForm);

    // "http://127.0.0.1:port", for the RelayHost setting.
    QString host() const;

    // What the server serves, for the tests that try hostile or unusual servers.
    QByteArray formPage;                                 // the relay form (a plain UTF-8 one to start with)
    QByteArray contentType = "text/html; charset=utf-8"; // of every page
    QByteArray charset = "UTF-8";                        // in which it reads the fields sent to it
    QByteArray sentStatus = "200 OK";                    // the answer to a sent form
    qint64 answerSize = 0;                               // the thank-you page padded to this size
    int trickleMs = 0; // the thank-you page comes in ten pieces, this far apart

    struct Request {
        QByteArray method;
        QByteArray path;
        QByteArray body;
        QMap<QString, QString> fields; // the form fields, decoded
    };
    QList<Request> requests;
    QList<Request> submissions() const; // the requests that sent the form

    // An address on loopback where nothing listens, so that connecting is refused.
    static QString refusingHost();

private:
    void answer(class QTcpSocket* socket);
    void trickle(class QTcpSocket* socket, QByteArray rest, int pieceSize);

    QTcpServer m_server;
    Behaviour m_behaviour;
};
