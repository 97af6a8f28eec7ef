// The book survives the program being killed at any moment: a worker plays a fixed script of changes and
// is killed with SIGKILL at random; the book it leaves must be the book before or after the change that
// was under way, with every picture it names, and start-up must leave no temporary file behind.
// SAPORINA_CRASH_TRIALS sets the number of kills (200 unless set).
#include "change_script.h"
#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/book/atomic_file.h"
#include "core/book/picture_names.h"
#include "core/exchange/backup.h"
#include "test_env_core.h"

#include <QDir>
#include <QProcess>
#include <QMap>
#include <QRandomGenerator>
#include <QtTest>
#include <map>

namespace {

void copyDataFolder(const QString& from, const QString& to)
{
    QDir(to).removeRecursively();
    QDir().mkpath(QDir(to).filePath(QStringLiteral("images")));
    QString error;
    if (!copyFolderFiles(QDir(from).filePath(QStringLiteral("images")), QDir(to).filePath(QStringLiteral("images")),
                         &error) ||
        !copyFileAtomically(QDir(from).filePath(QStringLiteral("recipes.xml")),
                            QDir(to).filePath(QStringLiteral("recipes.xml")), &error))
        qFatal("cannot copy the data folder: %s", qPrintable(error));
}

// The content of every picture the book in the folder names.
QMap<QString, QByteArray> namedPictures(const QString& folder)
{
    QMap<QString, QByteArray> pictures;
    RecipeBook book;
    if (!book.load(QDir(folder).filePath(QStringLiteral("recipes.xml"))))
        return pictures;
    const QString images = QDir(folder).filePath(QStringLiteral("images"));
    for (const XmlNode& category : book.categories()) {
        for (const XmlNode& recipe : RecipeBook::recipes(category)) {
            const QString name = RecipeBook::field(recipe, RecipeField::Image);
            if (!name.isEmpty())
                pictures.insert(name, readFileBytes(picturePath(images, name)));
        }
    }
    return pictures;
}

QStringList temporaryFiles(const QString& folder)
{
    return QDir(folder).entryList({kTemporaryPrefix + QStringLiteral("*")}, QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

class TestCrashConsistency : public QObject {
    Q_OBJECT
private slots:
    void killedAtAnyMomentTheBookIsWhole()
    {
        const QString worker = qEnvironmentVariable("CRASH_WORKER");
        QVERIFY2(QFileInfo(worker).isExecutable(), "CRASH_WORKER names no program");
        bool set = false;
        const int wanted = qEnvironmentVariableIntValue("SAPORINA_CRASH_TRIALS", &set);
        const int trials = set ? wanted : 200;

        TestEnv env;
        QTemporaryDir dir;
        const QDir root(dir.path());
        const QString sources = root.filePath(QStringLiteral("sources"));
        const QString initial = root.filePath(QStringLiteral("initial"));
        ChangeScript::prepareSources(sources);
        ChangeScript::prepareDataFolder(initial);

        // Every state the book on disk may be in: states[k] is the book before change k.
        const QString replay = root.filePath(QStringLiteral("replay"));
        copyDataFolder(initial, replay);
        app().appPath = replay;
        QVERIFY(app().book.load(app().bookPath()));
        QList<QByteArray> states{readFileBytes(app().bookPath())};
        QList<QMap<QString, QByteArray>> pictureStates{namedPictures(replay)};
        for (int step = 0; step < ChangeScript::kSteps; ++step) {
            const ChangeOutcome outcome = ChangeScript::play(step, sources);
            QVERIFY2(outcome.status != ChangeOutcome::Status::SaveFailed, qPrintable(outcome.error));
            states << readFileBytes(app().bookPath());
            pictureStates << namedPictures(replay);
        }

        QRandomGenerator rng(20261206);
        const QString trial = root.filePath(QStringLiteral("trial"));
        const QString marker = root.filePath(QStringLiteral("marker"));
        int finishedBefore = 0, finishedAfter = 0, picturesChecked = 0, furthest = -1;
        std::map<int, int> killsByKind; // change kind (step % 9) -> kills while it may have been under way
        for (int t = 0; t < trials; ++t) {
            copyDataFolder(initial, trial);
            QFile::remove(marker);
            QProcess process;
            process.start(worker, {trial, sources, marker});
            QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
            QThread::usleep(static_cast<unsigned long>(rng.bounded(15000, 160000)));
            process.kill(); // SIGKILL
            process.waitForFinished();

            bool ok = false;
            const int step = readFileBytes(marker).toInt(&ok);
            const QByteArray onDisk = readFileBytes(QDir(trial).filePath(QStringLiteral("recipes.xml")));
            int state = 0; // the state the book on disk is in
            if (!ok) {
                QVERIFY2(onDisk == states[0], qPrintable(QStringLiteral("kill %1: the book changed before any change").arg(t)));
                ++finishedBefore;
            } else {
                furthest = std::max(furthest, step);
                ++killsByKind[step % 9];
                if (onDisk == states[step]) {
                    ++finishedBefore;
                    state = step;
                } else {
                    QVERIFY2(step + 1 < states.size() && onDisk == states[step + 1],
                             qPrintable(QStringLiteral("kill %1 during change %2: the book is neither before nor after it")
                                            .arg(t)
                                            .arg(step)));
                    ++finishedAfter;
                    state = step + 1;
                }
            }

            // Every picture the book names is there, and start-up clears what the killed save left.
            RecipeBook book;
            QVERIFY(book.load(QDir(trial).filePath(QStringLiteral("recipes.xml"))));
            for (const XmlNode& category : book.categories()) {
                for (const XmlNode& recipe : RecipeBook::recipes(category)) {
                    const QString name = RecipeBook::field(recipe, RecipeField::Image);
                    if (name.isEmpty())
                        continue;
                    QVERIFY2(QFileInfo(picturePath(QDir(trial).filePath(QStringLiteral("images")), name)).isFile(),
                             qPrintable(QStringLiteral("kill %1: picture %2 is missing").arg(t).arg(name)));
                    ++picturesChecked;
                }
            }
            qputenv("SAPORINA_HOME", trial.toUtf8());
            QCOMPARE(openDataFolder().problem, StartupProblem::None);
            // ... each with the content the book's state gave it, also after start-up has cleared up.
            QVERIFY2(namedPictures(trial) == pictureStates[state],
                     qPrintable(QStringLiteral("kill %1: a picture the book names does not hold its content").arg(t)));
            QCOMPARE(temporaryFiles(trial), QStringList());
            QCOMPARE(temporaryFiles(QDir(trial).filePath(QStringLiteral("images"))), QStringList());
            resetAppState(); // lets go of the folder's lock
        }
        QString kinds;
        for (const auto& [kind, kills] : killsByKind)
            kinds += QStringLiteral(" %1:%2").arg(kind).arg(kills);
        qInfo("%d kills survived: %d books as before the change under way, %d as after it; %d pictures checked; "
              "furthest change %d; kills by kind of change%s",
              trials, finishedBefore, finishedAfter, picturesChecked, furthest, qPrintable(kinds));
    }
};

QTEST_GUILESS_MAIN(TestCrashConsistency)
#include "test_crash_consistency.moc"
