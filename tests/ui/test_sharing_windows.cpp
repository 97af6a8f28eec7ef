// The windows of a book shared through a synced folder: the book read again when another computer's
// comes in (keeping the place and what is typed), conflicting copies offered, and File > Book History.
#include "core/app/app_state.h"
#include "core/sharing/book_history.h"
#include "core/sharing/conflict_copies.h"
#include "core/sharing/shared_book.h"
#include "core/text/text_table.h"
#include "test_env.h"
#include "ui/browse/browse_window.h"
#include "ui/editor/edit_recipe_window.h"
#include "ui/history/book_history_window.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include <stdio.h>

namespace {

QByteArray recipe(const char* title, const char* ingredients)
{
    return QByteArray("<recipe><title>") + title + "</title><preptime/><cooktime/><yield/><ing>" + ingredients +
           "</ing><prep/><other/><date>1/2/2026</date><image/></recipe>";
}

QByteArray bookOf(const QByteArray& recipes)
{
    return "<recipebook><category cname=\"Desserts\">" + recipes + "</category></recipebook>";
}

void replaceBySync(const QString& bookPath, const QByteArray& xml)
{
    const QString incoming = bookPath + QStringLiteral(".syncing");
    writeFileBytes(incoming, xml);
    QVERIFY(::rename(QFile::encodeName(incoming).constData(), QFile::encodeName(bookPath).constData()) == 0);
}

} // namespace

class SharingWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void anotherComputersBookComesIn();
    void conflictingCopiesAreOffered();
    void bookHistoryBringsBackARecipe();
};

void SharingWindowsTest::anotherComputersBookComesIn()
{
    WindowTestEnv env;
    env.useBook(bookOf(recipe("Flan", "eggs") + recipe("Tarta", "flour")));
    BrowseWindow* browse = env.navigator.showBrowse();
    env.navigator.watchBook();
    QVERIFY(browse->selectRecipe(QStringLiteral("Desserts"), QStringLiteral("Tarta")));
    auto* recipes = child<QListWidget>(browse, "recipeList");

    // The other computer added a recipe: it shows, and the chosen recipe stays chosen.
    replaceBySync(env.bookPath(), bookOf(recipe("Flan", "eggs") + recipe("Tarta", "flour") + recipe("Paella", "rice")));
    QTRY_COMPARE(listTexts(recipes), (QStringList{QStringLiteral("Flan"), QStringLiteral("Paella"), QStringLiteral("Tarta")}));
    QCOMPARE(recipes->currentItem()->text(), QStringLiteral("Tarta"));

    // While Tarta is edited a recipe arrives before it; the edit is saved to Tarta, nothing is lost.
    env.dialogs.inputs = {std::nullopt}; // the window's first category prompt, as it opens
    EditRecipeWindow* edit = env.navigator.showEdit({0, 1, QStringLiteral("Tarta")});
    auto* title = child<QLineEdit>(edit, "titleBox");
    QTest::keyClicks(title, QStringLiteral(" de queso"));
    replaceBySync(env.bookPath(),
                  bookOf(recipe("Churros", "flour") + recipe("Flan", "eggs") + recipe("Tarta", "flour") +
                         recipe("Paella", "rice")));
    QTRY_VERIFY(!app().book.fileChangedOnDisk());
    QCOMPARE(title->text(), QStringLiteral("Tarta de queso"));
    QTest::mouseClick(child<QPushButton>(edit, "saveButton"), Qt::LeftButton);
    QStringList titles;
    for (const FiledRecipe& filed : contentsOf(app().book).recipes)
        titles << filed.recipe.title;
    QCOMPARE(titles, (QStringList{QStringLiteral("Churros"), QStringLiteral("Flan"), QStringLiteral("Paella"),
                                  QStringLiteral("Tarta de queso")}));
    QCOMPARE(env.dialogs.unscripted, 0);
}

void SharingWindowsTest::conflictingCopiesAreOffered()
{
    WindowTestEnv env;
    env.useBook(bookOf(recipe("Flan", "eggs")));
    const QString copy = QDir(env.dataPath()).filePath(QStringLiteral("recipes (Ana's conflicted copy).xml"));
    writeFileBytes(copy, bookOf(recipe("Flan", "eggs") + recipe("Paella", "rice")));
    env.navigator.showBrowse();
    env.dialogs.answers = {MsgAnswer::Yes};
    env.navigator.watchBook();
    QTRY_VERIFY(conflictCopies(env.dataPath()).isEmpty());
    QCOMPARE(env.dialogs.messages.size(), 2);
    QVERIFY(env.dialogs.messages[0].text.contains(QStringLiteral("recipes (Ana's conflicted copy).xml")));
    QCOMPARE(env.dialogs.messages[1].text, describeMerge({{QStringLiteral("Paella")}, {}, {}, {}, {}, {}}));
    QCOMPARE(contentsOf(app().book).recipes.size(), 2);
}

void SharingWindowsTest::bookHistoryBringsBackARecipe()
{
    WindowTestEnv env;
    env.useBook(bookOf(recipe("Flan", "eggs") + recipe("Tarta", "flour")));
    QVERIFY(!keepBookInHistory(env.bookPath()).isEmpty());
    QVERIFY(removeRecipe(app().book, {0, 1, QStringLiteral("Tarta")}).saved());

    BrowseWindow* browse = env.navigator.showBrowse();
    child<QAction>(browse, "historyAction")->trigger();
    auto* history = findWindow<BookHistoryWindow>();
    QVERIFY(history);
    QCOMPARE(history->windowTitle(), QStringLiteral("Book History"));

    auto* books = child<QTreeWidget>(history, "keptBooksList");
    QCOMPARE(books->topLevelItemCount(), 1);
    QTRY_COMPARE(books->topLevelItem(0)->text(2), QStringLiteral("0 added, 1 removed, 0 changed"));
    auto* recipes = child<QTreeWidget>(history, "keptRecipesList");
    QCOMPARE(recipes->topLevelItemCount(), 2);
    QCOMPARE(recipes->topLevelItem(1)->text(2), loadText(TextId::HistoryRemovedSince));
    recipes->setCurrentItem(recipes->topLevelItem(1));
    QTest::mouseClick(child<QPushButton>(history, "bringBackRecipeButton"), Qt::LeftButton);
    QCOMPARE(env.dialogs.messageTexts().last(), QStringLiteral("\"Tarta\" is back in the book."));
    QCOMPARE(recipes->topLevelItem(1)->text(2), QString());

    // Closing goes back to browsing, at the recipe brought back.
    history->close();
    QTRY_VERIFY(findWindow<BrowseWindow>());
    QCOMPARE(child<QListWidget>(findWindow<BrowseWindow>(), "recipeList")->currentItem()->text(),
             QStringLiteral("Tarta"));

    // The keys stay apart in Spanish too.
    setLanguage(Language::Spanish);
    child<QAction>(findWindow<BrowseWindow>(), "historyAction")->trigger();
    QVERIFY(findWindow<BookHistoryWindow>());
    QCOMPARE(findWindow<BookHistoryWindow>()->windowTitle(), QStringLiteral("Historial del libro"));
    QCOMPARE(env.dialogs.unscripted, 0);
}

QTEST_MAIN(SharingWindowsTest)
#include "test_sharing_windows.moc"
