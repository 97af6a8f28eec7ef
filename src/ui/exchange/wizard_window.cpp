#include "ui/exchange/wizard_window.h"

#include "core/app/app_state.h"
#include "core/book/atomic_file.h"
#include "core/layout/twips.h"
#include "core/text/text_table.h"
#include "ui/platform/screen_metrics.h"
#include "ui/platform/window_parts.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
// The "File name:" label of the file page, with the chosen file's name when there is one.
QString fileNameCaption(const QString& separator, const QString& fileTitle = {})
{
    return loadText(TextId::FileNameLabel) + separator + fileTitle;
}
} // namespace

WizardWindow::WizardWindow(const char* objectName) : QWidget(nullptr, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QLatin1String(objectName));
    m_heading = named(new QLabel(this), "heading");
    QFont bold = m_heading->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_heading->setFont(bold);
    m_pages = new QStackedWidget(this);
    // The move and page buttons carry symbols, the same in both languages.
    m_backButton = named(new QPushButton(QStringLiteral("<<"), this), "backButton");
    m_nextButton = named(new QPushButton(QStringLiteral(">>"), this), "nextButton");
    m_cancelButton = named(new QPushButton(loadText(TextId::CancelButton), this), "cancelButton");
    m_nextButton->setDefault(true);
    m_backButton->setEnabled(false);
    m_backButton->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    m_nextButton->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    m_backButton->setToolTip(loadText(TextId::PreviousPageTip));
    m_nextButton->setToolTip(loadText(TextId::NextPageTip));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_backButton);
    buttons->addWidget(m_nextButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    connect(m_backButton, &QPushButton::clicked, this, [this] { back(); });
    connect(m_nextButton, &QPushButton::clicked, this, [this] { next(); });
    connect(m_cancelButton, &QPushButton::clicked, this, &QWidget::close);
}

QWidget* WizardWindow::buildFilePage(TextId prompt, const QString& separator)
{
    m_fileNameSeparator = separator;
    auto* page = new QWidget(this);
    m_filePage = page;
    auto* promptLabel = wrappedLabel(prompt, page);
    auto* choose = named(new QPushButton(loadText(TextId::BrowseFileButton), page), "chooseFileButton");
    m_fileLabel = named(new QLabel(fileNameCaption(QStringLiteral(": ")), page), "fileLabel");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(promptLabel);
    layout->addWidget(choose, 0, Qt::AlignLeft);
    layout->addWidget(m_fileLabel);
    layout->addStretch();
    connect(choose, &QPushButton::clicked, this, &WizardWindow::chooseFile);
    return page;
}

void WizardWindow::chooseFile()
{
    if (askForFile(m_fileDialog))
        takeFile(m_fileDialog.fileName);
}

bool WizardWindow::takeFile(const QString& path)
{
    switch (checkChosenFile(path)) {
    case FileChoice::Taken:
        m_chosenFile = path;
        m_fileDialog.fileName = path;
        m_fileLabel->setText(fileNameCaption(m_fileNameSeparator, QFileInfo(path).fileName()));
        return true;
    case FileChoice::Refused:
        clearChosenFile();
        return false;
    case FileChoice::PassedOver:
        return false;
    }
    return false;
}

void WizardWindow::clearChosenFile()
{
    m_chosenFile.clear();
    m_fileDialog.fileName.clear();
    m_fileLabel->setText(fileNameCaption(QStringLiteral(": ")));
}

void WizardWindow::addFilePageRow(QWidget* caption, QWidget* control)
{
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(control, 1);
    static_cast<QVBoxLayout*>(m_filePage->layout())->insertLayout(1, row);
}

bool WizardWindow::isTheBook(const QString& path)
{
    const QString book = app().bookPath();
    return QDir::cleanPath(path).compare(QDir::cleanPath(book), Qt::CaseInsensitive) == 0 ||
           (QFileInfo::exists(path) && isSameFile(path, book));
}

void WizardWindow::addPage(QWidget* page)
{
    m_pages->addWidget(page);
}

void WizardWindow::focusFirstControl(QWidget* page)
{
    for (QWidget* widget = page->nextInFocusChain(); widget && widget != page; widget = widget->nextInFocusChain()) {
        if (page->isAncestorOf(widget) && widget->isVisibleTo(this) && widget->isEnabled() &&
            (widget->focusPolicy() & Qt::TabFocus)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

int WizardWindow::page() const
{
    return m_pages->currentIndex();
}

void WizardWindow::showPage(int index, TextId heading, bool capitalised)
{
    // When the keyboard was on the page that goes (as when the wizard turns to the recipes of a file it
    // was opened on), it moves to the first control of the page shown, not to whatever button comes next.
    const QWidget* focused = focusWidget();
    const bool focusOnPage = focused && m_pages->isAncestorOf(focused);
    m_pages->setCurrentIndex(index);
    if (focusOnPage)
        focusFirstControl(m_pages->currentWidget());
    QString text = loadText(heading);
    if (capitalised && !text.isEmpty())
        text[0] = text[0].toUpper();
    m_heading->setText(text);
    m_backButton->setEnabled(index > 0);
    nameControlsAfterCaptions(this);
}

void WizardWindow::setPageSize(double widthTwips, double heightTwips)
{
    const QSize size(twipsToPixels(widthTwips, twipsPerPixelX(this)), twipsToPixels(heightTwips, twipsPerPixelY(this)));
    setMinimumSize(size);
    resize(size);
}

void WizardWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    QPushButton* pressed = focused && focused->isEnabled() ? focused : m_nextButton;
    if (pressed->isEnabled())
        pressed->click();
}

void WizardWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    // Every way out brings back the main window the wizard came from.
    if (!m_finished) {
        m_finished = true;
        hide();
        emit finished();
    }
}

QLabel* wrappedLabel(TextId id, QWidget* parent)
{
    auto* label = new QLabel(loadText(id), parent);
    label->setWordWrap(true);
    return label;
}
