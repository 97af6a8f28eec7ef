#include "ui/exchange/export_wizard.h"

#include "core/app/app_state.h"
#include "core/book/atomic_file.h"
#include "core/exchange/recipe_export.h"
#include "core/text/text_table.h"
#include "ui/platform/window_parts.h"
#include "ui/platform/work_progress.h"
#include "ui/platform/color_scheme.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A long title may be cut short in the list: its whole text shows on pointing at it.
void showFullTitles(QListWidget* list, int fromRow)
{
    for (int row = fromRow; row < list->count(); ++row)
        list->item(row)->setToolTip(list->item(row)->text());
}

// The pages' design heights in twips; the recipe page is taller for its lists.
constexpr double kWidth = 7600, kChoiceHeight = 4800, kFileHeight = 3100;


} // namespace

ExportWizard::ExportWizard() : WizardWindow("exportWizard")
{
    setWindowTitle(loadText(TextId::ExportWindowTitle));
    addPage(buildChoicePage());
    addPage(buildFilePage(TextId::ExportFilePrompt, QStringLiteral(":  ")));
    addFormatChoice();
    addPage(buildPicturesPage());
    m_fileDialog.title = kMessageTitle;
    m_fileDialog.filter = QStringLiteral("SP XML (*.xml)|*.xml|(*.*)|*.*");
    m_fileDialog.fileName = QStringLiteral("*.xml");
    m_fileDialog.mustExist = false; // the export file may be a new one; it is checked here
    for (QWidget* list : {static_cast<QWidget*>(m_categoryCombo), static_cast<QWidget*>(m_availableList),
                          static_cast<QWidget*>(m_chosenList)})
        setTextSize(list, app().textFontSize);

    showPage(0, TextId::SelectExportRecipesLabel);
    setPageSize(kWidth, kChoiceHeight);
    m_categories->fill([] {
        QList<ListEntry> entries;
        int position = 0;
        for (const XmlNode& category : app().book.categories())
            entries.append({RecipeBook::categoryName(category), position++});
        return entries;
    }());
    if (m_categories->count() > 0)
        m_categories->setCurrentRow(0);
    if (m_available->count() > 0)
        m_available->setCurrentRow(0);
}

QWidget* ExportWizard::buildChoicePage()
{
    auto* page = new QWidget(this);
    m_categoryCombo = named(new QComboBox(page), "categoryCombo");
    m_availableList = named(new QListWidget(page), "availableList");
    m_chosenList = named(new QListWidget(page), "chosenList");
    m_categories = std::make_unique<WidgetList>(m_categoryCombo);
    m_available = std::make_unique<WidgetList>(m_availableList);
    auto* chooseOne = named(new QPushButton(QStringLiteral(">"), page), "chooseOneButton");
    auto* chooseAll = named(new QPushButton(QStringLiteral(">>"), page), "chooseAllButton");
    auto* returnOne = named(new QPushButton(QStringLiteral("<"), page), "returnOneButton");
    auto* returnAll = named(new QPushButton(QStringLiteral("<<"), page), "returnAllButton");

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    giveSymbolButtonAccessKey(chooseOne, TextId::ChooseOneRecipeTip);
    giveSymbolButtonAccessKey(chooseAll, TextId::ChooseAllRecipesTip);
    giveSymbolButtonAccessKey(returnOne, TextId::ReturnOneRecipeTip);
    giveSymbolButtonAccessKey(returnAll, TextId::ReturnAllRecipesTip);
    for (QPushButton* button : {chooseOne, chooseAll, returnOne, returnAll}) {
        button->setFixedWidth(40);
        moves->addWidget(button);
    }
    // A long title wraps onto a second line rather than running out of sight.
    for (QListWidget* list : {m_availableList, m_chosenList}) {
        list->setWordWrap(true);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    moves->addStretch();
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_categoryCombo, 0, 0);
    grid->addWidget(new QLabel(loadText(TextId::AvailableRecipesLabel), page), 1, 0);
    grid->addWidget(new QLabel(loadText(TextId::RecipesToExportLabel), page), 1, 2);
    grid->addWidget(m_availableList, 2, 0);
    grid->addLayout(moves, 2, 1);
    grid->addWidget(m_chosenList, 2, 2);

    connect(m_categoryCombo, &QComboBox::currentIndexChanged, this, &ExportWizard::showAvailableRecipes);
    connect(chooseOne, &QPushButton::clicked, this, &ExportWizard::chooseOne);
    connect(chooseAll, &QPushButton::clicked, this, &ExportWizard::chooseAll);
    connect(returnOne, &QPushButton::clicked, this, &ExportWizard::returnOne);
    connect(returnAll, &QPushButton::clicked, this, &ExportWizard::returnAll);
    return page;
}

