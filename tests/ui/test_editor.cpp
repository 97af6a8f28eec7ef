#include "core/app/app_state.h"
#include "core/app/clock.h"
#include "core/text/text_table.h"
#include "test_env.h"
#include "test_pictures.h"
#include "ui/browse/browse_window.h"
#include "ui/editor/add_recipe_window.h"
#include "ui/editor/edit_recipe_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QByteArray kBook = "<recipebook>"
                         "<category cname=\"Cakes\">"
                         "<recipe><title>Torta</title><preptime>25 min</preptime><cooktime>45 min</cooktime>"
                         "<yield>8</yield><ing>eggs\nsugar</ing><prep>Beat.</prep><other></other><date>1/2/2020</date>"
                         "<image>recipes_Cakes_Torta.jpg</image></recipe>"
                         "<recipe><title>Flan</title><preptime></preptime><cooktime></cooktime><yield></yield><ing>"
                         "</ing><prep></prep><other></other><date>1/2/2020</date><image></image></recipe>"
                         "</category>"
                         "<category cname=\"Pies\"><recipe><title>Apple</title><preptime></preptime><cooktime>"
                         "</cooktime><yield></yield><ing></ing><prep></prep><other></other><date></date><image>"
                         "</image></recipe></category>"
                         "<category cname=\"Desserts\"></category>"
                         "</recipebook>";

struct EditorFixture {
    WindowTestEnv env;
    QTemporaryDir elsewhere; // where the cook's own pictures are
    explicit EditorFixture(const QByteArray& book = kBook)
    {
        QDir(env.dataPath()).mkpath(QStringLiteral("images"));
        writePicture(image(QStringLiteral("recipes_Cakes_Torta.jpg")), 300, 200);
        env.useBook(book);
        setClock([] { return QDate(2026, 12, 6); });
    }
    ~EditorFixture() { setClock({}); }
    QString image(const QString& name) const { return QDir(env.dataPath()).filePath(QStringLiteral("images/") + name); }
    QString own(const QString& name) const { return QDir(elsewhere.path()).filePath(name); }
    QStringList images() const
    {
        return QDir(QDir(env.dataPath()).filePath(QStringLiteral("images"))).entryList(QDir::Files);
    }
    std::unique_ptr<RecipeBook> saved() const
    {
        auto book = std::make_unique<RecipeBook>();
        book->load(env.bookPath());
        return book;
    }
    // Opens the add window; the first prompt for a new category is cancelled.
    AddRecipeWindow* openAdd()
    {
        env.dialogs.inputs.prepend(std::nullopt);
        return env.navigator.showAdd();
    }
    // Opens the edit window from the browse window, as the EDIT button does.
    EditRecipeWindow* openEdit(const char* category, const char* title)
    {
        auto* browse = env.navigator.showBrowseAt(QLatin1String(category), QLatin1String(title));
        env.dialogs.inputs.prepend(std::nullopt);
        child<QPushButton>(browse, "editButton")->click();
        return qobject_cast<EditRecipeWindow*>(env.navigator.currentMainWindow());
    }
    void choose(AddRecipeWindow* w, const QString& category)
    {
        child<QComboBox>(w, "categoryCombo")->setCurrentIndex(child<QComboBox>(w, "categoryCombo")->findText(category));
    }
};

QStringList titlesOf(const RecipeBook& book, int category)
{
    QStringList titles;
    for (const XmlNode& r : RecipeBook::recipes(book.category(category)))
        titles << RecipeBook::title(r);
    return titles;
}

} // namespace

