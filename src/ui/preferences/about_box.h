#pragma once

#include "ui/platform/main_window.h"

class QLabel;
class QLayout;
class QPushButton;

// The about box: name, version, description and the product's web address.
class AboutBox : public SecondaryWindow {
    Q_OBJECT
public:
    AboutBox();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The program's name, version, maker, description, web address and rights, one under another.
    QLayout* buildTexts();
    void openWebAddress();

    QLabel* m_versionLabel = nullptr;
    QLabel* m_descriptionLabel = nullptr;
    QLabel* m_webLabel = nullptr;
    QPushButton* m_okButton = nullptr;
};

// The version as the about box shows it: major.minor.revision.
QString programVersion();

void openAboutBox(QWidget* opener);
