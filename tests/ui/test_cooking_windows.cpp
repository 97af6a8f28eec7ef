// Scaling a recipe, showing it in other measures and the shopping list, driven by the keyboard as a cook
// would; the book file stays byte for byte what it was unless a copy is saved on purpose.
#include "core/app/app_state.h"
#include "core/cooking/scaling.h"
#include "core/output/plain_text.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "relay_server.h"
#include "test_env.h"
#include "ui/browse/browse_window.h"
#include "ui/cooking/scale_window.h"
#include "ui/cooking/shopping_list_window.h"
#include "ui/output/email_window.h"
#include "ui/output/plain_text_window.h"
#include "ui/output/print_engine.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

namespace {

QByteArray recipeXml(const char* title, const char* yield, const char* ing, const char* prep = "")
{
    return QByteArray("<recipe><title>") + title + "</title><preptime>10 min</preptime><cooktime></cooktime><yield>" +
           yield + "</yield><ing>" + ing + "</ing><prep>" + prep +
           "</prep><other>Keep cold.</other><date>3/1/2024</date><image></image></recipe>";
}

const QByteArray kBook =
    "<recipebook><category cname=\"Breakfast\">" +
    recipeXml(
        "Pancakes", "Serves 4",
        "1 cup flour&#13;\n2 eggs&#13;\n3 tbsp sugar&#13;\nsalt to taste&#13;\nA few berries, about 2 handfuls or so",
        "Bake at 350°F for 20 minutes.") +
    recipeXml("Porridge", "a big pot", "1 cup oats&#13;\n2 cups water") + "</category><category cname=\"Desserts\">" +
    recipeXml("Flan", "6 raciones", "500 g de azúcar&#13;\n3 huevos&#13;\n1 l de leche") +
    recipeXml("Sponge", "Makes 12", "200 g sugar&#13;\n2 eggs&#13;\n1 can peaches") +
    "</category><category cname=\"Dinner\">" +
    recipeXml("Peach Chutney", "2 jars", "400 g peaches&#13;\n2 cloves garlic&#13;\n0.5 kg sugar") +
    "</category></recipebook>\r\n";

int accessKey(const QString& text)
{
    return QKeySequence::mnemonic(text)[0].key() & ~Qt::AltModifier;
}

// Opens a menu of the window by its access key, then takes an entry by its own.
void pickFromMenu(QWidget* window, TextId menu, TextId entry)
{
    QVERIFY(activate(window));
    QTest::keyClick(window, Qt::Key(accessKey(loadText(menu))), Qt::AltModifier);
    QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key(accessKey(loadText(entry))));
}

// Types into the widget that has the keyboard, in place of what it holds.
void typeOver(const QString& text)
{
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(focus, text);
}

