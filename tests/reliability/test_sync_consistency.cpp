// One book on two computers kept in step by a sync tool loses nothing either saved. Two workers play
// changes on two data folders; this test is the sync tool between them: at random moments it puts one
// folder's book in place of the other's (by rename, as sync tools do), copies pictures across, keeps a
// conflicting copy where both sides changed, and kills and restarts the workers with SIGKILL. At the
// end the conflicting copies and the other folder's book are merged in, as the cook would when offered.
// Every recipe a worker reported saved (and did not remove itself) must be in that book, and every
// picture it names must exist. SAPORINA_SYNC_ROUNDS sets the number of sync rounds (800 unless set).
#include "change_script.h"
#include "core/app/app_state.h"
#include "core/book/atomic_file.h"
#include "core/book/picture_names.h"
#include "core/sharing/book_history.h"
#include "core/sharing/conflict_copies.h"
#include "core/sharing/shared_book.h"
#include "test_env_core.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QtTest>

#include <fcntl.h>
#include <stdio.h>

namespace {

QString bookIn(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("recipes.xml"));
}

// Copies the files one folder has and the other lacks, both ways.
void syncPictures(const QString& a, const QString& b, const QString& sub)
{
    const QString from[2] = {QDir(a).filePath(sub), QDir(b).filePath(sub)};
    for (int side = 0; side < 2; ++side) {
        const QString& source = from[side];
        const QString& target = from[1 - side];
        QDir().mkpath(target);
        for (const QString& name : QDir(source).entryList(QDir::Files)) {
            if (!name.startsWith(kTemporaryPrefix) && !QFileInfo::exists(QDir(target).filePath(name)))
                copyFile(QDir(source).filePath(name), QDir(target).filePath(name), false);
        }
    }
}

class Worker {
public:
    Worker(QString name, QString folder, QString sources, QString log)
        : m_name(std::move(name)), m_folder(std::move(folder)), m_sources(std::move(sources)), m_log(std::move(log))
    {
    }
    ~Worker() { stop(); }

    void start()
    {
        m_process.start(qEnvironmentVariable("SYNC_WORKER"),
                        {m_folder, m_sources, m_name, QString::number(m_run++), m_log});
        QVERIFY2(m_process.waitForStarted(), qPrintable(m_process.errorString()));
    }
    void stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill(); // SIGKILL
            m_process.waitForFinished();
        }
    }
    // A worker that ended by itself failed: a change it could not save.
    bool failed() const { return m_process.state() == QProcess::NotRunning && m_run > 0; }
    QByteArray errors() { return m_process.readAllStandardError(); }

private:
    QString m_name, m_folder, m_sources, m_log;
    int m_run = 0;
    QProcess m_process;
};

// The recipes a worker's log says must be in the book: saved, and not removed by the worker itself.
QSet<QString> expectedRecipes(const QString& log)
{
    QSet<QString> alive;
    for (const QByteArray& line : readFileBytes(log).split('\n')) {
        if (line.startsWith('+'))
            alive.insert(QString::fromUtf8(line.mid(1)));
        else if (line.startsWith('-'))
            alive.remove(QString::fromUtf8(line.mid(1)));
    }
    return alive;
}

} // namespace

