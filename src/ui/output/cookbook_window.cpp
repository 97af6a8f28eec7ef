#include "ui/output/cookbook_window.h"

#include "core/app/app_state.h"
#include "core/book/atomic_file.h"
#include "core/text/text_table.h"
#include "ui/output/cookbook_printer.h"
#include "ui/platform/color_scheme.h"
#include "ui/platform/recipe_chooser.h"
#include "ui/platform/window_parts.h"
#include "ui/platform/work_progress.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

TextId paperName(CookbookPaper paper)
{
    switch (paper) {
    case CookbookPaper::Letter:
        return TextId::PaperLetter;
    case CookbookPaper::Card4x6:
        return TextId::PaperCard4x6;
    case CookbookPaper::CardA6:
        return TextId::PaperCardA6;
    case CookbookPaper::A4:
        break;
    }
    return TextId::PaperA4;
}

bool isTheBook(const QString& path)
{
    return QDir::cleanPath(path) == QDir::cleanPath(app().bookPath()) ||
           (QFileInfo::exists(path) && isSameFile(path, app().bookPath()));
}

} // namespace

CookbookWindow::CookbookWindow() : QWidget(nullptr, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("cookbookWindow"));
    setWindowTitle(loadText(TextId::CookbookWindowTitle));
    buildControls();
    layOut();
    connect(m_layoutCombo, &QComboBox::currentIndexChanged, this, &CookbookWindow::showPapers);
    connect(m_saveButton, &QPushButton::clicked, this, &CookbookWindow::saveAsPdf);
    connect(m_printButton, &QPushButton::clicked, this, [this] { printBook(false); });
    connect(m_previewButton, &QPushButton::clicked, this, [this] { printBook(true); });
    connect(m_cancelButton, &QPushButton::clicked, this, &QWidget::close);
    tagColor(this, ColorTag::Panel);
    tagColors(ColorTag::Field, m_titleEdit, m_subtitleEdit);
    tagColors(ColorTag::Button, m_saveButton, m_printButton, m_previewButton, m_cancelButton);
    applyColorScheme(this);
    m_fileDialog.title = kMessageTitle;
    m_fileDialog.filter = QStringLiteral("PDF (*.pdf)|*.pdf|(*.*)|*.*");
    resize(680, 600);
}

void CookbookWindow::buildControls()
{
    m_chooser = named(new RecipeChooser(TextId::RecipesInBookLabel, this), "recipeChooser");
    m_titleEdit = named(new QLineEdit(loadText(TextId::CookbookDefaultTitle), this), "titleEdit");
    m_subtitleEdit = named(new QLineEdit(this), "subtitleEdit");
    for (QLineEdit* edit : {m_titleEdit, m_subtitleEdit})
        edit->setMaxLength(200);
    m_layoutCombo = named(new QComboBox(this), "layoutCombo");
    for (const auto& [text, layout] : {std::pair{TextId::LayoutFullPage, CookbookLayout::FullPage},
                                       {TextId::LayoutTwoPerPage, CookbookLayout::TwoPerPage},
                                       {TextId::LayoutIndexCards, CookbookLayout::IndexCards}})
        m_layoutCombo->addItem(loadText(text), static_cast<int>(layout));
    m_paperCombo = named(new QComboBox(this), "paperCombo");
    m_newPagePerChapter =
        named(new QCheckBox(loadText(TextId::NewPagePerChapterOption), this), "newPagePerChapterOption");
    m_newPagePerChapter->setChecked(true);
    m_saveButton = named(new QPushButton(loadText(TextId::SaveCookbookPdfButton), this), "savePdfButton");
    m_printButton = named(new QPushButton(loadText(TextId::PrintCookbookButton), this), "printButton");
    m_previewButton = named(new QPushButton(loadText(TextId::PreviewCookbookButton), this), "previewButton");
    m_cancelButton = named(new QPushButton(loadText(TextId::CancelButton), this), "cancelButton");
    showPapers();
}

