#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class MainWindowBase;

// The about box: name, version, description and the product's web address.
class FrmAbout : public QWidget {
    Q_OBJECT
public:
    explicit FrmAbout(QWidget* parent = nullptr);

    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblWeb = nullptr;
    QPushButton* cmdOK = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void lblWeb_Click();
    void cmdOK_Click();
};

// The version as the about box shows it: major.minor.revision.
QString programVersion();

void openAboutBox(MainWindowBase* opener);
