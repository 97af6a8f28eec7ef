// The export and import wizards and the backup command, driven as a user would.
#include "core/app/app_state.h"
#include "core/app/clock.h"
#include "core/text/text_table.h"
#include "test_env.h"
#include "ui/browse/browse_window.h"
#include "ui/editor/add_recipe_window.h"
#include "ui/exchange/export_wizard.h"
#include "ui/exchange/import_wizard.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

namespace {

QByteArray recipeXml(const char* title, const char* image = "")
{
    return QByteArray("<recipe><title>") + title +
           "</title><preptime></preptime><cooktime></cooktime><yield></yield><ing></ing><prep></prep>"
           "<other></other><date>1/2/2020</date><image>" +
           image + "</image></recipe>";
}

const QByteArray kBook = "<recipebook><category cname=\"Cakes\">" + recipeXml("Torta", "recipes_Cakes_Torta.jpg") +
                         recipeXml("Flan") + "</category><category cname=\"Soups\">" + recipeXml("Caldo") +
                         "</category></recipebook>";

struct Fixture {
    WindowTestEnv env;
    QTemporaryDir elsewhere;
    Fixture()
    {
        env.useBook(kBook);
        QDir().mkpath(env.imagesPath());
        writeFileBytes(QDir(env.imagesPath()).filePath(QStringLiteral("recipes_Cakes_Torta.jpg")), "torta");
        setClock([] { return QDate(2026, 12, 6); });
    }
    ~Fixture() { setClock({}); }
    QString file(const QString& name) const { return QDir(elsewhere.path()).filePath(name); }
    template <typename T> T* open(const char* action, MainWindowBase* from)
    {
        child<QAction>(from, action)->trigger();
        return findWindow<T>();
    }
};

// Answers the real dialogs as a user would, once each has been open for a while: by keys sent to the
// widget that has the keyboard focus, so that a dialog covered by another never gets them. Input boxes
// take the next answer (Escape when there is none), message boxes are read and closed with Return.
// Anything else that takes the keyboard is noted and sent Escape.
class DialogAnswerer : public QObject {
public:
    explicit DialogAnswerer(QStringList answers) : m_answers(std::move(answers))
    {
        m_clock.start();
        connect(&m_poll, &QTimer::timeout, this, &DialogAnswerer::look);
        m_poll.start(50);
    }
    QStringList prompts, messages, intruders;

private:
    void look()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (modal != m_seen) {
            m_seen = modal;
            m_seenAt = m_clock.elapsed();
            return;
        }
        if (m_clock.elapsed() - m_seenAt < 700) // long enough for anything that would cover it to appear
            return;
        m_seen = nullptr;
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !modal->isAncestorOf(focus))
            focus = modal;
        if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            prompts << input->labelText();
            if (m_answers.isEmpty()) {
                QTest::keyClick(focus, Qt::Key_Escape);
                return;
            }
            QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(focus, m_answers.takeFirst());
            QTest::keyClick(focus, Qt::Key_Return);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->text();
            QTest::keyClick(focus, Qt::Key_Return);
        } else {
            intruders << QString::fromLatin1(modal->metaObject()->className());
            QTest::keyClick(focus, Qt::Key_Escape);
        }
    }

    QStringList m_answers;
    QTimer m_poll;
    QElapsedTimer m_clock;
    QWidget* m_seen = nullptr;
    qint64 m_seenAt = 0;
};

} // namespace

