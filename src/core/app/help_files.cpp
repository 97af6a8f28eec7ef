#include "core/app/help_files.h"

#include "core/app/app_state.h"
#include "core/book/atomic_file.h"
#include "core/text/text_table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QString helpFilePath()
{
    return QDir(app().appPath)
        .filePath(language() == Language::English ? QStringLiteral("sp.hlp") : QStringLiteral("spEs.hlp"));
}

namespace {

// Installed, the program is in <prefix>/bin and its files in <prefix>/share/saporina (the relative path
// is the build's own, so a prefix can be moved as a whole).
QString installedFilesFolder()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    return QDir::cleanPath(programFolder.filePath(QStringLiteral(SAPORINA_SHIPPED_FILES_DIR)));
}

// A shipped file by name.
QString shippedFilePath(const QString& name)
{
    // (Without an application object there is no program folder to look beside.)
    if (QCoreApplication::instance()) {
        const QString installed = QDir(installedFilesFolder()).filePath(name);
        if (QFileInfo(installed).isFile())
            return installed;
    }
    // Run from the build folder (or with the installed copy gone): the copy built into the program.
    return QStringLiteral(":/shipped/") + name;
}

} // namespace

void installShippedFiles(const QString& appPath)
{
    for (const QString& name : {QStringLiteral("sp.hlp"), QStringLiteral("spEs.hlp"), QStringLiteral("quorvel.gif")}) {
        QFile shipped(shippedFilePath(name));
        if (!shipped.open(QIODevice::ReadOnly))
            continue;
        const QByteArray content = shipped.readAll();
        const QString target = QDir(appPath).filePath(name);
        if (!QFileInfo(target).isSymLink()) {
            QFile current(target);
            if (current.open(QIODevice::ReadOnly) && current.readAll() == content)
                continue;
        }
        // A link in the help file's place is replaced itself; whatever it points to is never written.
        // Help and the logo are conveniences: a failure here is not worth a message.
        replaceFileAtomically(target, content);
    }
}
