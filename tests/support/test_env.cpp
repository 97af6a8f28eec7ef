#include "test_env.h"

#include "core/text/text_table.h"
#include "ui/platform/main_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QPointer>
#include <QTest>

#include <algorithm>

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

QStringList listTexts(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

bool activate(QWidget* window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void pressAccessKey(QWidget* widget, TextId caption)
{
    QTest::keyClick(widget, QKeySequence::mnemonic(loadText(caption))[0].key(), Qt::AltModifier);
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

namespace {

QString describeControl(const QAccessibleInterface* control)
{
    const QObject* object = control->object();
    QString what = object ? QString::fromLatin1(object->metaObject()->className()) : QStringLiteral("item");
    if (object && !object->objectName().isEmpty())
        what += u' ' + object->objectName();
    return what;
}

void collectUnnamed(QAccessibleInterface* node, QStringList& unnamed, int depth)
{
    // A long list's rows are alike: the first few stand for the rest.
    const int children = std::min(node->childCount(), 40);
    for (int i = 0; i < children; ++i) {
        QAccessibleInterface* control = node->child(i);
        if (!control)
            continue;
        const QAccessible::State state = control->state();
        if (state.invisible || state.offscreen)
            continue;
        // A row is read by its first cell; a cell after it may show nothing (a category has no scale).
        const QAccessibleTableCellInterface* cell = control->tableCellInterface();
        const bool laterCell = cell && cell->columnIndex() > 0;
        if (state.focusable && !laterCell && control->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << describeControl(control);
        if (depth < 40)
            collectUnnamed(control, unnamed, depth + 1);
    }
}

} // namespace

QStringList unnamedFocusableControls(QWidget* window)
{
    QStringList unnamed;
    if (QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window))
        collectUnnamed(root, unnamed, 0);
    return unnamed;
}

namespace {

void collectTabStops(QAccessibleInterface* node, QList<QWidget*>& stops, int depth)
{
    for (int i = 0; i < node->childCount() && depth < 40; ++i) {
        QAccessibleInterface* control = node->child(i);
        if (!control || control->state().invisible)
            continue;
        auto* widget = qobject_cast<QWidget*>(control->object());
        if (widget && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) && !stops.contains(widget))
            stops << widget;
        if (!control->tableCellInterface()) // a list's rows are not tab stops of their own
            collectTabStops(control, stops, depth + 1);
    }
}

QString describeWidget(const QWidget* widget)
{
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

} // namespace

TabOrderReport tabOrderReport(QWidget* window)
{
    TabOrderReport report;
    QList<QWidget*> stops;
    if (QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window))
        collectTabStops(root, stops, 0);
    for (const QWidget* widget : std::as_const(stops))
        report.reading << describeWidget(widget);
    QWidget* widget = window;
    for (int guard = 0; guard < 1000; ++guard) {
        widget = widget->nextInFocusChain();
        if (widget == window)
            break;
        if (stops.contains(widget) && !report.tabbing.contains(describeWidget(widget)))
            report.tabbing << describeWidget(widget);
    }
    // Tab goes round: where the round is taken up does not matter, only the order.
    const qsizetype first = report.reading.isEmpty() ? -1 : report.tabbing.indexOf(report.reading.first());
    if (first > 0)
        report.tabbing = report.tabbing.mid(first) + report.tabbing.first(first);
    return report;
}
