#pragma once

#include "core/book/file_stamp.h"
#include "core/book/xml_document.h"

#include <QList>
#include <QString>

// The children of a recipe element, by position.
enum class RecipeField { Title = 0, PrepTime, CookTime, Yield, Ingredients, Preparation, Notes, Date, Image };
inline constexpr int kRecipeFieldCount = 9;

// The texts of one recipe.
struct Recipe {
    QString title, prepTime, cookTime, yield, ingredients, preparation, notes, date, image;
    bool operator==(const Recipe&) const = default;
};

inline const QByteArray kBlankBook = QByteArrayLiteral("<recipebook></recipebook>\r\n");

// The recipe book: <recipebook> holding <category cname="..."> elements holding <recipe>
// elements with nine fields. Categories, recipes and fields are addressed by position.
class RecipeBook {
public:
    // Reads a book; false when the file cannot be read, is not well-formed XML or its root is not
    // <recipebook>. The path is remembered as the book's file either way.
    bool load(const QString& path);
    bool loadXml(const QByteArray& xml);
    // Exchanges the contents (document and file) of two books.
    void swap(RecipeBook& other) noexcept
    {
        m_doc.swap(other.m_doc);
        std::swap(m_path, other.m_path);
        std::swap(m_stamp, other.m_stamp);
    }
    void loadBlank() { m_doc.loadXml(kBlankBook); }
    // Whether the last load failed because the file could not be read at all, and why it failed.
    bool unreadable() const { return m_doc.unreadable(); }
    QString loadError() const { return m_doc.errorText(); }

    // The file the book is saved to, and the folder of its pictures beside it.
    QString filePath() const { return m_path; }
    void setFilePath(const QString& path) { m_path = path; }
    QString imagesFolder() const;

    bool save(const QString& path, QString* error = nullptr) const { return m_doc.save(path, error); }
    // Writes the book in place of the file it was read from or last wrote, and remembers the new file as
    // the one the book is. When another file was put there meantime, nothing is written and `changed`
    // is set (with false returned): the book must take in that file first.
    bool saveToFile(QString* error = nullptr, bool* changed = nullptr);

    // The file as the book last read or wrote it. Another program (a sync tool, a copy of this one on
    // another computer) may have put another file there since: then the book in memory is no longer
    // the one on disk, and a save must take in what that file holds.
    const FileStamp& fileStamp() const { return m_stamp; }
    bool fileChangedOnDisk() const { return !fileStillIs(m_path, m_stamp); }
    // Takes the file on disk as the one the book is (after the book was made equal to it another way).
    void setFileStamp(const FileStamp& stamp) { m_stamp = stamp; }

    // Whether changes keep the book's history beside it (the cook's own book does; a file written for
    // an export does not). It belongs to this object: swap leaves it.
    bool keepsHistory() const { return m_keepsHistory; }
    void setKeepsHistory(bool keeps) { m_keepsHistory = keeps; }
    QByteArray toXml() const { return m_doc.toXml(); }

    XmlDocument& document() { return m_doc; }
    const XmlDocument& document() const { return m_doc; }

    // The <recipebook> root, or null when the document's root has another name.
    XmlNode root() const;
    // Categories in document order; a category's index here is its position.
    QList<XmlNode> categories() const;
    XmlNode category(int position) const;

    static QString categoryName(const XmlNode& category) { return category.attribute(QStringLiteral("cname")); }
    // Recipes of a category in document order; the index is the recipe position.
    static QList<XmlNode> recipes(const XmlNode& category);
    static XmlNode recipe(const XmlNode& category, int position);

    // A field by position; empty when the recipe has fewer children.
    static QString field(const XmlNode& recipe, RecipeField which);
    static QString title(const XmlNode& recipe) { return field(recipe, RecipeField::Title); }
    static Recipe readRecipe(const XmlNode& recipe);

    // Appends a category as the last child of the root.
    XmlNode appendCategory(const QString& name);
    // Appends a recipe with all nine fields as the last child of the category.
    // Without `withImage` the recipe ends after its date, as in an export that omits pictures.
    XmlNode appendRecipe(const XmlNode& category, const Recipe& recipe, bool withImage = true);

private:
    // A well-formed document whose root is not <recipebook> is not a recipe book either.
    bool hasBookRoot();

    XmlDocument m_doc;
    QString m_path;
    FileStamp m_stamp;
    bool m_keepsHistory = false;
};

// A field text as the book stores it: line ends as CR LF, characters XML cannot hold dropped.
QString storedFieldText(const QString& text);
