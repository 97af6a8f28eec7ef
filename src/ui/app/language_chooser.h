#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// Asks for the language on the first run; start-up goes on when it closes.
class LanguageChooser : public QWidget {
    Q_OBJECT
public:
    explicit LanguageChooser(QWidget* parent = nullptr);

signals:
    // Closed, with a choice or without one (then the language stays English).
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void chooseEnglish();
    void chooseSpanish();

    QPushButton* m_englishButton = nullptr;
    QPushButton* m_spanishButton = nullptr;
    QLabel* m_logo = nullptr;
    QLabel* m_englishPrompt = nullptr;
    QLabel* m_spanishPrompt = nullptr;
};
