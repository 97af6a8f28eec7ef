#include "core/book/recipe_book.h"

#include "core/book/atomic_file.h"

#include <QDir>
#include <QFileInfo>

namespace {
const char* const kFieldNames[kRecipeFieldCount] = {"title", "preptime", "cooktime", "yield", "ing",
                                                    "prep",  "other",    "date",     "image"};
}

bool RecipeBook::load(const QString& path)
{
    m_path = path;
    return m_doc.load(path, &m_stamp) && hasBookRoot();
}

bool RecipeBook::saveToFile(QString* error, bool* changed)
{
    GuardedReplace guard;
    guard.expected = m_stamp;
    const bool saved = m_doc.save(m_path, error, &guard);
    if (changed)
        *changed = guard.changed;
    if (saved)
        m_stamp = guard.written;
    return saved;
}

bool RecipeBook::loadXml(const QByteArray& xml)
{
    return m_doc.loadXml(xml) && hasBookRoot();
}

bool RecipeBook::hasBookRoot()
{
    if (m_doc.root().name() == QStringLiteral("recipebook"))
        return true;
    m_doc.refuse(QStringLiteral("the root element is not <recipebook>"));
    return false;
}

QString RecipeBook::imagesFolder() const
{
    return QFileInfo(m_path).dir().filePath(QStringLiteral("images"));
}

XmlNode RecipeBook::root() const
{
    const XmlNode root = m_doc.root();
    return root.name() == QStringLiteral("recipebook") ? root : XmlNode();
}

QList<XmlNode> RecipeBook::categories() const
{
    return root().children();
}

XmlNode RecipeBook::category(int position) const
{
    return root().child(position);
}

QList<XmlNode> RecipeBook::recipes(const XmlNode& category)
{
    return category.children();
}

XmlNode RecipeBook::recipe(const XmlNode& category, int position)
{
    return category.child(position);
}

QString RecipeBook::field(const XmlNode& recipe, RecipeField which)
{
    return recipe.child(static_cast<int>(which)).text();
}

Recipe RecipeBook::readRecipe(const XmlNode& recipe)
{
    QString values[kRecipeFieldCount];
    XmlNode field = recipe.child(0);
    for (int i = 0; i < kRecipeFieldCount && field; ++i, field = field.nextSibling())
        values[i] = field.text();
    return Recipe{values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7], values[8]};
}

XmlNode RecipeBook::appendCategory(const QString& name)
{
    XmlNode category = root().appendChild(QStringLiteral("category"));
    category.setAttribute(QStringLiteral("cname"), name);
    return category;
}

XmlNode RecipeBook::appendRecipe(const XmlNode& category, const Recipe& recipe, bool withImage)
{
    const QString* values[kRecipeFieldCount] = {&recipe.title, &recipe.prepTime,    &recipe.cookTime,
                                                &recipe.yield, &recipe.ingredients, &recipe.preparation,
                                                &recipe.notes, &recipe.date,        &recipe.image};
    if (category.isNull())
        return {};
    XmlNode node = XmlNode(category).appendChild(QStringLiteral("recipe"));
    for (int i = 0; i < (withImage ? kRecipeFieldCount : kRecipeFieldCount - 1); ++i)
        node.appendChild(QString::fromLatin1(kFieldNames[i])).setText(storedFieldText(*values[i]));
    return node;
}

QString storedFieldText(const QString& text)
{
    QString out = xmlStorableText(text);
    if (!out.contains(u'\n'))
        return out;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(u'\n', QStringLiteral("\r\n"));
    return out;
}
