#pragma once

#include "core/text/text_ids.h"
#include "ui/platform/main_window.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QStackedWidget;

// What the export and import wizards share: a heading, pages one after another, and the "<<",
// ">>" and Cancel buttons. A wizard stands in for a main window while it is open; however it
// closes, the main window it came from comes back, loaded afresh.
class WizardWindow : public QWidget {
    Q_OBJECT
public:
    WizardWindow(MainWindowKind returnTo, const char* objectName);

protected:
    // The page with this index becomes the one shown; heading and window height follow it.
    void showPage(int index, TextId heading, bool capitalised = false);
    int page() const;
    void addPage(QWidget* page);
    // Sets the window's size for the page shown (in twips, as the pages are designed); the user may
    // make it larger, to read long titles.
    void setPageSize(double widthTwips, double heightTwips);
    void closeEvent(QCloseEvent* event) override;
    // Return and Enter press the focused button, or else the default one, ">>", as in a dialog.
    void keyPressEvent(QKeyEvent* event) override;

    virtual void next() = 0;
    virtual void back() = 0;

    QLabel* m_heading = nullptr;
    QPushButton* m_backButton = nullptr;
    QPushButton* m_nextButton = nullptr;
    QPushButton* m_cancelButton = nullptr;

private:
    QStackedWidget* m_pages = nullptr;
    MainWindowKind m_returnTo;
    bool m_returned = false;
};

// The "File name:" label of the file pages, with the chosen file's name when there is one.
QString fileNameCaption(const QString& separator, const QString& fileTitle = {});

// A button whose caption is a symbol: the access key comes from `tip` (its "&"), which also says
// in words what the button does and names the key.
void giveSymbolButtonAccessKey(QPushButton* button, TextId tip);
