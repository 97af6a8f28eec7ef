#pragma once

#include "app/window_model.h"
#include "platform/qt_lists.h"

#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;

// The browse window: the categories, the recipes of the chosen one, and the chosen recipe.
class FrmBr : public MainWindowBase {
    Q_OBJECT
public:
    explicit FrmBr(QWidget* parent = nullptr);
    MainWindowKind kind() const override { return MainWindowKind::Browse; }

    QComboBox* cboCats = nullptr;
    QListWidget* lstRecs = nullptr;
    QPlainTextEdit* txtIng = nullptr;
    QPlainTextEdit* txtPrep = nullptr;
    QPlainTextEdit* txtOther = nullptr;
    QLabel* lblPT = nullptr;
    QLabel* lblCT = nullptr;
    QLabel* lblYld = nullptr;
    QLabel* lblDC = nullptr;

    ComboBoxList& categoryList() { return *m_cats; }
    ListWidgetList& recipeList() { return *m_recs; }

private:
    void buildControls();
    void setBrowseCaptions();
    void Form_Load();
    void cboCats_Click();
    void lstRecs_Click();
    void showBrRecipe();
    void clearRecipe();

    QLabel* lblBorder[2] = {nullptr, nullptr};
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* lblIng = nullptr;
    QLabel* lblPrep = nullptr;
    QLabel* lblOther = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuBrExit = nullptr;
    std::unique_ptr<ComboBoxList> m_cats;
    std::unique_ptr<ListWidgetList> m_recs;
};

// Multi-line fields are stored with LF line ends; the boxes show CR LF.
QString fixLineBreaks(const QString& text);
