#include "core/book/xml_document.h"

#include "core/book/atomic_file.h"
#include "core/book/xml_check.h"

#include <QFile>
#include <cstring>

namespace {

// New elements wait here, outside the document element, until they are appended; the holder
// is never written because saving writes the document element only.
constexpr char kHolderName[] = "saporina-detached";

constexpr unsigned kParseOptions = pugi::parse_default; // drops white-space-only text, CR LF -> LF
constexpr unsigned kSaveOptions = pugi::format_raw | pugi::format_no_declaration | pugi::format_no_empty_element_tags;

QByteArray utf8(const QString& text)
{
    return text.toUtf8();
}

// Text as XML can hold it: control characters other than tab, LF and CR, the two non-characters
// U+FFFE and U+FFFF and unpaired surrogates are dropped (XML 1.0 forbids them even as references).
QByteArray storableUtf8(const QString& text)
{
    return utf8(xmlStorableText(text));
}

struct ByteWriter : pugi::xml_writer {
    QByteArray out;
    void write(const void* data, size_t size) override
    {
        out.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }
};

void appendText(pugi::xml_node node, QByteArray& out)
{
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            out.append(child.value());
        else if (child.type() == pugi::node_element)
            appendText(child, out);
    }
}

} // namespace

XmlNode XmlNodeList::item(int i) const
{
    if (i < 0 || i >= length())
        return {};
    return XmlNode(m_nodes[static_cast<size_t>(i)]);
}

QString XmlNode::nodeName() const
{
    return QString::fromUtf8(m_node.name());
}

QString XmlNode::text() const
{
    if (!m_node)
        return {};
    if (m_node.type() != pugi::node_element)
        return QString::fromUtf8(m_node.value());
    const pugi::xml_node first = m_node.first_child();
    if (!first)
        return QString();
    // The common case: one text node.
    if (!first.next_sibling() && (first.type() == pugi::node_pcdata || first.type() == pugi::node_cdata))
        return QString::fromUtf8(first.value());
    QByteArray all;
    appendText(m_node, all);
    return QString::fromUtf8(all);
}

void XmlNode::setText(const QString& text)
{
    if (!m_node)
        return;
    while (pugi::xml_node child = m_node.first_child())
        m_node.remove_child(child);
    if (!text.isEmpty())
        m_node.append_child(pugi::node_pcdata).set_value(storableUtf8(text).constData());
}

XmlNodeList XmlNode::childNodes() const
{
    std::vector<pugi::xml_node> nodes;
    for (pugi::xml_node child : m_node.children())
        nodes.push_back(child);
    return XmlNodeList(std::move(nodes));
}

QString XmlNode::getNamedItem(const QString& name) const
{
    const pugi::xml_attribute attr = m_node.attribute(utf8(name).constData());
    if (!attr)
        return QString();
    return QString::fromUtf8(attr.value());
}

void XmlNode::setAttribute(const QString& name, const QString& value)
{
    const QByteArray key = utf8(name);
    pugi::xml_attribute attr = m_node.attribute(key.constData());
    if (!attr)
        attr = m_node.append_attribute(key.constData());
    attr.set_value(storableUtf8(value).constData());
}

static XmlNodeList selectAll(pugi::xml_node context, const char* path)
{
    std::vector<pugi::xml_node> nodes;
    try {
        for (const pugi::xpath_node& hit : context.select_nodes(path))
            nodes.push_back(hit.node());
    } catch (const pugi::xpath_exception&) {
        // Paths are fixed in the program; a bad one simply selects nothing.
    }
    return XmlNodeList(std::move(nodes));
}

static XmlNode selectOne(pugi::xml_node context, const char* path)
{
    try {
        return XmlNode(context.select_node(path).node());
    } catch (const pugi::xpath_exception&) {
        return {};
    }
}

XmlNodeList XmlNode::selectNodes(const char* path) const
{
    return selectAll(m_node, path);
}

XmlNode XmlNode::selectSingleNode(const char* path) const
{
    return selectOne(m_node, path);
}

XmlNode XmlNode::appendChild(XmlNode child)
{
    if (!m_node || child.isNull())
        return {};
    return XmlNode(m_node.append_move(child.m_node));
}

void XmlNode::removeChild(XmlNode child)
{
    if (m_node && child)
        m_node.remove_child(child.m_node);
}

