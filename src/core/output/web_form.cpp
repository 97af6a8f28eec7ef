#include "core/output/web_form.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace {

// Hand-written rather than regular expressions: a pattern matched at an offset looks at the whole
// page each time, which made a large page of broken tags take minutes.

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(QChar c)
{
    return isAsciiDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// "&amp;", "&#233;", "&#xE9;" and the other few references a form's values use.
QString decodeEntities(const QString& text)
{
    if (!text.contains(u'&'))
        return text;
    static const QHash<QString, QString> named{{QStringLiteral("amp"), QStringLiteral("&")},
                                               {QStringLiteral("lt"), QStringLiteral("<")},
                                               {QStringLiteral("gt"), QStringLiteral(">")},
                                               {QStringLiteral("quot"), QStringLiteral("\"")},
                                               {QStringLiteral("apos"), QStringLiteral("'")},
                                               {QStringLiteral("nbsp"), QString(QChar(0xA0))}};
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        if (text[i] != u'&') {
            out += text[i++];
            continue;
        }
        // &#x hex; or &# digits; or &letters;
        qsizetype j = i + 1;
        int base = 0;
        if (j < n && text[j] == u'#') {
            ++j;
            base = 10;
            if (j < n && (text[j] == u'x' || text[j] == u'X')) {
                ++j;
                base = 16;
            }
        }
        const qsizetype first = j;
        while (j < n && (base == 16 ? isHexDigit(text[j]) : base == 10 ? isAsciiDigit(text[j]) : isAsciiLetter(text[j])))
            ++j;
        if (j == first || j >= n || text[j] != u';') {
            out += text[i++];
            continue;
        }
        const QString name = text.mid(first, j - first);
        bool ok = false;
        const uint code = base == 0 ? 0 : name.toUInt(&ok, base);
        if (ok && code > 0 && code <= 0x10FFFF) {
            const char32_t character = code;
            out += QString::fromUcs4(&character, 1);
        } else {
            out += named.value(name.toLower(), text.mid(i, j + 1 - i));
        }
        i = j + 1;
    }
    return out;
}

// More attributes than any form's tag has; a page that piles up more gets no further look at them.
constexpr qsizetype kMaxAttributes = 256;

struct Tag {
    QString name; // lower case; "/form" for an end tag
    QHash<QString, QString> attributes;
    qsizetype end = 0; // just after ">"
};

// The value of an attribute whose "=" lies at or after `from` (blanks first), quoted with " or ', or
// bare; a quote that is never closed is taken as part of a bare value. Returns where the value ends,
// or `from` when there is no value.
qsizetype readAttributeValue(const QString& html, qsizetype from, QString* value)
{
    const qsizetype n = html.size();
    qsizetype v = from;
    while (v < n && isBlank(html[v]))
        ++v;
    if (v >= n || html[v] != u'=')
        return from;
    ++v;
    while (v < n && isBlank(html[v]))
        ++v;
    const qsizetype close = v < n && (html[v] == u'"' || html[v] == u'\'') ? html.indexOf(html[v], v + 1) : -1;
    if (close >= 0) {
        *value = html.mid(v + 1, close - v - 1);
        return close + 1;
    }
    qsizetype e = v;
    while (e < n && !isBlank(html[e]) && html[e] != u'>')
        ++e;
    if (e == v)
        return from;
    *value = html.mid(v, e - v);
    return e;
}

// The tag starting at `from` ("<"), or one with an empty name when there is none.
Tag readTag(const QString& html, qsizetype from)
{
    Tag tag;
    const qsizetype n = html.size();
    qsizetype at = from + 1;
    const bool endTag = at < n && html[at] == u'/';
    if (endTag)
        ++at;
    if (at >= n || !isAsciiLetter(html[at]))
        return tag;
    const qsizetype nameStart = at;
    while (at < n && (isAsciiLetter(html[at]) || isAsciiDigit(html[at])))
        ++at;
    tag.name = (endTag ? QStringLiteral("/") : QString()) + html.mid(nameStart, at - nameStart).toLower();
    static const QString notInNames = QStringLiteral("=>/\"'");
    while (tag.attributes.size() < kMaxAttributes) { // no real tag has more: the rest of it is skipped
        qsizetype p = at;
        while (p < n && isBlank(html[p]))
            ++p;
        const qsizetype attributeStart = p;
        while (p < n && !isBlank(html[p]) && !notInNames.contains(html[p]))
            ++p;
        if (p == attributeStart)
            break;
        QString value;
        at = readAttributeValue(html, p, &value);
        tag.attributes.insert(html.mid(attributeStart, p - attributeStart).toLower(), decodeEntities(value));
    }
    const qsizetype close = html.indexOf(u'>', at);
    tag.end = close < 0 ? n : close + 1;
    return tag;
}

