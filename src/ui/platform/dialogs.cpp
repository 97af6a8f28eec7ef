#include "ui/platform/dialogs.h"

#include "core/app/app_state.h"
#include "core/sharing/shared_book.h"
#include "core/text/text_table.h"
#include "ui/platform/qt_dialogs.h"

#include <QDir>

namespace {
Dialogs*& installed()
{
    static Dialogs* current = nullptr;
    return current;
}
} // namespace

Dialogs& dialogs()
{
    static QtDialogs real;
    return installed() ? *installed() : real;
}

void setDialogs(Dialogs* dialogs)
{
    installed() = dialogs;
}

MsgAnswer showMessage(Dialogs& dialogs, const QString& text, MsgIcon icon)
{
    return dialogs.message(text, kMessageTitle, MsgButtons::Ok, icon);
}

MsgAnswer showMessage(const QString& text, MsgIcon icon)
{
    return showMessage(dialogs(), text, icon);
}

bool reportChange(const ChangeOutcome& outcome)
{
    for (const TextId id : outcome.notices)
        showMessage(loadText(id));
    if (!outcome.merged.isEmpty())
        showMessage(describeMerge(outcome.merged), MsgIcon::Information);
    if (outcome.status == ChangeOutcome::Status::SaveFailed) {
        const QString text = loadText(TextId::SaveFailedMessage) + QStringLiteral("\r\n\r\n") +
                             QDir::toNativeSeparators(app().bookPath()) + QStringLiteral(": ") + outcome.error;
        dialogs().message(text, kMessageTitle, MsgButtons::Ok, MsgIcon::Critical);
    }
    return outcome.saved();
}
