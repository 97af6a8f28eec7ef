#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/book/recipe_book.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "test_env.h"
#include "ui/app/file_hand_over.h"
#include "ui/app/language_chooser.h"
#include "ui/app/navigator.h"
#include "ui/app/startup_sequence.h"
#include "ui/browse/browse_window.h"
#include "ui/exchange/import_wizard.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString setting(const char* name)
{
    return readSetting(kRegRoot + QLatin1String(name));
}

void storeLanguage(const char* value)
{
    writeSetting(Setting::Language, QLatin1String(value));
}

QStringList keptBooks(const TestEnv& env)
{
    return QDir(env.dataPath()).entryList({QStringLiteral("recipes-invalid-*.xml")}, QDir::Files);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void firstRunAsksTheLanguage_data()
    {
        QTest::addColumn<QString>("choice"); // "en", "es" or "" for closing the chooser
        QTest::newRow("English") << "en";
        QTest::newRow("Spanish") << "es";
        QTest::newRow("closed without a choice") << "";
    }
    void firstRunAsksTheLanguage()
    {
        QFETCH(QString, choice);
        WindowTestEnv env;
        QDir(env.dataPath()).removeRecursively(); // a brand-new machine
        startProgram(env.navigator);
        LanguageChooser* chooser = findWindow<LanguageChooser>();
        QVERIFY(chooser);
        QVERIFY(chooser->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!findWindow<BrowseWindow>());
        if (choice == QStringLiteral("en"))
            child<QPushButton>(chooser, "englishButton")->click();
        else if (choice == QStringLiteral("es"))
            child<QPushButton>(chooser, "spanishButton")->click();
        else
            chooser->close();

        BrowseWindow* browse = findWindow<BrowseWindow>();
        QVERIFY(browse);
        QCOMPARE(browse->windowTitle(), choice == QStringLiteral("es") ? QStringLiteral("SP | Explorar recetas")
                                                                       : QStringLiteral("SP | Browse Recipes"));
        QCOMPARE(setting("language"), choice == QStringLiteral("en")   ? QStringLiteral("0")
                                      : choice == QStringLiteral("es") ? QStringLiteral("1")
                                                                       : QString());
        QCOMPARE(setting("textSize"), QStringLiteral("1"));
        QCOMPARE(setting("color"), QStringLiteral("0"));
        QCOMPARE(app().textFontSize, 10);
        QCOMPARE(env.bookBytes(), QByteArray("<recipebook></recipebook>\r\n"));
        QVERIFY(QFileInfo(QDir(env.dataPath()).filePath(QStringLiteral("images"))).isDir());
        QVERIFY(env.dialogs.messages.isEmpty());
        QVERIFY(!env.navigator.ended());
    }

    void storedSettingsAreRead_data()
    {
        QTest::addColumn<QString>("textSize");
        QTest::addColumn<int>("points");
        QTest::newRow("2") << "2" << 12;
        QTest::newRow("2 with text after") << "2 large" << 12;
        QTest::newRow("no number") << "large" << 8;
    }
    void storedSettingsAreRead()
    {
        QFETCH(QString, textSize);
        QFETCH(int, points);
        WindowTestEnv env;
        storeLanguage("1");
        writeSetting(Setting::TextSize, textSize);
        writeSetting(Setting::ColorScheme, QStringLiteral("300"));
        startProgram(env.navigator);
        QVERIFY(!findWindow<LanguageChooser>());
        QVERIFY(findWindow<BrowseWindow>());
        QCOMPARE(app().textFontSize, points);
        QCOMPARE(app().colorScheme, 300);
        QCOMPARE(language(), Language::Spanish);
        QCOMPARE(setting("textSize"), textSize); // read, not rewritten
    }

    void brokenBook_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("replace");
        QTest::newRow("zero bytes, OK") << QByteArray() << true;
        QTest::newRow("zero bytes, Cancel") << QByteArray() << false;
        QTest::newRow("broken markup, OK") << QByteArray("<recipebook><category cname=\"A\">") << true;
        QTest::newRow("broken markup, Cancel") << QByteArray("<recipebook><category cname=\"A\">") << false;
        // A book that would crash the reader, and one that is not a recipe book (every other kind of
        // broken file: test_book's well-formedness table).
        const QByteArray deep = QByteArray("<recipebook><category cname=\"A\"><recipe><other>") +
                                QByteArray("<b>").repeated(100000) + QByteArray("</b>").repeated(100000) +
                                "</other></recipe></category></recipebook>";
        QTest::newRow("nested 100000 deep, OK") << deep << true;
        QTest::newRow("wrong root") << QByteArray("<cookbook><category cname=\"A\"/></cookbook>") << true;
    }
    void brokenBook()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, replace);
        WindowTestEnv env;
        storeLanguage("0");
        writeFileBytes(env.bookPath(), content);
        env.dialogs.answers = {replace ? MsgAnswer::Ok : MsgAnswer::Cancel};
        startProgram(env.navigator);

        QVERIFY(!env.dialogs.messages.isEmpty());
        const ShownMessage& asked = env.dialogs.messages.first();
        QCOMPARE(asked.text, loadText(TextId::BrokenBookPrompt));
        QCOMPARE(asked.title, kMessageTitle);
        QCOMPARE(asked.buttons, MsgButtons::OkCancel);
        if (!replace) {
            QVERIFY(env.navigator.ended());
            QVERIFY(!findWindow<BrowseWindow>());
            QCOMPARE(env.bookBytes(), content);
            QVERIFY(keptBooks(env).isEmpty());
            return;
        }
        QVERIFY(!env.navigator.ended());
        QVERIFY(findWindow<BrowseWindow>());
        QCOMPARE(env.bookBytes(), kBlankBook);
        const QStringList kept = keptBooks(env);
        if (content.isEmpty()) {
            QVERIFY(kept.isEmpty()); // nothing worth keeping
            QCOMPARE(env.dialogs.messages.size(), 1);
        } else {
            // The broken book stays beside the new one, and the cook is told where.
            QCOMPARE(kept.size(), 1);
            QCOMPARE(readFileBytes(QDir(env.dataPath()).filePath(kept.first())), content);
            QCOMPARE(env.dialogs.messages.size(), 2);
            QVERIFY(env.dialogs.messages[1].text.contains(kept.first()));
        }
    }

    // A book that cannot be read is not broken: it is left exactly as it is and the reason is given; a
    // data folder that cannot be made ends the program with a message too.
    void startupThatCannotGoOn_data()
    {
        QTest::addColumn<bool>("folderInPlaceOfTheBook"); // else the data folder's parent is a file
        QTest::newRow("a folder in place of the book") << true;
        QTest::newRow("a data folder that cannot be made") << false;
    }
    void startupThatCannotGoOn()
    {
        QFETCH(bool, folderInPlaceOfTheBook);
        WindowTestEnv env;
        storeLanguage("0");
        if (folderInPlaceOfTheBook) {
            QDir().mkpath(env.bookPath());
        } else {
            writeFileBytes(env.bookPath(), kBlankBook);
            qputenv("SAPORINA_HOME", QDir(env.bookPath()).filePath(QStringLiteral("data")).toUtf8());
        }
        startProgram(env.navigator);
        QVERIFY(env.navigator.ended());
        QVERIFY(!findWindow<BrowseWindow>());
        QCOMPARE(env.dialogs.messages.size(), 1);
        const ShownMessage& shown = env.dialogs.messages.first();
        QCOMPARE(shown.icon, MsgIcon::Critical);
        if (!folderInPlaceOfTheBook) {
            QVERIFY(shown.text.startsWith(loadText(TextId::DataFolderUnwritableMessage)));
            return;
        }
        QVERIFY(shown.text.startsWith(loadText(TextId::BookUnreadableMessage)));
        QVERIFY(shown.text.contains(QStringLiteral("recipes.xml: ")));
        QVERIFY(QFileInfo(env.bookPath()).isDir());
        QVERIFY(keptBooks(env).isEmpty());
    }

    // A second copy of the program on the same data folder of this computer ends without touching anything;
    // once the first copy is gone (even killed), its lock is taken over.
    void oneCopyPerDataFolder()
    {
        WindowTestEnv env;
        storeLanguage("0");
        writeFileBytes(env.bookPath(), "<recipebook><category cname=\"A\"></category></recipebook>");
        // A lock file in the data folder, as older versions wrote it and a synced folder carries it from
        // another computer: it stops nobody and goes.
        const QString oldLock = QDir(env.dataPath()).filePath(QStringLiteral("saporina.lock"));
        writeFileBytes(oldLock, "4242\nSaporina\nanother-computer\n");
        const QByteArray before = env.bookBytes();
        int ready[2];
        QVERIFY(::pipe(ready) == 0);
        const pid_t first = ::fork();
        if (first == 0) {
            const char started = prepareAppData() ? 'y' : 'n';
            (void)!::write(ready[1], &started, 1);
            for (;;)
                ::pause();
        }
        char started = 0;
        QCOMPARE(::read(ready[0], &started, 1), ssize_t(1));
        QCOMPARE(started, 'y');
        QVERIFY(!QFileInfo::exists(oldLock));

        startProgram(env.navigator);
        QVERIFY(env.navigator.ended());
        QVERIFY(!findWindow<BrowseWindow>());
        QCOMPARE(env.dialogs.messageTexts(), QStringList{loadText(TextId::BookInUseMessage)});
        QCOMPARE(env.bookBytes(), before);

        ::kill(first, SIGKILL);
        ::waitpid(first, nullptr, 0);
        ::close(ready[0]);
        ::close(ready[1]);
        resetAppState();
        env.dialogs.clear();
        Navigator second;
        startProgram(second);
        QVERIFY(!second.ended());
        QVERIFY(findWindow<BrowseWindow>());
        QVERIFY(env.dialogs.messages.isEmpty());
    }

    // A recipe file given at start, or handed over by a later start while the browse window is shown, opens
    // the import wizard already reading it; one it cannot read is said at once. Files wait for each other.
    void givenFilesOpenTheImportWizard_data()
    {
        QTest::addColumn<bool>("handedOver");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("recipesShown");
        const QByteArray caldo =
            "<recipebook><category cname=\"Soups\"><recipe><title>Caldo</title><preptime/><cooktime/>"
            "<yield/><ing>bones</ing><prep/><other/><date>1/2/2020</date><image/></recipe>"
            "</category></recipebook>";
        QTest::newRow("at start") << false << caldo << QStringList{QStringLiteral("Caldo")};
        QTest::newRow("handed over") << true << caldo << QStringList{QStringLiteral("Caldo")};
        QTest::newRow("handed over, of no known kind") << true << QByteArray("just words\n") << QStringList{};
    }
    void givenFilesOpenTheImportWizard()
    {
        QFETCH(bool, handedOver);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, recipesShown);
        WindowTestEnv env;
        storeLanguage("0");
        const QString file = QDir(env.dataPath()).filePath(QStringLiteral("given.xml"));
        writeFileBytes(file, content);
        const QStringList files{file, file};
        if (!handedOver)
            env.navigator.openFilesWhenReady(files);
        startProgram(env.navigator);
        if (handedOver) {
            QTRY_VERIFY(findWindow<BrowseWindow>());
            // The second start, as main() runs it, on a thread of its own while this one serves.
            bool handed = false;
            std::unique_ptr<QThread> secondStart(
                QThread::create([&] { handed = handFilesToRunningCopy(app().appPath, files); }));
            secondStart->start();
            QTRY_VERIFY(secondStart->isFinished());
            QVERIFY(handed);
        }
        for (int round = 0; round < 2; ++round) {
            QTRY_VERIFY(findWindow<ImportWizard>());
            auto* wizard = findWindow<ImportWizard>();
            auto* recipes = child<QListWidget>(wizard, "recipeList");
            QTRY_COMPARE(recipes->isVisible(), !recipesShown.isEmpty());
            QCOMPARE(listTexts(recipes), recipesShown);
            QTRY_COMPARE(env.dialogs.messageTexts(),
                         recipesShown.isEmpty() ? QStringList{loadText(TextId::ImportFileInvalidMessage)} : QStringList{});
            if (!recipesShown.isEmpty()) { // the keyboard is in the list, and Return goes on, not back
                QCOMPARE(wizard->focusWidget(), recipes);
                QTest::keyClick(recipes, Qt::Key_Return);
                QCOMPARE(env.dialogs.messageTexts(), QStringList{loadText(TextId::NoRecipesToImportMessage)});
                QVERIFY(recipes->isVisible());
            }
            env.dialogs.clear();
            wizard->close(); // the second file's wizard follows the browse window that comes back
            QTRY_VERIFY(!findWindow<ImportWizard>() || findWindow<ImportWizard>() != wizard);
        }
    }

    // Help files are put in place of whatever stands there; a link's target is never written.
    void helpFilesReplaceLinksNotTheirTargets()
    {
        WindowTestEnv env;
        storeLanguage("0");
        const QString victim = QDir(env.dataPath()).filePath(QStringLiteral("../mine.txt"));
        writeFileBytes(victim, "mine");
        const QString help = QDir(env.dataPath()).filePath(QStringLiteral("sp.hlp"));
        QVERIFY(QFile::link(victim, help));
        startProgram(env.navigator);
        QVERIFY(findWindow<BrowseWindow>());
        QCOMPARE(readFileBytes(victim), QByteArray("mine"));
        QVERIFY(!QFileInfo(help).isSymLink());
        QVERIFY(readFileBytes(help).contains("<html"));
    }

    // What a copy that was stopped half-way through a save left behind is cleared away; nothing else.
    void leftoverTemporariesAreRemoved()
    {
        WindowTestEnv env;
        storeLanguage("0");
        const QString images = QDir(env.dataPath()).filePath(QStringLiteral("images"));
        QDir().mkpath(images);
        for (const QString& folder : {env.dataPath(), images})
            writeFileBytes(QDir(folder).filePath(QStringLiteral(".saporina-Ab12Cd.tmp")), "half");
        writeFileBytes(QDir(images).filePath(QStringLiteral("recipes_A_B.jpg.tmp")), "a picture of the cook's");
        startProgram(env.navigator);
        QVERIFY(findWindow<BrowseWindow>());
        QCOMPARE(QDir(env.dataPath()).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden), QStringList{});
        QCOMPARE(QDir(images).entryList(QDir::Files | QDir::Hidden), QStringList{"recipes_A_B.jpg.tmp"});
    }

    void brokenBooksNeverOverwriteEachOther()
    {
        WindowTestEnv env;
        writeFileBytes(env.bookPath(), "<one>");
        const QString first = keepBrokenBook(env.bookPath());
        writeFileBytes(env.bookPath(), "<two>");
        const QString second = keepBrokenBook(env.bookPath());
        QVERIFY(!first.isEmpty() && !second.isEmpty() && first != second);
        QCOMPARE(readFileBytes(first), QByteArray("<one>"));
        QCOMPARE(readFileBytes(second), QByteArray("<two>"));
        QVERIFY(keepBrokenBook(env.bookPath()).isEmpty()); // nothing left to move
    }

    void closingAMainWindow()
    {
        WindowTestEnv env;
        storeLanguage("0");
        startProgram(env.navigator);
        BrowseWindow* browse = findWindow<BrowseWindow>();
        QVERIFY(browse && env.navigator.currentMainWindow() == browse);

        // Moving to another window unloads this one without ending the program.
        child<QAction>(browse, "addRecipesAction")->trigger();
        QVERIFY(!findWindow<BrowseWindow>());
        QVERIFY(!env.navigator.ended());
        QCOMPARE(setting("state"), QStringLiteral("0"));
        QVERIFY(!setting("width").isEmpty());

        browse = env.navigator.showBrowse();
        QVERIFY(env.navigator.currentMainWindow() == browse);
        browse->close(); // the close box
        QVERIFY(env.navigator.ended());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
