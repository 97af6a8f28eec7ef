#include "ui/exchange/import_wizard.h"

#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/exchange/foreign_files.h"
#include "core/output/plain_text.h"
#include "core/text/text_table.h"
#include "ui/platform/list_adapters.h"
#include "ui/platform/window_parts.h"
#include "ui/platform/work_progress.h"
#include "ui/platform/color_scheme.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr double kWidth = 7600, kHeight = 4800;


} // namespace

ImportWizard::ImportWizard() : WizardWindow("importWizard")
{
    setWindowTitle(loadText(TextId::ImportWindowTitle));
    addPage(buildFilePage(TextId::ImportFilePrompt, QStringLiteral(": ")));
    addCategoryChoice();
    addPage(buildRecipesPage());
    addPage(buildPicturesPage());
    m_fileDialog.title = QStringLiteral("SP XML");
    // The program's own files first, then those of other programs, then any file: the content decides.
    m_fileDialog.filter = QStringLiteral("SP XML (*.xml)|*.xml|") + loadText(TextId::OtherRecipeFilesFilter) +
                          QStringLiteral("|*.mmf;*.txt;*.mxp;*.mx2;*.xml;*.html;*.htm;*.json;*.cook;*.paprikarecipes|"
                                         "(*.*)|*.*");
    m_fileDialog.fileName = QStringLiteral("*.xml");
    setTextSize(m_recipeList, app().textFontSize);
    showPage(0, TextId::LocateImportFileLabel);
    setPageSize(kWidth, kHeight);
}

void ImportWizard::openOn(const QString& path)
{
    if (!takeFile(path))
        return;
    QTimer::singleShot(0, this, [this] {
        next();
        if (page() == 1)
            m_recipeList->setFocus(); // the keyboard starts among the file's recipes
    });
}

void ImportWizard::addCategoryChoice()
{
    m_categoryCombo = named(new QComboBox(this), "categoryCombo");
    m_categoryCombo->setEditable(true);
    QStringList names;
    for (const XmlNode& category : app().book.categories())
        names << RecipeBook::categoryName(category);
    names.sort(Qt::CaseInsensitive);
    m_categoryCombo->addItems(names);
    m_categoryCombo->setEditText(loadText(TextId::ImportedCategoryDefault));
    auto* caption = new QLabel(loadText(TextId::ImportCategoryLabel), this);
    caption->setBuddy(m_categoryCombo);
    addFilePageRow(caption, m_categoryCombo);
}

