#pragma once

#include "core/text/text_ids.h"
#include "ui/platform/dialogs.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QStackedWidget;

// What the export and import wizards share: a heading, pages one after another, and the "<<",
// ">>" and Cancel buttons. A wizard stands in for a main window while it is open; however it
// closes, it says it has finished, and the main window it came from comes back, loaded afresh.
class WizardWindow : public QWidget {
    Q_OBJECT
public:
    explicit WizardWindow(const char* objectName);

signals:
    void finished();

protected:
    // The page with this index becomes the one shown; heading and window height follow it.
    void showPage(int index, TextId heading, bool capitalised = false);
    int page() const;
    void addPage(QWidget* page);
    // Sets the window's size for the page shown (in twips, as the pages are designed); the user may
    // make it larger, to read long titles.
    void setPageSize(double widthTwips, double heightTwips);

    // The file page both wizards have: the prompt, the "browse" button and the "File name:" label,
    // which gives the chosen file's name after `separator`.
    QWidget* buildFilePage(TextId prompt, const QString& separator);
    // What a wizard makes of a file chosen in the dialog: taken, refused (the choice is cleared), or
    // passed over (nothing changes). It shows its own messages.
    enum class FileChoice { Taken, Refused, PassedOver };
    virtual FileChoice checkChosenFile(const QString& path) = 0;
    // The file chosen on the file page; empty until one is.
    QString chosenFile() const { return m_chosenFile; }
    // Shows the file dialog the wizard needs (the open form unless a wizard asks for a folder).
    virtual bool askForFile(FileDialogState& dialog) { return dialogs().openFile(dialog); }
    // Takes the file as if chosen in the dialog; true when the wizard took it.
    bool takeFile(const QString& path);
    // The file page as it starts: nothing chosen.
    void clearChosenFile();
    // Adds a row (a caption and its control) above the file page's "browse" button.
    void addFilePageRow(QWidget* caption, QWidget* control);
    // Whether the path is the book's own file (compared as the system names it).
    static bool isTheBook(const QString& path);
    void closeEvent(QCloseEvent* event) override;
    // Return and Enter press the focused button, or else the default one, ">>", as in a dialog.
    void keyPressEvent(QKeyEvent* event) override;

    virtual void next() = 0;
    virtual void back() = 0;

    QLabel* m_heading = nullptr;
    QPushButton* m_backButton = nullptr;
    QPushButton* m_nextButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    FileDialogState m_fileDialog;

private:
    void focusFirstControl(QWidget* page);
    void chooseFile();

    QStackedWidget* m_pages = nullptr;
    QLabel* m_fileLabel = nullptr;
    QWidget* m_filePage = nullptr;
    QString m_fileNameSeparator;
    QString m_chosenFile;
    bool m_finished = false;
};

// A text of the pages, wrapped at the page's width.
QLabel* wrappedLabel(TextId id, QWidget* parent);