class TestEditor : public QObject {
    Q_OBJECT
private slots:
    void addingARecipe()
    {
        EditorFixture f;
        AddRecipeWindow* w = f.openAdd();
        QCOMPARE(f.env.dialogs.inputPrompts, QStringList{"What would you like to call the category?"});
        f.choose(w, QStringLiteral("Cakes"));
        child<QLineEdit>(w, "titleBox")->setText(QStringLiteral("[best] soup"));
        child<QLineEdit>(w, "prepTimeBox")->setText(QStringLiteral("5 min"));
        child<QPlainTextEdit>(w, "ingredientsBox")->setPlainText(QStringLiteral("water\nsalt"));
        writePicture(f.own(QStringLiteral("Photo.JPEG")), 640, 480);
        f.env.dialogs.files = {f.own(QStringLiteral("Photo.JPEG"))};
        child<QPushButton>(w, "pictureButton")->click();
        QCOMPARE(child<QPushButton>(w, "pictureButton")->text(), QStringLiteral("RE&MOVE"));
        QCOMPARE(child<QAction>(w, "pictureAction")->text(), QStringLiteral("&Remove the Image"));
        QVERIFY(child<QLabel>(w, "thumbnail")->isVisible());
        child<QPushButton>(w, "saveButton")->click();
        QVERIFY(f.env.dialogs.messages.isEmpty());

        const auto saved = f.saved();
        const RecipeBook& book = *saved;
        QCOMPARE(titlesOf(book, 0), (QStringList{"Torta", "Flan", "[best] soup"}));
        const Recipe added = RecipeBook::readRecipe(RecipeBook::recipe(book.category(0), 2));
        QCOMPARE(added.prepTime, QStringLiteral("5 min"));
        QCOMPARE(added.ingredients, QStringLiteral("water\nsalt"));
        QCOMPARE(added.date, QStringLiteral("12/6/2026"));
        QCOMPARE(added.image, QStringLiteral("recipes_Cakes_[best] soup.jpg"));
        QVERIFY(QFile::exists(f.image(added.image)));
        QVERIFY(QFile::exists(f.own(QStringLiteral("Photo.JPEG")))); // the cook's own file stays

        // The form is ready for the next recipe in the same category.
        QCOMPARE(child<QComboBox>(w, "categoryCombo")->currentText(), QStringLiteral("Cakes"));
        QVERIFY(child<QLineEdit>(w, "titleBox")->text().isEmpty() &&
                child<QLineEdit>(w, "prepTimeBox")->text().isEmpty() &&
                child<QPlainTextEdit>(w, "ingredientsBox")->toPlainText().isEmpty());
        QCOMPARE(child<QPushButton>(w, "pictureButton")->text(), QStringLiteral("ADD &IMAGE"));
        QVERIFY(!child<QLabel>(w, "thumbnail")->isVisible());
    }

    void newCategories()
    {
        EditorFixture f(QByteArray("<recipebook></recipebook>"));
        // An empty book: the prompt comes at once; cancelling it leaves the new-category entry.
        AddRecipeWindow* w = f.openAdd();
        QCOMPARE(child<QComboBox>(w, "categoryCombo")->count(), 1);
        QCOMPARE(child<QComboBox>(w, "categoryCombo")->currentText(), QStringLiteral("[new category..]"));
        child<QLineEdit>(w, "titleBox")->setText(QStringLiteral("Caldo"));
        child<QPushButton>(w, "saveButton")->click();
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{"You must select a valid category."});

        // Typed with blanks around it, and the prompt once more as the list is refilled.
        f.env.dialogs.clear();
        f.env.dialogs.inputs = {QStringLiteral("  Soups  "), std::nullopt};
        child<QComboBox>(w, "categoryCombo")->setCurrentIndex(-1);
        child<QComboBox>(w, "categoryCombo")->setCurrentIndex(0);
        QCOMPARE(f.env.dialogs.inputPrompts.size(), 2);
        QCOMPARE(child<QComboBox>(w, "categoryCombo")->currentText(), QStringLiteral("Soups"));
        QCOMPARE(f.env.bookBytes(), QByteArray("<recipebook><category cname=\"Soups\"></category></recipebook>"));

