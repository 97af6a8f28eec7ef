#pragma once

#include "core/book/recipe_book.h"

#include <QString>

// What the browse window shows of a recipe, the texts the print page and the plain text are made of.
struct ShownRecipe {
    QString title, prepTime, cookTime, yield, ingredients, preparation, notes;

    static ShownRecipe from(const Recipe& recipe)
    {
        return {recipe.title,       recipe.prepTime,    recipe.cookTime, recipe.yield,
                recipe.ingredients, recipe.preparation, recipe.notes};
    }
};
