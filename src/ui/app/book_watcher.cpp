#include "ui/app/book_watcher.h"

#include <QFileInfo>

BookWatcher::BookWatcher(QObject* parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(300);
    connect(&m_settle, &QTimer::timeout, this, &BookWatcher::folderChanged);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &BookWatcher::changed);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &BookWatcher::changed);
}

void BookWatcher::watch(const QString& dataFolder, const QString& bookPath, const QString& imagesFolder)
{
    m_bookPath = bookPath;
    for (const QString& path : {dataFolder, bookPath, imagesFolder}) {
        if (QFileInfo::exists(path))
            m_watcher.addPath(path);
    }
}

void BookWatcher::changed()
{
    // A file put in place by a rename is a new file: the watch on the old one has gone with it.
    if (!m_watcher.files().contains(m_bookPath) && QFileInfo::exists(m_bookPath))
        m_watcher.addPath(m_bookPath);
    m_settle.start();
}
