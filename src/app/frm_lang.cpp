#include "app/frm_lang.h"

#include "app/app_state.h"
#include "app/main_app.h"
#include "settings/settings_store.h"
#include "text/text_table.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FrmLang::FrmLang(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("SP"));
    setWindowIcon(QIcon(QStringLiteral(":/images/saporina.png")));

    QFont verdana(QStringLiteral("Verdana"));
    setFont(verdana);

    Picture1 = new QLabel(this);
    Picture1->setPixmap(QPixmap(QStringLiteral(":/images/saporina.png")));
    Label1 = new QLabel(QStringLiteral("Please select your preferred language."), this);
    Label2 = new QLabel(QStringLiteral("Por favor escoge su lengua preferida."), this);
    cmdEng = new QPushButton(QStringLiteral("E&nglish"), this);
    cmdEsp = new QPushButton(QStringLiteral("E&spañol"), this);
    cmdEng->setDefault(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(Label1);
    texts->addWidget(Label2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdEng);
    buttons->addWidget(cmdEsp);
    texts->addSpacing(12);
    texts->addLayout(buttons);
    auto* top = new QHBoxLayout(this);
    top->addWidget(Picture1, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts);
    top->setContentsMargins(18, 18, 18, 18);

    connect(cmdEng, &QPushButton::clicked, this, &FrmLang::cmdEng_Click);
    connect(cmdEsp, &QPushButton::clicked, this, &FrmLang::cmdEsp_Click);
}

void FrmLang::cmdEng_Click()
{
    app().langOffset = 0;
    writeSetting(kRegRoot + QStringLiteral("language"), QStringLiteral("0"));
    close();
}

void FrmLang::cmdEsp_Click()
{
    app().langOffset = SpanishOffset;
    writeSetting(kRegRoot + QStringLiteral("language"), QStringLiteral("1"));
    close();
}

void FrmLang::closeEvent(QCloseEvent* event)
{
    // Closed without a choice: English this time, and the question comes again next start.
    if (app().langOffset != 0 && app().langOffset != SpanishOffset)
        app().langOffset = 0;
    event->accept();
    initApp();
}