        // Taken, in another case; and forbidden characters.
        for (const QString& name : {QStringLiteral("soups"), QStringLiteral("a/b")}) {
            f.env.dialogs.clear();
            f.env.dialogs.inputs = {name};
            child<QComboBox>(w, "categoryCombo")->setCurrentIndex(0);
            child<QComboBox>(w, "categoryCombo")->setCurrentIndex(1);
        }
        QCOMPARE(f.env.bookBytes(), QByteArray("<recipebook><category cname=\"Soups\"></category></recipebook>"));
        QCOMPARE(f.env.dialogs.messages.last().text,
                 invalidNameMessage(TextId::InvalidCategoryCharsMessage, InvalidCharsList::Category));
    }

    void degreeSign()
    {
        EditorFixture f;
        AddRecipeWindow* w = f.openAdd();
        child<QPlainTextEdit>(w, "preparationBox")->setPlainText(QStringLiteral("Bake at 180C"));
        QTextCursor cursor = child<QPlainTextEdit>(w, "preparationBox")->textCursor();
        cursor.setPosition(11);
        child<QPlainTextEdit>(w, "preparationBox")->setTextCursor(cursor);
        QTest::keyClick(child<QPlainTextEdit>(w, "preparationBox"), Qt::Key_Escape);
        QCOMPARE(child<QPlainTextEdit>(w, "preparationBox")->toPlainText(), QStringLiteral("Bake at 180°C"));
        QCOMPARE(child<QPlainTextEdit>(w, "preparationBox")->textCursor().position(), 12);
        child<QPlainTextEdit>(w, "ingredientsBox")->setPlainText(QStringLiteral("x"));
        QTest::keyClick(child<QPlainTextEdit>(w, "ingredientsBox"), Qt::Key_Escape);
        QCOMPARE(child<QPlainTextEdit>(w, "ingredientsBox")->toPlainText(), QStringLiteral("x"));
    }

    void choosingPictures()
    {
        EditorFixture f;
        AddRecipeWindow* w = f.openAdd();
        writePicture(f.own(QStringLiteral("photo.png")), 10, 10);
        writePicture(f.own(QStringLiteral("photo.bmp")), 10, 10);
        // A refused name reopens the dialog; a cancel then leaves no picture.
        f.env.dialogs.files = {f.own(QStringLiteral("photo.png")), std::nullopt};
        child<QPushButton>(w, "pictureButton")->click();
        QCOMPARE(f.env.dialogs.fileRequests.size(), 2);
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{"Please select a valid image file (*.jpg, *.gif, *.bmp)"});
        QCOMPARE(child<QPushButton>(w, "pictureButton")->text(), QStringLiteral("ADD &IMAGE"));
        QCOMPARE(child<QAction>(w, "pictureAction")->text(), QStringLiteral("Add an &Image"));

        // A file that is not a picture.
        writeFileBytes(f.own(QStringLiteral("broken.jpg")), "not a picture");
        f.env.dialogs.clear();
        f.env.dialogs.files = {f.own(QStringLiteral("broken.jpg"))};
        child<QPushButton>(w, "pictureButton")->click();
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{"The image file is corrupt."});
        QCOMPARE(f.env.dialogs.messages.first().icon, MsgIcon::Information);
        QCOMPARE(child<QPushButton>(w, "pictureButton")->text(), QStringLiteral("ADD &IMAGE"));

        // Attach, then the same command removes it again.
        f.env.dialogs.files = {f.own(QStringLiteral("photo.bmp"))};
        child<QPushButton>(w, "pictureButton")->click();
        QCOMPARE(child<QPushButton>(w, "pictureButton")->text(), QStringLiteral("RE&MOVE"));
        QVERIFY(child<QLabel>(w, "thumbnail")->isVisible());
        child<QPushButton>(w, "pictureButton")->click();
        QVERIFY(!child<QLabel>(w, "thumbnail")->isVisible());
        QCOMPARE(child<QPushButton>(w, "pictureButton")->text(), QStringLiteral("ADD &IMAGE"));
    }

    void editingKeepsTheRecipe()
    {
        EditorFixture f;
        EditRecipeWindow* w = f.openEdit("Cakes", "Torta");
        QVERIFY(w);
        QCOMPARE(child<QLabel>(w, "heading")->text(), QStringLiteral("EDIT RECIPE"));
        QCOMPARE(child<QComboBox>(w, "categoryCombo")->currentText(), QStringLiteral("Cakes"));
        QCOMPARE(child<QPlainTextEdit>(w, "ingredientsBox")->toPlainText(), QStringLiteral("eggs\nsugar"));
        QCOMPARE(child<QPushButton>(w, "pictureButton")->text(), QStringLiteral("RE&MOVE"));
        child<QPushButton>(w, "saveButton")->click(); // no change at all
        const auto saved = f.saved();
        const RecipeBook& book = *saved;
        QCOMPARE(titlesOf(book, 0), (QStringList{"Flan", "Torta"}));
        const Recipe r = RecipeBook::readRecipe(RecipeBook::recipe(book.category(0), 1));
        QCOMPARE(r.date, QStringLiteral("12/6/2026"));
        QCOMPARE(r.image, QStringLiteral("recipes_Cakes_Torta.jpg"));
        QCOMPARE(f.images(), QStringList{"recipes_Cakes_Torta.jpg"});
        // Back in the browse window, on the edited recipe.
        auto* browse = qobject_cast<BrowseWindow*>(f.env.navigator.currentMainWindow());
        QVERIFY(browse);
        QCOMPARE(child<QListWidget>(browse, "recipeList")->currentItem()->text(), QStringLiteral("Torta"));
    }

    // A picture from the program's own folder is refused; one from elsewhere is taken.
    void changingThePicture()
    {
        EditorFixture f;
        writePicture(f.image(QStringLiteral("recipes_Cakes_Flan.jpg")), 20, 20);
        EditRecipeWindow* w = f.openEdit("Cakes", "Flan");
        f.env.dialogs.files = {f.image(QStringLiteral("recipes_Cakes_Flan.jpg"))};
        child<QPushButton>(w, "pictureButton")->click();
        QCOMPARE(f.env.dialogs.messages.last().text,
                 QStringLiteral("The image file cannot be selected from the SP directory."));
        QCOMPARE(f.env.dialogs.messages.last().icon, MsgIcon::Exclamation);
        QCOMPARE(child<QPushButton>(w, "pictureButton")->text(), QStringLiteral("ADD &IMAGE"));
        writeGif(f.own(QStringLiteral("new.gif")));
        f.env.dialogs.files = {f.own(QStringLiteral("new.gif"))};
        child<QPushButton>(w, "pictureButton")->click();
        child<QPushButton>(w, "saveButton")->click();
        QVERIFY(QFile::exists(f.image(QStringLiteral("recipes_Cakes_Flan.gif"))));
    }

    void editChecksAndCancel()
    {
        EditorFixture f;
        const QByteArray before = f.env.bookBytes();
        EditRecipeWindow* w = f.openEdit("Cakes", "Flan");
        child<QComboBox>(w, "categoryCombo")->setCurrentIndex(-1);
        f.env.dialogs.inputs = {std::nullopt};
        child<QComboBox>(w, "categoryCombo")->setCurrentIndex(0); // "[new category..]"
        child<QLineEdit>(w, "titleBox")->clear();
        child<QPushButton>(w, "saveButton")->click();
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{"You must select a valid category."});
        child<QPushButton>(w, "cancelButton")->click();
        QCOMPARE(f.env.bookBytes(), before);
        QVERIFY(qobject_cast<BrowseWindow*>(f.env.navigator.currentMainWindow()));
        QVERIFY(!f.env.navigator.ended());
    }

    // A stored picture that does not decode is still the recipe's: UPDATE keeps it (under its new
    // name), only REMOVE lets it go.
    void storedPictureThatDoesNotDecode()
    {
        EditorFixture f;
        writeFileBytes(f.image(QStringLiteral("recipes_Cakes_Torta.jpg")), "not a picture");
        EditRecipeWindow* w = f.openEdit("Cakes", "Torta");
        QCOMPARE(child<QPushButton>(w, "pictureButton")->text(), QStringLiteral("RE&MOVE"));
        QVERIFY(child<QLabel>(w, "thumbnail")->isHidden());
        QTest::mouseClick(child<QLabel>(w, "viewPictureLabel"), Qt::LeftButton);
        QVERIFY(w->isEnabled()); // no empty viewer over it
        child<QLineEdit>(w, "titleBox")->setText(QStringLiteral("Tarta"));
        child<QPushButton>(w, "saveButton")->click();
        QCOMPARE(f.images(), QStringList{"recipes_Cakes_Tarta.jpg"});
        QCOMPARE(readFileBytes(f.image(QStringLiteral("recipes_Cakes_Tarta.jpg"))), QByteArray("not a picture"));
        QCOMPARE(RecipeBook::field(RecipeBook::recipe(f.saved()->category(0), 1), RecipeField::Image),
                 QStringLiteral("recipes_Cakes_Tarta.jpg"));

        w = f.openEdit("Cakes", "Tarta");
        child<QPushButton>(w, "pictureButton")->click(); // REMOVE
        QCOMPARE(child<QPushButton>(w, "pictureButton")->text(), QStringLiteral("ADD &IMAGE"));
        child<QPushButton>(w, "saveButton")->click();
        QVERIFY(f.images().isEmpty());
    }

    // A failed ADD or UPDATE keeps the window open with everything typed, and the book in memory is the
    // one on disk; once there is room the same command goes through. Control characters never reach the book.
    void aFailedSaveLosesNothing()
    {
        EditorFixture f;
        auto failThenSave = [&](RecipeEditorWindow* w) {
            child<QPlainTextEdit>(w, "notesBox")->setPlainText(QString(4000, u'x') + QStringLiteral("\nline\x1B two"));
            const QByteArray before = f.env.bookBytes(), memoryBefore = app().book.toXml();
            {
                const FileSizeLimit limit(before.size() + 200); // less than the notes take
                child<QPushButton>(w, "saveButton")->click();
            }
            QCOMPARE(f.env.bookBytes(), before);
            QCOMPARE(app().book.toXml(), memoryBefore);
            QCOMPARE(f.env.dialogs.messages.last().icon, MsgIcon::Critical);
            QCOMPARE(f.env.navigator.currentMainWindow(), w);
            QVERIFY(child<QPlainTextEdit>(w, "notesBox")->toPlainText().endsWith(QStringLiteral("line\x1B two")));
            child<QPushButton>(w, "saveButton")->click();
            QVERIFY(f.env.bookBytes().contains("x\r\nline two</other>"));
        };
        failThenSave(f.openEdit("Cakes", "Torta"));
        QCOMPARE(titlesOf(*f.saved(), 0), (QStringList{"Flan", "Torta"})); // the edited recipe at the end

        f.env.dialogs.inputs.prepend(std::nullopt); // the add window's first category prompt
        child<QAction>(findWindow<BrowseWindow>(), "addRecipesAction")->trigger();
        auto* add = findWindow<AddRecipeWindow>();
        f.choose(add, QStringLiteral("Pies"));
        child<QLineEdit>(add, "titleBox")->setText(QStringLiteral(" Pear\x01 "));
        failThenSave(add);
        QVERIFY(f.env.bookBytes().contains("<title>Pear</title>"));
        QVERIFY(child<QLineEdit>(add, "titleBox")->text().isEmpty()); // added: the form is empty again
    }

    // A book from before that name was refused may have a category named like the new-category entry:
    // it is a category like any other, and choosing it asks for nothing.
    void aCategoryNamedLikeTheNewCategoryEntry()
    {
        WindowTestEnv env;
        env.useBook("<recipebook><category cname=\"[new category..]\"/></recipebook>");
        env.dialogs.inputs = {std::nullopt};
        AddRecipeWindow* w = env.navigator.showAdd();
        auto* combo = child<QComboBox>(w, "categoryCombo");
        QCOMPARE(combo->count(), 2);
        env.dialogs.clear();
        combo->setCurrentIndex(combo->findData(0)); // the book's category at position 0
        QVERIFY(env.dialogs.inputPrompts.isEmpty());
        child<QLineEdit>(w, "titleBox")->setText(QStringLiteral("Pear"));
        child<QPushButton>(w, "saveButton")->click();
        QVERIFY(env.bookBytes().contains("<category cname=\"[new category..]\"><recipe><title>Pear</title>"));
    }

    // Choosing "[new category..]" again while it is selected asks again: with an empty book it is the
    // only way to make a category once the first prompt was cancelled.
    void newCategoryPromptComesBack()
    {
        EditorFixture f(QByteArray("<recipebook></recipebook>"));
        AddRecipeWindow* w = f.openAdd();
        QTest::qWait(1); // what the window started settles before the user acts
        QCOMPARE(f.env.dialogs.inputPrompts.size(), 1);
        auto* categories = child<QComboBox>(w, "categoryCombo");
        // The user picks the entry shown; the refilled list starts at that entry and asks once more.
        f.env.dialogs.inputs = {QStringLiteral("Soups"), std::nullopt};
        categories->showPopup();
        QTest::keyClick(categories->view(), Qt::Key_Return);
        QCOMPARE(f.env.dialogs.inputPrompts.size(), 3);
        QCOMPARE(categories->currentText(), QStringLiteral("Soups"));
        QTest::qWait(1);

        // A choice that changes the entry asks once, not twice.
        f.env.dialogs.inputs = {std::nullopt};
        categories->showPopup();
        QTest::keyClick(categories->view(), Qt::Key_Up);
        QTest::keyClick(categories->view(), Qt::Key_Return);
        QCOMPARE(categories->currentText(), QStringLiteral("[new category..]"));
        QCOMPARE(f.env.dialogs.inputPrompts.size(), 4);
        QCOMPARE(f.env.dialogs.unscripted, 0);
    }

    // The window's small faults: only the degree text answers a click, Spanish captions are not cut
    // off at large text, and Help lists About first.
    void editorDetails()
    {
        EditorFixture f;
        AddRecipeWindow* w = f.openAdd();
        auto* degree = child<QLabel>(w, "degreeLabel");
        auto* preparation = child<QPlainTextEdit>(w, "preparationBox");
        const int textWidth = degree->fontMetrics().horizontalAdvance(degree->text());
        QVERIFY(degree->width() > textWidth + 10);
        QTest::mouseClick(degree, Qt::LeftButton, {}, QPoint(degree->width() - textWidth - 8, degree->height() / 2));
        QVERIFY(preparation->toPlainText().isEmpty());
        QTest::mouseClick(degree, Qt::LeftButton, {}, QPoint(degree->width() - 4, degree->height() / 2));
        QCOMPARE(preparation->toPlainText(), QStringLiteral("°"));
        w->close();

        app().textFontSize = 12;
        setLanguage(Language::Spanish);
        w = f.openAdd();
        for (const char* name : {"prepTimeCaption", "cookTimeCaption", "yieldCaption", "degreeLabel"}) {
            auto* label = child<QLabel>(w, name);
            QVERIFY2(label->width() >= label->sizeHint().width(), name);
        }
        QCOMPARE(child<QLabel>(w, "cookTimeCaption")->text(), QStringLiteral("Cocinar tiempo"));

        const QList<QAction*> help = child<QMenu>(w, "helpMenu")->actions();
        QCOMPARE(help.first(), child<QAction>(w, "aboutAction"));
        QCOMPARE(help.last(), child<QAction>(w, "helpContentsAction"));
    }
};

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
