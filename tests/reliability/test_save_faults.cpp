// Faults on save: a full disk, a read-only data folder, a book replaced by a folder and an images folder
// replaced by a file, each put in the way of every change of the change script by a worker process
// (a file-size limit must not reach the test itself). Every failure must give its reason, leave the book
// and its pictures as they were, and the same change must succeed once the fault is gone.
#include "change_script.h"
#include "test_env_core.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

class TestSaveFaults : public QObject {
    Q_OBJECT
private slots:
    void everyChangeSurvivesTheFault_data()
    {
        QTest::addColumn<QString>("fault");
        for (const char* fault : {"full-disk", "read-only", "book-is-folder", "images-is-file"})
            QTest::newRow(fault) << QString::fromLatin1(fault);
    }

    void everyChangeSurvivesTheFault()
    {
        QFETCH(QString, fault);
        const QString worker = qEnvironmentVariable("FAULT_WORKER");
        QVERIFY2(QFileInfo(worker).isExecutable(), "FAULT_WORKER names no program");

        TestEnv env;
        QTemporaryDir dir;
        // The worker may run as another user (root is not stopped by permissions): let it in.
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFileDevice::ExeOther | QFileDevice::ReadOther);
        const QString sources = QDir(dir.path()).filePath(QStringLiteral("sources"));
        const QString data = QDir(dir.path()).filePath(QStringLiteral("data"));
        ChangeScript::prepareSources(sources);
        ChangeScript::prepareDataFolder(data);

        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(worker, {data, sources, fault});
        QVERIFY2(process.waitForFinished(300000), "the worker did not finish");
        const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        for (const QString& line : lines)
            qInfo("%s", qPrintable(line));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSaveFaults)
#include "test_save_faults.moc"
