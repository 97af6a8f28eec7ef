#include "platform/atomic_file.h"

#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error)
{
    QSaveFile file(path);
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(data) != data.size())
        return fail(file.errorString());
    if (!file.flush())
        return fail(file.errorString());
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        return fail(QStringLiteral("the data could not be flushed to disk"));
#endif
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
