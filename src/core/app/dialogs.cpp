#include "core/app/dialogs.h"

MsgAnswer showMessage(Dialogs& dialogs, const QString& text, MsgIcon icon)
{
    return dialogs.message(text, QStringLiteral("SP"), MsgButtons::Ok, icon);
}