QWidget* ExportWizard::buildPicturesPage()
{
    auto* page = new QWidget(this);
    m_omitPictures = named(new QRadioButton(loadText(TextId::OmitImagesOption), page), "omitPicturesOption");
    m_copyPictures = named(new QRadioButton(loadText(TextId::CopyImagesOption), page), "copyPicturesOption");
    m_omitPictures->setChecked(true);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(wrappedLabel(TextId::ExportImagesPrompt, page));
    layout->addWidget(m_omitPictures);
    layout->addWidget(m_copyPictures);
    layout->addStretch();
    return page;
}

void ExportWizard::showAvailableRecipes()
{
    const int position = m_categories->itemData(m_categoryCombo->currentIndex());
    QList<ListEntry> entries;
    // Compared with every chosen recipe, whatever category it came from.
    for (const XmlNode& recipe : RecipeBook::recipes(app().book.category(position))) {
        const QString title = RecipeBook::title(recipe);
        if (!title.isEmpty() && !m_chosenTitles.contains(title))
            entries.append({title, position});
    }
    m_available->fill(std::move(entries));
    showFullTitles(m_availableList, 0);
}

void ExportWizard::choose(const QList<QListWidgetItem*>& items)
{
    const int position = m_categories->itemData(m_categoryCombo->currentIndex());
    const int first = m_chosenList->count();
    m_chosenList->setUpdatesEnabled(false);
    for (QListWidgetItem* item : items) {
        auto* chosen = new QListWidgetItem(item->text());
        chosen->setData(Qt::UserRole, position);
        m_chosenList->addItem(chosen);
        m_chosenTitles.insert(item->text());
    }
    m_chosenList->setUpdatesEnabled(true);
    showFullTitles(m_chosenList, first);
}

void ExportWizard::chooseOne()
{
    QListWidgetItem* item = m_availableList->currentItem();
    if (!item || item->text().isEmpty())
        return;
    choose({item});
    delete m_availableList->takeItem(m_availableList->row(item));
    m_availableList->setFocus();
    if (m_availableList->count() > 0)
        m_available->setCurrentRow(0);
}

void ExportWizard::chooseAll()
{
    QList<QListWidgetItem*> items;
    for (int row = 0; row < m_availableList->count(); ++row) {
        if (!m_availableList->item(row)->text().isEmpty())
            items.append(m_availableList->item(row));
    }
    if (items.isEmpty())
        return;
    choose(items);
    m_availableList->clear();
}

void ExportWizard::returnOne()
{
    const int row = m_chosenList->currentRow();
    if (row < 0)
        return;
    QListWidgetItem* item = m_chosenList->takeItem(row);
    m_chosenTitles.remove(item->text());
    delete item;
    showAvailableRecipes(); // it comes back only when its category is the one shown
}

void ExportWizard::returnAll()
{
    if (m_chosenList->count() == 0)
        return;
    m_chosenList->clear();
    m_chosenTitles.clear();
    showAvailableRecipes();
}

