#pragma once

#include <QList>
#include <QString>
#include <pugixml.hpp>

class XmlNode;

// A list of nodes as the document gives them, addressed by zero-based position.
class XmlNodeList {
public:
    XmlNodeList() = default;
    explicit XmlNodeList(std::vector<pugi::xml_node> nodes) : m_nodes(std::move(nodes)) {}
    int length() const { return static_cast<int>(m_nodes.size()); }
    XmlNode item(int i) const;

private:
    std::vector<pugi::xml_node> m_nodes;
};

// A light handle to a node of an XmlDocument; a null handle stands for "nothing".
class XmlNode {
public:
    XmlNode() = default;
    explicit XmlNode(pugi::xml_node node) : m_node(node) {}

    bool isNull() const { return !m_node; }
    explicit operator bool() const { return !isNull(); }
    bool operator==(const XmlNode& other) const { return m_node == other.m_node; }

    QString nodeName() const;
    bool isElement() const { return m_node.type() == pugi::node_element; }

    // All character content of the element and its descendants.
    QString text() const;
    // Replaces the element's content by one text node (none for an empty text).
    void setText(const QString& text);

    XmlNodeList childNodes() const;
    // The value of the named attribute, or a null string when there is none.
    QString getNamedItem(const QString& name) const;
    void setAttribute(const QString& name, const QString& value);

    // Selection with fixed paths only; user text is never spliced into a path.
    XmlNodeList selectNodes(const char* path) const;
    XmlNode selectSingleNode(const char* path) const;

    // Moves a node created by XmlDocument::createElement (or taken from elsewhere in the same
    // document) to the end of this node's children.
    XmlNode appendChild(XmlNode child);
    void removeChild(XmlNode child);

    pugi::xml_node raw() const { return m_node; }

private:
    pugi::xml_node m_node;
};

// An XML document read and written whole: loading drops white-space-only text and turns
// CR LF into LF; saving writes UTF-8 with no declaration and no indentation, atomically.
class XmlDocument {
public:
    XmlDocument() = default;
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Deeper than any document the program writes (a recipe book is four levels deep), with room to spare.
    static constexpr int kMaxDepth = 32;

    // Reads the whole file; false (with parseErrorCode() != 0) when it cannot be read, is not a
    // well-formed XML 1.0 document or is nested deeper than kMaxDepth. Nothing of a refused document is kept.
    bool load(const QString& path);
    bool loadXml(const QByteArray& xml);

    int parseErrorCode() const { return m_errorCode; }
    QString parseErrorText() const { return m_errorText; }
    // Drops what was loaded and records why the document is not acceptable after all.
    void refuse(const QString& why);
    // Whether the last load failed because the file could not be read (rather than parsed).
    bool unreadable() const { return m_unreadable; }

    // The document as it would be written to a file.
    QByteArray toXml() const;
    // Writes the whole document to a temporary file beside the target, then replaces the target.
    bool save(const QString& path, QString* error = nullptr) const;

    XmlNode documentElement() const;
    XmlNodeList childNodes() const;
    XmlNodeList selectNodes(const char* path) const;
    XmlNode selectSingleNode(const char* path) const;

    // A new element, not yet part of the tree until appended somewhere.
    XmlNode createElement(const QString& name);
    XmlNode createNode(const QString& name) { return createElement(name); }

    // Takes a node out of the tree without destroying it; it can be put back with reattach (before
    // `next`, or last when `next` is null) or dropped for good with destroy.
    void detach(XmlNode node);
    void reattach(XmlNode node, XmlNode parent, XmlNode next);
    void destroy(XmlNode node);

private:
    pugi::xml_node detachedHolder();

    pugi::xml_document m_doc;
    int m_errorCode = 0;
    QString m_errorText;
    bool m_unreadable = false;
};

// The text with every character dropped that XML 1.0 cannot hold, even as a reference: control
// characters other than tab, LF and CR, U+FFFE, U+FFFF and unpaired surrogates.
QString xmlStorableText(const QString& text);
