#include "test_env_core.h"

#include "core/app/app_state.h"

#include <QDir>
#include <QFile>

QByteArray readFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFileBytes(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(data);
}

TestEnv::TestEnv()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    qputenv("SAPORINA_HOME", dataPath().toUtf8());
    qputenv("SAPORINA_SETTINGS", settingsPath().toUtf8());
    resetAppState();
    app().appPath = dataPath();
    app().book.loadBlank();
    app().book.setFilePath(bookPath());
}

TestEnv::~TestEnv()
{
    resetAppState();
    qunsetenv("SAPORINA_HOME");
    qunsetenv("SAPORINA_SETTINGS");
}

QString TestEnv::dataPath() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("data"));
}

QString TestEnv::bookPath() const
{
    return QDir(dataPath()).filePath(QStringLiteral("recipes.xml"));
}

QString TestEnv::imagesPath() const
{
    return QDir(dataPath()).filePath(QStringLiteral("images"));
}

QString TestEnv::settingsPath() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("settings.ini"));
}

void TestEnv::useBook(const QByteArray& xml)
{
    writeFileBytes(bookPath(), xml);
    app().book.load(bookPath());
}

QByteArray TestEnv::bookBytes() const
{
    return readFileBytes(bookPath());
}
