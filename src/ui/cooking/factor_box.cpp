#include "ui/cooking/factor_box.h"

#include "core/cooking/recipe_adjustment.h"
#include "core/text/text_table.h"

#include <QLineEdit>

FactorBox::FactorBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert); // a typed factor is used, not added to the choices
    setCompleter(nullptr);                // "2" stays 2, not the first choice that starts with it ("2/3")
    for (double choice : kScaleFactorChoices)
        addItem(writeScaleFactor(choice, language()), choice);
}

void FactorBox::showFactor(double factor)
{
    const int row = findData(factor);
    if (row >= 0)
        setCurrentIndex(row);
    else
        setEditText(writeScaleFactor(factor, language()));
}

std::optional<double> FactorBox::factor() const
{
    return readScaleFactor(currentText());
}
