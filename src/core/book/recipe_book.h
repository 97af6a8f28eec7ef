#pragma once

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
};

// A field text as the book stores it: line ends as CR LF, characters XML cannot hold dropped.
QString storedFieldText(const QString& text);
