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
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The pages' design heights in twips; the recipe page is taller for its lists.
constexpr double kWidth = 7600, kChoiceHeight = 4800, kFileHeight = 3100;

} // namespace

ExportWizard::ExportWizard() : WizardWindow("exportWizard")
{
    setWindowTitle(loadText(TextId::ExportWindowTitle));
    m_chooser = named(new RecipeChooser(TextId::RecipesToExportLabel, this), "recipeChooser");
    addPage(m_chooser);
    addPage(buildFilePage(TextId::ExportFilePrompt, QStringLiteral(":  ")));
    addFormatChoice();
    addPage(buildPicturesPage());
    m_fileDialog.title = kMessageTitle;
    m_fileDialog.filter = QStringLiteral("SP XML (*.xml)|*.xml|(*.*)|*.*");
    m_fileDialog.fileName = QStringLiteral("*.xml");
    m_fileDialog.mustExist = false; // the export file may be a new one; it is checked here

    showPage(0, TextId::SelectExportRecipesLabel);
    setPageSize(kWidth, kChoiceHeight);
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
        if (m_chooser->chosenCount() == 0) {
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
    const QList<ChosenRecipe> chosen = m_chooser->chosen();
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
