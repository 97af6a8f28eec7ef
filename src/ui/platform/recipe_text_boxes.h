#pragma once

#include "core/book/recipe_book.h"
#include "core/layout/twips.h"

#include <QString>
#include <array>

class QLabel;
class QObject;
class QPlainTextEdit;
class QWidget;

// The recipe's three long texts as the browse, add and edit windows show them: the ingredients, the
// preparation and the special notes, each a bold caption over a text box. The windows place them by
// their own layouts; everything else about them is here, so that a field is added in one place.
class RecipeTextBoxes {
public:
    enum Field { Ingredients, Preparation, Notes, FieldCount };

    // Makes the captions and boxes in `parent`; read-only boxes still let their text be selected and
    // copied. Captions are indented by `captionIndent` pixels.
    RecipeTextBoxes(QWidget* parent, bool readOnly, int captionIndent = 0);

    QPlainTextEdit* box(Field field) const { return m_boxes[field]; }
    const std::array<QPlainTextEdit*, FieldCount>& boxes() const { return m_boxes; }
    // Whether the widget is one of the boxes.
    bool holds(const QObject* widget) const;

    void applyTexts(); // the captions, in the current language
    // A few words after a caption, saying how the text below differs from the stored one; empty for none.
    void setCaptionNote(Field field, const QString& note);
    void place(Field field, const TwipRect& caption, const TwipRect& box);
    // The recipe's three texts, with the line ends the boxes show; clear() empties them.
    void show(const Recipe& recipe);
    void clear();
    QString text(Field field) const;
    // The text selected in `box`, its line breaks as LF.
    static QString selectedText(const QPlainTextEdit* box);

private:
    std::array<QLabel*, FieldCount> m_captions{};
    std::array<QPlainTextEdit*, FieldCount> m_boxes{};
    std::array<QString, FieldCount> m_notes;
};