// A charset name as the converters know it, or empty when they do not. As browsers do, Latin-1 and
// ASCII pages are read and sent as windows-1252, of which they are a part.
QByteArray knownCharset(QByteArray name)
{
    name = name.trimmed().toLower();
    if (name.startsWith('"') || name.startsWith('\''))
        name = name.mid(1, name.size() - 2);
    if (name.isEmpty())
        return {};
    if (name == "iso-8859-1" || name == "latin1" || name == "us-ascii" || name == "ascii" || name == "iso8859-1")
        return "windows-1252";
    if (name == "utf-8" || name == "utf8")
        return "UTF-8";
    return QStringDecoder(name.constData()).isValid() && QStringEncoder(name.constData()).isValid() ? name : QByteArray();
}

// The charset a Content-Type value or a <meta> tag names.
QByteArray charsetParameter(const QByteArray& text)
{
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*[\"']?([A-Za-z0-9_.:-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = charset.match(QString::fromLatin1(text));
    return match.hasMatch() ? match.captured(1).toLatin1() : QByteArray();
}

// The page's charset: the header's, a byte-order mark, the first <meta> that names one, else UTF-8.
QByteArray pageCharset(const QByteArray& bytes, const QByteArray& contentType)
{
    if (const QByteArray fromHeader = knownCharset(charsetParameter(contentType)); !fromHeader.isEmpty())
        return fromHeader;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return "UTF-8";
    static const QRegularExpression meta(QStringLiteral("<meta\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(bytes.left(2048));
    for (auto it = meta.globalMatch(head); it.hasNext();) {
        if (const QByteArray named = knownCharset(charsetParameter(it.next().captured(0).toLatin1())); !named.isEmpty())
            return named;
    }
    return "UTF-8";
}

// The text as a browser sends it in the charset: what the charset cannot hold as "&#number;".
QByteArray encodeAs(const QString& text, const QByteArray& charset)
{
    if (charset == "UTF-8")
        return text.toUtf8();
    QStringEncoder encoder(charset.constData());
    QByteArray out;
    if (!encoder.isValid())
        return text.toUtf8();
    // Line by line, so that a long message is looked at character by character only where it must be.
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        end = end < 0 ? text.size() : end + 1;
        const QStringView line = QStringView(text).mid(start, end - start);
        encoder.resetState();
        const QByteArray whole = encoder.encode(line);
        if (!encoder.hasError()) {
            out += whole;
        } else {
            for (qsizetype i = 0; i < line.size();) {
                const qsizetype length =
                    line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate() ? 2 : 1;
                const QStringView character = line.mid(i, length);
                i += length;
                if (character[0].unicode() < 0x80) { // the charsets of web pages all hold ASCII
                    out += char(character[0].unicode());
                    continue;
                }
                QStringEncoder one(charset.constData()); // an encoder that has failed once stays failed
                const QByteArray bytes = one.encode(character);
                if (one.hasError())
                    out += "&#" + QByteArray::number(character.toUcs4().value(0)) + ';';
                else
                    out += bytes;
            }
        }
        start = end;
    }
    return out;
}

} // namespace

bool submissionAllowed(const QUrl& page, const QUrl& action)
{
    const QString scheme = action.scheme().toLower();
    if (scheme != QStringLiteral("http") && scheme != QStringLiteral("https"))
        return false;
    return !(page.scheme().toLower() == QStringLiteral("https") && scheme == QStringLiteral("http"));
}

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
        auto encode = [this](const QString& text) {
            return encodeAs(text, charset).toPercentEncoding(QByteArrayLiteral(" "), {}).replace(' ', '+');
        };
        body += encode(field.name) + '=' + encode(value);
    }
    return body;
}

