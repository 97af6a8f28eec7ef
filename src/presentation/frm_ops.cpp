#include "presentation/frm_ops.h"

#include "app/app_state.h"
#include "app/startup.h"
#include "app/window_model.h"
#include "platform/dialogs.h"
#include "platform/qt_language.h"
#include "presentation/color_procedures.h"
#include "presentation/preferences.h"
#include "settings/settings_store.h"
#include "text/captions.h"
#include "text/text_table.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FrmOps::FrmOps(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    Picture1 = new QFrame(this);
    Picture1->setAutoFillBackground(true);
    auto* logo = new QLabel(Picture1);
    logo->setPixmap(QPixmap(QStringLiteral(":/images/saporina.png")));
    auto* logoLayout = new QVBoxLayout(Picture1);
    logoLayout->addWidget(logo, 0, Qt::AlignCenter);

    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    Label3 = new QLabel(this);
    cboColor = new QComboBox(this);
    cboLang = new QComboBox(this);
    cboText = new QComboBox(this);
    cmdSave = new QPushButton(this);
    cmdDis = new QPushButton(this);
    for (QPushButton* button : {cmdSave, cmdDis})
        button->setMinimumHeight(48); // two lines: English over Spanish

    auto* grid = new QGridLayout;
    int row = 0;
    for (auto [label, box] : {std::pair{Label1, cboColor}, {Label2, cboLang}, {Label3, cboText}}) {
        grid->addWidget(label, row++, 0);
        grid->addWidget(box, row++, 0);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdDis);
    grid->addLayout(buttons, row, 0);
    auto* top = new QHBoxLayout(this);
    top->addWidget(Picture1);
    top->addLayout(grid, 1);
    top->setContentsMargins(14, 14, 14, 14);
    top->setSpacing(14);

    connect(cboColor, &QComboBox::currentIndexChanged, this, &FrmOps::cboColor_Click);
    connect(cmdSave, &QPushButton::clicked, this, &FrmOps::cmdSave_Click);
    connect(cmdDis, &QPushButton::clicked, this, &FrmOps::cmdDis_Click);
    Form_Load();
}

void FrmOps::Form_Load()
{
    const QString root = app().regRoot;
    cboColor->addItems(colorSchemeNames());
    cboLang->addItems(languageNames());
    cboText->addItems(textSizeNames());
    cboColor->setCurrentIndex(preferencePosition(readSetting(root + QStringLiteral("color")), 100, cboColor->count()));
    cboLang->setCurrentIndex(preferencePosition(readSetting(root + QStringLiteral("language")), 1, cboLang->count()));
    cboText->setCurrentIndex(preferencePosition(readSetting(root + QStringLiteral("textSize")), 1, cboText->count()));
    applyOpsColors(*this);
    setOptionsCaptions(*this);
}

void FrmOps::cboColor_Click()
{
    app().colorScheme = cboColor->currentIndex() * 100;
    applyOpsColors(*this); // the preview
}

void FrmOps::getAllDefaultSettings()
{
    AppState& a = app();
    if (cboLang->currentIndex() == 0)
        a.langOffset = 0;
    else if (cboLang->currentIndex() == 1)
        a.langOffset = SpanishOffset;
    static constexpr int kSizes[] = {8, 10, 12};
    if (cboText->currentIndex() >= 0 && cboText->currentIndex() < 3)
        a.textFontSize = kSizes[cboText->currentIndex()];
}

void FrmOps::cmdSave_Click()
{
    AppState& a = app();
    const QString scheme = QString::number(cboColor->currentIndex() * 100);
    writeSetting(a.regRoot + QStringLiteral("color"), scheme);
    a.colorScheme = cboColor->currentIndex() * 100;
    writeSetting(a.regRoot + QStringLiteral("language"), QString::number(cboLang->currentIndex()));
    writeSetting(a.regRoot + QStringLiteral("textSize"), QString::number(cboText->currentIndex()));
    getAllDefaultSettings();
    applyQtLanguage(a.langOffset);
    returnToMainWindow();
}

void FrmOps::cmdDis_Click()
{
    AppState& a = app();
    a.colorScheme = colorSchemeFor(readSetting(a.regRoot + QStringLiteral("color")));
    if (readSetting(a.regRoot + QStringLiteral("language")).isEmpty()) {
        showMessage(*a.dialogs, kDefaultLanguageNotice);
        writeSetting(a.regRoot + QStringLiteral("language"), QStringLiteral("0"));
    }
    returnToMainWindow();
}

void FrmOps::returnToMainWindow()
{
    m_done = true;
    hide();
    showMainWindow(app().prefsFromAdd ? MainWindowKind::Add : MainWindowKind::Browse);
    close();
}

void FrmOps::closeEvent(QCloseEvent* event)
{
    event->accept();
    // The close box discards, so that a main window always comes back.
    if (!m_done)
        cmdDis_Click();
}
