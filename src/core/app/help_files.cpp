#include "core/app/help_files.h"

#include "core/app/app_state.h"
#include "core/book/atomic_file.h"
#include "core/text/text_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString helpFilePath()
{
    return QDir(app().appPath)
        .filePath(language() == Language::English ? QStringLiteral("sp.hlp") : QStringLiteral("spEs.hlp"));
}

void installShippedFiles(const QString& appPath)
{
    for (const QString& path : {QStringLiteral("help/sp.hlp"), QStringLiteral("help/spEs.hlp"),
                                QStringLiteral("images/quorvel.gif")}) {
        QFile shipped(QStringLiteral(":/shipped/") + path);
        const QString name = QFileInfo(path).fileName();
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