class TestExchangeWindows : public QObject {
    Q_OBJECT
private slots:
    void exportWizard()
    {
        Fixture f;
        auto* wizard = f.open<ExportWizard>("exportAction", f.env.navigator.showBrowse());
        QVERIFY(wizard);
        QVERIFY(!findWindow<BrowseWindow>()); // the wizard stands in for the browse window
        QCOMPARE(wizard->windowTitle(), QStringLiteral("SP | Export Recipes"));
        auto* heading = child<QLabel>(wizard, "heading");
        auto* categories = child<QComboBox>(wizard, "categoryCombo");
        auto* available = child<QListWidget>(wizard, "availableList");
        auto* chosen = child<QListWidget>(wizard, "chosenList");
        auto* next = child<QPushButton>(wizard, "nextButton");
        auto* back = child<QPushButton>(wizard, "backButton");
        QCOMPARE(heading->text(), QStringLiteral("select recipes to export"));
        QVERIFY(!back->isEnabled());
        QCOMPARE(categories->currentText(), QStringLiteral("Cakes"));
        QCOMPARE(listTexts(available), (QStringList{"Flan", "Torta"}));

        next->click(); // nothing chosen
        QCOMPARE(f.env.dialogs.messageTexts().last(), QStringLiteral("no recipes selected"));

        // Choose Soups' Caldo, then Cakes' Torta; return Caldo while Cakes is shown: it does not appear there.
        categories->setCurrentIndex(categories->findText(QStringLiteral("Soups")));
        child<QPushButton>(wizard, "chooseOneButton")->click(); // nothing picked in the list yet
        QCOMPARE(chosen->count(), 0);
        available->setCurrentRow(0);
        child<QPushButton>(wizard, "chooseOneButton")->click();
        categories->setCurrentIndex(categories->findText(QStringLiteral("Cakes")));
        available->setCurrentRow(1);
        child<QPushButton>(wizard, "chooseOneButton")->click();
        QCOMPARE(listTexts(chosen), (QStringList{"Caldo", "Torta"}));
        QCOMPARE(listTexts(available), QStringList{"Flan"});
        chosen->setCurrentRow(0);
        child<QPushButton>(wizard, "returnOneButton")->click();
        QCOMPARE(listTexts(available), QStringList{"Flan"});
        child<QPushButton>(wizard, "chooseAllButton")->click();
        QCOMPARE(listTexts(chosen), (QStringList{"Torta", "Flan"}));

        next->click();
        QCOMPARE(heading->text(), QStringLiteral("select export file"));
        next->click(); // no file yet
        QCOMPARE(f.env.dialogs.messageTexts().last(), QStringLiteral("select export file"));
        // The book itself is refused; an existing file asks; a new name is taken.
        f.env.dialogs.files = {app().bookPath()};
        child<QPushButton>(wizard, "chooseFileButton")->click();
        QCOMPARE(f.env.dialogs.messages.last().text, loadText(TextId::CannotOverwriteBookMessage));
        QCOMPARE(f.env.dialogs.messages.last().icon, MsgIcon::Exclamation);
        writeFileBytes(f.file(QStringLiteral("old.xml")), "old");
        f.env.dialogs.files = {f.file(QStringLiteral("old.xml"))};
        f.env.dialogs.answers = {MsgAnswer::No};
        child<QPushButton>(wizard, "chooseFileButton")->click();
        QCOMPARE(child<QLabel>(wizard, "fileLabel")->text(), QStringLiteral("File name: "));
        QVERIFY(!f.env.dialogs.fileRequests.last().mustExist);
        f.env.dialogs.files = {f.file(QStringLiteral("new.xml"))};
        child<QPushButton>(wizard, "chooseFileButton")->click();
        QCOMPARE(child<QLabel>(wizard, "fileLabel")->text(), QStringLiteral("File name:  new.xml"));

        next->click();
        QCOMPARE(heading->text(), QStringLiteral("export images"));
        back->click();
        QCOMPARE(heading->text(), QStringLiteral("Select export file")); // going back: a capital
        next->click();
        child<QRadioButton>(wizard, "copyPicturesOption")->click();
        next->click();
        QCOMPARE(f.env.dialogs.messageTexts().last(), loadText(TextId::ExportSucceededMessage));
        QVERIFY(QFile::exists(f.file(QStringLiteral("exp_img/recipes_Cakes_Torta.jpg"))));
        QVERIFY(readFileBytes(f.file(QStringLiteral("new.xml"))).contains("<title>Flan</title>"));
        QVERIFY(findWindow<BrowseWindow>()); // back, loaded afresh
        QVERIFY(!findWindow<ExportWizard>());
    }

