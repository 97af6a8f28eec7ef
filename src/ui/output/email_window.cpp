#include "ui/output/email_window.h"

#include "core/app/app_state.h"
#include "core/book/sorted_list.h"
#include "core/output/email_address.h"
#include "core/output/email_message.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/list_adapters.h"
#include "ui/platform/window_parts.h"
#include "ui/platform/color_scheme.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kStepIntervalMs = 1100;
// The list entry of the text shown: no category has this position.
constexpr int kShownEntry = -1;

} // namespace

EmailWindow::EmailWindow(const std::optional<ShownRecipe>& shown) : QWidget(nullptr, Qt::Window), m_shown(shown)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("emailWindow"));
    QWidget* heading = buildHeading();
    buildFormControls();
    m_sendButton = named(new QPushButton(this), "sendButton");
    m_closeButton = named(new QPushButton(this), "closeButton");
    m_cancelSendButton = named(new QPushButton(this), "cancelSendButton");
    m_cancelSendButton->setVisible(false);
    m_statusLabel = named(new QLabel(this), "statusLabel");
    m_connectionNotice = named(new QLabel(this), "connectionNotice");
    layOutWindow(heading);
    connectControls();
    tagColors();
    applyColorScheme(this);
    applyTexts();
    fillRecipeList();
}

QWidget* EmailWindow::buildHeading()
{
    // The heading's two labels share one place, the second drawn a little right and down.
    auto* headingArea = new QWidget(this);
    makeHeading(headingArea, m_heading);
    auto* headingLayout = new QGridLayout(headingArea);
    headingLayout->setContentsMargins(0, 0, 0, 0);
    m_heading[0]->setContentsMargins(0, 0, 2, 2);
    m_heading[1]->setContentsMargins(2, 2, 0, 0);
    headingLayout->addWidget(m_heading[0], 0, 0);
    headingLayout->addWidget(m_heading[1], 0, 0);
    // A rule in the field colour under the heading.
    m_headingRule = named(new QWidget(this), "headingRule");
    m_headingRule->setAutoFillBackground(true);
    m_headingRule->setFixedHeight(4);
    return headingArea;
}

void EmailWindow::buildFormControls()
{
    m_formPanel = named(new QWidget(this), "formPanel");
    m_formPanel->setAutoFillBackground(true);
    auto bold = [](QLabel* label) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        return label;
    };
    m_senderLabel = bold(named(new QLabel(m_formPanel), "senderLabel"));
    m_recipientLabel = bold(named(new QLabel(m_formPanel), "recipientLabel"));
    m_senderNameLabel = named(new QLabel(m_formPanel), "senderNameLabel");
    m_senderAddressLabel = named(new QLabel(m_formPanel), "senderAddressLabel");
    m_recipientNameLabel = named(new QLabel(m_formPanel), "recipientNameLabel");
    m_recipientAddressLabel = named(new QLabel(m_formPanel), "recipientAddressLabel");
    m_senderName = named(new QLineEdit(m_formPanel), "senderName");
    m_senderAddress = named(new QLineEdit(m_formPanel), "senderAddress");
    m_recipientName = named(new QLineEdit(m_formPanel), "recipientName");
    m_recipientAddress = named(new QLineEdit(m_formPanel), "recipientAddress");
    m_recipeList = named(new QListWidget(m_formPanel), "recipeList");
    m_checkAllButton = named(new QPushButton(m_formPanel), "checkAllButton");
    m_uncheckAllButton = named(new QPushButton(m_formPanel), "uncheckAllButton");
    layOutForm();
}

void EmailWindow::layOutForm()
{
    // The sender's and the recipient's fields on the left, the recipes on the right.
    auto* fields = new QGridLayout;
    int row = 0;
    for (auto [heading, nameLabel, name, addressLabel, address] :
         {std::tuple{m_senderLabel, m_senderNameLabel, m_senderName, m_senderAddressLabel, m_senderAddress},
          std::tuple{m_recipientLabel, m_recipientNameLabel, m_recipientName, m_recipientAddressLabel,
                     m_recipientAddress}}) {
        fields->addWidget(heading, row++, 0, 1, 2);
        fields->addWidget(nameLabel, row, 0);
        fields->addWidget(name, row++, 1);
        fields->addWidget(addressLabel, row, 0);
        fields->addWidget(address, row++, 1);
        fields->setRowMinimumHeight(row++, 10);
    }
    fields->setRowStretch(row, 1);
    fields->setColumnMinimumWidth(1, 220);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(m_checkAllButton);
    listButtons->addWidget(m_uncheckAllButton);
    listButtons->addStretch();
    auto* recipes = new QVBoxLayout;
    recipes->addWidget(m_recipeList, 1);
    recipes->addLayout(listButtons);
    auto* form = new QHBoxLayout(m_formPanel);
    form->addLayout(fields);
    form->addSpacing(12);
    form->addLayout(recipes, 1);
}

