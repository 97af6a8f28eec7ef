#pragma once

#include <QByteArray>

// A small book for searching: equal titles in two categories, words in one field only, and a
// recipe holding the search box's own prompt text.
inline QByteArray searchSampleBook()
{
    auto recipe = [](const char* title, const char* ing, const char* yield = "") {
        return QByteArray("<recipe><title>") + title +
               "</title><preptime></preptime><cooktime></cooktime><yield>" + yield + "</yield><ing>" + ing +
               "</ing><prep>Mix.</prep><other></other><date></date><image></image></recipe>";
    };
    return "<recipebook><category cname=\"Breads\">" + recipe("Rye", "RYE FLOUR, water", "2 loaves") +
           recipe("Focaccia", "flour, olive oil") + "</category><category cname=\"Cakes\">" +
           recipe("Sponge", "eggs", "12 slices") + recipe("Rye", "rye, honey") +
           recipe("Odd one", "Enter Search Text here") + "</category></recipebook>";
}

// A small book in both languages for the search that ignores accents and case: accented, capital and
// spelt-out letters, words in several fields, and book order that the ranking must change.
inline QByteArray foldedSearchSampleBook()
{
    auto recipe = [](const char* title, const char* ing, const char* prep, const char* notes = "") {
        return QByteArray("<recipe><title>") + title + "</title><preptime/><cooktime/><yield/><ing>" + ing +
               "</ing><prep>" + prep + "</prep><other>" + notes + "</other><date/><image/></recipe>";
    };
    return "<recipebook><category cname=\"Sopas\">" +
           recipe("Chicken Soup", "1 chicken\n3 carrots\nwater", "Simmer for an hour.\nAdd the juice of a lemon.",
                  "Good with bread.") +
           "</category><category cname=\"Postres\">" +
           recipe("Arroz con leche", "arroz\nleche\nAZÚCAR\ncanela", "Cocer a fuego lento.",
                  "Receta de la abuela, para el niño.") +
           recipe("Crème brûlée", "nata\nazúcar\nyemas", "Hornear al baño María.") +
           recipe("Walnut Cake", "flour\nwalnuts\nbutter\nsugar", "Bake.") +
           recipe("Shortbread", "flour\nbutter\nsugar", "Bake until golden.", "From a bakery on the Straße.") +
           recipe("Æbleskiver", "flour\nbuttermilk\neggs", "Fry in the pan.") +
           "</category><category cname=\"Mains\">" + recipe("Lemon Chicken", "1 chicken\n2 lemons", "Roast.") +
           recipe("Bœuf bourguignon", "beef\nred wine\nonions", "Stew slowly.") + "</category></recipebook>";
}
