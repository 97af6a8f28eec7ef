#pragma once

#include "core/output/shown_recipe.h"
#include "ui/output/relay_browser.h"

#include <QTimer>
#include <QWidget>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Sends chosen recipes to a friend through the relay web form: the form page is loaded, its fields
// filled with the sender, the recipient, a subject and the recipes as text, and the form sent; the
// server behind it mails them. Opened from the browse window, which comes back when it closes.
class EmailWindow : public QWidget {
    Q_OBJECT
public:
    // `shown` is a text the cook sees rather than a stored recipe (a recipe scaled or in other measures,
    // a shopping list): offered first in the list, ticked.
    explicit EmailWindow(const std::optional<ShownRecipe>& shown = std::nullopt);
    ~EmailWindow() override;

signals:
    // The window closed: the browse window comes back.
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildHeading();
    void buildFormControls();
    void layOutForm();
    void layOutWindow(QWidget* heading);
    void connectControls();
    void tagColors();
    void applyTexts();
    void fillRecipeList();
    void checkAll(bool checked);
    // The checks before sending, in order; false (with the message shown) when one fails.
    bool formIsComplete();
    QString messageBody() const;
    void setSending(bool sending);

    void send();
    void cancelSend();
    void pageComplete();
    void fillAndSubmitTick();
    void reportSentTick();
    void navigationFailed(const QString& reason, bool timedOut);

    QLabel* m_heading[2] = {};
    QWidget* m_headingRule = nullptr;
    QWidget* m_formPanel = nullptr;
    QLabel* m_senderLabel = nullptr;
    QLabel* m_recipientLabel = nullptr;
    QLabel* m_senderNameLabel = nullptr;
    QLabel* m_senderAddressLabel = nullptr;
    QLabel* m_recipientNameLabel = nullptr;
    QLabel* m_recipientAddressLabel = nullptr;
    QLineEdit* m_senderName = nullptr;
    QLineEdit* m_senderAddress = nullptr;
    QLineEdit* m_recipientName = nullptr;
    QLineEdit* m_recipientAddress = nullptr;
    QListWidget* m_recipeList = nullptr; // each entry's data is its category's position
    QPushButton* m_checkAllButton = nullptr;
    QPushButton* m_uncheckAllButton = nullptr;
    QPushButton* m_sendButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QPushButton* m_cancelSendButton = nullptr;
    QLabel* m_statusLabel = nullptr;
    QLabel* m_connectionNotice = nullptr;

    std::optional<ShownRecipe> m_shown;
    RelayBrowser m_browser;
    QTimer m_fillTimer;   // fills and sends the form once its page is complete
    QTimer m_finishTimer; // reports success once the answer page is complete

    // Where a send is: the form page asked for, then filled (on a tick once the page is complete), then
    // sent, then its answer page awaited and reported (on a tick once it is complete).
    enum class SendState { Idle, LoadingForm, FillingForm, Sending, ConfirmingSent };
    SendState m_state = SendState::Idle;
    bool m_finished = false;
};
