#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

// A fresh data folder and settings file for one test, with the shared state reset and a blank book
// that saves into the folder.
class TestEnv {
public:
    TestEnv();
    ~TestEnv();
    TestEnv(const TestEnv&) = delete;
    TestEnv& operator=(const TestEnv&) = delete;

    QString dataPath() const;
    QString bookPath() const;
    QString imagesPath() const;
    QString settingsPath() const;

    // Writes the book file and loads it as the shared book.
    void useBook(const QByteArray& xml);
    QByteArray bookBytes() const;

private:
    QTemporaryDir m_dir;
};

QByteArray readFileBytes(const QString& path);
// Content that starts as a JPEG file does, for code that looks at a picture's first bytes only.
inline QByteArray jpegBytes(const QByteArray& body)
{
    return QByteArray("\xFF\xD8\xFF\xE0", 4) + body;
}
void writeFileBytes(const QString& path, const QByteArray& data);

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
