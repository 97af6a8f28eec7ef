#include "ui/platform/recipe_text_boxes.h"

#include "core/text/text_table.h"
#include "ui/platform/color_scheme.h"
#include "ui/platform/window_parts.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace {

struct FieldNames {
    const char* caption;
    const char* box;
    TextId text;
};
constexpr FieldNames kFields[RecipeTextBoxes::FieldCount] = {
    {"ingredientsCaption", "ingredientsBox", TextId::IngredientsLabel},
    {"preparationCaption", "preparationBox", TextId::PreparationLabel},
    {"notesCaption", "notesBox", TextId::SpecialNotesLabel},
};

} // namespace

RecipeTextBoxes::RecipeTextBoxes(QWidget* parent, bool readOnly, int captionIndent)
{
    for (int field = 0; field < FieldCount; ++field) {
        QLabel* caption = named(new QLabel(parent), kFields[field].caption);
        QFont font = caption->font();
        font.setBold(true);
        caption->setFont(font);
        caption->setIndent(captionIndent);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        QPlainTextEdit* box = named(new QPlainTextEdit(parent), kFields[field].box);
        if (readOnly) {
            box->setReadOnly(true);
            box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        }
        caption->setBuddy(box); // a screen reader names the box by its caption
        tagColor(caption, ColorTag::Label);
        tagColor(box, ColorTag::Field);
        m_captions[field] = caption;
        m_boxes[field] = box;
    }
}

bool RecipeTextBoxes::holds(const QObject* widget) const
{
    return widget && std::find(m_boxes.begin(), m_boxes.end(), widget) != m_boxes.end();
}

void RecipeTextBoxes::applyTexts()
{
    for (int field = 0; field < FieldCount; ++field) {
        const QString caption = loadText(kFields[field].text);
        m_captions[field]->setText(m_notes[field].isEmpty() ? caption
                                                            : caption + QStringLiteral(" (") + m_notes[field] + u')');
    }
}

void RecipeTextBoxes::setCaptionNote(Field field, const QString& note)
{
    m_notes[field] = note;
    applyTexts();
}

void RecipeTextBoxes::place(Field field, const TwipRect& caption, const TwipRect& box)
{
    placeTwips(m_captions[field], caption);
    placeTwips(m_boxes[field], box);
}

void RecipeTextBoxes::show(const Recipe& recipe)
{
    m_boxes[Ingredients]->setPlainText(withCrLfLineEnds(recipe.ingredients));
    m_boxes[Preparation]->setPlainText(withCrLfLineEnds(recipe.preparation));
    m_boxes[Notes]->setPlainText(withCrLfLineEnds(recipe.notes));
}

void RecipeTextBoxes::clear()
{
    for (QPlainTextEdit* box : m_boxes)
        box->clear();
}

QString RecipeTextBoxes::text(Field field) const
{
    return m_boxes[field]->toPlainText();
}

QString RecipeTextBoxes::selectedText(const QPlainTextEdit* box)
{
    QString selected = box->textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, u'\n');
    return selected;
}
