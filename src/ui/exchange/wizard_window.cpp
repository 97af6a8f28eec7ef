#include "ui/exchange/wizard_window.h"

#include "core/app/app_state.h"
#include "core/layout/twips.h"
#include "core/text/text_table.h"
#include "ui/app/window_model.h"
#include "ui/platform/screen_metrics.h"
#include "ui/platform/window_parts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

WizardWindow::WizardWindow(MainWindowKind returnTo, const char* objectName)
    : QWidget(nullptr, Qt::Window), m_returnTo(returnTo)
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

void WizardWindow::addPage(QWidget* page)
{
    m_pages->addWidget(page);
}

int WizardWindow::page() const
{
    return m_pages->currentIndex();
}

void WizardWindow::showPage(int index, TextId heading, bool capitalised)
{
    m_pages->setCurrentIndex(index);
    QString text = loadText(heading);
    if (capitalised && !text.isEmpty())
        text[0] = text[0].toUpper();
    m_heading->setText(text);
    m_backButton->setEnabled(index > 0);
}

void WizardWindow::setPageSize(double widthTwips, double heightTwips)
{
    setFixedSize(twipsToPixels(widthTwips, twipsPerPixelX(this)), twipsToPixels(heightTwips, twipsPerPixelY(this)));
}

void WizardWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    // Every way out brings back the main window the wizard came from.
    if (!m_returned) {
        m_returned = true;
        hide();
        showMainWindow(m_returnTo);
    }
}

QString fileNameCaption(const QString& separator, const QString& fileTitle)
{
    return loadText(TextId::FileNameLabel) + separator + fileTitle;
}
