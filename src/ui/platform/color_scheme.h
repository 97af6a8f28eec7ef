#pragma once

#include <QColor>

class QWidget;

// The five colour roles of a scheme.
enum ColorRole { RoleButton = 0, RoleField = 1, RoleLabel = 2, RoleFieldText = 3, RolePanel = 4 };

// A stored colour reference as a colour: red in the lowest byte; a negative value names a system
// colour (its low byte the number), taken from the platform palette.
QColor resolveColor(qint32 value);

// The colour of a role in the current scheme (or in `scheme`, a list position x 100).
QColor schemeColor(int role);
QColor schemeColor(int scheme, int role);

// Back colour of a window, frame or picture panel.
void setBackColor(QWidget* widget, const QColor& color);
// Back colour of a button.
void setButtonColor(QWidget* widget, const QColor& color);
// Back colour of a text box, list or combo box.
void setFieldBackColor(QWidget* widget, const QColor& color);
// Fore colour of a label.
void setLabelColor(QWidget* widget, const QColor& color);
// Fore colour of a text box, list or combo box.
void setFieldTextColor(QWidget* widget, const QColor& color);
// Menus keep the desktop's colours whatever the window's scheme.
void keepDesktopColors(QWidget* widget);
// Point size of a field's text.
void setTextSize(QWidget* widget, int points);

// What a widget is to the colour scheme, given once where the widget is made; applyColorScheme then
// colours a whole window in one pass.
enum class ColorTag {
    WindowBack,    // a window or frame in the button colour
    Button,        // a push button
    FieldBack,     // a frame or rule in the field colour
    Field,         // a text box, list or combo box: field colours and the chosen text size
    Label,         // a caption in the label colour
    HeadingShadow, // the heading's back label, in the field colour
    Panel,         // a panel (or a window) in the panel colour
    Menu,          // a menu bar, which keeps the desktop's colours
};
void tagColor(QWidget* widget, ColorTag tag);
template <typename... Widgets> void tagColors(ColorTag tag, Widgets*... widgets)
{
    (tagColor(widgets, tag), ...);
}
// Colours the window and every tagged widget in it in the current scheme.
void applyColorScheme(QWidget* window);
