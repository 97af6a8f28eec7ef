#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class MainWindowBase;

// The about box: name, version, description and the product's web address.
class AboutBox : public QWidget {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    QLabel* m_versionLabel = nullptr;
    QLabel* m_descriptionLabel = nullptr;
    QLabel* m_webLabel = nullptr;
    QPushButton* m_okButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadWindow();
    void openWebAddress();
    void closeBox();
};

// The version as the about box shows it: major.minor.revision.
QString programVersion();

void openAboutBox(MainWindowBase* opener);