    // The other formats: a JSON-LD file, or one web page or Cooklang file a recipe in a chosen folder.
    void exportingInOpenFormats_data()
    {
        QTest::addColumn<int>("format"); // its place in the format list
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("written"); // beside or inside the target
        QTest::newRow("JSON-LD") << 1 << "cakes.json" << QStringList{"cakes.json", "exp_img/recipes_Cakes_Torta.jpg"};
        QTest::newRow("web pages") << 2 << "pages" << QStringList{"pages/Flan.html", "pages/Torta.html",
                                                                  "pages/exp_img/recipes_Cakes_Torta.jpg"};
        QTest::newRow("Cooklang") << 3 << "cook" << QStringList{"cook/Flan.cook", "cook/Torta.cook", "cook/Torta.jpg"};
    }
    void exportingInOpenFormats()
    {
        QFETCH(int, format);
        QFETCH(QString, target);
        QFETCH(QStringList, written);
        Fixture f;
        auto* wizard = f.open<ExportWizard>("exportAction", f.env.navigator.showBrowse());
        child<QPushButton>(wizard, "chooseAllButton")->click(); // the two cakes
        child<QPushButton>(wizard, "nextButton")->click();
        child<QComboBox>(wizard, "formatCombo")->setCurrentIndex(format);
        f.env.dialogs.files = {f.file(target)};
        child<QPushButton>(wizard, "chooseFileButton")->click();
        child<QPushButton>(wizard, "nextButton")->click();
        child<QRadioButton>(wizard, "copyPicturesOption")->click();
        child<QPushButton>(wizard, "nextButton")->click();
        QCOMPARE(f.env.dialogs.messageTexts().last(), loadText(TextId::ExportSucceededMessage));
        for (const QString& name : written)
            QVERIFY2(QFileInfo(f.file(name)).isFile(), qPrintable(name));
    }

