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
