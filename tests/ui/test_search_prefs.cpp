#include "core/app/app_state.h"
#include "core/settings/preference_choices.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "sample_books.h"
#include "test_env.h"
#include "ui/browse/browse_window.h"
#include "ui/editor/add_recipe_window.h"
#include "ui/preferences/preferences_window.h"
#include "ui/search/search_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QByteArray kBook = searchSampleBook();

QString setting(const char* name)
{
    return readSetting(kRegRoot + QLatin1String(name));
}

} // namespace

class TestSearchPrefs : public QObject {
    Q_OBJECT
private slots:
    void searchWindow()
    {
        WindowTestEnv env;
        env.useBook(kBook);
        auto* browse = env.navigator.showBrowse();
        child<QAction>(browse, "searchAction")->trigger();
        auto* search = findWindow<SearchWindow>();
        QVERIFY(search);
        QCOMPARE(QApplication::activeModalWidget(), search); // the browse window takes no input meanwhile
        QCOMPARE(child<QLineEdit>(search, "searchBox")->text(), QStringLiteral("Enter Search Text"));
        QCOMPARE(child<QLineEdit>(search, "searchBox")->selectedText(), child<QLineEdit>(search, "searchBox")->text());
        QCOMPARE(search->width(), 263); // 3945 twips at the normal text size

        child<QLineEdit>(search, "searchBox")->setText(QStringLiteral("nothing like it"));
        QTest::keyClick(child<QLineEdit>(search, "searchBox"), Qt::Key_Return);
        QCOMPARE(child<QLabel>(search, "countLabel")->text(), QStringLiteral("0 recipe(s) found"));
        QCOMPARE(child<QListWidget>(search, "resultList")->count(), 0);

        child<QLineEdit>(search, "searchBox")->setText(QStringLiteral("RYE"));
        QTest::keyClick(child<QLineEdit>(search, "searchBox"), Qt::Key_Return);
        QCOMPARE(child<QLineEdit>(search, "searchBox")->text(), QStringLiteral("RYE"));
        QCOMPARE(child<QLabel>(search, "countLabel")->text(), QStringLiteral("2 recipe(s) found"));
        // Equal titles: the first found (document order) wins.
        child<QListWidget>(search, "resultList")->setCurrentRow(1);
        QCOMPARE(child<QComboBox>(browse, "categoryCombo")->currentText(), QStringLiteral("Breads"));
        QCOMPARE(child<QListWidget>(browse, "recipeList")->currentItem()->text(), QStringLiteral("Rye"));
        QCOMPARE(child<QPlainTextEdit>(browse, "ingredientsBox")->toPlainText(), QStringLiteral("RYE FLOUR, water"));

        child<QPushButton>(search, "closeButton")->click();
        QVERIFY(browse->isEnabled());
        QVERIFY(!findWindow<SearchWindow>());
    }