    // Every button of every page has an access key, none shared, in either language; Return presses
    // the focused button or ">>"; ">>" moves ten thousand recipes at once.
    void wizardsByKeyboard()
    {
        for (Language language : {Language::English, Language::Spanish}) {
            Fixture f;
            setLanguage(language);
            auto checkPage = [&](QWidget* wizard, const char* page) {
                const AccessKeyReport keys = accessKeyReport(wizard);
                QVERIFY2(keys.clashes.isEmpty(), qPrintable(QLatin1String(page) + u' ' + keys.clashes.join(u';')));
                QVERIFY2(keys.withoutKey.isEmpty(), qPrintable(QLatin1String(page) + u' ' + keys.withoutKey.join(u';')));
            };
            auto* exportWizard = new ExportWizard;
            exportWizard->show();
            QVERIFY(activate(exportWizard)); // shortcuts work in the active window
            checkPage(exportWizard, "export recipes");
            pressAccessKey(child<QListWidget>(exportWizard, "availableList"), TextId::ChooseAllRecipesTip);
            QTRY_COMPARE(child<QListWidget>(exportWizard, "chosenList")->count(), 2); // a key clicks as the mouse would
            QTest::keyClick(child<QListWidget>(exportWizard, "chosenList"), Qt::Key_Return);
            QCOMPARE(child<QLabel>(exportWizard, "heading")->text(), loadText(TextId::SelectExportFileLabel));
            checkPage(exportWizard, "export file");
            f.env.dialogs.files = {f.file(QStringLiteral("x.xml"))};
            auto* browse = child<QPushButton>(exportWizard, "chooseFileButton");
            browse->setFocus();
            QTest::keyClick(browse, Qt::Key_Return); // the focused button, not ">>"
            QCOMPARE(f.env.dialogs.fileRequests.size(), 1);
            QTest::keyClick(exportWizard, Qt::Key_Right, Qt::AltModifier);
            QTRY_COMPARE(child<QLabel>(exportWizard, "heading")->text(), loadText(TextId::ExportImagesLabel));
            checkPage(exportWizard, "export pictures");
            QTest::keyClick(exportWizard, Qt::Key_Left, Qt::AltModifier);
            QTRY_COMPARE(child<QLabel>(exportWizard, "heading")->text().toLower(),
                         loadText(TextId::SelectExportFileLabel).toLower());
            delete exportWizard;

            writeFileBytes(f.file(QStringLiteral("in.xml")), "<recipebook><category cname=\"Cakes\">" +
                                                                recipeXml("Tarta") + "</category></recipebook>");
            auto* importWizard = new ImportWizard;
            importWizard->show();
            QVERIFY(activate(importWizard));
            checkPage(importWizard, "import file");
            f.env.dialogs.files = {f.file(QStringLiteral("in.xml"))};
            child<QPushButton>(importWizard, "chooseFileButton")->click();
            QTest::keyClick(importWizard, Qt::Key_Enter);
            checkPage(importWizard, "import recipes");
            pressAccessKey(importWizard, TextId::CheckAllButton);
            QTRY_COMPARE(child<QListWidget>(importWizard, "recipeList")->item(0)->checkState(), Qt::Checked);
            QTest::keyClick(importWizard, Qt::Key_Return);
            checkPage(importWizard, "import pictures");
            delete importWizard;
        }
        setLanguage(Language::English);

        // Ten thousand recipes in one category go over at once, each title shown whole (wrapped, and on pointing).
        Fixture f;
        QByteArray recipes;
        for (int i = 0; i < 10000; ++i)
            recipes += recipeXml(QStringLiteral("Aussie Snags (sausage sizzle) %1").arg(i).toUtf8().constData());
        f.env.useBook("<recipebook><category cname=\"Many\">" + recipes + "</category></recipebook>");
        auto* wizard = new ExportWizard;
        wizard->show();
        QElapsedTimer clock;
        clock.start();
        child<QPushButton>(wizard, "chooseAllButton")->click();
        auto* chosen = child<QListWidget>(wizard, "chosenList");
        chosen->scrollToBottom();
        chosen->viewport()->grab(); // laid out and drawn, as the user sees it
        QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(chosen->count(), 10000);
        QCOMPARE(chosen->item(9999)->toolTip(), chosen->item(9999)->text());
        QCOMPARE(child<QListWidget>(wizard, "availableList")->count(), 0);
    }

    void cancelAndCloseReturnToBrowse()
    {
        Fixture f;
        auto* wizard = f.open<ExportWizard>("exportAction", f.env.navigator.showBrowse());
        child<QPushButton>(wizard, "cancelButton")->click();
        QVERIFY(findWindow<BrowseWindow>());
        f.open<ExportWizard>("exportAction", findWindow<BrowseWindow>())->close(); // the close box
        QVERIFY(findWindow<BrowseWindow>());
        QVERIFY(!f.env.navigator.ended());
    }

