#pragma once

#include "core/exchange/recipe_import.h"
#include "ui/exchange/wizard_window.h"

class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

// Takes recipes over from a recipe file: choose the file, tick the recipes, then whether their
// pictures come along. Opened from the add window, which comes back.
class ImportWizard : public WizardWindow {
    Q_OBJECT
public:
    ImportWizard();
    // Starts on a file given from outside (a file manager, the command line): chosen, and read at once as
    // ">>" would, so that a file it cannot read is said straight away.
    void openOn(const QString& path);

protected:
    void next() override;
    void back() override;
    FileChoice checkChosenFile(const QString& path) override;

private:
    void addCategoryChoice();
    QWidget* buildRecipesPage();
    void showFileRecipes();
    void showPreview();
    QWidget* buildPicturesPage();
    void tickAll(bool ticked);
    QSet<QString> tickedTitles() const;
    QString askForTitle(const QString& titleInFile);
    bool runImport();

    QComboBox* m_categoryCombo = nullptr; // the category of recipes the file names none for
    QListWidget* m_recipeList = nullptr;  // every recipe of the file, in file order, with a tick box
    QPlainTextEdit* m_preview = nullptr;  // the current recipe as the book will show it
    QLabel* m_formatLabel = nullptr;
    QLabel* m_skippedCaption = nullptr;
    QPlainTextEdit* m_skippedList = nullptr; // the file's recipes that cannot be read, and why
    QRadioButton* m_importPictures = nullptr;
    QRadioButton* m_skipPictures = nullptr;
    ImportFile m_file;
};
