#pragma once

#include <QByteArray>
#include <QHashFunctions>
#include <QList>
#include <QString>
#include <memory>

struct FileStamp;
struct GuardedReplace;
struct ParseBuffer;

namespace pugi {
class xml_document;
struct xml_node_struct;
} // namespace pugi

// A light handle to an element of an XmlDocument, in the manner of pugixml's own; a null handle
// stands for "nothing" and every call on it is harmless. Only elements count as children: the text,
// comments and processing instructions between them are not part of the positions.
class XmlNode {
public:
    XmlNode() = default;

    bool isNull() const { return m_node == nullptr; }
    explicit operator bool() const { return m_node != nullptr; }
    bool operator==(const XmlNode& other) const = default;

    QString name() const;
    // All character content of the element and its descendants.
    QString text() const;
    // The same as UTF-8, not copied when it is one piece of text; valid while the document is unchanged.
    QByteArray textUtf8() const;
    // Replaces the element's content by one text node (none for an empty text); characters XML
    // cannot hold are dropped.
    void setText(const QString& text);
    // The value of the named attribute, or a null string when there is none.
    QString attribute(const QString& name) const;
    void setAttribute(const QString& name, const QString& value);

    XmlNode parent() const;
    XmlNode nextSibling() const;
    // The element child at `position` (from 0), or null.
    XmlNode child(int position) const;
    QList<XmlNode> children() const;
    // A new, empty element appended as the last child.
    XmlNode appendChild(const QString& name);
    // A copy of an element, from this document or another, appended as the last child.
    XmlNode appendCopy(const XmlNode& original);

    // Whether two elements, of any documents, hold the same: names, attributes, text and children.
    bool sameContent(const XmlNode& other) const;
    friend size_t qHash(const XmlNode& node, size_t seed = 0) noexcept { return qHash(node.m_node, seed); }

private:
    friend class XmlDocument;
    explicit XmlNode(pugi::xml_node_struct* node) : m_node(node) {}

    pugi::xml_node_struct* m_node = nullptr;
};

// An XML document read and written whole. Loading checks that the text is a well-formed XML 1.0
// document nested no deeper than kMaxDepth before anything is read; it drops white-space-only text
// between elements and turns CR LF into LF. Saving writes UTF-8 with no declaration and no
// indentation, atomically.
class XmlDocument {
public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Deeper than any document the program writes (a recipe book is four levels deep), with room to spare.
    static constexpr int kMaxDepth = 32;

    // False when the file cannot be read or is not a well-formed document; nothing of it is kept then.
    // `read`, when given, receives the stamp of the file that was read.
    bool load(const QString& path, FileStamp* read = nullptr);
    bool loadXml(const QByteArray& xml);
    // Whether the last load failed because the file could not be read at all, and why a load failed.
    bool unreadable() const { return m_unreadable; }
    QString errorText() const { return m_errorText; }
    // Drops what was loaded and records why the document is not acceptable after all.
    void refuse(const QString& why);

    // The document as it would be written to a file.
    QByteArray toXml() const;
    // Writes the whole document to a temporary file beside the target, then replaces the target.
    // With a guard, the document takes the place only of the file it expects (see writeFileAtomically).
    bool save(const QString& path, QString* error = nullptr, GuardedReplace* guard = nullptr) const;

    // The document element, or null.
    XmlNode root() const;

    // A count of every change made to any document (loads included) since the program started: what is
    // worked out from a document stays valid while the count stays the same.
    static quint64 changeCount();

    // Exchanges the contents of two documents.
    void swap(XmlDocument& other) noexcept;

    // Takes a node out of the tree without destroying it; it can be put back with reattach (before
    // `next`, or last when `next` is null) or dropped for good with destroy.
    void detach(XmlNode node);
    void reattach(XmlNode node, XmlNode parent, XmlNode next);
    void destroy(XmlNode node);

private:
    bool parse(ParseBuffer& buffer);

    std::unique_ptr<pugi::xml_document> m_doc;
    QString m_errorText;
    bool m_unreadable = false;
};

// The text with every character dropped that XML 1.0 cannot hold, even as a reference: control
// characters other than tab, LF and CR, U+FFFE, U+FFFF and unpaired surrogates.
QString xmlStorableText(const QString& text);
