#include "relay_server.h"

#include <QStringDecoder>
#include <QTcpSocket>
#include <QTimer>
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

QMap<QString, QString> formFields(const QByteArray& encoded, const QByteArray& charset)
{
    QMap<QString, QString> fields;
    for (const QByteArray& pair : encoded.split('&')) {
        if (pair.isEmpty())
            continue;
        const qsizetype equals = pair.indexOf('=');
        auto decode = [&charset](QByteArray text) -> QString {
            QStringDecoder decoder(charset.constData());
            return decoder.decode(QByteArray::fromPercentEncoding(text.replace('+', ' ')));
        };
        fields.insert(decode(pair.left(equals)), equals < 0 ? QString() : decode(pair.mid(equals + 1)));
    }
    return fields;
}

QByteArray response(const QByteArray& status, const QByteArray& contentType, const QByteArray& body)
{
    return "HTTP/1.1 " + status + "\r\nContent-Type: " + contentType + "\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

} // namespace

RelayServer::RelayServer(Behaviour behaviour) : formPage(kFormPage), m_behaviour(behaviour)
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
    request.fields =
        formFields(request.method == "POST" ? body : (query < 0 ? QByteArray() : request.path.mid(query + 1)), charset);
    requests.append(request);
    disconnect(socket, nullptr, this, nullptr);
    if (m_behaviour == Behaviour::NeverAnswer)
        return;
    if (m_behaviour == Behaviour::NoForm) {
        socket->write(response("200 OK", contentType, "<html><body>Please log in to the network first.</body></html>"));
    } else if (request.path == "/sp/email1.html") {
        socket->write(response("200 OK", contentType, formPage));
    } else if (request.path.startsWith("/sp/send.cgi")) {
        QByteArray page = "<html><body>Thank you, your mail is on its way.</body></html>";
        if (answerSize > page.size())
            page += QByteArray(answerSize - page.size(), ' ');
        const QByteArray whole = response(sentStatus, contentType, page);
        if (trickleMs > 0) {
            // The headers at once, the page in ten pieces.
            const qsizetype headers = whole.indexOf("\r\n\r\n") + 4;
            socket->write(whole.left(headers));
            return trickle(socket, whole.mid(headers), static_cast<int>(page.size() / 10 + 1));
        }
        socket->write(whole);
    } else {
        socket->write(response("404 Not Found", contentType, "<html><body>Not here.</body></html>"));
    }
    socket->disconnectFromHost();
}

void RelayServer::trickle(QTcpSocket* socket, QByteArray rest, int pieceSize)
{
    socket->write(rest.left(pieceSize));
    socket->flush();
    rest.remove(0, pieceSize);
    if (rest.isEmpty()) {
        socket->disconnectFromHost();
        return;
    }
    QTimer::singleShot(trickleMs, socket, [this, socket, rest, pieceSize] { trickle(socket, rest, pieceSize); });
}
