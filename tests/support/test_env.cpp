#include "test_env.h"

#include "ui/platform/main_window.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QPointer>

WindowTestEnv::WindowTestEnv()
{
    setDialogs(&dialogs);
}

WindowTestEnv::~WindowTestEnv()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->parentWidget())
            windows.append(window);
    }
    for (const QPointer<QWidget>& window : windows)
        delete window.data(); // a window may already have gone with its owner
    setDialogs(nullptr);
}

AccessKeyReport accessKeyReport(const QWidget* window)
{
    AccessKeyReport report;
    QMap<QString, QStringList> owners; // key -> the controls it reaches
    auto note = [&](const QKeySequence& key, const QString& owner) {
        if (!key.isEmpty())
            owners[key.toString()] << owner;
    };
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(window) || !button->isEnabled())
            continue;
        const QString name = button->objectName().isEmpty() ? button->text() : button->objectName();
        const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
        note(mnemonic, name);
        if (button->shortcut() != mnemonic)
            note(button->shortcut(), name);
        if (mnemonic.isEmpty() && button->shortcut().isEmpty())
            report.withoutKey << name;
    }
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (label->isVisibleTo(window) && label->buddy())
            note(QKeySequence::mnemonic(label->text()), label->text());
    }
    for (auto it = owners.cbegin(); it != owners.cend(); ++it) {
        if (it.value().size() > 1)
            report.clashes << it.key() + QStringLiteral(": ") + it.value().join(QStringLiteral(", "));
    }
    return report;
}
