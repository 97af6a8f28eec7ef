#include "relay_server.h"

#include <QTcpSocket>
#include <QUrlQuery>

namespace {

const QByteArray kFormPage = "<html><head><title>Saporina mail</title></head><body>\n"
                             "<form name=\"mail\" action=\"/sp/send.cgi\" method=\"POST\">\n"
                             "<input type=\"hidden\" name=\"Site\" value=\"saporina\">\n"
                             "<input type=\"text\" name=\"To\"><input type=\"text\" name=\"From_Header\">\n"
                             "<input type=\"text\" name=\"Subject\">\n"
                             "<textarea name=\"Contents\"></textarea>\n"
                             "<input type=\"submit\" name=\"SubmitMe\" value=\"Send\">\n"
                             "</form></body></html>\n";

QMap<QString, QString> formFields(const QByteArray& encoded)
{
    QMap<QString, QString> fields;
    for (const QByteArray& pair : encoded.split('&')) {
        if (pair.isEmpty())
            continue;
        const qsizetype equals = pair.indexOf('=');
        auto decode = [](QByteArray text) { return QString::fromUtf8(QByteArray::fromPercentEncoding(text.replace('+', ' '))); };
        fields.insert(decode(pair.left(equals)), equals < 0 ? QString() : decode(pair.mid(equals + 1)));
    }
    return fields;
}

QByteArray response(const QByteArray& status, const QByteArray& body)
{
    return "HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

} // namespace

RelayServer::RelayServer(Behaviour behaviour) : m_behaviour(behaviour)
{
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        }
    });
}

QString RelayServer::host() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
}

QString RelayServer::refusingHost()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close(); // nothing listens there any more
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

QList<RelayServer::Request> RelayServer::submissions() const
{
    QList<Request> sent;
    for (const Request& request : requests) {
        if (request.path.startsWith("/sp/send.cgi"))
            sent.append(request);
    }
    return sent;
}

void RelayServer::answer(QTcpSocket* socket)
{
    // Waits for the whole request, headers and body, before answering it.
    const QByteArray received = socket->property("received").toByteArray() + socket->readAll();
    socket->setProperty("received", received);
    const qsizetype headersEnd = received.indexOf("\r\n\r\n");
    if (headersEnd < 0)
        return;
    const QList<QByteArray> lines = received.left(headersEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    qsizetype length = 0;
    for (const QByteArray& line : lines) {
        if (line.toLower().startsWith("content-length:"))
            length = line.mid(15).trimmed().toLongLong();
    }
    const QByteArray body = received.mid(headersEnd + 4);
    if (body.size() < length)
        return;

    Request request{requestLine.value(0), requestLine.value(1), body, {}};
    const qsizetype query = request.path.indexOf('?');
    request.fields = formFields(request.method == "POST" ? body : (query < 0 ? QByteArray() : request.path.mid(query + 1)));
    requests.append(request);
    disconnect(socket, nullptr, this, nullptr);
    if (m_behaviour == Behaviour::NeverAnswer)
        return;
    if (m_behaviour == Behaviour::NoForm)
        socket->write(response("200 OK", "<html><body>Please log in to the network first.</body></html>"));
    else if (request.path == "/sp/email1.html")
        socket->write(response("200 OK", kFormPage));
    else if (request.path.startsWith("/sp/send.cgi"))
        socket->write(response("200 OK", "<html><body>Thank you, your mail is on its way.</body></html>"));
    else
        socket->write(response("404 Not Found", "<html><body>Not here.</body></html>"));
    socket->disconnectFromHost();
}