void EmailWindow::layOutWindow(QWidget* heading)
{
    auto* status = new QVBoxLayout;
    status->addWidget(m_statusLabel);
    status->addWidget(m_connectionNotice);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(status, 1);
    bottom->addWidget(m_cancelSendButton);
    bottom->addWidget(m_sendButton);
    bottom->addWidget(m_closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_headingRule);
    layout->addWidget(m_formPanel, 1);
    layout->addLayout(bottom);
    resize(680, 460);
}

void EmailWindow::connectControls()
{
    for (QTimer* timer : {&m_fillTimer, &m_finishTimer})
        timer->setInterval(kStepIntervalMs);
    connect(&m_fillTimer, &QTimer::timeout, this, &EmailWindow::fillAndSubmitTick);
    connect(&m_finishTimer, &QTimer::timeout, this, &EmailWindow::reportSentTick);
    connect(&m_browser, &RelayBrowser::documentComplete, this, &EmailWindow::pageComplete);
    connect(&m_browser, &RelayBrowser::navigateError, this, &EmailWindow::navigationFailed);
    connect(m_checkAllButton, &QPushButton::clicked, this, [this] { checkAll(true); });
    connect(m_uncheckAllButton, &QPushButton::clicked, this, [this] { checkAll(false); });
    connect(m_sendButton, &QPushButton::clicked, this, &EmailWindow::send);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_cancelSendButton, &QPushButton::clicked, this, &EmailWindow::cancelSend);
}

EmailWindow::~EmailWindow() = default;

void EmailWindow::tagColors()
{
    tagColor(this, ColorTag::WindowBack);
    ::tagColors(ColorTag::Button, m_checkAllButton, m_uncheckAllButton, m_sendButton, m_closeButton,
                m_cancelSendButton);
    tagColor(m_headingRule, ColorTag::FieldBack);
    tagColor(m_heading[0], ColorTag::HeadingShadow);
    ::tagColors(ColorTag::Label, m_heading[1], m_senderLabel, m_recipientLabel, m_recipientNameLabel,
                m_recipientAddressLabel, m_senderNameLabel, m_senderAddressLabel);
    ::tagColors(ColorTag::Field, m_recipeList, m_recipientAddress, m_recipientName, m_senderAddress, m_senderName);
    tagColor(m_formPanel, ColorTag::Panel);
}

void EmailWindow::applyTexts()
{
    setWindowTitle(loadText(TextId::EmailWindowTitle));
    m_connectionNotice->setText(QStringLiteral("* ") + loadText(TextId::InternetRequiredLabel));
    m_senderName->setText(emailName(readSetting(Setting::SenderName)));
    m_senderAddress->setText(emailName(readSetting(Setting::SenderEmail)));
    m_checkAllButton->setText(loadText(TextId::CheckAllButton));
    m_uncheckAllButton->setText(loadText(TextId::UncheckAllButton));
    m_cancelSendButton->setText(loadText(TextId::CancelEditButton));
    m_sendButton->setText(loadText(TextId::EmailSendButton));
    m_closeButton->setText(loadText(TextId::CloseButton));
    m_statusLabel->setText(loadText(TextId::EmailStatusLabel));
    m_senderLabel->setText(loadText(TextId::EmailSenderLabel));
    m_recipientLabel->setText(loadText(TextId::EmailRecipientLabel));
    for (QLabel* l : {m_senderNameLabel, m_recipientNameLabel})
        l->setText(loadText(TextId::EmailNameLabel));
    for (QLabel* l : {m_senderAddressLabel, m_recipientAddressLabel})
        l->setText(loadText(TextId::EmailAddressLabel));
    for (QLabel* l : m_heading)
        l->setText(loadText(TextId::EmailHeading));
    // Two boxes share each caption: a screen reader hears whose name or address it is too.
    const std::pair<QLineEdit*, std::pair<TextId, TextId>> boxes[] = {
        {m_senderName, {TextId::EmailSenderLabel, TextId::EmailNameLabel}},
        {m_senderAddress, {TextId::EmailSenderLabel, TextId::EmailAddressLabel}},
        {m_recipientName, {TextId::EmailRecipientLabel, TextId::EmailNameLabel}},
        {m_recipientAddress, {TextId::EmailRecipientLabel, TextId::EmailAddressLabel}}};
    for (const auto& [box, captions] : boxes)
        nameAfterCaption(box, loadText(captions.first) + QStringLiteral(", ") + loadText(captions.second));
    m_recipeList->setAccessibleName(loadText(TextId::RecipesToSendName));
}

void EmailWindow::fillRecipeList()
{
    QList<ListEntry> entries;
    int position = 0;
    for (const XmlNode& category : app().book.categories()) {
        for (const XmlNode& recipe : RecipeBook::recipes(category)) {
            const QString title = RecipeBook::title(recipe);
            if (!title.isEmpty())
                entries.append({title, position});
        }
        ++position;
    }
    WidgetList(m_recipeList).fill(entries);
    makeCheckable(m_recipeList);
    if (m_shown) {
        auto* shown = new QListWidgetItem(m_shown->title);
        shown->setData(Qt::UserRole, kShownEntry);
        shown->setFlags(shown->flags() | Qt::ItemIsUserCheckable);
        shown->setCheckState(Qt::Checked);
        m_recipeList->insertItem(0, shown);
        m_recipeList->setCurrentRow(0);
    }
}

