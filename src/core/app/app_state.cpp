#include "core/app/app_state.h"

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
    instance() = std::make_unique<AppState>();
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