QWidget* ImportWizard::buildRecipesPage()
{
    auto* page = new QWidget(this);
    m_recipeList = named(new QListWidget(page), "recipeList");
    m_recipeList->setWordWrap(true); // a long title on two lines rather than out of sight
    m_recipeList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_preview = named(new QPlainTextEdit(page), "previewBox");
    m_preview->setReadOnly(true);
    m_preview->setToolTip(loadText(TextId::ImportPreviewLabel));
    m_formatLabel = named(new QLabel(page), "formatLabel");
    m_skippedCaption = new QLabel(loadText(TextId::ImportSkippedLabel), page);
    m_skippedList = named(new QPlainTextEdit(page), "skippedList");
    m_skippedList->setReadOnly(true);
    m_skippedList->setMaximumHeight(60);
    auto* tickAll = named(new QPushButton(loadText(TextId::CheckAllButton), page), "tickAllButton");
    auto* untickAll = named(new QPushButton(loadText(TextId::UncheckAllButton), page), "untickAllButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(tickAll);
    buttons->addWidget(untickAll);
    buttons->addStretch();
    buttons->addWidget(m_formatLabel);
    auto* lists = new QHBoxLayout;
    lists->addWidget(m_recipeList, 1);
    lists->addWidget(m_preview, 1);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(lists, 1);
    layout->addWidget(m_skippedCaption);
    layout->addWidget(m_skippedList);
    layout->addLayout(buttons);
    connect(m_recipeList, &QListWidget::currentRowChanged, this, &ImportWizard::showPreview);
    connect(tickAll, &QPushButton::clicked, this, [this] { this->tickAll(true); });
    connect(untickAll, &QPushButton::clicked, this, [this] { this->tickAll(false); });
    return page;
}

QWidget* ImportWizard::buildPicturesPage()
{
    auto* page = new QWidget(this);
    m_importPictures = named(new QRadioButton(loadText(TextId::ImportImagesOption), page), "importPicturesOption");
    m_skipPictures = named(new QRadioButton(loadText(TextId::DoNotImportImagesOption), page), "skipPicturesOption");
    m_importPictures->setChecked(true);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(wrappedLabel(TextId::ImportImagesPrompt, page));
    layout->addWidget(m_importPictures);
    layout->addWidget(m_skipPictures);
    layout->addStretch();
    return page;
}

WizardWindow::FileChoice ImportWizard::checkChosenFile(const QString& path)
{
    if (isTheBook(path)) {
        showMessage(loadText(TextId::CannotImportBookMessage), MsgIcon::Exclamation);
        return FileChoice::Refused;
    }
    if (!QFileInfo::exists(path))
        return FileChoice::PassedOver;
    QFile file(path);
    const bool ownKind = file.open(QIODevice::ReadOnly) && isOwnRecipeFile(file.read(64 * 1024));
    if (ownKind && !isWellFormedXmlFile(path))
        showMessage(loadText(TextId::ImportFileInvalidMessage)); // chosen all the same: Next says it again
    return FileChoice::Taken;
}

void ImportWizard::showFileRecipes()
{
    m_recipeList->clear();
    m_recipeList->addItems(m_file.titles());
    makeCheckable(m_recipeList);
    for (int row = 0; row < m_recipeList->count(); ++row)
        m_recipeList->item(row)->setToolTip(m_recipeList->item(row)->text()); // however long it is
    m_formatLabel->setText(m_file.format().isEmpty() ? QString()
                                                     : loadText(TextId::ImportFormatLabel).arg(m_file.format()));
    QStringList skipped;
    for (const SkippedRecipe& recipe : m_file.skipped())
        skipped << describeSkipped(recipe);
    m_skippedList->setPlainText(skipped.join(u'\n'));
    m_skippedCaption->setVisible(!skipped.isEmpty());
    m_skippedList->setVisible(!skipped.isEmpty());
    if (m_recipeList->count() > 0)
        m_recipeList->setCurrentRow(0);
    showPreview();
}

void ImportWizard::showPreview()
{
    const int row = m_recipeList->currentRow();
    if (row < 0 || row >= m_file.recipes().size()) {
        m_preview->clear();
        return;
    }
    const Recipe& recipe = m_file.recipes()[row].recipe;
    m_preview->setPlainText(plainText(ShownRecipe::from(recipe)).remove(u'\r'));
}

void ImportWizard::tickAll(bool ticked)
{
    setAllChecked(m_recipeList, ticked);
}

QSet<QString> ImportWizard::tickedTitles() const
{
    QSet<QString> ticked;
    for (int row = 0; row < m_recipeList->count(); ++row) {
        if (m_recipeList->item(row)->checkState() == Qt::Checked)
            ticked.insert(m_recipeList->item(row)->text());
    }
    return ticked;
}

void ImportWizard::next()
{
    switch (page()) {
    case 0:
        if (chosenFile().isEmpty()) {
            showMessage(loadText(TextId::SelectImportFileLabel));
            return;
        }
        // The file goes through the same checks as the book: well-formed, not too deep, a recipe book.
        if (!m_file.load(chosenFile())) {
            showMessage(loadText(TextId::ImportFileInvalidMessage));
            return;
        }
        showFileRecipes();
        showPage(1, TextId::SelectImportRecipesLabel);
        return;
    case 1:
        if (tickedTitles().isEmpty()) {
            showMessage(loadText(TextId::NoRecipesToImportMessage));
            return;
        }
        showPage(2, TextId::ImportImagesLabel);
        return;
    default:
        if (runImport())
            close();
        return;
    }
}

void ImportWizard::back()
{
    if (page() == 1)
        showPage(0, TextId::SelectImportFileLabel, true);
    else if (page() == 2)
        showPage(1, TextId::SelectImportRecipesLabel);
}

QString ImportWizard::askForTitle(const QString& titleInFile)
{
    QString answer;
    const QString prompt = loadText(TextId::TitleClashPromptStart) + QStringLiteral(" [") + titleInFile +
                           QStringLiteral("] ") + loadText(TextId::TitleClashPromptEnd);
    if (!dialogs().inputBox(prompt, kMessageTitle, loadText(TextId::NewTitleLabel), &answer))
        return {};
    return answer;
}

bool ImportWizard::runImport()
{
    ImportResult result;
    {
        WorkProgress progress(this, windowTitle());
        ImportOptions options;
        options.withPictures = m_importPictures->isChecked();
        options.categoryForUncategorised = m_categoryCombo->currentText();
        options.askForTitle = [&](const QString& title) {
            return progress.whileAsking([&] { return askForTitle(title); });
        };
        options.progress = progress.callback();
        result = importRecipes(app().book, m_file, tickedTitles(), options);
    }
    if (!result.skippedForCategory.isEmpty())
        showMessage(loadText(TextId::ImportSkippedForCategoryMessage) + QStringLiteral("\r\n\r\n") +
                    result.skippedForCategory.join(QStringLiteral("\r\n")));
    if (!reportChange(result.change)) {
        showMessage(loadText(TextId::ImportCorruptMessage));
        return false; // the wizard stays: nothing was imported
    }
    if (result.stopped) {
        showMessage(loadText(TextId::ImportStoppedMessage) + QStringLiteral(" %1").arg(result.imported));
        return true;
    }
    showMessage(loadText(TextId::ImportSucceededMessage));
    // What the file held but could not give stays in view to the end.
    if (!m_file.skipped().isEmpty()) {
        QStringList skipped;
        for (const SkippedRecipe& recipe : m_file.skipped())
            skipped << describeSkipped(recipe);
        showMessage(loadText(TextId::ImportFileSkippedMessage) + QStringLiteral("\r\n\r\n") +
                    skipped.join(QStringLiteral("\r\n")));
    }
    return true;
}
