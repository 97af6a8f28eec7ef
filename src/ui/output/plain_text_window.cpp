#include "ui/output/plain_text_window.h"

#include "core/book/atomic_file.h"
#include "core/output/plain_text.h"
#include "core/text/text_table.h"
#include "ui/platform/window_parts.h"
#include "ui/platform/color_scheme.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

PlainTextWindow::PlainTextWindow(const ShownRecipe& recipe)
    : PlainTextWindow(recipe.title, plainText(recipe), TextId::CopyToClipboardButton)
{
}

PlainTextWindow::PlainTextWindow(const QString& title, const QString& text)
    : PlainTextWindow(title, plainText(title, text), TextId::CopyTextButton)
{
}

PlainTextWindow::PlainTextWindow(const QString& title, const QString& plainText, TextId copyCaption)
    : m_title(title), m_plainText(plainText)
{
    setObjectName(QStringLiteral("plainTextWindow"));
    m_text = named(new QPlainTextEdit(this), "text");
    m_text->setReadOnly(true);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    m_text->setFont(font);
    m_copyButton = named(new QPushButton(this), "copyButton");
    m_saveButton = named(new QPushButton(this), "saveButton");
    m_closeButton = named(new QPushButton(this), "closeButton");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_copyButton);
    buttons->addWidget(m_saveButton);
    buttons->addStretch();
    buttons->addWidget(m_closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    resize(520, 460);

    connect(m_copyButton, &QPushButton::clicked, this, &PlainTextWindow::copyText);
    connect(m_saveButton, &QPushButton::clicked, this, &PlainTextWindow::saveText);
    connect(m_closeButton, &QPushButton::clicked, this, &PlainTextWindow::close);

    applyTextsAndColors();
    m_copyButton->setText(loadText(copyCaption));
    m_text->setPlainText(m_plainText);
}

void PlainTextWindow::applyTextsAndColors()
{
    setWindowTitle(loadText(TextId::PlainTextWindowTitle));
    m_copyButton->setText(loadText(TextId::CopyToClipboardButton));
    m_saveButton->setText(loadText(TextId::SaveTextFileButton));
    m_closeButton->setText(loadText(TextId::CloseButton));
    m_text->setAccessibleName(withoutAccessMarks(loadText(TextId::PlainTextMenu)));
    for (QPushButton* button : {m_closeButton, m_saveButton, m_copyButton})
        setButtonColor(button, schemeColor(RoleButton));
    setFieldBackColor(m_text, schemeColor(RoleField));
    setFieldTextColor(m_text, schemeColor(RoleFieldText));
    setBackColor(this, schemeColor(RolePanel));
}

void PlainTextWindow::copyText()
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_plainText);
}

void PlainTextWindow::saveText()
{
    m_saveDialog.title = loadText(TextId::SaveAsDialogTitle);
    m_saveDialog.filter = QStringLiteral("(*.txt)|*.txt");
    m_saveDialog.fileName = m_title;
    if (!dialogs().saveFile(m_saveDialog) || m_saveDialog.fileName.isEmpty())
        return;
    // An existing file is replaced without asking; one that cannot be written is kept as it was.
    QString why;
    if (!replaceFileAtomically(m_saveDialog.fileName, plainTextFile(m_plainText), &why))
        showMessage(loadText(TextId::TextFileUnwritableMessage) + QStringLiteral("\r\n\r\n") + why,
                    MsgIcon::Exclamation);
}