void CookbookWindow::layOut()
{
    auto* form = new QFormLayout;
    const std::pair<TextId, QWidget*> rows[] = {{TextId::CookbookTitleLabel, m_titleEdit},
                                                {TextId::CookbookSubtitleLabel, m_subtitleEdit},
                                                {TextId::CookbookLayoutLabel, m_layoutCombo},
                                                {TextId::CookbookPaperLabel, m_paperCombo}};
    for (const auto& [caption, field] : rows) {
        auto* label = new QLabel(loadText(caption), this);
        label->setBuddy(field);
        form->addRow(label, field);
    }
    nameControlsAfterCaptions(this);
    form->addRow(m_newPagePerChapter);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_printButton);
    buttons->addWidget(m_previewButton);
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    auto* prompt = new QLabel(loadText(TextId::CookbookChooseLabel), this);
    prompt->setWordWrap(true);
    auto* top = new QVBoxLayout(this);
    top->addWidget(prompt);
    top->addWidget(m_chooser, 1);
    top->addLayout(form);
    top->addLayout(buttons);
    top->setContentsMargins(14, 14, 14, 14);
}

void CookbookWindow::showPapers()
{
    const auto layout = static_cast<CookbookLayout>(m_layoutCombo->currentData().toInt());
    const CookbookPaper usual = usualPaper(layout, QLocale().measurementSystem() == QLocale::ImperialUSSystem);
    m_paperCombo->clear();
    for (const CookbookPaper paper : papersFor(layout)) {
        m_paperCombo->addItem(loadText(paperName(paper)), static_cast<int>(paper));
        if (paper == usual)
            m_paperCombo->setCurrentIndex(m_paperCombo->count() - 1);
    }
}

CookbookOptions CookbookWindow::chosenOptions() const
{
    CookbookOptions options;
    options.title = m_titleEdit->text().trimmed();
    options.subtitle = m_subtitleEdit->text().trimmed();
    options.layout = static_cast<CookbookLayout>(m_layoutCombo->currentData().toInt());
    options.paper = static_cast<CookbookPaper>(m_paperCombo->currentData().toInt());
    options.newPagePerChapter = m_newPagePerChapter->isChecked();
    return options;
}

bool CookbookWindow::gatherBook(CookbookContents& contents) const
{
    if (m_chooser->chosenCount() == 0) {
        showMessage(loadText(TextId::NoRecipesForCookbookMessage));
        return false;
    }
    contents = cookbookContents(app().book, m_chooser->chosen(), app().imagesPath());
    return true;
}

void CookbookWindow::saveAsPdf()
{
    CookbookContents contents;
    if (!gatherBook(contents))
        return;
    const CookbookOptions options = chosenOptions();
    // The title's name, in the folder chosen last time.
    const QFileInfo last(m_fileDialog.fileName);
    m_fileDialog.fileName =
        last.isAbsolute() ? last.dir().filePath(cookbookFileName(options.title)) : cookbookFileName(options.title);
    if (!dialogs().saveFile(m_fileDialog))
        return;
    QString path = m_fileDialog.fileName;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    if (isTheBook(path)) {
        showMessage(loadText(TextId::CannotOverwriteBookMessage), MsgIcon::Exclamation);
        return;
    }
    if (QFileInfo::exists(path) && dialogs().message(loadText(TextId::OverwriteFilePrompt), kMessageTitle,
                                                     MsgButtons::YesNo, MsgIcon::None) != MsgAnswer::Yes)
        return;
    CookbookSaved saved;
    {
        WorkProgress progress(this, loadText(TextId::MakingCookbookProgress));
        saved = saveCookbookPdf(contents, options, path, progress.callback());
    }
    switch (saved.outcome) {
    case CookbookPrinted::Done:
        showMessage(loadText(TextId::CookbookSavedMessage));
        break;
    case CookbookPrinted::Stopped:
        showMessage(loadText(TextId::CookbookStoppedMessage));
        break;
    case CookbookPrinted::Failed:
        showMessage(loadText(TextId::CookbookNotSavedMessage) +
                        (saved.error.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + saved.error),
                    MsgIcon::Exclamation);
        break;
    }
}

void CookbookWindow::printBook(bool preview)
{
    CookbookContents contents;
    if (gatherBook(contents))
        printCookbookThroughDialog(contents, chosenOptions(), preview, this);
}

void CookbookWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!m_finished) {
        m_finished = true;
        hide();
        emit finished();
    }
}
