#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// Asks for the language on the first run; start-up goes on when it closes.
class FrmLang : public QWidget {
    Q_OBJECT
public:
    explicit FrmLang(QWidget* parent = nullptr);

    QPushButton* cmdEng = nullptr;
    QPushButton* cmdEsp = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdEng_Click();
    void cmdEsp_Click();

    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
};
