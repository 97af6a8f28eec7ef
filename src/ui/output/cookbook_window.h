#pragma once

#include "core/output/cookbook.h"
#include "ui/platform/dialogs.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class RecipeChooser;

// Makes a cookbook of chosen recipes: the recipes in order (a chapter for each category), a title and
// subtitle, the layout, the paper and whether chapters start on a new page; then saves it as a PDF
// file, prints it or shows it in a preview. Opened from the browse window, which comes back.
class CookbookWindow : public QWidget {
    Q_OBJECT
public:
    CookbookWindow();

signals:
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void layOut();
    void showPapers();
    CookbookOptions chosenOptions() const;
    // The book of the chosen recipes; false (with the message shown) when none is chosen.
    bool gatherBook(CookbookContents& contents) const;
    void saveAsPdf();
    void printBook(bool preview);

    RecipeChooser* m_chooser = nullptr;
    QLineEdit* m_titleEdit = nullptr;
    QLineEdit* m_subtitleEdit = nullptr;
    QComboBox* m_layoutCombo = nullptr; // each entry's data is its CookbookLayout
    QComboBox* m_paperCombo = nullptr;  // each entry's data is its CookbookPaper
    QCheckBox* m_newPagePerChapter = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_previewButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    FileDialogState m_fileDialog;
    bool m_finished = false;
};