QString xmlStorableText(const QString& text)
{
    auto allowed = [](char16_t c) {
        return c >= 0x20 ? (c != 0xFFFE && c != 0xFFFF) : (c == 0x9 || c == 0xA || c == 0xD);
    };
    qsizetype i = 0;
    const qsizetype n = text.size();
    // Most texts hold nothing to drop: check before copying.
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (!allowed(c) || QChar::isSurrogate(c))
            break;
    }
    if (i == n)
        return text;
    QString out = text.left(i);
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
            out.append(text[i]).append(text[i + 1]);
            ++i;
        } else if (allowed(c) && !QChar::isSurrogate(c)) {
            out.append(text[i]);
        }
    }
    return out;
}

bool XmlDocument::loadXml(const QByteArray& xml)
{
    m_doc.reset();
    m_unreadable = false;
    const XmlCheckResult check = checkWellFormedXml(xml, kMaxDepth);
    if (!check.ok) {
        m_errorCode = pugi::status_bad_pcdata; // any non-zero code: the document is not read at all
        m_errorText = check.error + QStringLiteral(" (byte %1)").arg(check.offset);
        return false;
    }
    const pugi::xml_parse_result result =
        m_doc.load_buffer(xml.constData(), static_cast<size_t>(xml.size()), kParseOptions);
    m_errorCode = result ? 0 : static_cast<int>(result.status);
    m_errorText = result ? QString() : QString::fromUtf8(result.description());
    if (result && !documentElement()) {
        m_errorCode = pugi::status_no_document_element;
        m_errorText = QStringLiteral("No document element found");
    }
    return m_errorCode == 0;
}

bool XmlDocument::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_doc.reset();
        m_errorCode = pugi::status_file_not_found;
        m_errorText = file.errorString();
        m_unreadable = true;
        return false;
    }
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_doc.reset();
        m_errorCode = pugi::status_io_error;
        m_errorText = file.errorString();
        m_unreadable = true;
        return false;
    }
    return loadXml(content);
}

QByteArray XmlDocument::toXml() const
{
    ByteWriter writer;
    if (const XmlNode root = documentElement())
        root.raw().print(writer, "", kSaveOptions, pugi::encoding_utf8);
    return writer.out;
}

bool XmlDocument::save(const QString& path, QString* error) const
{
    return writeFileAtomically(path, toXml(), error);
}

XmlNode XmlDocument::documentElement() const
{
    for (pugi::xml_node child : m_doc.children()) {
        if (child.type() == pugi::node_element && std::strcmp(child.name(), kHolderName) != 0)
            return XmlNode(child);
    }
    return {};
}

XmlNodeList XmlDocument::childNodes() const
{
    std::vector<pugi::xml_node> nodes;
    for (pugi::xml_node child : m_doc.children()) {
        if (std::strcmp(child.name(), kHolderName) != 0)
            nodes.push_back(child);
    }
    return XmlNodeList(std::move(nodes));
}

XmlNodeList XmlDocument::selectNodes(const char* path) const
{
    return selectAll(m_doc, path);
}

XmlNode XmlDocument::selectSingleNode(const char* path) const
{
    return selectOne(m_doc, path);
}

pugi::xml_node XmlDocument::detachedHolder()
{
    pugi::xml_node holder = m_doc.child(kHolderName);
    if (!holder)
        holder = m_doc.append_child(kHolderName);
    return holder;
}

XmlNode XmlDocument::createElement(const QString& name)
{
    return XmlNode(detachedHolder().append_child(utf8(name).constData()));
}

void XmlDocument::detach(XmlNode node)
{
    if (node)
        detachedHolder().append_move(node.raw());
}

void XmlDocument::reattach(XmlNode node, XmlNode parent, XmlNode next)
{
    if (!node || !parent)
        return;
    if (next)
        parent.raw().insert_move_before(node.raw(), next.raw());
    else
        parent.raw().append_move(node.raw());
}

void XmlDocument::destroy(XmlNode node)
{
    if (node)
        node.raw().parent().remove_child(node.raw());
}

void XmlDocument::refuse(const QString& why)
{
    m_doc.reset();
    m_errorCode = pugi::status_no_document_element;
    m_errorText = why;
}
