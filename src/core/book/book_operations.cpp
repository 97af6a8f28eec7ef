#include "core/book/book_operations.h"

#include "core/book/picture_names.h"

XmlNode recipeAt(const RecipeBook& book, const RecipeRef& ref)
{
    const XmlNode recipe = RecipeBook::recipe(book.category(ref.category), ref.recipe);
    if (recipe.isNull() || RecipeBook::title(recipe) != ref.title)
        return {};
    return recipe;
}

ChangeOutcome removeRecipe(RecipeBook& book, const RecipeRef& ref)
{
    const XmlNode recipe = recipeAt(book, ref);
    if (recipe.isNull())
        return ChangeOutcome::notFound();
    BookChange change(book);
    const QString picture = RecipeBook::field(recipe, RecipeField::Image);
    change.remove(recipe);
    if (!picture.isEmpty())
        change.deletePictureAfterSave(picture);
    return change.save();
}

ChangeOutcome addCategory(RecipeBook& book, const QString& name)
{
    if (book.root().isNull())
        return ChangeOutcome::notFound();
    BookChange change(book);
    change.appendCategory(name);
    return change.save();
}

ChangeOutcome renameCategory(RecipeBook& book, int position, const QString& newName)
{
    const XmlNode category = book.category(position);
    if (category.isNull())
        return ChangeOutcome::notFound();
    BookChange change(book);
    change.renameCategory(category, newName);
    return change.save();
}

ChangeOutcome deleteCategory(RecipeBook& book, int position)
{
    const XmlNode category = book.category(position);
    if (category.isNull())
        return ChangeOutcome::notFound();
    BookChange change(book);
    for (const XmlNode& recipe : RecipeBook::recipes(category)) {
        const QString picture = RecipeBook::field(recipe, RecipeField::Image);
        if (!picture.isEmpty())
            change.deletePictureAfterSave(picture);
    }
    change.remove(category);
    return change.save();
}