    void importWizard()
    {
        Fixture f;
        const QString file = f.file(QStringLiteral("in.xml"));
        writeFileBytes(file, "<recipebook><category cname=\"Cakes\">" + recipeXml("flan", "recipes_Cakes_Flan.jpg") +
                                 recipeXml("Tarta") + "</category><category cname=\"a/b\">" + recipeXml("Lost") +
                                 "</category></recipebook>");
        QDir().mkpath(f.file(QStringLiteral("exp_img")));
        writeFileBytes(f.file(QStringLiteral("exp_img/recipes_Cakes_Flan.jpg")), jpegBytes("flan"));
        f.env.dialogs.inputs = {std::nullopt}; // the add window's first category prompt
        auto* wizard = f.open<ImportWizard>("importAction", f.env.navigator.showAdd());
        QVERIFY(wizard);
        QCOMPARE(wizard->windowTitle(), QStringLiteral("SP | Import Recipes"));
        auto* heading = child<QLabel>(wizard, "heading");
        auto* next = child<QPushButton>(wizard, "nextButton");
        QCOMPARE(heading->text(), QStringLiteral("locate SP recipe file"));
        next->click();
        QCOMPARE(f.env.dialogs.messageTexts().last(), QStringLiteral("select import file"));

        f.env.dialogs.files = {app().bookPath()};
        child<QPushButton>(wizard, "chooseFileButton")->click();
        QCOMPARE(f.env.dialogs.messages.last().text, loadText(TextId::CannotImportBookMessage));
        writeFileBytes(f.file(QStringLiteral("broken.xml")), "<recipebook>");
        f.env.dialogs.files = {f.file(QStringLiteral("broken.xml"))};
        child<QPushButton>(wizard, "chooseFileButton")->click();
        QCOMPARE(f.env.dialogs.messages.last().text, loadText(TextId::ImportFileInvalidMessage));
        next->click();
        QCOMPARE(f.env.dialogs.messages.last().text, loadText(TextId::ImportFileInvalidMessage));
        QCOMPARE(heading->text(), QStringLiteral("locate SP recipe file"));

        f.env.dialogs.files = {file};
        child<QPushButton>(wizard, "chooseFileButton")->click();
        QCOMPARE(child<QLabel>(wizard, "fileLabel")->text(), QStringLiteral("File name: in.xml"));
        next->click();
        QCOMPARE(heading->text(), QStringLiteral("select recipes to import"));
        auto* recipes = child<QListWidget>(wizard, "recipeList");
        QCOMPARE(listTexts(recipes), (QStringList{"flan", "Tarta", "Lost"}));
        next->click();
        QCOMPARE(f.env.dialogs.messageTexts().last(), QStringLiteral("No recipes selected"));
        child<QPushButton>(wizard, "backButton")->click();
        QCOMPARE(heading->text(), QStringLiteral("Select import file"));
        next->click(); // the list is read afresh, nothing ticked
        child<QPushButton>(wizard, "tickAllButton")->click();
        QCOMPARE(recipes->currentRow(), 0);
        recipes->item(1)->setCheckState(Qt::Unchecked);
        next->click();
        QCOMPARE(heading->text(), QStringLiteral("import images"));

        // flan meets Flan: the prompt names the title from the file.
        f.env.dialogs.clear();
        f.env.dialogs.inputs = {QStringLiteral("Flan Dos")};
        next->click();
        // (The second prompt is the add window's own, asking for a category as it comes back.)
        QCOMPARE(f.env.dialogs.inputPrompts.first(), loadText(TextId::TitleClashPromptStart) +
                                                         QStringLiteral(" [flan] ") +
                                                         loadText(TextId::TitleClashPromptEnd));
        QCOMPARE(f.env.dialogs.inputDefaults.first(), QStringLiteral("new title"));
        QCOMPARE(f.env.dialogs.messageTexts(),
                 (QStringList{loadText(TextId::ImportSkippedForCategoryMessage) + QStringLiteral("\r\n\r\nLost"),
                              loadText(TextId::ImportSucceededMessage)}));
        QVERIFY(f.env.bookBytes().contains("<title>flan dos</title>"));
        QVERIFY(!f.env.bookBytes().contains("Tarta") && !f.env.bookBytes().contains("Lost"));
        QVERIFY(QFile::exists(QDir(f.env.imagesPath()).filePath(QStringLiteral("recipes_Cakes_flan dos.jpg"))));
        QVERIFY(findWindow<AddRecipeWindow>());
        QVERIFY(!findWindow<ImportWizard>());
    }