void ExportWizard::addFormatChoice()
{
    m_formatCombo = named(new QComboBox(this), "formatCombo");
    for (const auto& [text, format] : {std::pair{TextId::ExportFormatSaporina, ExportFormat::Saporina},
                                       {TextId::ExportFormatJsonLd, ExportFormat::JsonLd},
                                       {TextId::ExportFormatWebPages, ExportFormat::WebPages},
                                       {TextId::ExportFormatCooklang, ExportFormat::Cooklang}})
        m_formatCombo->addItem(loadText(text), static_cast<int>(format));
    auto* caption = new QLabel(loadText(TextId::ExportFormatLabel), this);
    caption->setBuddy(m_formatCombo);
    addFilePageRow(caption, m_formatCombo);
    // Another format wants another kind of file, or a folder: the choice starts again.
    connect(m_formatCombo, &QComboBox::currentIndexChanged, this, [this] { clearChosenFile(); });
}

ExportFormat ExportWizard::chosenFormat() const
{
    return static_cast<ExportFormat>(m_formatCombo->currentData().toInt());
}

bool ExportWizard::askForFile(FileDialogState& dialog)
{
    if (writesFolder(chosenFormat()))
        return dialogs().chooseFolder(dialog);
    dialog.filter = chosenFormat() == ExportFormat::JsonLd ? QStringLiteral("JSON-LD (*.json)|*.json|(*.*)|*.*")
                                                          : QStringLiteral("SP XML (*.xml)|*.xml|(*.*)|*.*");
    return dialogs().openFile(dialog);
}

WizardWindow::FileChoice ExportWizard::checkChosenFile(const QString& path)
{
    if (writesFolder(chosenFormat()))
        return QFileInfo(path).isFile() ? FileChoice::Refused : FileChoice::Taken; // a folder, or one to make
    if (isTheBook(path)) {
        showMessage(loadText(TextId::CannotOverwriteBookMessage), MsgIcon::Exclamation);
        return FileChoice::Refused;
    }
    if (QFileInfo::exists(path) && dialogs().message(loadText(TextId::OverwriteFilePrompt), kMessageTitle,
                                                     MsgButtons::YesNo, MsgIcon::None) != MsgAnswer::Yes)
        return FileChoice::Refused;
    return FileChoice::Taken;
}

void ExportWizard::next()
{
    switch (page()) {
    case 0:
        if (m_chosenList->count() == 0) {
            showMessage(loadText(TextId::NoRecipesToExportMessage));
            return;
        }
        showPage(1, TextId::SelectExportFileLabel);
        setPageSize(kWidth, kFileHeight);
        return;
    case 1:
        if (chosenFile().isEmpty()) {
            showMessage(loadText(TextId::SelectExportFileLabel));
            return;
        }
        showPage(2, TextId::ExportImagesLabel);
        return;
    default:
        runExport();
        close();
        return;
    }
}

void ExportWizard::back()
{
    if (page() == 1) {
        showPage(0, TextId::SelectExportRecipesLabel);
        setPageSize(kWidth, kChoiceHeight);
    } else if (page() == 2) {
        showPage(1, TextId::SelectExportFileLabel, true);
    }
}

void ExportWizard::runExport()
{
    QList<ChosenRecipe> chosen;
    for (int row = 0; row < m_chosenList->count(); ++row)
        chosen.append({m_chosenList->item(row)->data(Qt::UserRole).toInt(), m_chosenList->item(row)->text()});
    ExportResult result;
    {
        WorkProgress progress(this, windowTitle());
        result =
            exportRecipesAs(app().book, chosen, chosenFile(), m_copyPictures->isChecked(), chosenFormat(),
                            progress.callback());
    }
    hide();
    if (result.stopped)
        showMessage(loadText(TextId::BackupCancelledMessage));
    else if (result.ok)
        showMessage(loadText(TextId::ExportSucceededMessage));
    else
        showMessage(loadText(TextId::ExportFailedMessage) +
                    (result.error.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + result.error));
}