class TestSyncConsistency : public QObject {
    Q_OBJECT
private slots:
    void twoComputersLoseNothing()
    {
        QVERIFY2(QFileInfo(qEnvironmentVariable("SYNC_WORKER")).isExecutable(), "SYNC_WORKER names no program");
        bool set = false;
        const int wanted = qEnvironmentVariableIntValue("SAPORINA_SYNC_ROUNDS", &set);
        const int rounds = set ? wanted : 800;

        TestEnv env;
        QTemporaryDir dir;
        const QDir root(dir.path());
        const QString sources = root.filePath(QStringLiteral("sources"));
        const QString folders[2] = {root.filePath(QStringLiteral("kitchen")), root.filePath(QStringLiteral("desk"))};
        const QString logs[2] = {root.filePath(QStringLiteral("kitchen.log")), root.filePath(QStringLiteral("desk.log"))};
        ChangeScript::prepareSources(sources);
        for (const QString& folder : folders) {
            QDir().mkpath(QDir(folder).filePath(QStringLiteral("images")));
            writeFileBytes(bookIn(folder), kBlankBook);
        }
        Worker kitchen(QStringLiteral("Kitchen"), folders[0], sources, logs[0]);
        Worker desk(QStringLiteral("Desk"), folders[1], sources, logs[1]);
        Worker* workers[2] = {&kitchen, &desk};
        kitchen.start();
        desk.start();

        QRandomGenerator rng(20261207);
        QByteArray lastSynced = kBlankBook; // both books as the sync tool last made them
        int syncs = 0, conflicts = 0, kills = 0;
        for (int round = 0; round < rounds; ++round) {
            QThread::usleep(static_cast<unsigned long>(rng.bounded(300, 4000)));
            if (rng.bounded(60) == 0) {
                Worker* victim = workers[rng.bounded(2)];
                victim->stop();
                victim->start();
                ++kills;
            }
            for (Worker* worker : workers)
                QVERIFY2(!worker->failed(), worker->errors().constData());

            const QByteArray books[2] = {readFileBytes(bookIn(folders[0])), readFileBytes(bookIn(folders[1]))};
            const bool changed[2] = {books[0] != lastSynced, books[1] != lastSynced};
            if (changed[0] || changed[1]) {
                // From the side that changed; where both did, one wins and the other is kept as a copy.
                const int from = changed[0] && changed[1] ? int(rng.bounded(2)) : changed[0] ? 0 : 1;
                const QString& target = folders[1 - from];
                const QString incoming = QDir(target).filePath(QStringLiteral(".sync-incoming"));
                writeFileBytes(incoming, books[from]);
                // Exchanged, not just renamed: what was replaced is seen, even a save made a moment before.
                QVERIFY(::renameat2(AT_FDCWD, QFile::encodeName(incoming).constData(), AT_FDCWD,
                                    QFile::encodeName(bookIn(target)).constData(), RENAME_EXCHANGE) == 0);
                const QByteArray replaced = readFileBytes(incoming);
                QFile::remove(incoming);
                if (replaced != lastSynced && replaced != books[from]) {
                    writeFileBytes(QDir(target).filePath(QStringLiteral("recipes.sync-conflict-%1.xml").arg(conflicts)),
                                   replaced);
                    ++conflicts;
                }
                lastSynced = books[from];
                ++syncs;
            }
            syncPictures(folders[0], folders[1], QStringLiteral("images"));
            syncPictures(folders[0], folders[1], QStringLiteral("history/images"));
        }
        kitchen.stop();
        desk.stop();
        syncPictures(folders[0], folders[1], QStringLiteral("images"));
        syncPictures(folders[0], folders[1], QStringLiteral("history/images"));

        // The cook merges what is offered: every conflicting copy, and the desk's book (as a copy too).
        AppState& a = app();
        a.appPath = folders[0];
        QVERIFY(a.book.load(a.bookPath()));
        const QString deskBook = QDir(folders[0]).filePath(QStringLiteral("recipes.sync-conflict-desk.xml"));
        QVERIFY(copyFile(bookIn(folders[1]), deskBook, false).copied());
        QStringList copies = conflictCopies(folders[0]) + conflictCopies(folders[1]);
        int merged = 0;
        for (const QString& copy : std::as_const(copies)) {
            const ConflictCopyMerge merge = mergeConflictCopy(a.book, copy);
            QVERIFY(!merge.unreadable);
            QVERIFY2(merge.report.isEmpty() || merge.change.saved(), qPrintable(merge.change.error));
            merged += merge.report.isEmpty() ? 0 : 1;
        }

        RecipeBook final;
        QVERIFY(final.load(a.bookPath()));
        QSet<QString> titles;
        int picturesChecked = 0;
        for (const XmlNode& category : final.categories()) {
            for (const XmlNode& recipe : RecipeBook::recipes(category)) {
                titles.insert(RecipeBook::title(recipe));
                const QString picture = RecipeBook::field(recipe, RecipeField::Image);
                if (picture.isEmpty())
                    continue;
                QVERIFY2(QFileInfo(picturePath(a.imagesPath(), picture)).isFile(),
                         qPrintable(QStringLiteral("picture %1 is missing").arg(picture)));
                ++picturesChecked;
            }
        }
        int expected = 0;
        for (const QString& log : logs) {
            for (const QString& title : expectedRecipes(log)) {
                QVERIFY2(titles.contains(title), qPrintable(QStringLiteral("%1 was saved, and is lost").arg(title)));
                ++expected;
            }
        }
        qInfo("%d sync rounds: %d books synced, %d conflicting copies, %d kills; %d copies merged at the end; "
              "%d recipes saved and kept all there (of %lld in the book), %d pictures checked",
              rounds, syncs, conflicts, kills, merged, expected, static_cast<long long>(titles.size()), picturesChecked);
    }
};

QTEST_GUILESS_MAIN(TestSyncConsistency)
#include "test_sync_consistency.moc"
