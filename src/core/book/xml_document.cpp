#include "core/book/xml_document.h"

#include "core/book/atomic_file.h"
#include "core/book/file_stamp.h"
#include "core/book/xml_check.h"

#include <QFile>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <pugixml.hpp>

#ifdef Q_OS_UNIX
#include <sys/mman.h>
#endif

namespace {

// Every change to any document, counted; see XmlDocument::changeCount.
std::atomic<quint64> changes = 0; // a book may be read on another thread at start-up

// Nodes taken out of the tree wait here, outside the document element, until they are put back or
// dropped; the holder is never written because saving writes the document element only.
constexpr char kHolderName[] = "saporina-detached";

constexpr unsigned kParseOptions = pugi::parse_default; // drops white-space-only text, CR LF -> LF
constexpr unsigned kSaveOptions = pugi::format_raw | pugi::format_no_declaration | pugi::format_no_empty_element_tags;

pugi::xml_node node(pugi::xml_node_struct* raw)
{
    return pugi::xml_node(raw);
}

// Text as XML can hold it (see xmlStorableText), in UTF-8.
QByteArray storableUtf8(const QString& text)
{
    return xmlStorableText(text).toUtf8();
}

struct ByteWriter : pugi::xml_writer {
    QByteArray out;
    void write(const void* data, size_t size) override
    {
        out.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }
};

struct SinkWriter : pugi::xml_writer {
    ByteSink& sink;
    explicit SinkWriter(ByteSink& s) : sink(s) {}
    void write(const void* data, size_t size) override
    {
        sink.write(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }
};

// Depth is bounded by the well-formedness check, so the recursion is too.
void appendText(pugi::xml_node parent, QByteArray& out)
{
    for (pugi::xml_node child : parent.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            out.append(child.value());
        else if (child.type() == pugi::node_element)
            appendText(child, out);
    }
}

pugi::xml_node nextElement(pugi::xml_node from)
{
    while (from && from.type() != pugi::node_element)
        from = from.next_sibling();
    return from;
}

} // namespace

// A buffer the parser reads in place and then owns (it frees it with free()). A large one is asked to
// be backed by huge pages, which spares the system a page fault every 4 KB as it is filled.
struct ParseBuffer {
    char* data = nullptr;
    qsizetype size = 0;

