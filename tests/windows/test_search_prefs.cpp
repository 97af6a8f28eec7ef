#include "core/app/app_state.h"
#include "core/settings/preference_choices.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "test_env.h"
#include "ui/browse/browse_window.h"
#include "ui/editor/add_recipe_window.h"
#include "ui/preferences/preferences_window.h"
#include "ui/search/search_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QByteArray recipe(const char* title, const char* ing, const char* yield = "")
{
    return QByteArray("<recipe><title>") + title + "</title><preptime></preptime><cooktime></cooktime><yield>" + yield +
           "</yield><ing>" + ing + "</ing><prep>Mix.</prep><other></other><date></date><image></image></recipe>";
}

const QByteArray kBook = "<recipebook><category cname=\"Breads\">" + recipe("Rye", "RYE FLOUR, water", "2 loaves") +
                         recipe("Focaccia", "flour, olive oil") + "</category><category cname=\"Cakes\">" +
                         recipe("Sponge", "eggs", "12 slices") + recipe("Rye", "rye, honey") +
                         recipe("Odd one", "Enter Search Text here") + "</category></recipebook>";

QString setting(const char* name)
{
    return readSetting(kRegRoot + QLatin1String(name));
}

} // namespace

class TestSearchPrefs : public QObject {
    Q_OBJECT
private slots:
    void searchingTheBook()
    {
        TestEnv env;
        env.useBook(kBook);
        const RecipeBook& book = app().recipeDoc;
        auto titles = [&](const char* key) {
            QStringList found;
            for (const SearchHit& hit : searchRecipes(book, QString::fromUtf8(key)))
                found << hit.category + u'/' + hit.title;
            return found;
        };
        QCOMPARE(titles("olive"), QStringList{"Breads/Focaccia"});                 // only in the ingredients
        QCOMPARE(titles("loaves"), QStringList());                                 // only in the yield
        QCOMPARE(titles("flour"), (QStringList{"Breads/Rye", "Breads/Focaccia"})); // case on both sides
        QCOMPARE(titles("FLOUR, W"), QStringList{"Breads/Rye"});                   // one piece of text, blanks and all
        QCOMPARE(titles("rye"), (QStringList{"Breads/Rye", "Cakes/Rye"}));         // each recipe once
        QCOMPARE(titles("").size(), 5);
        QCOMPARE(titles("Enter Search Text"), QStringList{"Cakes/Odd one"});
    }

    void searchWindow()
    {
        TestEnv env;
        env.useBook(kBook);
        auto* browse = new BrowseWindow;
        browse->show();
        browse->m_searchAction->trigger();
        auto* search = findWindow<SearchWindow>();
        QVERIFY(search);
        QVERIFY(!browse->isEnabled());
        QCOMPARE(search->m_searchBox->text(), QStringLiteral("Enter Search Text"));
        QCOMPARE(search->m_searchBox->selectedText(), search->m_searchBox->text());
        QCOMPARE(search->width(), 263); // 3945 twips at the normal text size

        search->m_searchBox->setText(QStringLiteral("nothing like it"));
        QTest::keyClick(search->m_searchBox, Qt::Key_Return);
        QCOMPARE(search->m_countLabel->text(), QStringLiteral("0 recipe(s) found"));
        QCOMPARE(search->m_resultList->count(), 0);

        search->m_searchBox->setText(QStringLiteral("RYE"));
        QTest::keyClick(search->m_searchBox, Qt::Key_Return);
        QCOMPARE(search->m_searchBox->text(), QStringLiteral("RYE"));
        QCOMPARE(search->m_countLabel->text(), QStringLiteral("2 recipe(s) found"));
        // Equal titles: the first found (document order) wins.
        search->m_resultList->setCurrentRow(1);
        QCOMPARE(browse->m_categoryCombo->currentText(), QStringLiteral("Breads"));
        QCOMPARE(browse->m_recipeList->currentItem()->text(), QStringLiteral("Rye"));
        QCOMPARE(browse->m_ingredientsBox->toPlainText(), QStringLiteral("RYE FLOUR, water"));

        search->m_closeButton->click();
        QVERIFY(browse->isEnabled());
        QVERIFY(!findWindow<SearchWindow>());
    }

    void searchInSpanish()
    {
        TestEnv env;
        env.useBook(kBook);
        setLanguage(Language::Spanish);
        app().textFontSize = 12;
        auto* browse = new BrowseWindow;
        browse->show();
        openSearchWindow(browse);
        auto* search = findWindow<SearchWindow>();
        QCOMPARE(search->windowTitle(), QStringLiteral("SP | Buscar"));
        QCOMPARE(search->m_searchBox->text(), QStringLiteral("Teclea el texto para buscar"));
        QCOMPARE(search->width(), 340); // 5100 twips at the large text size
        search->m_searchBox->setText(QStringLiteral("huevos"));
        search->runSearch();
        QCOMPARE(search->m_countLabel->text(), QStringLiteral("0 receta(s) encontradas"));
        search->close(); // the close box enables the browse window too
        QVERIFY(browse->isEnabled());
    }

