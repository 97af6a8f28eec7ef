#include "ui/app/language_chooser.h"

#include "core/app/app_state.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

LanguageChooser::LanguageChooser(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kMessageTitle);
    setWindowIcon(QIcon(QStringLiteral(":/images/saporina.png")));

    QFont verdana(QStringLiteral("Verdana"));
    setFont(verdana);

    m_logo = new QLabel(this);
    m_logo->setPixmap(QPixmap(QStringLiteral(":/images/saporina.png")));
    m_englishPrompt = new QLabel(QStringLiteral("Please select your preferred language."), this);
    m_spanishPrompt = new QLabel(QStringLiteral("Por favor escoge su lengua preferida."), this);
    m_englishButton = new QPushButton(QStringLiteral("E&nglish"), this);
    m_spanishButton = new QPushButton(QStringLiteral("E&spañol"), this);
    m_englishButton->setDefault(true);
    setObjectName(QStringLiteral("languageChooser"));
    m_englishButton->setObjectName(QStringLiteral("englishButton"));
    m_spanishButton->setObjectName(QStringLiteral("spanishButton"));

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_englishPrompt);
    texts->addWidget(m_spanishPrompt);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_englishButton);
    buttons->addWidget(m_spanishButton);
    texts->addSpacing(12);
    texts->addLayout(buttons);
    auto* top = new QHBoxLayout(this);
    top->addWidget(m_logo, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts);
    top->setContentsMargins(18, 18, 18, 18);

    connect(m_englishButton, &QPushButton::clicked, this, &LanguageChooser::chooseEnglish);
    connect(m_spanishButton, &QPushButton::clicked, this, &LanguageChooser::chooseSpanish);
}

void LanguageChooser::chooseEnglish()
{
    setLanguage(Language::English);
    writeSetting(Setting::Language, QStringLiteral("0"));
    close();
}

void LanguageChooser::chooseSpanish()
{
    setLanguage(Language::Spanish);
    writeSetting(Setting::Language, QStringLiteral("1"));
    close();
}

void LanguageChooser::closeEvent(QCloseEvent* event)
{
    // Closed without a choice, the language is still English, and the question comes again next start.
    event->accept();
    emit finished();
}
