#pragma once

#include "core/exchange/recipe_export.h"
#include "ui/exchange/wizard_window.h"
#include "ui/platform/recipe_chooser.h"

class QComboBox;
class QRadioButton;

// Copies chosen recipes, with or without their pictures, into a new recipe file: choose the recipes,
// then the file, then whether pictures go along. Opened from the browse window, which comes back.
class ExportWizard : public WizardWindow {
    Q_OBJECT
public:
    ExportWizard();

protected:
    void next() override;
    void back() override;
    FileChoice checkChosenFile(const QString& path) override;
    bool askForFile(FileDialogState& dialog) override;

private:
    QWidget* buildPicturesPage();
    void addFormatChoice();
    ExportFormat chosenFormat() const;
    void runExport();

    RecipeChooser* m_chooser = nullptr;
    QComboBox* m_formatCombo = nullptr;  // each entry's data is its ExportFormat
    QRadioButton* m_omitPictures = nullptr;
    QRadioButton* m_copyPictures = nullptr;
};
