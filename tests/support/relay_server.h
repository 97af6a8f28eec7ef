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

    QTcpServer m_server;
    Behaviour m_behaviour;
};
