#pragma once

#include "core/output/shown_recipe.h"
#include "core/text/text_ids.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/main_window.h"

class QPlainTextEdit;
class QPushButton;

// The recipe shown in the browse window (or a shopping list) as plain text, to copy to the clipboard
// or save as a text file. The browse window stays shown behind it and takes no input until it closes.
class PlainTextWindow : public SecondaryWindow {
    Q_OBJECT
public:
    explicit PlainTextWindow(const ShownRecipe& recipe);
    // Any other titled text, a shopping list say.
    PlainTextWindow(const QString& title, const QString& text);

private:
    PlainTextWindow(const QString& title, const QString& plainText, TextId copyCaption);
    void applyTextsAndColors();
    void copyText();
    void saveText();

    QString m_title;
    QString m_plainText; // with its CR LF line ends, as it is copied and saved
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_copyButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    FileDialogState m_saveDialog;
};
