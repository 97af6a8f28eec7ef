#include "ui/exchange/backup_command.h"

#include "core/app/app_state.h"
#include "core/book/atomic_file.h"
#include "core/exchange/backup.h"
#include "core/text/text_table.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/work_progress.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The dialog keeps the last name chosen for later backups while the program runs.
FileDialogState& backupDialog()
{
    static FileDialogState state;
    state.title = loadText(TextId::BackupFileDialogTitle);
    state.filter = QStringLiteral("(*.xml) |*.xml|");
    if (state.fileName.isEmpty())
        state.fileName = loadText(TextId::BackupDefaultFileName);
    return state;
}

bool ask(TextId question)
{
    return dialogs().message(loadText(question), kMessageTitle, MsgButtons::YesNo, MsgIcon::None) == MsgAnswer::Yes;
}

// A file or folder step failed: say so, with the system's reason, and that the backup ended.
// Without a reason the user stopped it.
void failed(const QString& why)
{
    if (!why.isEmpty())
        showMessage(loadText(TextId::FileAccessErrorMessage) + QStringLiteral("\r\n\r\n") + why, MsgIcon::Exclamation);
    showMessage(loadText(TextId::BackupCancelledMessage));
}

} // namespace

void backUpRecipes(QWidget* parent)
{
    const AppState& a = app();
    for (;;) {
        FileDialogState& dialog = backupDialog();
        if (!dialogs().saveFile(dialog) || dialog.fileName.isEmpty()) {
            showMessage(loadText(TextId::BackupCancelledMessage));
            return;
        }
        const QString target = dialog.fileName;
        if (const auto problem = backupTargetProblem(target, a.bookPath(), a.imagesPath())) {
            showMessage(loadText(*problem), MsgIcon::Exclamation);
            continue;
        }
        // An existing file is replaced only at the end, whole: until then it stays as it was.
        if (QFileInfo::exists(target) && !ask(TextId::OverwriteFilePrompt))
            continue;
        if (ask(TextId::BackupImagesPrompt)) {
            const QString folder = pictureFolderBeside(target);
            if (const auto problem = pictureFolderProblem(folder)) {
                showMessage(loadText(*problem), MsgIcon::Exclamation);
                continue;
            }
            QString error;
            if (QFileInfo(folder).isDir()) {
                if (!ask(TextId::ImageFolderExistsPrompt))
                    continue;
                WorkProgress progress(parent, loadText(TextId::BackupRecipesMenu).remove(u'&'));
                if (!clearFolder(folder, &error, progress.callback()))
                    return failed(error);
            } else if (!QDir().mkpath(folder)) {
                return failed(QDir::toNativeSeparators(folder));
            }
            WorkProgress progress(parent, loadText(TextId::BackupRecipesMenu).remove(u'&'));
            if (!copyFolderFiles(a.imagesPath(), folder, &error, progress.callback()))
                return failed(error);
        }
        QString error;
        if (!copyFileAtomically(a.bookPath(), target, &error))
            return failed(QDir::toNativeSeparators(target) + QStringLiteral(": ") + error);
        showMessage(loadText(TextId::BackupSucceededMessage));
        return;
    }
}
