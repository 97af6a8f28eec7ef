#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

// A second start with recipe files hands them to the copy already running on the same data folder, over
// a local socket beside that folder's lock, instead of meeting the lock.

// Gives the files to the running copy; true once it has confirmed taking them, false when no copy listens.
bool handFilesToRunningCopy(const QString& dataFolder, const QStringList& paths);

// Listens, in the copy that holds the data folder's lock, for files from later starts.
class FileHandOverServer : public QObject {
    Q_OBJECT
public:
    explicit FileHandOverServer(QObject* parent = nullptr);
    // Only the lock's holder may listen: a socket left by a copy that crashed is replaced.
    bool listen(const QString& dataFolder);

signals:
    void filesArrived(const QStringList& paths);

private:
    void takeConnection();

    QLocalServer* m_server = nullptr;
};
