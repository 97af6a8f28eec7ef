// Books written by earlier versions of the program open, show and save without any recipe changing:
// raw CR LF inside texts, no declaration, pictures named after a category's old name, a recipe of eight
// children (no picture element) and a recipe without a title.
#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "test_env.h"
#include "test_pictures.h"
#include "ui/browse/browse_window.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

// As an earlier version wrote it: one line, UTF-8 without a declaration, line breaks inside the
// multi-line texts as raw CR LF. "Postres" was once "Desserts", so its pictures carry that name.
const QByteArray kOldBook =
    "<recipebook>"
    "<category cname=\"Postres\">"
    "<recipe><title>Flan</title><preptime>20 min</preptime><cooktime>1 h</cooktime><yield>6</yield>"
    "<ing>4 huevos\r\n1 litro de leche\r\naz\xc3\xba" "car</ing><prep>Batir.\r\nHornear a 180 \xc2\xb0" "C.</prep>"
    "<other>Fr\xc3\xad" "o &amp; con caramelo</other><date>3/2/2009</date><image>recipes_Desserts_Flan.jpg</image></recipe>"
    "<recipe><title>Arroz con leche</title><preptime></preptime><cooktime>40 min</cooktime><yield>4</yield>"
    "<ing>arroz\r\nleche</ing><prep>Cocer.</prep><other></other><date>5/6/2010</date>"
    "<image>recipes_Desserts_Arroz con leche.gif</image></recipe>"
    "</category>"
    "<category cname=\"Soups\">"
    "<recipe><title>Caldo</title><preptime>5</preptime><cooktime>2 h</cooktime><yield>8</yield>"
    "<ing>bones\r\nwater</ing><prep>Simmer.</prep><other></other><date>1/1/2008</date></recipe>"
    "<recipe><title></title><preptime></preptime><cooktime></cooktime><yield></yield><ing>lost line</ing>"
    "<prep></prep><other></other><date>1/1/2008</date><image></image></recipe>"
    "</category>"
    "</recipebook>";

// Every recipe as the program reads it: its children's names and texts, in order.
QStringList recipesOf(const RecipeBook& book)
{
    QStringList recipes;
    for (const XmlNode& category : book.categories()) {
        for (const XmlNode& recipe : RecipeBook::recipes(category)) {
            QStringList fields;
            for (const XmlNode& child : recipe.children())
                fields << child.name() + u'=' + child.text();
            recipes << fields.join(u'|');
        }
    }
    return recipes;
}

QMap<QString, QByteArray> filesIn(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        files.insert(name, readFileBytes(QDir(folder).filePath(name)));
    return files;
}

} // namespace

class TestOldBooks : public QObject {
    Q_OBJECT
private slots:
    void opensShowsAndSavesUnchanged()
    {
        WindowTestEnv env;
        QDir(env.dataPath()).mkpath(QStringLiteral("images"));
        QVERIFY(writePicture(QDir(env.imagesPath()).filePath(QStringLiteral("recipes_Desserts_Flan.jpg")), 300, 200));
        QVERIFY(writeGif(QDir(env.imagesPath()).filePath(QStringLiteral("recipes_Desserts_Arroz con leche.gif"))));
        writeFileBytes(env.bookPath(), kOldBook);
        const QMap<QString, QByteArray> pictures = filesIn(env.imagesPath());

        // Opens as the program opens it: not taken for a broken book, nothing kept aside.
        resetAppState();
        QCOMPARE(openDataFolder().problem, StartupProblem::None);
        QCOMPARE(loadBook().problem, StartupProblem::None);
        QCOMPARE(env.bookBytes(), kOldBook);
        const QStringList before = recipesOf(app().book);
        QCOMPARE(before.size(), 4);
        QVERIFY(before[0].contains(QStringLiteral("ing=4 huevos\n1 litro de leche\naz\u00facar|")));
        QVERIFY(before[2].endsWith(QStringLiteral("|date=1/1/2008"))); // eight children, no picture element

        // Shows: pictures under the old category name, lines as lines, the untitled recipe left out.
        auto* w = env.navigator.showBrowse();
        w->show();
        auto* categories = child<QComboBox>(w, "categoryCombo");
        auto* list = child<QListWidget>(w, "recipeList");
        QVERIFY(w->selectRecipe(QStringLiteral("Postres"), QStringLiteral("Flan")));
        QCOMPARE(child<QPlainTextEdit>(w, "ingredientsBox")->toPlainText(),
                 QStringLiteral("4 huevos\n1 litro de leche\naz\u00facar"));
        QCOMPARE(child<QPlainTextEdit>(w, "notesBox")->toPlainText(), QStringLiteral("Fr\u00edo & con caramelo"));
        QCOMPARE(child<QLabel>(w, "thumbnail")->pixmap().size(), QSize(300, 200));
        QVERIFY(w->selectRecipe(QStringLiteral("Postres"), QStringLiteral("Arroz con leche")));
        QVERIFY(child<QLabel>(w, "thumbnail")->isVisible());
        categories->setCurrentIndex(categories->findText(QStringLiteral("Soups")));
        QCOMPARE(list->count(), 1);
        QVERIFY(w->selectRecipe(QStringLiteral("Soups"), QStringLiteral("Caldo")));
        QCOMPARE(child<QLabel>(w, "dateValue")->text(), QStringLiteral("1/1/2008"));
        QVERIFY(child<QLabel>(w, "thumbnail")->isHidden());

        // Saves: renaming a category rewrites the whole book; no recipe and no picture changes.
        categories->setCurrentIndex(categories->findText(QStringLiteral("Postres")));
        env.dialogs.inputs = {QStringLiteral("Dulces")};
        child<QAction>(w, "renameCategoryAction")->trigger();
        QVERIFY(env.bookBytes().contains("<category cname=\"Dulces\">"));
        RecipeBook saved;
        QVERIFY(saved.load(env.bookPath()));
        QCOMPARE(recipesOf(saved), before);
        QCOMPARE(recipesOf(app().book), before);
        QCOMPARE(filesIn(env.imagesPath()), pictures);
        QVERIFY(w->selectRecipe(QStringLiteral("Dulces"), QStringLiteral("Flan")));
        QCOMPARE(child<QLabel>(w, "thumbnail")->pixmap().size(), QSize(300, 200));

        // Saved once by this version, the book reads the same and saves to the same bytes again.
        const QByteArray once = env.bookBytes();
        QVERIFY(saved.save(env.bookPath()));
        QCOMPARE(env.bookBytes(), once);
        QCOMPARE(env.dialogs.unscripted, 0);
    }
};

QTEST_MAIN(TestOldBooks)
#include "test_old_books.moc"