    // Another program's file: its format is named, what it could not give is listed before and after,
    // the chosen recipe is previewed, and a recipe with no category goes where the cook says.
    void importingAnotherProgramsFile()
    {
        Fixture f;
        const QString file = f.file(QStringLiteral("old.mmf"));
        writeFileBytes(file, "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Gazpacho\n"
                             " Categories: Soups\n      Yield: 4 servings\n\n      2 lb tomatoes\n\n"
                             "  Blend everything.\n\nMMMMM\n\n"
                             "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Pan de ajo\n"
                             "      Yield: 2 servings\n\n      1    loaf bread\n\n  Toast it.\n\nMMMMM\n\n"
                             "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title:\n\n"
                             "      1    thing\n\nMMMMM\n");
        auto* wizard = new ImportWizard;
        wizard->show();
        child<QComboBox>(wizard, "categoryCombo")->setEditText(QStringLiteral("Old Book"));
        f.env.dialogs.files = {file};
        child<QPushButton>(wizard, "chooseFileButton")->click();
        auto* next = child<QPushButton>(wizard, "nextButton");
        next->click();
        QCOMPARE(listTexts(child<QListWidget>(wizard, "recipeList")), (QStringList{"Gazpacho", "Pan de ajo"}));
        QVERIFY(child<QLabel>(wizard, "formatLabel")->text().contains(QStringLiteral("MealMaster")));
        const QString skipped = child<QPlainTextEdit>(wizard, "skippedList")->toPlainText();
        QVERIFY2(skipped.startsWith(QStringLiteral("recipe 3")), qPrintable(skipped));
        QVERIFY(child<QPlainTextEdit>(wizard, "previewBox")->toPlainText().contains(QStringLiteral("2 lb tomatoes")));
        child<QPushButton>(wizard, "tickAllButton")->click();
        next->click();
        f.env.dialogs.clear();
        next->click();
        QCOMPARE(f.env.dialogs.messageTexts(),
                 (QStringList{loadText(TextId::ImportSucceededMessage),
                              loadText(TextId::ImportFileSkippedMessage) + QStringLiteral("\r\n\r\n") + skipped}));
        const QByteArray book = f.env.bookBytes();
        // The fixture's book already holds Soups, so Gazpacho joins it; Old Book is new.
        QVERIFY(book.indexOf("cname=\"Soups\"") < book.indexOf("<title>Gazpacho</title>"));
        QVERIFY(book.indexOf("<title>Gazpacho</title>") < book.indexOf("cname=\"Old Book\""));
        QVERIFY(book.contains("<category cname=\"Old Book\"><recipe><title>Pan de ajo</title>"));
    }

    // Restoring a backup into a book that has some of its titles: each clash is asked with the real
    // input box, which keeps the keyboard while it is open, and every recipe comes in.
    void titleClashesAreAnsweredDuringTheImport()
    {
        Fixture f;
        const QString file = f.file(QStringLiteral("backup.xml"));
        writeFileBytes(file, "<recipebook><category cname=\"Cakes\">" + recipeXml("Flan") + recipeXml("Tarta") +
                                 "</category><category cname=\"Soups\">" + recipeXml("caldo") +
                                 "</category></recipebook>");
        auto* wizard = new ImportWizard;
        wizard->show();
        f.env.dialogs.files = {file};
        child<QPushButton>(wizard, "chooseFileButton")->click();
        auto* next = child<QPushButton>(wizard, "nextButton");
        next->click();
        child<QPushButton>(wizard, "tickAllButton")->click();
        next->click();

        setDialogs(nullptr); // the real dialogs, with their real modality
        DialogAnswerer user({QStringLiteral("Flan Dos"), QStringLiteral("Caldo Dos")});
        next->click();
        setDialogs(&f.env.dialogs);
        QCOMPARE(user.intruders, QStringList());
        QCOMPARE(user.prompts.size(), 2);
        QVERIFY(user.prompts[0].contains(QStringLiteral("[Flan]")));
        QVERIFY(user.prompts[1].contains(QStringLiteral("[caldo]")));
        QCOMPARE(user.messages, QStringList{loadText(TextId::ImportSucceededMessage)});
        for (const char* title : {"<title>flan dos</title>", "<title>Tarta</title>", "<title>caldo dos</title>"})
            QVERIFY2(f.env.bookBytes().contains(title), title);
    }

