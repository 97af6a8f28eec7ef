#include "ui/output/relay_browser.h"

#include "core/settings/settings_store.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

// A reserved name: nothing is ever sent to a server nobody chose.
constexpr char kDefaultRelayHost[] = "https://www.saporina.example";
constexpr char kRelayFormPath[] = "/sp/email1.html";
constexpr int kDefaultTimeoutMs = 30000;

QNetworkRequest pageRequest(const QUrl& address)
{
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Saporina"));
    return request;
}

} // namespace

RelayBrowser::RelayBrowser(QObject* parent) : QObject(parent)
{
    m_timeout.setSingleShot(true);
    bool ok = false;
    const int timeout = readSetting(Setting::RelayTimeout).toInt(&ok);
    m_timeout.setInterval(ok && timeout > 0 ? timeout : kDefaultTimeoutMs);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        if (!m_reply)
            return;
        m_timedOut = true;
        m_reply->abort(); // finishes the reply, which reports the failure
    });
}

RelayBrowser::~RelayBrowser()
{
    stop();
}

void RelayBrowser::navigate(const QUrl& address)
{
    start(m_network.get(pageRequest(address)));
}

bool RelayBrowser::busy() const
{
    return m_reply != nullptr;
}

void RelayBrowser::stop()
{
    m_timeout.stop();
    if (QNetworkReply* reply = m_reply.data()) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

bool RelayBrowser::setValue(const QString& name, const QString& value)
{
    return m_form.setValue(name, value);
}

bool RelayBrowser::click(const QString& name)
{
    if (!m_form.found || !m_form.has(name) || !submissionAllowed(m_address, m_form.action))
        return false;
    const QByteArray fields = m_form.submission(name);
    if (m_form.method == "POST") {
        QNetworkRequest request = pageRequest(m_form.action);
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
        start(m_network.post(request, fields));
    } else {
        QUrl address = m_form.action;
        address.setQuery(QString::fromLatin1(fields), QUrl::StrictMode);
        start(m_network.get(pageRequest(address)));
    }
    return true;
}

void RelayBrowser::start(QNetworkReply* reply)
{
    stop();
    m_reply = reply;
    m_timedOut = false;
    m_tooLarge = false;
    m_timeout.start();
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
    // The time allowed counts from the last byte that moved, either way.
    connect(reply, &QNetworkReply::uploadProgress, this, [this](qint64 sent, qint64) {
        if (sent > 0)
            m_timeout.start();
    });
    connect(reply, &QNetworkReply::downloadProgress, this, [this, reply](qint64 received, qint64) {
        if (received > kMaxWebPageBytes) {
            m_tooLarge = true;
            reply->abort();
            return;
        }
        if (received > 0)
            m_timeout.start();
    });
}

void RelayBrowser::finished(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply != m_reply)
        return;
    m_reply = nullptr;
    m_timeout.stop();
    if (m_timedOut) {
        emit navigateError(reply->errorString(), true);
        return;
    }
    if (m_tooLarge) {
        emit navigateError(QStringLiteral("The page is larger than a form page can be."), false);
        return;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status >= 400) {
        emit navigateError(reply->errorString(), false);
        return;
    }
    m_address = reply->url();
    m_form = readWebForm(reply->read(kMaxWebPageBytes), m_address,
                         reply->rawHeader(QByteArrayLiteral("Content-Type")));
    emit documentComplete();
}

QUrl relayFormAddress()
{
    QString host = readSetting(Setting::RelayHost).trimmed();
    if (host.isEmpty())
        host = QLatin1String(kDefaultRelayHost);
    while (host.endsWith(u'/'))
        host.chop(1);
    return QUrl(host + QLatin1String(kRelayFormPath));
}
