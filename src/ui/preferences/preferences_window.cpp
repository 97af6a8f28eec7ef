#include "ui/preferences/preferences_window.h"

#include "core/app/app_state.h"
#include "core/app/dialogs.h"
#include "core/app/startup.h"
#include "core/settings/preference_choices.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "ui/app/window_model.h"
#include "ui/app/window_texts.h"
#include "ui/platform/qt_language.h"
#include "ui/preferences/window_colors.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PreferencesWindow::PreferencesWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_logoPanel = new QFrame(this);
    m_logoPanel->setAutoFillBackground(true);
    auto* logo = new QLabel(m_logoPanel);
    logo->setPixmap(QPixmap(QStringLiteral(":/images/saporina.png")));
    auto* logoLayout = new QVBoxLayout(m_logoPanel);
    logoLayout->addWidget(logo, 0, Qt::AlignCenter);

    m_schemeCaption = new QLabel(this);
    m_languageCaption = new QLabel(this);
    m_textSizeCaption = new QLabel(this);
    m_schemeCombo = new QComboBox(this);
    m_languageCombo = new QComboBox(this);
    m_textSizeCombo = new QComboBox(this);
    m_saveButton = new QPushButton(this);
    m_discardButton = new QPushButton(this);
    for (QPushButton* button : {m_saveButton, m_discardButton})
        button->setMinimumHeight(48); // two lines: English over Spanish

    auto* grid = new QGridLayout;
    int row = 0;
    for (auto [label, box] : {std::pair{m_schemeCaption, m_schemeCombo},
                              {m_languageCaption, m_languageCombo},
                              {m_textSizeCaption, m_textSizeCombo}}) {
        grid->addWidget(label, row++, 0);
        grid->addWidget(box, row++, 0);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_discardButton);
    grid->addLayout(buttons, row, 0);
    auto* top = new QHBoxLayout(this);
    top->addWidget(m_logoPanel);
    top->addLayout(grid, 1);
    top->setContentsMargins(14, 14, 14, 14);
    top->setSpacing(14);

    connect(m_schemeCombo, &QComboBox::currentIndexChanged, this, &PreferencesWindow::previewScheme);
    connect(m_saveButton, &QPushButton::clicked, this, &PreferencesWindow::savePreferences);
    connect(m_discardButton, &QPushButton::clicked, this, &PreferencesWindow::discardPreferences);
    loadWindow();
}

void PreferencesWindow::loadWindow()
{
    m_schemeCombo->addItems(colorSchemeNames());
    m_languageCombo->addItems(languageNames());
    m_textSizeCombo->addItems(textSizeNames());
    m_schemeCombo->setCurrentIndex(preferencePosition(readSetting(Setting::ColorScheme), 100, m_schemeCombo->count()));
    m_languageCombo->setCurrentIndex(preferencePosition(readSetting(Setting::Language), 1, m_languageCombo->count()));
    m_textSizeCombo->setCurrentIndex(preferencePosition(readSetting(Setting::TextSize), 1, m_textSizeCombo->count()));
    applyPreferencesColors(*this);
    applyPreferencesTexts(*this);
}

void PreferencesWindow::previewScheme()
{
    app().colorScheme = m_schemeCombo->currentIndex() * 100;
    applyPreferencesColors(*this); // the preview
}

void PreferencesWindow::applyChosenSettings()
{
    AppState& a = app();
    if (m_languageCombo->currentIndex() == 0)
        setLanguage(Language::English);
    else if (m_languageCombo->currentIndex() == 1)
        setLanguage(Language::Spanish);
    static constexpr int kSizes[] = {8, 10, 12};
    if (m_textSizeCombo->currentIndex() >= 0 && m_textSizeCombo->currentIndex() < 3)
        a.textFontSize = kSizes[m_textSizeCombo->currentIndex()];
}

void PreferencesWindow::savePreferences()
{
    AppState& a = app();
    const QString scheme = QString::number(m_schemeCombo->currentIndex() * 100);
    writeSetting(Setting::ColorScheme, scheme);
    a.colorScheme = m_schemeCombo->currentIndex() * 100;
    writeSetting(Setting::Language, QString::number(m_languageCombo->currentIndex()));
    writeSetting(Setting::TextSize, QString::number(m_textSizeCombo->currentIndex()));
    applyChosenSettings();
    applyQtLanguage(language());
    returnToMainWindow();
}

void PreferencesWindow::discardPreferences()
{
    AppState& a = app();
    a.colorScheme = colorSchemeFor(readSetting(Setting::ColorScheme));
    if (readSetting(Setting::Language).isEmpty()) {
        showMessage(*a.dialogs, kDefaultLanguageNotice);
        writeSetting(Setting::Language, QStringLiteral("0"));
    }
    returnToMainWindow();
}

void PreferencesWindow::returnToMainWindow()
{
    m_done = true;
    hide();
    showMainWindow(app().prefsFromAdd ? MainWindowKind::Add : MainWindowKind::Browse);
    close();
}

void PreferencesWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    // The close box discards, so that a main window always comes back.
    if (!m_done)
        discardPreferences();
}
