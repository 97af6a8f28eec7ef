#pragma once

#include "scripted_dialogs.h"

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

// A fresh data folder and settings file for one test, with the shared state reset and the
// scripted dialogs in place. Windows left open are closed when it ends.
class TestEnv {
public:
    TestEnv();
    ~TestEnv();
    TestEnv(const TestEnv&) = delete;
    TestEnv& operator=(const TestEnv&) = delete;

    QString dataPath() const;
    QString bookPath() const;
    QString settingsPath() const;

    // Writes the book file and loads it as the shared book.
    void useBook(const QByteArray& xml);
    QByteArray bookBytes() const;

    ScriptedDialogs dialogs;

private:
    QTemporaryDir m_dir;
};

QByteArray readFileBytes(const QString& path);
void writeFileBytes(const QString& path, const QByteArray& data);

// The visible top-level window of this type, if any.
template <typename T> T* findWindow()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<T*>(window); found && found->isVisible())
            return found;
    }
    return nullptr;
}

// Lowers the largest file this process may write, so that writing past it fails as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};