void EmailWindow::checkAll(bool checked)
{
    setAllChecked(m_recipeList, checked);
}

bool EmailWindow::formIsComplete()
{
    for (QLineEdit* box : {m_senderName, m_senderAddress, m_recipientName, m_recipientAddress})
        box->setText(emailName(box->text())); // no line break reaches a header or the settings
    for (QLineEdit* address : {m_senderAddress, m_recipientAddress}) {
        if (!isValidEmail(address->text())) {
            showMessage(loadText(TextId::InvalidEmailAddressMessage));
            address->selectAll();
            address->setFocus();
            return false;
        }
    }
    if (m_senderName->text().isEmpty() || m_recipientName->text().isEmpty()) {
        showMessage(loadText(TextId::EmailFieldsRequiredMessage));
        return false;
    }
    for (int row = 0; row < m_recipeList->count(); ++row) {
        if (m_recipeList->item(row)->checkState() == Qt::Checked)
            return true;
    }
    showMessage(loadText(TextId::NoRecipesToEmailMessage));
    return false;
}

QString EmailWindow::messageBody() const
{
    QList<std::pair<int, QString>> chosen;
    QString shownBlock;
    for (int row = 0; row < m_recipeList->count(); ++row) {
        const QListWidgetItem* item = m_recipeList->item(row);
        if (item->checkState() != Qt::Checked)
            continue;
        const int position = item->data(Qt::UserRole).toInt();
        if (position == kShownEntry && m_shown) {
            const ShownRecipe& s = *m_shown;
            shownBlock = emailRecipeBlock(
                Recipe{s.title, s.prepTime, s.cookTime, s.yield, s.ingredients, s.preparation, s.notes, {}, {}});
        } else {
            chosen.append({position, item->text()});
        }
    }
    return emailBody(m_recipientName->text(), shownBlock + emailRecipeBlocks(app().book, chosen), language());
}

void EmailWindow::setSending(bool sending)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_senderName, m_senderAddress, m_recipientName,
                                                      m_recipientAddress, m_recipeList, m_checkAllButton,
                                                      m_uncheckAllButton, m_sendButton, m_closeButton})
        w->setEnabled(!sending);
    m_cancelSendButton->setVisible(sending);
    m_statusLabel->setText(loadText(sending ? TextId::EmailSendingStatus : TextId::EmailStatusLabel));
    if (sending)
        m_cancelSendButton->setFocus();
}

void EmailWindow::send()
{
    if (!formIsComplete())
        return;
    m_state = SendState::LoadingForm;
    setSending(true);
    writeSetting(Setting::SenderName, m_senderName->text());
    writeSetting(Setting::SenderEmail, m_senderAddress->text());
    m_browser.navigate(relayFormAddress());
}

void EmailWindow::cancelSend()
{
    m_finishTimer.stop();
    m_fillTimer.stop();
    // Nothing that is still on its way may go on with the send.
    m_browser.stop();
    m_state = SendState::Idle;
    setSending(false);
}

void EmailWindow::pageComplete()
{
    if (m_state == SendState::LoadingForm) {
        m_state = SendState::FillingForm;
        m_fillTimer.start();
    } else if (m_state == SendState::Sending) {
        m_state = SendState::ConfirmingSent;
        m_finishTimer.start();
    }
}

void EmailWindow::fillAndSubmitTick()
{
    if (m_state != SendState::FillingForm || m_browser.busy())
        return; // the next tick looks again
    m_fillTimer.stop();
    const bool filled = m_browser.setValue(QStringLiteral("To"), m_recipientAddress->text()) &&
                        m_browser.setValue(QStringLiteral("From_Header"),
                                           emailFromHeader(m_senderName->text(), m_senderAddress->text())) &&
                        m_browser.setValue(QStringLiteral("Subject"), loadText(TextId::EmailSubject)) &&
                        m_browser.setValue(QStringLiteral("Contents"), messageBody());
    m_state = SendState::Sending;
    if (!filled || !m_browser.click(QStringLiteral("SubmitMe"))) {
        // Whatever answered was not the relay form (a login page on the way, say): the send fails.
        navigationFailed(QString(), false);
    }
}

void EmailWindow::reportSentTick()
{
    if (m_state != SendState::ConfirmingSent || m_browser.busy())
        return;
    m_finishTimer.stop();
    showMessage(loadText(TextId::EmailSentMessage));
    m_state = SendState::Idle;
    setSending(false);
}

void EmailWindow::navigationFailed(const QString&, bool timedOut)
{
    if (m_state == SendState::Idle)
        return;
    cancelSend();
    showMessage(loadText(timedOut ? TextId::RelayTimeoutMessage : TextId::ConnectionErrorMessage),
                MsgIcon::Exclamation);
}

void EmailWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_browser.stop();
    m_fillTimer.stop();
    m_finishTimer.stop();
    if (!m_finished) {
        m_finished = true;
        hide();
        emit finished();
    }
}
