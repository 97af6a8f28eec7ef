#include "test_env.h"

#include "core/app/app_state.h"
#include "core/settings/settings_store.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QWidget>

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
    app().dialogs = &dialogs;
    app().appPath = dataPath();
    app().recipeDoc.loadBlank();
    app().recipeDoc.setFilePath(bookPath());
}

TestEnv::~TestEnv()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QList<QPointer<QWidget>> windows;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->parentWidget())
                windows.append(window);
        }
        for (const QPointer<QWidget>& window : windows)
            delete window.data(); // a window may already have gone with its owner
    }
    app().dialogs = nullptr;
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

QString TestEnv::settingsPath() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("settings.ini"));
}

void TestEnv::useBook(const QByteArray& xml)
{
    writeFileBytes(bookPath(), xml);
    app().recipeDoc.load(bookPath());
}

QByteArray TestEnv::bookBytes() const
{
    return readFileBytes(bookPath());
}
