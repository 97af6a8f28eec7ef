// Every window as a screen reader meets it: each control that takes the keyboard has a name, in the
// program's language (the picture is named for its recipe), every button has its access key, and Tab
// goes round in the order it is read.
#include "core/app/app_state.h"
#include "core/app/help_files.h"
#include "core/text/text_table.h"
#include "test_env.h"
#include "test_pictures.h"
#include "ui/app/language_chooser.h"
#include "ui/app/startup_sequence.h"
#include "ui/browse/browse_window.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QtTest>

namespace {

const QByteArray kBook = "<recipebook><category cname=\"Desserts\"><recipe><title>Flan</title><preptime>10 min</preptime>"
                         "<cooktime>1 h</cooktime><yield>Serves 4</yield><ing>4 eggs\r\n500 ml milk</ing>"
                         "<prep>Mix and bake.</prep><other/><date>1/2/2026</date><image>flan.png</image></recipe>"
                         "</category></recipebook>";

QSet<QWidget*> visibleWindows()
{
    QSet<QWidget*> shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !window->inherits("QMenu"))
            shown.insert(window);
    }
    return shown;
}

QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
    return control ? control->text(QAccessible::Name) : QString();
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    // Each window, opened as the cook opens it from the browse window, in both languages.
    void everyControlHasAName_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("action");
        const QStringList actions{QString(),          "addRecipesAction", "editRecipeAction", "searchAction",
                                  "preferencesAction", "aboutAction",     "helpContentsAction", "addRecipesAction>importAction",
                                  "exportAction",      "cookbookAction",  "emailAction",      "plainTextAction",
                                  "scaleAction",       "shoppingListAction", "historyAction"};
        for (Language language : {Language::English, Language::Spanish}) {
            for (const QString& action : actions) {
                const QString row = (action.isEmpty() ? QStringLiteral("browse") : action.section(u'>', -1)) +
                                    (language == Language::English ? QStringLiteral(" en") : QStringLiteral(" es"));
                QTest::newRow(qPrintable(row)) << language << action;
            }
        }
    }
    void everyControlHasAName()
    {
        QFETCH(Language, language);
        QFETCH(QString, action);
        WindowTestEnv env;
        setLanguage(language);
        QVERIFY(QDir(env.dataPath()).mkpath(QStringLiteral("images")));
        QVERIFY(writePicture(QDir(env.dataPath()).filePath(QStringLiteral("images/flan.png")), 120, 90));
        env.useBook(kBook);
        BrowseWindow* browse = env.navigator.showBrowse();
        QVERIFY(browse->selectRecipe(QStringLiteral("Desserts"), QStringLiteral("Flan")));
        installShippedFiles(env.dataPath()); // the help files
        // Each step triggers a command of the window the one before opened.
        QWidget* window = browse;
        for (const QString& step : action.split(u'>', Qt::SkipEmptyParts)) {
            const QSet<QWidget*> before = visibleWindows();
            child<QAction>(window, qPrintable(step))->trigger();
            QTRY_VERIFY(!(visibleWindows() - before).isEmpty());
            window = *(visibleWindows() - before).begin();
        }
        const QStringList unnamed = unnamedFocusableControls(window);
        QVERIFY2(unnamed.isEmpty(), qPrintable(window->objectName() + QStringLiteral(": ") + unnamed.join(QStringLiteral(", "))));
        if (action.isEmpty()) { // names in the program's language, the picture's after its recipe
            QCOMPARE(accessibleName(child<QWidget>(browse, "ingredientsBox")), loadText(TextId::IngredientsLabel));
            QCOMPARE(accessibleName(child<QWidget>(browse, "thumbnail")),
                     loadText(TextId::PictureOfRecipeName).arg(QStringLiteral("Flan")));
        }
        // Every button has its access key (Return presses the default one) and no two share one, but for
        // the Spanish texts of the book's own that do: Alt+C goes from one to the other there.
        AccessKeyReport keys = accessKeyReport(window);
        keys.withoutKey.removeIf([window](const QString& name) {
            const auto* button = window->findChild<QPushButton*>(name);
            return button && button->isDefault();
        });
        if (language == Language::Spanish) {
            keys.clashes.removeAll(QStringLiteral("Alt+C: saveButton, cancelButton"));
            keys.clashes.removeAll(QStringLiteral("Alt+C: copyButton, closeButton"));
        }
        QVERIFY2(keys.clashes.isEmpty() && keys.withoutKey.isEmpty(),
                 qPrintable(keys.clashes.join(u' ') + QStringLiteral(" | without: ") + keys.withoutKey.join(u' ')));
        const TabOrderReport order = tabOrderReport(window);
        QVERIFY2(order.reading == order.tabbing, qPrintable(window->objectName() + QStringLiteral("\nread: ") +
                                                            order.reading.join(u' ') + QStringLiteral("\ntab:  ") +
                                                            order.tabbing.join(u' ')));
    }

    // The language chooser of a first start, before any language is chosen.
    void languageChooserHasNames()
    {
        WindowTestEnv env;
        QDir(env.dataPath()).removeRecursively();
        startProgram(env.navigator);
        LanguageChooser* chooser = findWindow<LanguageChooser>();
        QVERIFY(chooser);
        QVERIFY2(unnamedFocusableControls(chooser).isEmpty(), qPrintable(unnamedFocusableControls(chooser).join(u' ')));
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
