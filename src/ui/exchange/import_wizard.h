#pragma once

#include "core/exchange/recipe_import.h"
#include "ui/exchange/wizard_window.h"

class QListWidget;
class QRadioButton;

// Takes recipes over from a recipe file: choose the file, tick the recipes, then whether their
// pictures come along. Opened from the add window, which comes back.
class ImportWizard : public WizardWindow {
    Q_OBJECT
public:
    ImportWizard();

protected:
    void next() override;
    void back() override;
    FileChoice checkChosenFile(const QString& path) override;

private:
    QWidget* buildRecipesPage();
    QWidget* buildPicturesPage();
    void tickAll(bool ticked);
    QSet<QString> tickedTitles() const;
    QString askForTitle(const QString& titleInFile);
    bool runImport();

    QListWidget* m_recipeList = nullptr; // every recipe of the file, in file order, with a tick box
    QRadioButton* m_importPictures = nullptr;
    QRadioButton* m_skipPictures = nullptr;
    ImportFile m_file;
};
