#pragma once

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

// Colour scheme, language and text size. Shown while no main window is loaded; Save or Discard
// (or the close box, which discards) brings back the window it came from, loaded afresh.
class FrmOps : public QWidget {
    Q_OBJECT
public:
    explicit FrmOps(QWidget* parent = nullptr);

    QComboBox* cboColor = nullptr;
    QComboBox* cboLang = nullptr;
    QComboBox* cboText = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdDis = nullptr;
    QFrame* Picture1 = nullptr;

    void cboColor_Click();
    void cmdSave_Click();
    void cmdDis_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void getAllDefaultSettings();
    void returnToMainWindow();

    bool m_done = false;
};
