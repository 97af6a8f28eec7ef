#include "core/output/web_form.h"

#include <QHash>
#include <QRegularExpression>

namespace {

QString decodeEntities(const QString& text)
{
    if (!text.contains(u'&'))
        return text;
    static const QRegularExpression entity(QStringLiteral("&(#x[0-9a-fA-F]+|#[0-9]+|[a-zA-Z]+);"));
    static const QHash<QString, QString> named{{QStringLiteral("amp"), QStringLiteral("&")},
                                               {QStringLiteral("lt"), QStringLiteral("<")},
                                               {QStringLiteral("gt"), QStringLiteral(">")},
                                               {QStringLiteral("quot"), QStringLiteral("\"")},
                                               {QStringLiteral("apos"), QStringLiteral("'")},
                                               {QStringLiteral("nbsp"), QString(QChar(0xA0))}};
    QString out;
    qsizetype last = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        const QString name = m.captured(1);
        bool ok = false;
        char32_t code = 0;
        if (name.startsWith(QStringLiteral("#x")))
            code = name.mid(2).toUInt(&ok, 16);
        else if (name.startsWith(u'#'))
            code = name.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF)
            out += QString::fromUcs4(&code, 1);
        else
            out += named.value(name.toLower(), m.captured(0));
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

struct Tag {
    QString name; // lower case; "/form" for an end tag
    QHash<QString, QString> attributes;
    qsizetype end = 0; // just after ">"
};

// The tag starting at `from` ("<"), or one with an empty name when there is none.
Tag readTag(const QString& html, qsizetype from)
{
    static const QRegularExpression tagName(QStringLiteral("\\G<(/?[a-zA-Z][a-zA-Z0-9]*)"));
    static const QRegularExpression attribute(
        QStringLiteral("\\G\\s*([^\\s=>/\"']+)(?:\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+)))?"));
    Tag tag;
    const QRegularExpressionMatch name = tagName.match(html, from);
    if (!name.hasMatch())
        return tag;
    tag.name = name.captured(1).toLower();
    qsizetype at = name.capturedEnd();
    for (;;) {
        const QRegularExpressionMatch a = attribute.match(html, at);
        if (!a.hasMatch())
            break;
        const QString value = a.captured(2).isNull() ? (a.captured(3).isNull() ? a.captured(4) : a.captured(3))
                                                     : a.captured(2);
        tag.attributes.insert(a.captured(1).toLower(), decodeEntities(value));
        at = a.capturedEnd();
    }
    const qsizetype close = html.indexOf(u'>', at);
    tag.end = close < 0 ? html.size() : close + 1;
    return tag;
}

} // namespace

bool WebForm::setValue(const QString& name, const QString& value)
{
    for (Field& field : fields) {
        if (field.name == name) {
            field.value = value;
            return true;
        }
    }
    return false;
}

bool WebForm::has(const QString& name) const
{
    for (const Field& field : fields) {
        if (field.name == name)
            return true;
    }
    return false;
}

QByteArray WebForm::submission(const QString& clicked) const
{
    QByteArray body;
    for (const Field& field : fields) {
        if (field.submitButton && field.name != clicked)
            continue;
        if (!body.isEmpty())
            body += '&';
        // Line breaks go as CR LF, spaces as "+", the rest percent-encoded, as forms are sent.
        QString value = field.value;
        value.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\n', QStringLiteral("\r\n"));
        auto encode = [](const QString& text) {
            return text.toUtf8().toPercentEncoding(QByteArrayLiteral(" "), {}).replace(' ', '+');
        };
        body += encode(field.name) + '=' + encode(value);
    }
    return body;
}

WebForm readWebForm(const QByteArray& bytes, const QUrl& pageAddress)
{
    const QString html = QString::fromUtf8(bytes);
    WebForm form;
    for (qsizetype at = html.indexOf(u'<'); at >= 0; at = html.indexOf(u'<', at + 1)) {
        const Tag tag = readTag(html, at);
        if (tag.name.isEmpty())
            continue;
        if (tag.name == QStringLiteral("form") && !form.found) {
            form.found = true;
            form.action = pageAddress.resolved(QUrl(tag.attributes.value(QStringLiteral("action"))));
            form.method = tag.attributes.value(QStringLiteral("method"), QStringLiteral("get")).toUpper().toLatin1();
        } else if (tag.name == QStringLiteral("/form") && form.found) {
            break;
        } else if (form.found && tag.attributes.contains(QStringLiteral("name"))) {
            const QString name = tag.attributes.value(QStringLiteral("name"));
            if (tag.name == QStringLiteral("input")) {
                const QString type = tag.attributes.value(QStringLiteral("type"), QStringLiteral("text")).toLower();
                if (type == QStringLiteral("checkbox") || type == QStringLiteral("radio")) {
                    if (tag.attributes.contains(QStringLiteral("checked")))
                        form.fields.append({name, tag.attributes.value(QStringLiteral("value"), QStringLiteral("on"))});
                } else if (type != QStringLiteral("reset") && type != QStringLiteral("file")) {
                    const bool button = type == QStringLiteral("submit") || type == QStringLiteral("image") ||
                                        type == QStringLiteral("button");
                    form.fields.append({name, tag.attributes.value(QStringLiteral("value")), button});
                }
            } else if (tag.name == QStringLiteral("button")) {
                form.fields.append({name, tag.attributes.value(QStringLiteral("value")), true});
            } else if (tag.name == QStringLiteral("textarea")) {
                const qsizetype close = html.indexOf(QStringLiteral("</textarea"), tag.end, Qt::CaseInsensitive);
                QString content = html.mid(tag.end, (close < 0 ? html.size() : close) - tag.end);
                if (content.startsWith(u'\n'))
                    content.remove(0, 1);
                form.fields.append({name, decodeEntities(content)});
                at = close < 0 ? html.size() - 1 : close;
            } else if (tag.name == QStringLiteral("select")) {
                // The selected option, else the first.
                const qsizetype close = html.indexOf(QStringLiteral("</select"), tag.end, Qt::CaseInsensitive);
                const QString options = html.mid(tag.end, (close < 0 ? html.size() : close) - tag.end);
                QString value;
                bool first = true;
                for (qsizetype o = options.indexOf(u'<'); o >= 0; o = options.indexOf(u'<', o + 1)) {
                    const Tag option = readTag(options, o);
                    if (option.name != QStringLiteral("option"))
                        continue;
                    if (first || option.attributes.contains(QStringLiteral("selected")))
                        value = option.attributes.value(QStringLiteral("value"));
                    first = false;
                    if (option.attributes.contains(QStringLiteral("selected")))
                        break;
                }
                form.fields.append({name, value});
                at = close < 0 ? html.size() - 1 : close;
            }
        }
    }
    return form;
}
