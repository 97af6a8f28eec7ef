#pragma once

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

// Colour scheme, language and text size. Shown while no main window is loaded; Save or Discard
// (or the close box, which discards) brings back the window it came from, loaded afresh.
class PreferencesWindow : public QWidget {
    Q_OBJECT
public:
    explicit PreferencesWindow(QWidget* parent = nullptr);

signals:
    // Saved or discarded: the window it came from comes back.
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void layOut();
    void showStoredChoices();
    void applyTexts();
    void previewScheme();
    void savePreferences();
    void discardPreferences();
    void returnToMainWindow();

    QComboBox* m_schemeCombo = nullptr;
    QComboBox* m_languageCombo = nullptr;
    QComboBox* m_textSizeCombo = nullptr;
    QLabel* m_schemeCaption = nullptr;
    QLabel* m_languageCaption = nullptr;
    QLabel* m_textSizeCaption = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_discardButton = nullptr;
    QFrame* m_logoPanel = nullptr;
    bool m_done = false;
};