struct Fixture {
    WindowTestEnv env;
    BrowseWindow* browse = nullptr;
    QByteArray bookBefore;
    explicit Fixture(Language language = Language::English)
    {
        setLanguage(language);
        env.useBook(kBook);
        bookBefore = env.bookBytes();
        browse = env.navigator.showBrowse();
    }
    QString shown(const char* name) const
    {
        if (auto* box = browse->findChild<QPlainTextEdit*>(QLatin1String(name)))
            return box->toPlainText();
        return child<QLabel>(browse, name)->text();
    }
    // Opens the scale window for the shown recipe, from the menu or by its shortcut.
    ScaleWindow* openScale(bool byShortcut = false)
    {
        if (!byShortcut) {
            pickFromMenu(browse, TextId::RecipeMenu, TextId::ScaleMenu);
        } else if (activate(browse)) {
            QTest::keyClick(browse, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        }
        ScaleWindow* scale = nullptr;
        for (int tries = 0; tries < 50 && !scale; ++tries) {
            QTest::qWait(20);
            scale = findWindow<ScaleWindow>();
        }
        if (scale && !activate(scale))
            return nullptr;
        return scale;
    }
};

// Fills the e-mail form and sends it to the loopback relay; gives the message's contents.
QString sendEmail(EmailWindow* email, RelayServer& server)
{
    child<QLineEdit>(email, "senderName")->setText(QStringLiteral("Ana"));
    child<QLineEdit>(email, "senderAddress")->setText(QStringLiteral("ana@gil.es"));
    child<QLineEdit>(email, "recipientName")->setText(QStringLiteral("Luis"));
    child<QLineEdit>(email, "recipientAddress")->setText(QStringLiteral("luis@casa.com"));
    child<QPushButton>(email, "sendButton")->click();
    if (!QTest::qWaitFor([&] { return server.submissions().size() == 1; }, 15000))
        return QString();
    return server.submissions()[0].fields.value(QStringLiteral("Contents"));
}

// The recipe's tree item in the shopping list window.
QTreeWidgetItem* recipeItem(QTreeWidget* tree, const char* title)
{
    const QList<QTreeWidgetItem*> found = tree->findItems(QLatin1String(title), Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

} // namespace

class TestCookingWindows : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { PrintEngine::setPdfInsteadOfDialogs(QString()); }

    // A recipe for 4 shown for 6, then in metric; print, plain text and e-mail take it as shown, the
    // book stays as it was.
    void scalingForServingsByKeyboard_data()
    {
        QTest::addColumn<Language>("language");
        QTest::newRow("English") << Language::English;
        QTest::newRow("Spanish") << Language::Spanish;
    }
    void scalingForServingsByKeyboard()
    {
        QFETCH(Language, language);
        Fixture f(language);
        for (const char* menu : {"recipeMenu", "toolsMenu"}) { // one access key per entry
            QSet<int> seen;
            for (const QAction* action : child<QMenu>(f.browse, menu)->actions()) {
                const int key = action->isSeparator() ? -1 : accessKey(action->text());
                QVERIFY2(key != 0 && (key < 0 || !seen.contains(key)), qPrintable(action->text()));
                seen.insert(key);
            }
        }
        QVERIFY(f.browse->selectRecipe(QStringLiteral("Breakfast"), QStringLiteral("Pancakes")));
        ScaleWindow* scale = f.openScale();
        QVERIFY(scale);
        QCOMPARE(scale->windowTitle(), loadText(TextId::ScaleWindowTitle));
        QVERIFY(scale->windowModality() == Qt::ApplicationModal);
        // The yield holds a number: the servings box has the keyboard, with the recipe's 4.
        auto* servings = child<QSpinBox>(scale, "servingsBox");
        QCOMPARE(servings->value(), 4);
        QTRY_COMPARE(QApplication::focusWidget(), servings);
        typeOver(QStringLiteral("6"));
        QVERIFY(child<QLabel>(scale, "previewLabel")->text().endsWith(QStringLiteral("Serves 6")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!findWindow<ScaleWindow>());

        QCOMPARE(f.shown("yieldValue"), QStringLiteral("Serves 6"));
        const QString ingredients = f.shown("ingredientsBox");
        QVERIFY2(ingredients.startsWith(QStringLiteral("1 1/2 cups flour\n3 eggs\n")), qPrintable(ingredients));
        QVERIFY(ingredients.contains(QStringLiteral("salt to taste"))); // no number: nothing to scale
        QVERIFY(ingredients.contains(handScalingMark(1.5) + QStringLiteral("A few berries")));
        QCOMPARE(f.shown("ingredientsCaption"), loadText(TextId::IngredientsLabel) + QStringLiteral(" (×1 1/2)"));

        // In metric: the cups in millilitres, the oven in Celsius; the scale stays.
        pickFromMenu(f.browse, TextId::RecipeMenu, TextId::ShowMetricMenu);
        QTRY_VERIFY(child<QAction>(f.browse, "showMetricAction")->isChecked());
        QVERIFY2(f.shown("ingredientsBox").startsWith(QStringLiteral("355 ml flour\n3 eggs")),
                 qPrintable(f.shown("ingredientsBox")));
        QCOMPARE(f.shown("preparationBox"), QStringLiteral("Bake at 175 °C for 20 minutes."));
        QCOMPARE(f.shown("ingredientsCaption"), loadText(TextId::IngredientsLabel) + QStringLiteral(" (×1 1/2, ") +
                                                    loadText(TextId::MetricNote) + u')');

        // The plain text and the print page are of the recipe as shown.
        pickFromMenu(f.browse, TextId::RecipeMenu, TextId::PlainTextMenu);
        QTRY_VERIFY(findWindow<PlainTextWindow>());
        const QString text = child<QPlainTextEdit>(findWindow<PlainTextWindow>(), "text")->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("Pancakes (") + loadText(TextId::ScaledForServings).arg(6) +
                                QStringLiteral(", ") + loadText(TextId::MetricNote) + QStringLiteral(")\n")));
        QVERIFY(text.contains(QStringLiteral(": Serves 6\n")) && text.contains(QStringLiteral("355 ml flour")));
        findWindow<PlainTextWindow>()->close();

        const QString pdf = QDir(f.env.dataPath()).filePath(QStringLiteral("printed.pdf"));
        PrintEngine::setPdfInsteadOfDialogs(pdf);
        writeSetting(Setting::PageSetupHeader, QStringLiteral("header"));
        child<QPushButton>(f.browse, "printButton")->click();
        const QByteArray page = readFileBytes(QDir(app().appPath).filePath(QStringLiteral("recipe.htm")));
        QVERIFY(page.contains("Serves 6") && page.contains("355 ml flour") && page.contains("175 &#176;C"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pdf).size() > 0, 10000);
        QTRY_COMPARE(readSetting(Setting::PageSetupHeader), QStringLiteral("header")); // the print is over

        // Another recipe is shown as typed, still in metric; coming back, the scale has gone.
        QVERIFY(f.browse->selectRecipe(QStringLiteral("Breakfast"), QStringLiteral("Porridge")));
        QCOMPARE(f.shown("ingredientsCaption"),
                 loadText(TextId::IngredientsLabel) + QStringLiteral(" (") + loadText(TextId::MetricNote) + u')');
        QVERIFY(f.browse->selectRecipe(QStringLiteral("Breakfast"), QStringLiteral("Pancakes")));
        QCOMPARE(f.shown("yieldValue"), QStringLiteral("Serves 4"));
        QVERIFY(f.shown("ingredientsBox").startsWith(QStringLiteral("235 ml flour\n2 eggs")));
        // Unticked (by its shortcut), the measures are the typed ones again.
        QVERIFY(activate(f.browse));
        QTest::keyClick(f.browse, Qt::Key_M, Qt::ControlModifier);
        QTRY_COMPARE(f.shown("ingredientsCaption"), loadText(TextId::IngredientsLabel));
        QVERIFY(f.shown("ingredientsBox").startsWith(QStringLiteral("1 cup flour\n")));
        QCOMPARE(f.env.bookBytes(), f.bookBefore);
        QVERIFY(f.env.dialogs.messages.isEmpty());
    }

