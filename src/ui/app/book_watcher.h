#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

// Watches the data folder, the book and the images folder for what other programs do there: a sync
// tool putting another computer's book in place, or leaving a conflicting copy beside it. Tells of it
// once things have settled for a moment, since a sync tool writes in several steps.
class BookWatcher : public QObject {
    Q_OBJECT
public:
    explicit BookWatcher(QObject* parent = nullptr);

    void watch(const QString& dataFolder, const QString& bookPath, const QString& imagesFolder);

signals:
    // Something in the folder changed; the book may no longer be the one read.
    void folderChanged();

private:
    void changed();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_bookPath;
};
