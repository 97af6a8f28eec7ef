#include "ui/preferences/preferences_window.h"

#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/settings/preference_choices.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "ui/app/window_model.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/qt_language.h"
#include "ui/preferences/color_scheme.h"

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
    m_schemeCaption->setObjectName(QStringLiteral("schemeCaption"));
    m_languageCaption->setObjectName(QStringLiteral("languageCaption"));
    m_textSizeCaption->setObjectName(QStringLiteral("textSizeCaption"));
    m_schemeCombo->setObjectName(QStringLiteral("schemeCombo"));
    m_languageCombo->setObjectName(QStringLiteral("languageCombo"));
    m_textSizeCombo->setObjectName(QStringLiteral("textSizeCombo"));
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_discardButton->setObjectName(QStringLiteral("discardButton"));
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

    m_schemeCombo->addItems(colorSchemeNames());
    m_languageCombo->addItems(languageNames());
    m_textSizeCombo->addItems(textSizeNames());
    m_schemeCombo->setCurrentIndex(preferencePosition(readSetting(Setting::ColorScheme), 100, m_schemeCombo->count()));
    m_languageCombo->setCurrentIndex(preferencePosition(readSetting(Setting::Language), 1, m_languageCombo->count()));
    m_textSizeCombo->setCurrentIndex(preferencePosition(readSetting(Setting::TextSize), 1, m_textSizeCombo->count()));
    applyColors();
    applyTexts();
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

void PreferencesWindow::applyColors()
{
    for (QWidget* b : {m_discardButton, m_saveButton})
        setButtonColor(b, schemeColor(RoleButton));
    setBackColor(m_logoPanel, schemeColor(RoleField));
    setBackColor(this, schemeColor(RolePanel));
}

void PreferencesWindow::previewScheme()
{
    app().colorScheme = m_schemeCombo->currentIndex() * 100;
    applyColors(); // the preview
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
    showMainWindow(windowModel().preferencesFromAdd ? MainWindowKind::Add : MainWindowKind::Browse);
    close();
}

void PreferencesWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    // The close box discards, so that a main window always comes back.
    if (!m_done)
        discardPreferences();
}
