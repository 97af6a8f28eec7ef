#include "ui/exchange/wizard_window.h"

#include "core/app/app_state.h"
#include "core/layout/twips.h"
#include "core/text/text_table.h"
#include "ui/app/window_model.h"
#include "ui/platform/screen_metrics.h"
#include "ui/platform/window_parts.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>
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
    if (!m_returned) {
        m_returned = true;
        hide();
        showMainWindow(m_returnTo);
    }
}

void giveSymbolButtonAccessKey(QPushButton* button, TextId tip)
{
    const QString text = loadText(tip);
    const QKeySequence key = QKeySequence::mnemonic(text);
    button->setShortcut(key);
    button->setToolTip(withoutAccessMarks(text) + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) +
                       u')');
}

QString fileNameCaption(const QString& separator, const QString& fileTitle)
{
    return loadText(TextId::FileNameLabel) + separator + fileTitle;
}