    void storedPositions()
    {
        QCOMPARE(preferencePosition(QStringLiteral("300"), 100, 8), 3);
        QCOMPARE(preferencePosition(QString(), 100, 8), 0);
        QCOMPARE(preferencePosition(QStringLiteral("ocean"), 100, 8), 0);
        QCOMPARE(preferencePosition(QStringLiteral("950"), 100, 8), 0);
        QCOMPARE(preferencePosition(QStringLiteral("-100"), 100, 8), 0);
        QCOMPARE(preferencePosition(QStringLiteral("1"), 1, 2), 1);
        QCOMPARE(preferencePosition(QStringLiteral("7"), 1, 2), 0);
    }

    void firstOpeningAndSave()
    {
        TestEnv env;
        auto* browse = new BrowseWindow;
        browse->show();
        browse->m_preferencesAction->trigger();
        auto* ops = findWindow<PreferencesWindow>();
        QVERIFY(ops);
        QVERIFY(!findWindow<BrowseWindow>());
        QCOMPARE(ops->windowTitle(), QStringLiteral("SP | Preferences | Preferencias"));
        QCOMPARE(ops->m_schemeCaption->text(), QStringLiteral("«color scheme» «esquema de colores»"));
        QCOMPARE(ops->m_saveButton->text(), QStringLiteral("&SAVE\n&GUARDAR"));
        QCOMPARE(ops->m_schemeCombo->currentText(), QStringLiteral("normal"));
        QCOMPARE(ops->m_languageCombo->currentText(), QStringLiteral("english"));
        QCOMPARE(ops->m_textSizeCombo->currentText(), QStringLiteral("small / pequeño"));

        ops->m_schemeCombo->setCurrentIndex(3);
        QCOMPARE(ops->palette().color(QPalette::Window), QColor(159, 159, 159)); // previewed at once
        ops->m_languageCombo->setCurrentIndex(1);
        ops->m_textSizeCombo->setCurrentIndex(2);
        ops->m_saveButton->click();
        QCOMPARE(setting("color"), QStringLiteral("300"));
        QCOMPARE(setting("language"), QStringLiteral("1"));
        QCOMPARE(setting("textSize"), QStringLiteral("2"));
        auto* back = findWindow<BrowseWindow>();
        QVERIFY(back);
        QCOMPARE(back->windowTitle(), QStringLiteral("SP | Explorar recetas"));
        QCOMPARE(back->m_ingredientsBox->palette().color(QPalette::Base), QColor(51, 102, 153));
        QCOMPARE(back->m_ingredientsBox->font().pointSize(), 12);
        QVERIFY(!findWindow<PreferencesWindow>());
    }

    void discard()
    {
        TestEnv env;
        writeSetting(Setting::ColorScheme, QStringLiteral("200"));
        app().colorScheme = 200;
        for (int round = 0; round < 2; ++round) {
            auto* ops = new PreferencesWindow;
            ops->show();
            ops->m_schemeCombo->setCurrentIndex(4);
            ops->m_schemeCombo->setCurrentIndex(7);
            QCOMPARE(app().colorScheme, 700);
            if (round == 0)
                ops->m_discardButton->click();
            else
                ops->close(); // the close box discards as well
            QCOMPARE(app().colorScheme, 200);
            auto* back = findWindow<BrowseWindow>();
            QVERIFY(back);
            QCOMPARE(back->m_ingredientsBox->palette().color(QPalette::Base), QColor(75, 140, 66));
            delete back;
        }
        // The notice comes once, when no language was ever stored, and stores English.
        QCOMPARE(env.dialogs.messageTexts(), QStringList{"Default settings will be used (English)"});
        QCOMPARE(setting("language"), QStringLiteral("0"));
    }

    void returnsToTheAddWindow()
    {
        TestEnv env;
        env.useBook("<recipebook><category cname=\"Soups\"/></recipebook>");
        env.dialogs.inputs = {std::nullopt};
        auto* add = new AddRecipeWindow;
        add->show();
        QVERIFY(app().prefsFromAdd);
        add->m_preferencesAction->trigger();
        auto* ops = findWindow<PreferencesWindow>();
        QVERIFY(ops);
        env.dialogs.inputs = {std::nullopt};
        ops->m_saveButton->click();
        QVERIFY(findWindow<AddRecipeWindow>());
        QVERIFY(!findWindow<BrowseWindow>());
    }

    void handEditedValues()
    {
        TestEnv env;
        writeSetting(Setting::ColorScheme, QStringLiteral("purple"));
        writeSetting(Setting::Language, QStringLiteral("9"));
        writeSetting(Setting::TextSize, QStringLiteral("-3"));
        PreferencesWindow ops;
        QCOMPARE(ops.m_schemeCombo->currentIndex(), 0);
        QCOMPARE(ops.m_languageCombo->currentIndex(), 0);
        QCOMPARE(ops.m_textSizeCombo->currentIndex(), 0);
    }
};

QTEST_MAIN(TestSearchPrefs)
#include "test_search_prefs.moc"
