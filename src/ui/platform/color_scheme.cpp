#include "ui/platform/color_scheme.h"

#include "core/app/app_state.h"
#include "core/text/text_table.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace {

QPalette::ColorRole systemRole(int number)
{
    switch (number) {
    case 5: // window background
        return QPalette::Base;
    case 6:  // window frame
    case 16: // button shadow
        return QPalette::Dark;
    case 7: // menu text
    case 9: // caption text
        return QPalette::WindowText;
    case 8: // window text
        return QPalette::Text;
    case 13: // highlight
    case 2:  // active caption
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 15: // button face
        return QPalette::Button;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    default:
        return QPalette::Window;
    }
}

// Back colours hold while a window is disabled (it stays shown under a secondary window); text
// colours keep the toolkit's disabled look.
void setRoles(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles, const QColor& color,
              bool evenWhenDisabled)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : roles) {
        palette.setColor(QPalette::Active, role, color);
        palette.setColor(QPalette::Inactive, role, color);
        if (evenWhenDisabled)
            palette.setColor(QPalette::Disabled, role, color);
    }
    widget->setPalette(palette);
}

constexpr char kColorTagProperty[] = "saporinaColorTag";

void applyTag(QWidget* widget, ColorTag tag)
{
    switch (tag) {
    case ColorTag::WindowBack:
        setBackColor(widget, schemeColor(RoleButton));
        break;
    case ColorTag::Button:
        setButtonColor(widget, schemeColor(RoleButton));
        break;
    case ColorTag::FieldBack:
        setBackColor(widget, schemeColor(RoleField));
        break;
    case ColorTag::Field:
        setFieldBackColor(widget, schemeColor(RoleField));
        setFieldTextColor(widget, schemeColor(RoleFieldText));
        if (qobject_cast<QLabel*>(widget)) { // a label shown as a field: its back and text too
            setBackColor(widget, schemeColor(RoleField));
            setLabelColor(widget, schemeColor(RoleFieldText));
        }
        setTextSize(widget, app().textFontSize);
        break;
    case ColorTag::Label:
        setLabelColor(widget, schemeColor(RoleLabel));
        break;
    case ColorTag::HeadingShadow:
        setLabelColor(widget, schemeColor(RoleField));
        break;
    case ColorTag::Panel:
        setBackColor(widget, schemeColor(RolePanel));
        break;
    case ColorTag::Menu:
        keepDesktopColors(widget);
        break;
    }
}

} // namespace

void tagColor(QWidget* widget, ColorTag tag)
{
    widget->setProperty(kColorTagProperty, static_cast<int>(tag));
}

void applyColorScheme(QWidget* window)
{
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : std::as_const(widgets)) {
        const QVariant tag = widget->property(kColorTagProperty);
        if (tag.isValid())
            applyTag(widget, static_cast<ColorTag>(tag.toInt()));
    }
}

QColor resolveColor(qint32 value)
{
    if (value < 0)
        return QApplication::palette().color(QPalette::Active, systemRole(value & 0xFF));
    const auto v = static_cast<quint32>(value);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

QColor schemeColor(int scheme, int role)
{
    return resolveColor(colorValue(2000 + scheme + role));
}

QColor schemeColor(int role)
{
    return schemeColor(app().colorScheme, role);
}

void setBackColor(QWidget* widget, const QColor& color)
{
    widget->setAutoFillBackground(true);
    setRoles(widget, {QPalette::Window}, color, true);
}

void setButtonColor(QWidget* widget, const QColor& color)
{
    setRoles(widget, {QPalette::Button}, color, true);
}

void setFieldBackColor(QWidget* widget, const QColor& color)
{
    // Combo boxes draw their closed face with the button colour.
    setRoles(widget, {QPalette::Base, QPalette::Button}, color, true);
}

void setLabelColor(QWidget* widget, const QColor& color)
{
    setRoles(widget, {QPalette::WindowText}, color, false);
}

void setFieldTextColor(QWidget* widget, const QColor& color)
{
    // Placeholder text too (a hint in an empty box): the default grey is unreadable on dark fields.
    setRoles(widget, {QPalette::Text, QPalette::ButtonText, QPalette::PlaceholderText}, color, false);
}

void setTextSize(QWidget* widget, int points)
{
    QFont font = widget->font();
    font.setPointSize(points);
    widget->setFont(font);
}

void keepDesktopColors(QWidget* widget)
{
    const QPalette desktop = QApplication::palette();
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText, QPalette::Button, QPalette::ButtonText})
        palette.setColor(role, desktop.color(role));
    widget->setPalette(palette);
}