    void backup()
    {
        Fixture f;
        auto* backup = child<QAction>(f.env.navigator.showBrowse(), "backupAction");
        QVERIFY(backup->isEnabled());
        const QString target = f.file(QStringLiteral("backup.xml"));

        // The book itself, then an existing file answered No, then a cancel: nothing changes.
        writeFileBytes(target, "older backup");
        f.env.dialogs.files = {app().bookPath(), target, std::nullopt};
        f.env.dialogs.answers = {MsgAnswer::No};
        backup->trigger();
        QCOMPARE(f.env.dialogs.fileRequests.size(), 3);
        QCOMPARE(f.env.dialogs.fileRequests.first().title, loadText(TextId::BackupFileDialogTitle));
        QCOMPARE(f.env.dialogs.fileRequests.first().fileName, QStringLiteral("sp_backup.xml"));
        QCOMPARE(f.env.dialogs.messageTexts(),
                 (QStringList{loadText(TextId::CannotOverwriteBookMessage), loadText(TextId::OverwriteFilePrompt),
                              loadText(TextId::BackupCancelledMessage)}));
        QCOMPARE(readFileBytes(target), QByteArray("older backup"));

        // No pictures: only the book.
        f.env.dialogs.clear();
        f.env.dialogs.files = {target};
        f.env.dialogs.answers = {MsgAnswer::Yes, MsgAnswer::No};
        backup->trigger();
        QCOMPARE(readFileBytes(target), f.env.bookBytes());
        QVERIFY(!QFileInfo::exists(f.file(QStringLiteral("exp_img"))));
        QCOMPARE(f.env.dialogs.messageTexts().last(), loadText(TextId::BackupSucceededMessage));
        QCOMPARE(f.env.dialogs.fileRequests.first().fileName, target); // the last name is kept

        // With pictures twice: the second time asks before it empties exp_img and fills it again.
        for (int round = 0; round < 2; ++round) {
            f.env.dialogs.clear();
            f.env.dialogs.files = {target};
            f.env.dialogs.answers = {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes};
            if (round == 1)
                writeFileBytes(f.file(QStringLiteral("exp_img/stale.jpg")), "stale");
            backup->trigger();
            QCOMPARE(f.env.dialogs.messageTexts().contains(loadText(TextId::ImageFolderExistsPrompt)), round == 1);
        }
        QCOMPARE(QDir(f.file(QStringLiteral("exp_img"))).entryList(QDir::Files),
                 QStringList{"recipes_Cakes_Torta.jpg"});
        QCOMPARE(f.env.dialogs.messageTexts().last(), loadText(TextId::BackupSucceededMessage));

        // A target in the images folder, and an exp_img that is a link to it: refused before anything
        // is deleted or copied, and the dialog comes again.
        QTemporaryDir linked;
        const QString linkedTarget = QDir(linked.path()).filePath(QStringLiteral("b.xml"));
        QVERIFY(QFile::link(f.env.imagesPath(), QDir(linked.path()).filePath(QStringLiteral("exp_img"))));
        const QStringList imagesBefore = QDir(f.env.imagesPath()).entryList(QDir::Files);
        f.env.dialogs.clear();
        f.env.dialogs.files = {QDir(f.env.imagesPath()).filePath(QStringLiteral("b.xml")), linkedTarget, std::nullopt};
        f.env.dialogs.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
        backup->trigger();
        QCOMPARE(f.env.dialogs.messageTexts(),
                 (QStringList{loadText(TextId::BackupInsideImagesMessage), loadText(TextId::BackupImagesPrompt),
                              loadText(TextId::PictureFolderIsLinkMessage), loadText(TextId::BackupCancelledMessage)}));
        QCOMPARE(QDir(f.env.imagesPath()).entryList(QDir::Files), imagesBefore);
        QVERIFY(!QFileInfo::exists(linkedTarget));
    }
};

QTEST_MAIN(TestExchangeWindows)
#include "test_exchange_windows.moc"