    explicit ParseBuffer(qsizetype bytes) : size(bytes)
    {
        [[maybe_unused]] constexpr size_t kHugePage = 2 * 1024 * 1024;
        const size_t wanted = static_cast<size_t>(bytes) + 1;
#if defined(Q_OS_UNIX) && defined(MADV_HUGEPAGE)
        if (wanted >= 4 * kHugePage) {
            const size_t rounded = (wanted + kHugePage - 1) / kHugePage * kHugePage;
            data = static_cast<char*>(std::aligned_alloc(kHugePage, rounded));
            if (data)
                ::madvise(data, rounded, MADV_HUGEPAGE);
            return;
        }
#endif
        // Elsewhere (Windows has no aligned_alloc that free() can release) a plain allocation.
        data = static_cast<char*>(std::malloc(wanted));
    }
    ~ParseBuffer()
    {
        std::free(data);
    }
    ParseBuffer(const ParseBuffer&) = delete;
    ParseBuffer& operator=(const ParseBuffer&) = delete;
    // Hands the buffer over to whoever frees it from now on.
    char* release()
    {
        char* out = data;
        data = nullptr;
        return out;
    }
};

QString XmlNode::name() const
{
    return QString::fromUtf8(node(m_node).name());
}

QString XmlNode::text() const
{
    const pugi::xml_node self = node(m_node);
    const pugi::xml_node first = self.first_child();
    if (!first)
        return QString();
    // The common case: one text node.
    if (!first.next_sibling() && (first.type() == pugi::node_pcdata || first.type() == pugi::node_cdata))
        return QString::fromUtf8(first.value());
    QByteArray all;
    appendText(self, all);
    return QString::fromUtf8(all);
}

QByteArray XmlNode::textUtf8() const
{
    const pugi::xml_node self = node(m_node);
    const pugi::xml_node first = self.first_child();
    if (!first)
        return QByteArray();
    if (!first.next_sibling() && (first.type() == pugi::node_pcdata || first.type() == pugi::node_cdata)) {
        const char* value = first.value();
        return QByteArray::fromRawData(value, static_cast<qsizetype>(std::strlen(value)));
    }
    QByteArray all;
    appendText(self, all);
    return all;
}

void XmlNode::setText(const QString& text)
{
    ++changes;
    pugi::xml_node self = node(m_node);
    if (!self)
        return;
    while (pugi::xml_node child = self.first_child())
        self.remove_child(child);
    if (!text.isEmpty())
        self.append_child(pugi::node_pcdata).set_value(storableUtf8(text).constData());
}

QString XmlNode::attribute(const QString& name) const
{
    const pugi::xml_attribute attr = node(m_node).attribute(name.toUtf8().constData());
    return attr ? QString::fromUtf8(attr.value()) : QString();
}

void XmlNode::setAttribute(const QString& name, const QString& value)
{
    ++changes;
    pugi::xml_node self = node(m_node);
    if (!self)
        return;
    const QByteArray key = name.toUtf8();
    pugi::xml_attribute attr = self.attribute(key.constData());
    if (!attr)
        attr = self.append_attribute(key.constData());
    attr.set_value(storableUtf8(value).constData());
}

XmlNode XmlNode::parent() const
{
    return XmlNode(node(m_node).parent().internal_object());
}

XmlNode XmlNode::nextSibling() const
{
    if (!m_node)
        return {};
    return XmlNode(nextElement(node(m_node).next_sibling()).internal_object());
}

XmlNode XmlNode::child(int position) const
{
    if (position < 0)
        return {};
    pugi::xml_node child = nextElement(node(m_node).first_child());
    for (; child && position > 0; --position)
        child = nextElement(child.next_sibling());
    return XmlNode(child.internal_object());
}

QList<XmlNode> XmlNode::children() const
{
    QList<XmlNode> nodes;
    for (pugi::xml_node child : node(m_node).children()) {
        if (child.type() == pugi::node_element)
            nodes.append(XmlNode(child.internal_object()));
    }
    return nodes;
}

XmlNode XmlNode::appendChild(const QString& name)
{
    ++changes;
    if (!m_node)
        return {};
    return XmlNode(node(m_node).append_child(name.toUtf8().constData()).internal_object());
}

XmlNode XmlNode::appendCopy(const XmlNode& original)
{
    ++changes;
    if (!m_node || !original.m_node)
        return {};
    return XmlNode(node(m_node).append_copy(node(original.m_node)).internal_object());
}

namespace {

bool sameNodes(const pugi::xml_node& a, const pugi::xml_node& b)
{
    const pugi::xml_node_type type = a.type();
    if (type != b.type())
        return false;
    if (type != pugi::node_element) // text and the like: only a value
        return std::strcmp(a.value(), b.value()) == 0 && std::strcmp(a.name(), b.name()) == 0;
    if (std::strcmp(a.name(), b.name()) != 0)
        return false;
    pugi::xml_attribute x = a.first_attribute(), y = b.first_attribute();
    for (; x && y; x = x.next_attribute(), y = y.next_attribute()) {
        if (std::strcmp(x.name(), y.name()) != 0 || std::strcmp(x.value(), y.value()) != 0)
            return false;
    }
    if (x || y)
        return false;
    pugi::xml_node c = a.first_child(), d = b.first_child();
    for (; c && d; c = c.next_sibling(), d = d.next_sibling()) {
        if (!sameNodes(c, d))
            return false;
    }
    return !c && !d;
}

} // namespace

bool XmlNode::sameContent(const XmlNode& other) const
{
    if (!m_node || !other.m_node)
        return m_node == other.m_node;
    return sameNodes(node(m_node), node(other.m_node));
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

XmlDocument::XmlDocument() : m_doc(std::make_unique<pugi::xml_document>()) {}

XmlDocument::~XmlDocument() = default;

bool XmlDocument::loadXml(const QByteArray& xml)
{
    ParseBuffer buffer(xml.size());
    if (!buffer.data) {
        m_doc->reset();
        m_errorText = QStringLiteral("out of memory");
        return false;
    }
    std::memcpy(buffer.data, xml.constData(), static_cast<size_t>(xml.size()));
    return parse(buffer);
}

bool XmlDocument::parse(ParseBuffer& buffer)
{
    ++changes;
    m_doc->reset();
    m_unreadable = false;
    m_errorText.clear();
    const XmlCheckResult check = checkWellFormedXml(QByteArrayView(buffer.data, buffer.size), kMaxDepth);
    if (!check.ok) {
        m_errorText = check.error + QStringLiteral(" (byte %1)").arg(check.offset);
        return false;
    }
    // Parsed where it lies: the texts of the document stay in the buffer, which the document now owns.
    const size_t size = static_cast<size_t>(buffer.size);
    const pugi::xml_parse_result result =
        m_doc->load_buffer_inplace_own(buffer.release(), size, kParseOptions, pugi::encoding_auto);
    if (!result) {
        m_errorText = QString::fromUtf8(result.description());
        m_doc->reset();
        return false;
    }
    if (root().isNull()) {
        refuse(QStringLiteral("no document element"));
        return false;
    }
    return true;
}

bool XmlDocument::load(const QString& path, FileStamp* read)
{
    ++changes;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_doc->reset();
        m_errorText = file.errorString();
        m_unreadable = true;
        return false;
    }
    if (read) {
        *read = fileStampOfDescriptor(file.handle());
        if (!read->exists())
            *read = fileStampOf(path);
    }
    // Read straight into the buffer the parser works in: the file is held once, not copied.
    const qint64 expected = file.size();
    ParseBuffer buffer(expected);
    qint64 got = buffer.data ? file.read(buffer.data, expected) : -1;
    if (got == expected && !file.atEnd()) {
        // The file grew since it was measured: read it as it is now.
        const QByteArray whole = QByteArray(buffer.data, got) + file.readAll();
        if (file.error() == QFileDevice::NoError) {
            if (read) // a file written while it was read is not the one stamped: it must count as changed
                *read = FileStamp{};
            return loadXml(whole);
        }
        got = -1;
    }
    if (got < 0 || file.error() != QFileDevice::NoError) {
        m_doc->reset();
        m_errorText = buffer.data ? file.errorString() : QStringLiteral("out of memory");
        m_unreadable = true;
        return false;
    }
    buffer.size = got;
    if (read && read->coarse())
        read->contentHash = stampHash(QByteArray::fromRawData(buffer.data, got));
    return parse(buffer);
}

void XmlDocument::refuse(const QString& why)
{
    ++changes;
    m_doc->reset();
    m_errorText = why;
}

QByteArray XmlDocument::toXml() const
{
    ByteWriter writer;
    if (const XmlNode element = root())
        node(element.m_node).print(writer, "", kSaveOptions, pugi::encoding_utf8);
    return writer.out;
}

bool XmlDocument::save(const QString& path, QString* error, GuardedReplace* guard) const
{
    // Written as it is printed, in large pieces: the whole text is never held in memory.
    return writeFileAtomically(
        path,
        [this](ByteSink& sink) {
            SinkWriter writer(sink);
            if (const XmlNode element = root())
                node(element.m_node).print(writer, "", kSaveOptions, pugi::encoding_utf8);
        },
        error, guard);
}

quint64 XmlDocument::changeCount()
{
    return changes;
}

void XmlDocument::swap(XmlDocument& other) noexcept
{
    ++changes;
    std::swap(m_doc, other.m_doc);
    std::swap(m_errorText, other.m_errorText);
    std::swap(m_unreadable, other.m_unreadable);
}

XmlNode XmlDocument::root() const
{
    for (pugi::xml_node child : m_doc->children()) {
        if (child.type() == pugi::node_element && std::strcmp(child.name(), kHolderName) != 0)
            return XmlNode(child.internal_object());
    }
    return {};
}

void XmlDocument::detach(XmlNode element)
{
    ++changes;
    if (!element)
        return;
    pugi::xml_node holder = m_doc->child(kHolderName);
    if (!holder)
        holder = m_doc->append_child(kHolderName);
    holder.append_move(node(element.m_node));
}

void XmlDocument::reattach(XmlNode element, XmlNode parent, XmlNode next)
{
    ++changes;
    if (!element || !parent)
        return;
    if (next)
        node(parent.m_node).insert_move_before(node(element.m_node), node(next.m_node));
    else
        node(parent.m_node).append_move(node(element.m_node));
}

void XmlDocument::destroy(XmlNode element)
{
    ++changes;
    if (element)
        node(element.m_node).parent().remove_child(node(element.m_node));
}
