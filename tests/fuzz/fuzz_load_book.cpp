// Loads any bytes as the recipe book, as start-up does. A book that loads must save to text that loads
// again into the same categories and recipes, field by field.
#include "book_contents.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RecipeBook book;
    if (!book.loadXml(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))))
        return 0;
    RecipeBook again;
    if (!again.loadXml(book.toXml()))
        std::abort(); // a loaded book saved as text that does not load
    if (bookContents(again) != bookContents(book))
        std::abort(); // saving and loading changed a recipe
    return 0;
}
