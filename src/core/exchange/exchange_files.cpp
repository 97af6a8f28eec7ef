#include "core/exchange/exchange_files.h"

#include <QDir>
#include <QFileInfo>

QString pictureFolderBeside(const QString& filePath)
{
    return QFileInfo(filePath).dir().filePath(QStringLiteral("exp_img"));
}