    // With accents and case ignored the window finds while the cook types, best first, all by keyboard in
    // either language; the choice is remembered until it is undone, which brings the exact search back.
    void searchIgnoringAccentsByKeyboard()
    {
        for (const Language language : {Language::English, Language::Spanish}) {
            WindowTestEnv env;
            setLanguage(language);
            env.useBook(foldedSearchSampleBook());
            auto* browse = env.navigator.showBrowse();
            auto openSearch = [&] {
                child<QAction>(browse, "searchAction")->trigger();
                auto* search = findWindow<SearchWindow>();
                return activate(search) ? search : nullptr; // shortcuts work in the active window
            };
            SearchWindow* search = openSearch();
            QVERIFY(search);
            auto* box = child<QLineEdit>(search, "searchBox");
            auto* bestFirst = child<QListView>(search, "bestFirstList");
            QVERIFY(!bestFirst->isVisible() && child<QListWidget>(search, "resultList")->isVisible());
            QTest::keyClick(box, Qt::Key_A, Qt::AltModifier);
            QTRY_VERIFY(bestFirst->isVisible());
            QVERIFY(!child<QListWidget>(search, "resultList")->isVisible());
            QVERIFY(child<QLabel>(search, "foldedSearchHint")->isVisible());
            QCOMPARE(setting("searchFolded"), QStringLiteral("1"));
            const AccessKeyReport keys = accessKeyReport(search);
            QVERIFY2(keys.clashes.isEmpty() && keys.withoutKey.isEmpty(),
                     qPrintable(keys.clashes.join(u';') + u' ' + keys.withoutKey.join(u';')));

            QVERIFY(box->hasFocus());                             // back to typing
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier); // over the prompt text
            QTest::keyClicks(box, QStringLiteral("chicken LEMON"));
            QTRY_COMPARE(child<QLabel>(search, "countLabel")->text(),
                         QStringLiteral("2 ") + loadText(TextId::RecipesFoundLabel));
            auto row = [&](int r) { return bestFirst->model()->index(r, 0).data().toString(); };
            QCOMPARE(row(0), language == Language::English ? QStringLiteral("Lemon Chicken\nin title, ingredients")
                                                           : QStringLiteral("Lemon Chicken\nen título, ingredientes"));
            QCOMPARE(row(1), language == Language::English
                                 ? QStringLiteral("Chicken Soup\nin title, ingredients, preparation")
                                 : QStringLiteral("Chicken Soup\nen título, ingredientes, preparación"));
            QTest::keyClick(box, Qt::Key_Down); // on to the best match, shown behind
            QCOMPARE(child<QComboBox>(browse, "categoryCombo")->currentText(), QStringLiteral("Mains"));
            QCOMPARE(child<QListWidget>(browse, "recipeList")->currentItem()->text(), QStringLiteral("Lemon Chicken"));
            QTest::keyClick(bestFirst, Qt::Key_Down);
            QCOMPARE(child<QListWidget>(browse, "recipeList")->currentItem()->text(), QStringLiteral("Chicken Soup"));
            QTest::mouseClick(bestFirst->viewport(), Qt::LeftButton, {},
                              bestFirst->visualRect(bestFirst->model()->index(0, 0)).center());
            QCOMPARE(child<QListWidget>(browse, "recipeList")->currentItem()->text(), QStringLiteral("Lemon Chicken"));

            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(box, QStringLiteral("+azucar -canela"));
            QTRY_COMPARE(row(0), language == Language::English ? QStringLiteral("Crème brûlée\nin ingredients")
                                                               : QStringLiteral("Crème brûlée\nen ingredientes"));
            QCOMPARE(bestFirst->model()->rowCount(), 1);
            search->close();

            search = openSearch(); // remembered
            QVERIFY(search && child<QListView>(search, "bestFirstList")->isVisible());
            QTest::keyClick(child<QLineEdit>(search, "searchBox"), Qt::Key_A, Qt::AltModifier);
            QTRY_VERIFY(child<QListWidget>(search, "resultList")->isVisible());
            QCOMPARE(setting("searchFolded"), QStringLiteral("0"));
            search->close();
        }
        setLanguage(Language::English);
    }

    void firstOpeningAndSave()
    {
        WindowTestEnv env;
        auto* browse = env.navigator.showBrowse();
        child<QAction>(browse, "preferencesAction")->trigger();
        auto* ops = findWindow<PreferencesWindow>();
        QVERIFY(ops);
        QVERIFY(!findWindow<BrowseWindow>());
        QCOMPARE(ops->windowTitle(), QStringLiteral("SP | Preferences | Preferencias"));
        QCOMPARE(child<QLabel>(ops, "schemeCaption")->text(), QStringLiteral("«color scheme» «esquema de colores»"));
        QCOMPARE(child<QPushButton>(ops, "saveButton")->text(), QStringLiteral("&SAVE\n&GUARDAR"));
        QCOMPARE(child<QComboBox>(ops, "schemeCombo")->currentText(), QStringLiteral("normal"));
        QCOMPARE(child<QComboBox>(ops, "languageCombo")->currentText(), QStringLiteral("english"));
        QCOMPARE(child<QComboBox>(ops, "textSizeCombo")->currentText(), QStringLiteral("small / pequeño"));

        child<QComboBox>(ops, "schemeCombo")->setCurrentIndex(3);
        QCOMPARE(ops->palette().color(QPalette::Window), QColor(159, 159, 159)); // previewed at once
        child<QComboBox>(ops, "languageCombo")->setCurrentIndex(1);
        child<QComboBox>(ops, "textSizeCombo")->setCurrentIndex(2);
        child<QPushButton>(ops, "saveButton")->click();
        QCOMPARE(setting("color"), QStringLiteral("300"));
        QCOMPARE(setting("language"), QStringLiteral("1"));
        QCOMPARE(setting("textSize"), QStringLiteral("2"));
        auto* back = findWindow<BrowseWindow>();
        QVERIFY(back);
        QCOMPARE(back->windowTitle(), QStringLiteral("SP | Explorar recetas"));
        QCOMPARE(child<QPlainTextEdit>(back, "ingredientsBox")->palette().color(QPalette::Base), QColor(51, 102, 153));
        QCOMPARE(child<QPlainTextEdit>(back, "ingredientsBox")->font().pointSize(), 12);
        QVERIFY(!findWindow<PreferencesWindow>());
    }

    void discard()
    {
        WindowTestEnv env;
        writeSetting(Setting::ColorScheme, QStringLiteral("200"));
        app().colorScheme = 200;
        for (int round = 0; round < 2; ++round) {
            child<QAction>(env.navigator.showBrowse(), "preferencesAction")->trigger();
            auto* ops = findWindow<PreferencesWindow>();
            child<QComboBox>(ops, "schemeCombo")->setCurrentIndex(4);
            child<QComboBox>(ops, "schemeCombo")->setCurrentIndex(7);
            QCOMPARE(app().colorScheme, 700);
            if (round == 0)
                child<QPushButton>(ops, "discardButton")->click();
            else
                ops->close(); // the close box discards as well
            QCOMPARE(app().colorScheme, 200);
            auto* back = findWindow<BrowseWindow>();
            QVERIFY(back);
            QCOMPARE(child<QPlainTextEdit>(back, "ingredientsBox")->palette().color(QPalette::Base),
                     QColor(75, 140, 66));
            delete back;
        }
        // The notice comes once, when no language was ever stored, and stores English.
        QCOMPARE(env.dialogs.messageTexts(), QStringList{"Default settings will be used (English)"});
        QCOMPARE(setting("language"), QStringLiteral("0"));
    }

    void returnsToTheAddWindow()
    {
        WindowTestEnv env;
        env.useBook("<recipebook><category cname=\"Soups\"/></recipebook>");
        env.dialogs.inputs = {std::nullopt};
        auto* add = env.navigator.showAdd();
        child<QAction>(add, "preferencesAction")->trigger();
        auto* ops = findWindow<PreferencesWindow>();
        QVERIFY(ops);
        env.dialogs.inputs = {std::nullopt};
        child<QPushButton>(ops, "saveButton")->click();
        QVERIFY(findWindow<AddRecipeWindow>());
        QVERIFY(!findWindow<BrowseWindow>());
    }
};

QTEST_MAIN(TestSearchPrefs)
#include "test_search_prefs.moc"
