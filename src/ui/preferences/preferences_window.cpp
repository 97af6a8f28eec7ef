#include "ui/preferences/preferences_window.h"

#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/settings/preference_choices.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/qt_language.h"
#include "ui/platform/color_scheme.h"
#include "ui/platform/window_parts.h"

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
    setObjectName(QStringLiteral("preferencesWindow"));
    buildControls();
    layOut();
    connect(m_schemeCombo, &QComboBox::currentIndexChanged, this, &PreferencesWindow::previewScheme);
    connect(m_saveButton, &QPushButton::clicked, this, &PreferencesWindow::savePreferences);
    connect(m_discardButton, &QPushButton::clicked, this, &PreferencesWindow::discardPreferences);
    showStoredChoices();
    tagColor(this, ColorTag::Panel);
    tagColors(ColorTag::Button, m_discardButton, m_saveButton);
    tagColor(m_logoPanel, ColorTag::FieldBack);
    applyColorScheme(this);
    applyTexts();
}

void PreferencesWindow::buildControls()
{
    m_logoPanel = new QFrame(this);
    m_logoPanel->setAutoFillBackground(true);
    auto* logo = new QLabel(m_logoPanel);
    logo->setPixmap(QPixmap(QStringLiteral(":/images/saporina.png")));
    auto* logoLayout = new QVBoxLayout(m_logoPanel);
    logoLayout->addWidget(logo, 0, Qt::AlignCenter);
    m_schemeCaption = named(new QLabel(this), "schemeCaption");
    m_languageCaption = named(new QLabel(this), "languageCaption");
    m_textSizeCaption = named(new QLabel(this), "textSizeCaption");
    m_schemeCombo = named(new QComboBox(this), "schemeCombo");
    m_languageCombo = named(new QComboBox(this), "languageCombo");
    m_textSizeCombo = named(new QComboBox(this), "textSizeCombo");
    m_saveButton = named(new QPushButton(this), "saveButton");
    m_discardButton = named(new QPushButton(this), "discardButton");
    for (QPushButton* button : {m_saveButton, m_discardButton})
        button->setMinimumHeight(48); // two lines: English over Spanish
}

void PreferencesWindow::layOut()
{
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
}

void PreferencesWindow::showStoredChoices()
{
    m_schemeCombo->addItems(colorSchemeNames());
    m_languageCombo->addItems(languageNames());
    m_textSizeCombo->addItems(textSizeNames());
    m_schemeCombo->setCurrentIndex(preferencePosition(readSetting(Setting::ColorScheme), 100, m_schemeCombo->count()));
    m_languageCombo->setCurrentIndex(preferencePosition(readSetting(Setting::Language), 1, m_languageCombo->count()));
    m_textSizeCombo->setCurrentIndex(preferencePosition(readSetting(Setting::TextSize), 1, m_textSizeCombo->count()));
}

void PreferencesWindow::applyTexts()
{
    // Both languages at once, whatever the current one is.
    auto both = [](TextId id) {
        return QStringLiteral("«") + loadText(id, Language::English) + QStringLiteral("» «") +
               loadText(id, Language::Spanish) + u'»';
    };
    setWindowTitle(kMessageTitle + QStringLiteral(" | ") + loadText(TextId::PreferencesWindowTitle, Language::English) +
                   QStringLiteral(" | ") + loadText(TextId::PreferencesWindowTitle, Language::Spanish));
    m_schemeCaption->setText(both(TextId::ColorSchemeLabel));
    m_languageCaption->setText(both(TextId::LanguageLabel));
    m_textSizeCaption->setText(both(TextId::TextSizeLabel));
    m_saveButton->setText(loadText(TextId::SaveButton, Language::English) + u'\n' +
                          loadText(TextId::SaveButton, Language::Spanish));
    m_discardButton->setText(loadText(TextId::DiscardButton, Language::English) + u'\n' +
                             loadText(TextId::DiscardButton, Language::Spanish));
}

void PreferencesWindow::previewScheme()
{
    app().colorScheme = m_schemeCombo->currentIndex() * 100;
    applyColorScheme(this); // the preview
}

void PreferencesWindow::savePreferences()
{
    AppState& a = app();
    const QString scheme = QString::number(m_schemeCombo->currentIndex() * 100);
    writeSetting(Setting::ColorScheme, scheme);
    a.colorScheme = m_schemeCombo->currentIndex() * 100;
    writeSetting(Setting::Language, QString::number(m_languageCombo->currentIndex()));
    writeSetting(Setting::TextSize, QString::number(m_textSizeCombo->currentIndex()));
    if (m_languageCombo->currentIndex() == 0)
        setLanguage(Language::English);
    else if (m_languageCombo->currentIndex() == 1)
        setLanguage(Language::Spanish);
    static constexpr int kSizes[] = {8, 10, 12};
    if (m_textSizeCombo->currentIndex() >= 0 && m_textSizeCombo->currentIndex() < 3)
        a.textFontSize = kSizes[m_textSizeCombo->currentIndex()];
    applyQtLanguage(language());
    returnToMainWindow();
}

void PreferencesWindow::discardPreferences()
{
    AppState& a = app();
    a.colorScheme = colorSchemeFor(readSetting(Setting::ColorScheme));
    if (readSetting(Setting::Language).isEmpty()) {
        showMessage(kDefaultLanguageNotice);
        writeSetting(Setting::Language, QStringLiteral("0"));
    }
    returnToMainWindow();
}

void PreferencesWindow::returnToMainWindow()
{
    m_done = true;
    hide();
    emit finished();
    close();
}

void PreferencesWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    // The close box discards, so that a main window always comes back.
    if (!m_done)
        discardPreferences();
}
