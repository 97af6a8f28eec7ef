#include "presentation/frm_about.h"

#include "app/window_model.h"
#include "presentation/help.h"
#include "text/text_table.h"

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

FrmAbout::FrmAbout(QWidget* parent) : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* picIcon = new QLabel(this);
    picIcon->setPixmap(QPixmap(QStringLiteral(":/images/saporina.png")));
    auto* name = new QLabel(QStringLiteral("Saporina"), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    name->setFont(big);
    auto* maker = new QLabel(QStringLiteral("Quorvel"), this);
    auto* rights = new QLabel(QStringLiteral("© 2026 Quorvel"), this);
    lblVersion = new QLabel(this);
    lblDescription = new QLabel(this);
    lblDescription->setWordWrap(true);
    lblDescription->setMinimumWidth(320);
    lblWeb = new QLabel(this);
    lblWeb->setCursor(Qt::PointingHandCursor);
    lblWeb->setStyleSheet(QStringLiteral("color: #1a4f9c; text-decoration: underline;"));
    lblWeb->installEventFilter(this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(lblVersion);
    texts->addWidget(maker);
    texts->addSpacing(8);
    texts->addWidget(lblDescription);
    texts->addSpacing(8);
    texts->addWidget(lblWeb);
    texts->addWidget(rights);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setContentsMargins(18, 18, 18, 12);

    connect(cmdOK, &QPushButton::clicked, this, &FrmAbout::cmdOK_Click);
    Form_Load();
}

void FrmAbout::Form_Load()
{
    setWindowTitle(loadText(217) + QStringLiteral(" SP"));
    lblVersion->setText(loadText(218) + u' ' + programVersion());
    lblDescription->setText(loadText(TextId::AboutDescription));
    lblWeb->setText(loadText(TextId::WebAddress));
}

bool FrmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblWeb && event->type() == QEvent::MouseButtonRelease) {
        lblWeb_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FrmAbout::lblWeb_Click()
{
    openUrl(lblWeb->text());
}

void FrmAbout::cmdOK_Click()
{
    close();
}

void FrmAbout::closeEvent(QCloseEvent* event)
{
    // The close box acts as OK: the window that opened the box gets its input back.
    event->accept();
    returnFromSecondaryWindow();
}

void openAboutBox(MainWindowBase* opener)
{
    auto* about = new FrmAbout;
    openSecondaryWindow(about, opener);
    about->activateWindow();
}
