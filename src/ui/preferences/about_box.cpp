#include "ui/preferences/about_box.h"

#include "core/text/text_table.h"
#include "ui/preferences/help_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

QString programVersion()
{
    return QStringLiteral(SAPORINA_VERSION);
}

AboutBox::AboutBox() : SecondaryWindow(Qt::Window | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("aboutBox"));
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    auto* top = new QHBoxLayout;
    auto* logo = new QLabel(this);
    logo->setPixmap(QPixmap(QStringLiteral(":/images/saporina.png")));
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(buildTexts(), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setContentsMargins(18, 18, 18, 12);

    // The close box acts as OK.
    connect(m_okButton, &QPushButton::clicked, this, &AboutBox::close);

    setWindowTitle(loadText(TextId::AboutWindowTitle) + QStringLiteral(" SP"));
    m_versionLabel->setText(loadText(TextId::VersionLabel) + u' ' + programVersion());
    m_descriptionLabel->setText(loadText(TextId::AboutDescription));
    m_webLabel->setText(loadText(TextId::WebAddress));
}

QLayout* AboutBox::buildTexts()
{
    auto* name = new QLabel(QStringLiteral("Saporina"), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    name->setFont(big);
    m_versionLabel = new QLabel(this);
    m_versionLabel->setObjectName(QStringLiteral("versionLabel"));
    m_descriptionLabel = new QLabel(this);
    m_descriptionLabel->setObjectName(QStringLiteral("descriptionLabel"));
    m_descriptionLabel->setWordWrap(true);
    m_descriptionLabel->setMinimumWidth(320);
    m_webLabel = new QLabel(this);
    m_webLabel->setObjectName(QStringLiteral("webLabel"));
    m_webLabel->setCursor(Qt::PointingHandCursor);
    m_webLabel->setStyleSheet(QStringLiteral("color: #1a4f9c; text-decoration: underline;"));
    m_webLabel->installEventFilter(this);
    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(m_versionLabel);
    texts->addWidget(new QLabel(QStringLiteral("Quorvel"), this));
    texts->addSpacing(8);
    texts->addWidget(m_descriptionLabel);
    texts->addSpacing(8);
    texts->addWidget(m_webLabel);
    texts->addWidget(new QLabel(QStringLiteral("© 2026 Quorvel"), this));
    return texts;
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_webLabel && event->type() == QEvent::MouseButtonRelease) {
        openWebAddress();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void AboutBox::openWebAddress()
{
    openUrl(m_webLabel->text());
}

void openAboutBox(QWidget* opener)
{
    (new AboutBox)->showOver(opener);
}