    // A yield without a number is scaled by a factor; what is no factor is said so and changes nothing.
    // E-mail takes the recipe as shown.
    void scalingByFactor()
    {
        Fixture f;
        QVERIFY(f.browse->selectRecipe(QStringLiteral("Breakfast"), QStringLiteral("Porridge")));
        ScaleWindow* scale = f.openScale();
        QVERIFY(scale);
        QVERIFY(!child<QSpinBox>(scale, "servingsBox")->isEnabled());
        QCOMPARE(child<QLabel>(scale, "yieldLabel")->text(), loadText(TextId::ScaleNoYieldCount));
        typeOver(QStringLiteral("lots"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{loadText(TextId::FactorNotUnderstood)});
        QVERIFY(findWindow<ScaleWindow>());
        typeOver(QStringLiteral("1/2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!findWindow<ScaleWindow>());
        QCOMPARE(f.shown("ingredientsBox"), QStringLiteral("1/2 cup oats\n1 cup water"));
        QCOMPARE(f.shown("yieldValue"), QStringLiteral("a big pot"));

        // Escape leaves the scale as it was; As Written brings back the recipe as typed.
        scale = f.openScale();
        QVERIFY(scale);
        QCOMPARE(child<QComboBox>(scale, "factorBox")->currentText(), QStringLiteral("1/2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!findWindow<ScaleWindow>());
        QCOMPARE(f.shown("ingredientsBox"), QStringLiteral("1/2 cup oats\n1 cup water"));
        scale = f.openScale(true);
        QVERIFY(scale);
        pressAccessKey(scale, TextId::AsWrittenButton);
        QTRY_VERIFY(!findWindow<ScaleWindow>());
        QCOMPARE(f.shown("ingredientsBox"), QStringLiteral("1 cup oats\n2 cups water"));

        // A yield with a number can still be scaled by a factor: its option's key goes to its box.
        QVERIFY(f.browse->selectRecipe(QStringLiteral("Desserts"), QStringLiteral("Sponge")));
        scale = f.openScale();
        QVERIFY(scale);
        pressAccessKey(scale, TextId::ScaleByFactorOption);
        QTRY_VERIFY(child<QComboBox>(scale, "factorBox")->hasFocus());
        typeOver(QStringLiteral("3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!findWindow<ScaleWindow>());
        QCOMPARE(f.shown("yieldValue"), QStringLiteral("Makes 36"));
        QCOMPARE(f.shown("ingredientsBox"), QStringLiteral("600 g sugar\n6 eggs\n3 cans peaches"));

        // E-mail offers the recipe as shown first, ticked, before every stored one, and sends it scaled.
        RelayServer server;
        writeSetting(Setting::RelayHost, server.host());
        pickFromMenu(f.browse, TextId::RecipeMenu, TextId::EmailMenu);
        QTRY_VERIFY(findWindow<EmailWindow>());
        EmailWindow* email = findWindow<EmailWindow>();
        auto* recipes = child<QListWidget>(email, "recipeList");
        QCOMPARE(recipes->item(0)->text(), QStringLiteral("Sponge (for 36)"));
        QCOMPARE(recipes->item(0)->checkState(), Qt::Checked);
        QCOMPARE(recipes->count(), 6);
        const QString contents = sendEmail(email, server);
        QVERIFY2(contents.contains(QStringLiteral("« Sponge (for 36) »")) &&
                     contents.contains(QStringLiteral("600 g sugar")) &&
                     contents.contains(QStringLiteral(": Makes 36")),
                 qPrintable(contents));
        QCOMPARE(f.env.bookBytes(), f.bookBefore);
    }

    // The shown recipe saved as a new one passes the add window's checks; the recipe as typed stays.
    void savingTheShownRecipeAsANewOne()
    {
        Fixture f;
        QVERIFY(f.browse->selectRecipe(QStringLiteral("Breakfast"), QStringLiteral("Pancakes")));
        auto* save = child<QAction>(f.browse, "saveShownAction");
        QVERIFY(!save->isEnabled()); // nothing differs from the book yet
        f.browse->showScaled(2);
        QVERIFY(save->isEnabled());

        f.env.dialogs.inputs = {QStringLiteral("pancakes"), QStringLiteral("Pan/cakes"), std::nullopt};
        save->trigger();
        QCOMPARE(f.env.dialogs.inputDefaults.value(0), QStringLiteral("Pancakes (for 8)"));
        QCOMPARE(f.env.dialogs.messages.size(), 2);
        QCOMPARE(f.env.dialogs.messages[0].text, loadText(TextId::TitleExistsMessage));
        QVERIFY(f.env.dialogs.messages[1].text.startsWith(loadText(TextId::InvalidTitleCharsMessage)));
        QCOMPARE(f.env.dialogs.inputDefaults.value(2), QStringLiteral("Pan/cakes")); // asked again with it
        QCOMPARE(f.env.bookBytes(), f.bookBefore);                                   // cancelled: nothing saved

        f.env.dialogs.clear();
        f.env.dialogs.inputs = {QStringLiteral("  Pancakes for a crowd ")};
        save->trigger();
        QVERIFY(f.env.dialogs.messages.isEmpty());
        QCOMPARE(child<QListWidget>(f.browse, "recipeList")->currentItem()->text(),
                 QStringLiteral("Pancakes for a crowd"));
        QCOMPARE(f.shown("yieldValue"), QStringLiteral("Serves 8")); // shown as stored, scaled no further
        QVERIFY(f.shown("ingredientsBox").startsWith(QStringLiteral("2 cups flour\n4 eggs\n")));
        QCOMPARE(f.shown("ingredientsCaption"), loadText(TextId::IngredientsLabel));
        QVERIFY(f.browse->selectRecipe(QStringLiteral("Breakfast"), QStringLiteral("Pancakes"))); // as it was
        QCOMPARE(f.shown("yieldValue"), QStringLiteral("Serves 4"));
        QVERIFY(f.shown("ingredientsBox").startsWith(QStringLiteral("1 cup flour\n2 eggs\n")));
        QVERIFY(f.env.bookBytes().contains("<title>Pancakes for a crowd</title>"));
    }

    // The week's recipes ticked by keyboard, one of them doubled: one merged list, ticked off on screen,
    // shown as plain text, printed and e-mailed; the book untouched.
    void shoppingListByKeyboard_data()
    {
        QTest::addColumn<Language>("language");
        QTest::newRow("English") << Language::English;
        QTest::newRow("Spanish") << Language::Spanish;
    }
    void shoppingListByKeyboard()
    {
        QFETCH(Language, language);
        Fixture f(language);
        pickFromMenu(f.browse, TextId::ToolsMenu, TextId::ShoppingListMenu);
        QTRY_VERIFY(findWindow<ShoppingListWindow>());
        ShoppingListWindow* window = findWindow<ShoppingListWindow>();
        QVERIFY(activate(window));
        QCOMPARE(window->windowTitle(), loadText(TextId::ShoppingListWindowTitle));
        auto* tree = child<QTreeWidget>(window, "recipeTree");
        auto* items = child<QListWidget>(window, "itemList");
        QCOMPARE(child<QLabel>(window, "countLabel")->text(), loadText(TextId::ShoppingNothingTicked));
        pressAccessKey(window, TextId::ShoppingPrintButton);
        QTRY_COMPARE(f.env.dialogs.messageTexts(), QStringList{loadText(TextId::ShoppingListEmptyMessage)});
        f.env.dialogs.clear();

        // Down to Sponge (Breakfast, Pancakes, Porridge, Desserts, Flan, Sponge) and tick it, then the last one.
        pressAccessKey(window, TextId::ShoppingRecipesLabel);
        QTRY_VERIFY(tree->hasFocus());
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(tree, Qt::Key_Down);
        QCOMPARE(tree->currentItem(), recipeItem(tree, "Sponge"));
        QTest::keyClick(tree, Qt::Key_Space);
        QCOMPARE(tree->currentItem()->checkState(0), Qt::Checked);
        QTest::keyClick(tree, Qt::Key_End);
        QTest::keyClick(tree, Qt::Key_Space);
        QCOMPARE(recipeItem(tree, "Peach Chutney")->checkState(0), Qt::Checked);
        // Sponge twice over, through the scale box.
        tree->setCurrentItem(recipeItem(tree, "Sponge"));
        pressAccessKey(window, TextId::ShoppingScaleLabel);
        QTRY_VERIFY(child<QComboBox>(window, "scaleBox")->hasFocus());
        typeOver(QStringLiteral("2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(recipeItem(tree, "Sponge")->text(1), QStringLiteral("×2"));
        // Giving an unticked recipe a scale ticks it.
        tree->setCurrentItem(recipeItem(tree, "Flan"));
        QCOMPARE(child<QComboBox>(window, "scaleBox")->currentText(), QStringLiteral("1"));
        typeOver(QStringLiteral("1/2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(recipeItem(tree, "Flan")->checkState(0), Qt::Checked);
        recipeItem(tree, "Flan")->setCheckState(0, Qt::Unchecked);
        QCOMPARE(recipeItem(tree, "Flan")->text(1), QString());

        QStringList list = listTexts(items);
        QStringList expected = {QStringLiteral("900 g sugar  [Sponge, Peach Chutney]"),
                                QStringLiteral("4 eggs  [Sponge]"), QStringLiteral("2 cans peaches  [Sponge]"),
                                QStringLiteral("400 g peaches  [Peach Chutney]"),
                                QStringLiteral("2 cloves garlic  [Peach Chutney]")};
        for (const QString& line : expected) // the same sugar added up; cans and grams kept apart
            QVERIFY2(list.contains(line), qPrintable(line + QStringLiteral(" in ") + list.join(u'|')));
        QCOMPARE(child<QLabel>(window, "countLabel")->text(), loadText(TextId::ShoppingListCount).arg(2).arg(5));

        // Ticking off by keyboard; the tick stays while other recipes change the list.
        pressAccessKey(window, TextId::ShoppingItemsLabel);
        QTRY_VERIFY(items->hasFocus());
        const QString garlic = QStringLiteral("2 cloves garlic  [Peach Chutney]");
        items->setCurrentItem(items->findItems(garlic, Qt::MatchExactly).value(0));
        QTest::keyClick(items, Qt::Key_Space);
        QVERIFY(items->currentItem()->font().strikeOut());
        recipeItem(tree, "Porridge")->setCheckState(0, Qt::Checked);
        QCOMPARE(items->findItems(garlic, Qt::MatchExactly).value(0)->checkState(), Qt::Checked);

        // Plain text, printing and e-mail take the whole list with its title.
        const QString title = loadText(TextId::ShoppingListTitle);
        pressAccessKey(window, TextId::ShoppingPlainTextButton);
        QTRY_VERIFY(findWindow<PlainTextWindow>());
        PlainTextWindow* plain = findWindow<PlainTextWindow>();
        QVERIFY(activate(plain));
        QVERIFY(accessKeyReport(plain).clashes.isEmpty());
        QVERIFY(child<QPlainTextEdit>(plain, "text")->toPlainText().startsWith(title + QStringLiteral("\n\n")));
        child<QPushButton>(plain, "copyButton")->click();
        const QString copied = QApplication::clipboard()->text();
        QVERIFY(copied.contains(QStringLiteral("oats  [Porridge]\r\n")));
        QVERIFY(!copied.contains(QStringLiteral("garlic"))); // ticked off: the cook has it
        plain->close();

        const QString pdf = QDir(f.env.dataPath()).filePath(QStringLiteral("list.pdf"));
        PrintEngine::setPdfInsteadOfDialogs(pdf);
        QVERIFY(activate(window));
        pressAccessKey(window, TextId::ShoppingPrintButton);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pdf).size() > 0, 10000);
        const QByteArray page = readFileBytes(QDir(app().appPath).filePath(QStringLiteral("recipe.htm")));
        QVERIFY(page.contains("400 g peaches  [Peach Chutney]"));
        // With everything ticked off there is nothing to print; unticked again, the list goes on.
        const auto tickOffAll = [items](Qt::CheckState state) {
            for (int row = 0; row < items->count(); ++row) {
                if (items->item(row)->flags() & Qt::ItemIsUserCheckable)
                    items->item(row)->setCheckState(state);
            }
        };
        tickOffAll(Qt::Checked);
        pressAccessKey(window, TextId::ShoppingPrintButton);
        QTRY_COMPARE(f.env.dialogs.messageTexts(), QStringList{loadText(TextId::ShoppingAllTickedOffMessage)});
        tickOffAll(Qt::Unchecked);

        RelayServer server;
        writeSetting(Setting::RelayHost, server.host());
        pressAccessKey(window, TextId::ShoppingEmailButton);
        QTRY_VERIFY(findWindow<EmailWindow>());
        QTRY_VERIFY(!findWindow<ShoppingListWindow>() && !findWindow<BrowseWindow>());
        EmailWindow* email = findWindow<EmailWindow>();
        auto* recipes = child<QListWidget>(email, "recipeList");
        QCOMPARE(recipes->item(0)->text(), title);
        QCOMPARE(recipes->item(0)->checkState(), Qt::Checked);
        const QString contents = sendEmail(email, server);
        QVERIFY2(contents.contains(QStringLiteral("« ") + title + QStringLiteral(" »")) &&
                     contents.contains(QStringLiteral("400 g peaches  [Peach Chutney]")),
                 qPrintable(contents));
        QCOMPARE(f.env.bookBytes(), f.bookBefore);
    }
};

QTEST_MAIN(TestCookingWindows)
#include "test_cooking_windows.moc"
