#include "core/app/dialogs.h"

#include "core/text/text_table.h"

MsgAnswer showMessage(Dialogs& dialogs, const QString& text, MsgIcon icon)
{
    return dialogs.message(text, kMessageTitle, MsgButtons::Ok, icon);
}
