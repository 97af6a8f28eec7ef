#include "core/app/app_state.h"

#include "core/app/dialogs.h"
#include "core/text/text_table.h"

#include <QDir>
#include <memory>

namespace {
std::unique_ptr<AppState>& instance()
{
    static std::unique_ptr<AppState> state = std::make_unique<AppState>();
    return state;
}
} // namespace

AppState& app()
{
    return *instance();
}

void resetAppState()
{
    Dialogs* keep = instance()->dialogs;
    instance() = std::make_unique<AppState>();
    instance()->dialogs = keep;
    setLanguage(Language::English);
}

QString AppState::bookPath() const
{
    return QDir(appPath).filePath(QStringLiteral("recipes.xml"));
}

QString AppState::imagesPath() const
{
    return QDir(appPath).filePath(QStringLiteral("images"));
}

bool reportChange(const ChangeOutcome& outcome)
{
    AppState& a = app();
    if (!a.dialogs)
        return outcome.saved();
    for (const TextId id : outcome.notices)
        showMessage(*a.dialogs, loadText(id));
    if (outcome.status == ChangeOutcome::Status::SaveFailed) {
        const QString text = loadText(TextId::SaveFailedMessage) + QStringLiteral("\r\n\r\n") +
                             QDir::toNativeSeparators(a.bookPath()) + QStringLiteral(": ") + outcome.error;
        a.dialogs->message(text, kMessageTitle, MsgButtons::Ok, MsgIcon::Critical);
    }
    return outcome.saved();
}
