#pragma once

#include "core/exchange/formats/foreign_recipe.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class QXmlStreamReader;

// What the readers of the older text and XML recipe formats share.

// A recipe longer than this (in characters of the file) is skipped as too large: no cook writes one, and
// the book's fields are not meant to hold megabytes.
inline constexpr qsizetype kMaxRecipeChars = 1 << 20;

// The lines of a text, whatever its line ends (CR LF, LF or CR); views into `text`.
QList<QStringView> splitLines(QStringView text);

// Steps from lines as a file wraps them: a blank line ends a paragraph, the lines of one paragraph are
// joined with a space, inner runs of blanks become one.
class ParagraphCollector {
public:
    void addLine(QStringView line);
    void endParagraph();
    // A line of its own, such as a section heading.
    void addOwnLine(const QString& line);
    QStringList take();

private:
    QStringList m_paragraphs;
    QString m_current;
};

// The paragraphs of a multi-line text (a step given as one block of text).
QStringList paragraphsOf(QStringView text);

// A section heading as a line of its own that reads as one: "FOR THE SAUCE" → "FOR THE SAUCE:".
QString headingLine(QStringView text);

// A yield given as a bare number means servings: "4" → "4 servings"; anything else stays as written.
QString yieldFromServings(QStringView text);

// The XML of a file with its XML declaration and byte-order mark blanked out: the text is already decoded,
// and some programs write the declaration's parts in an order a strict reader refuses. Lines stay where
// they were, so that a skipped recipe's line is the file's.
QString xmlWithoutDeclaration(const QString& text);

// The name of the first element of an XML text, or empty when it has none or is not XML.
QString firstElementName(const QString& xml);

// The text of the element the reader stands on (a start tag), with its children's, up to its end tag.
// Fractions (<frac><n>1</n><d>2</d></frac>) read "1/2", ranges (<q1>1</q1><q2>2</q2>) "1-2"; the parts of
// a measure (quantity, unit) are kept apart by a blank; entities an unread DTD would declare are
// dropped, except the common no-break space. Inner blanks are left as they are.
QString elementText(QXmlStreamReader& xml);

// Adds a recipe read from the file, or notes it as skipped when it has no title or neither ingredients
// nor steps. `number` counts the file's recipes from 1; `line` is where the recipe starts.
void fileRecipe(ForeignFile& file, ForeignRecipe&& recipe, int number, int line);

// The recipes of an XML file whose first element is `root`: every `recipeElement`, at any depth, read by
// `readRecipe` from its start tag up to its end tag. A recipe the XML breaks off in is skipped as damaged,
// and nothing after the break can be read; a recipe longer than kMaxRecipeChars is skipped as too large.
ForeignFile readXmlRecipes(const QString& text, const QString& format, QStringView root, QStringView recipeElement,
                           ForeignRecipe (*readRecipe)(QXmlStreamReader&));
