#include "ui/exchange/import_wizard.h"

#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/text/text_table.h"
#include "ui/platform/list_adapters.h"
#include "ui/platform/window_parts.h"
#include "ui/platform/work_progress.h"
#include "ui/platform/color_scheme.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr double kWidth = 7600, kHeight = 4800;


} // namespace

ImportWizard::ImportWizard() : WizardWindow("importWizard")
{
    setWindowTitle(loadText(TextId::ImportWindowTitle));
    addPage(buildFilePage(TextId::ImportFilePrompt, QStringLiteral(": ")));
    addPage(buildRecipesPage());
    addPage(buildPicturesPage());
    m_fileDialog.title = QStringLiteral("SP XML");
    m_fileDialog.filter = QStringLiteral("SP XML (*.xml)|*.xml|(*.*)|*.*");
    m_fileDialog.fileName = QStringLiteral("*.xml");
    setTextSize(m_recipeList, app().textFontSize);
    showPage(0, TextId::LocateImportFileLabel);
    setPageSize(kWidth, kHeight);
}

QWidget* ImportWizard::buildRecipesPage()
{
    auto* page = new QWidget(this);
    m_recipeList = named(new QListWidget(page), "recipeList");
    m_recipeList->setWordWrap(true); // a long title on two lines rather than out of sight
    m_recipeList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* tickAll = named(new QPushButton(loadText(TextId::CheckAllButton), page), "tickAllButton");
    auto* untickAll = named(new QPushButton(loadText(TextId::UncheckAllButton), page), "untickAllButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(tickAll);
    buttons->addWidget(untickAll);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_recipeList, 1);
    layout->addLayout(buttons);
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
    if (!isWellFormedXmlFile(path))
        showMessage(loadText(TextId::ImportFileInvalidMessage)); // chosen all the same: Next says it again
    return FileChoice::Taken;
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
        m_recipeList->clear();
        m_recipeList->addItems(m_file.titles());
        makeCheckable(m_recipeList);
        for (int row = 0; row < m_recipeList->count(); ++row)
            m_recipeList->item(row)->setToolTip(m_recipeList->item(row)->text()); // however long it is
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
        result = importRecipes(
            app().book, m_file, tickedTitles(), m_importPictures->isChecked(),
            [&](const QString& title) { return progress.whileAsking([&] { return askForTitle(title); }); },
            progress.callback());
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
    return true;
}
