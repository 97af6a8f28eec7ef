#include "ui/preferences/help_window.h"

#include "core/app/app_state.h"
#include "core/app/help_files.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "ui/platform/dialogs.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The help viewer: one per owning window, brought forward when asked again.
class HelpWindow : public QWidget {
public:
    HelpWindow(QWidget* owner, const QString& path) : QWidget(owner, Qt::Window)
    {
        setObjectName(QStringLiteral("helpWindow"));
        setWindowTitle(kMessageTitle + QStringLiteral(" | ") + loadText(TextId::HelpContentsMenu).remove(u'&'));
        browser = new QTextBrowser(this);
        browser->setOpenExternalLinks(true);
        browser->setAccessibleName(windowTitle());
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        resize(720, 560);
        load(path);
    }
    void load(const QString& path)
    {
        browser->setSource(QUrl::fromLocalFile(path));
        browser->home();
    }
    QTextBrowser* browser;
};

} // namespace

void showHelp(QWidget* owner)
{
    const QString path = helpFilePath();
    if (!QFileInfo(path).isFile()) {
        showMessage(loadText(TextId::HelpFileMissingMessage), MsgIcon::Exclamation);
        return;
    }
    auto* help =
        owner ? owner->findChild<HelpWindow*>(QStringLiteral("helpWindow"), Qt::FindDirectChildrenOnly) : nullptr;
    if (help)
        help->load(path);
    else
        help = new HelpWindow(owner, path);
    help->show();
    help->raise();
    help->activateWindow();
}

void openUrl(const QString& address)
{
    QDesktopServices::openUrl(QUrl(address));
}