namespace {

// The form's own tag: where it goes, how, and in which charset when it names one it can be sent in.
void readFormTag(const Tag& tag, const QUrl& pageAddress, WebForm& form)
{
    form.found = true;
    form.action = pageAddress.resolved(QUrl(tag.attributes.value(QStringLiteral("action"))));
    form.method = tag.attributes.value(QStringLiteral("method"), QStringLiteral("get")).toUpper().toLatin1();
    for (const QString& accepted : tag.attributes.value(QStringLiteral("accept-charset")).split(u' ', Qt::SkipEmptyParts)) {
        if (const QByteArray known = knownCharset(accepted.toLatin1()); !known.isEmpty()) {
            form.charset = known;
            return;
        }
    }
}

// An <input>: what it sends (checkboxes and radio buttons only when checked; no reset or file fields).
void readInput(const Tag& tag, const QString& name, WebForm& form)
{
    const QString type = tag.attributes.value(QStringLiteral("type"), QStringLiteral("text")).toLower();
    if (type == QStringLiteral("checkbox") || type == QStringLiteral("radio")) {
        if (tag.attributes.contains(QStringLiteral("checked")))
            form.fields.append({name, tag.attributes.value(QStringLiteral("value"), QStringLiteral("on"))});
    } else if (type != QStringLiteral("reset") && type != QStringLiteral("file")) {
        const bool button =
            type == QStringLiteral("submit") || type == QStringLiteral("image") || type == QStringLiteral("button");
        form.fields.append({name, tag.attributes.value(QStringLiteral("value")), button});
    }
}

// Where the element that `tag` opens ends: its closing tag, else the end of the page.
qsizetype contentEnd(const QString& html, const Tag& tag, const QString& closing)
{
    const qsizetype close = html.indexOf(closing, tag.end, Qt::CaseInsensitive);
    return close < 0 ? html.size() : close;
}

// A <select>'s value: its selected option's, else its first option's.
QString selectValue(const QString& options)
{
    QString value;
    bool first = true;
    for (qsizetype o = options.indexOf(QStringLiteral("<option"), 0, Qt::CaseInsensitive); o >= 0;) {
        const Tag option = readTag(options, o);
        o = options.indexOf(QStringLiteral("<option"), std::max(o + 1, option.end), Qt::CaseInsensitive);
        if (option.name != QStringLiteral("option"))
            continue;
        const bool selected = option.attributes.contains(QStringLiteral("selected"));
        if (first || selected)
            value = option.attributes.value(QStringLiteral("value"));
        first = false;
        if (selected)
            break;
    }
    return value;
}

// A named field's tag inside the form; returns where reading goes on (past a textarea's or a
// select's content).
qsizetype readField(const Tag& tag, const QString& html, WebForm& form)
{
    const QString name = tag.attributes.value(QStringLiteral("name"));
    if (tag.name == QStringLiteral("input")) {
        readInput(tag, name, form);
    } else if (tag.name == QStringLiteral("button")) {
        form.fields.append({name, tag.attributes.value(QStringLiteral("value")), true});
    } else if (tag.name == QStringLiteral("textarea")) {
        const qsizetype end = contentEnd(html, tag, QStringLiteral("</textarea"));
        QString content = html.mid(tag.end, end - tag.end);
        if (content.startsWith(u'\n'))
            content.remove(0, 1);
        form.fields.append({name, decodeEntities(content)});
        return end + 1;
    } else if (tag.name == QStringLiteral("select")) {
        const qsizetype end = contentEnd(html, tag, QStringLiteral("</select"));
        form.fields.append({name, selectValue(html.mid(tag.end, end - tag.end))});
        return end + 1;
    }
    return tag.end;
}

} // namespace

WebForm readWebForm(const QByteArray& bytes, const QUrl& pageAddress, const QByteArray& contentType)
{
    const QByteArray charset = pageCharset(bytes, contentType);
    const QString html = QStringDecoder(charset.constData()).decode(bytes);
    WebForm form;
    form.charset = charset;
    // Each tag is read once: the next one is looked for after it, so that a page of unclosed tags
    // costs no more than one of closed ones.
    for (qsizetype at = html.indexOf(u'<'); at >= 0;) {
        const Tag tag = readTag(html, at);
        qsizetype next = tag.name.isEmpty() ? at + 1 : std::max(at + 1, tag.end); // not a tag: "<" in text
        if (tag.name == QStringLiteral("form") && !form.found)
            readFormTag(tag, pageAddress, form);
        else if (tag.name == QStringLiteral("/form") && form.found)
            break;
        else if (form.found && tag.attributes.contains(QStringLiteral("name")))
            next = std::max(next, readField(tag, html, form));
        at = next < html.size() ? html.indexOf(u'<', next) : -1;
    }
    return form;
}
