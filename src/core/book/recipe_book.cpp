#include "core/book/recipe_book.h"

#include <QDir>
#include <QFileInfo>

namespace {
const char* const kFieldNames[kRecipeFieldCount] = {"title", "preptime", "cooktime", "yield", "ing",
                                                    "prep",  "other",    "date",     "image"};
}

XmlNode elementChild(const XmlNode& parent, int n)
{
    if (n < 0)
        return {};
    for (pugi::xml_node child = parent.raw().first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && n-- == 0)
            return XmlNode(child);
    }
    return {};
}

QList<XmlNode> elementChildren(const XmlNode& parent)
{
    QList<XmlNode> nodes;
    for (pugi::xml_node child : parent.raw().children()) {
        if (child.type() == pugi::node_element)
            nodes.append(XmlNode(child));
    }
    return nodes;
}

bool RecipeBook::load(const QString& path)
{
    m_path = path;
    return m_doc.load(path) && hasBookRoot();
}

bool RecipeBook::loadXml(const QByteArray& xml)
{
    return m_doc.loadXml(xml) && hasBookRoot();
}

bool RecipeBook::hasBookRoot()
{
    if (m_doc.documentElement().nodeName() == QStringLiteral("recipebook"))
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
    return m_doc.selectSingleNode("/recipebook");
}

QList<XmlNode> RecipeBook::categories() const
{
    return elementChildren(root());
}

XmlNode RecipeBook::category(int position) const
{
    return elementChild(root(), position);
}

QList<XmlNode> RecipeBook::recipes(const XmlNode& category)
{
    return elementChildren(category);
}

XmlNode RecipeBook::recipe(const XmlNode& category, int position)
{
    return elementChild(category, position);
}

QString RecipeBook::field(const XmlNode& recipe, RecipeField which)
{
    return elementChild(recipe, static_cast<int>(which)).text();
}

Recipe RecipeBook::readRecipe(const XmlNode& recipe)
{
    QString values[kRecipeFieldCount];
    int i = 0;
    for (pugi::xml_node child : recipe.raw().children()) {
        if (child.type() != pugi::node_element)
            continue;
        values[i] = XmlNode(child).text();
        if (++i == kRecipeFieldCount)
            break;
    }
    return Recipe{values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7], values[8]};
}

XmlNode RecipeBook::appendCategory(const QString& name)
{
    XmlNode node = m_doc.createElement(QStringLiteral("category"));
    node.setAttribute(QStringLiteral("cname"), name);
    return root().appendChild(node);
}

XmlNode RecipeBook::appendRecipe(const XmlNode& category, const Recipe& recipe)
{
    const QString* values[kRecipeFieldCount] = {&recipe.title, &recipe.prepTime,    &recipe.cookTime,
                                                &recipe.yield, &recipe.ingredients, &recipe.preparation,
                                                &recipe.notes, &recipe.date,        &recipe.image};
    XmlNode node = m_doc.createElement(QStringLiteral("recipe"));
    for (int i = 0; i < kRecipeFieldCount; ++i) {
        XmlNode fieldNode = m_doc.createElement(QString::fromLatin1(kFieldNames[i]));
        fieldNode.setText(storedFieldText(*values[i]));
        node.appendChild(fieldNode);
    }
    return XmlNode(category).appendChild(node);
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
