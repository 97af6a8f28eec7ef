#pragma once

#include "core/exchange/recipe_export.h"
#include "ui/exchange/wizard_window.h"
#include "ui/platform/list_adapters.h"

#include <QSet>
#include <memory>

class QComboBox;
class QListWidget;
class QListWidgetItem;
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
    QWidget* buildChoicePage();
    QWidget* buildPicturesPage();
    void addFormatChoice();
    ExportFormat chosenFormat() const;
    void showAvailableRecipes();
    void choose(const QList<QListWidgetItem*>& items);
    void chooseOne();
    void chooseAll();
    void returnOne();
    void returnAll();
    void runExport();

    QComboBox* m_categoryCombo = nullptr;
    QListWidget* m_availableList = nullptr;
    QListWidget* m_chosenList = nullptr; // in the order chosen; each entry's data is its category's position
    QComboBox* m_formatCombo = nullptr;  // each entry's data is its ExportFormat
    QRadioButton* m_omitPictures = nullptr;
    QRadioButton* m_copyPictures = nullptr;
    std::unique_ptr<WidgetList> m_categories;
    std::unique_ptr<WidgetList> m_available;
    QSet<QString> m_chosenTitles; // the titles of the chosen list, for the available list to leave out
};
