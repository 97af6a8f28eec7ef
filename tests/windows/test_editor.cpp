#include "core/app/app_state.h"
#include "core/app/clock.h"
#include "core/text/text_table.h"
#include "test_env.h"
#include "test_pictures.h"
#include "ui/browse/browse_window.h"
#include "ui/editor/add_recipe_window.h"
#include "ui/editor/edit_recipe_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
    TestEnv env;
    QTemporaryDir elsewhere; // where the cook's own pictures are
    explicit EditorFixture(const QByteArray& book = kBook)
    {
        QDir(env.dataPath()).mkpath(QStringLiteral("images"));
        writePicture(image(QStringLiteral("recipes_Cakes_Torta.jpg")), 300, 200);
        env.useBook(book);
        app().imagePrefix = QStringLiteral("recipes");
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
        auto* w = new AddRecipeWindow;
        w->show();
        return w;
    }
    // Opens the edit window from the browse window, as the EDIT button does.
    EditRecipeWindow* openEdit(const char* category, const char* title)
    {
        auto* browse = new BrowseWindow;
        browse->selectRecipe(QLatin1String(category), QLatin1String(title));
        env.dialogs.inputs.prepend(std::nullopt);
        browse->editShownRecipe();
        return qobject_cast<EditRecipeWindow*>(currentMainWindow());
    }
    void choose(AddRecipeWindow* w, const QString& category)
    {
        w->categoryList().setCurrentRow(w->m_categoryCombo->findText(category));
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
    void addChecksInOrder_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty title before category") << "   "
                                                     << ""
                                                     << "You must enter a title for the recipe.";
        QTest::newRow("no category") << "  Flan  "
                                     << ""
                                     << "You must select a valid category.";
        QTest::newRow("apostrophe") << "Mom's pie"
                                    << "Pies"
                                    << "You have used one of the following invalid characters in your recipe "
                                       "title\r\n\" , ' , ? , \\ , / , : , * , | , < , >";
        QTest::newRow("slash") << "Pie/Tart"
                               << "Pies"
                               << "You have used one of the following invalid characters in "
                                  "your recipe title\r\n\" , ' , ? , \\ , / , : , * , | , < , >";
        QTest::newRow("taken in another category")
            << "flan"
            << "Pies"
            << "A recipe with that title exists, please enter a different title.";
    }
    void addChecksInOrder()
    {
        QFETCH(QString, title);
        QFETCH(QString, category);
        QFETCH(QString, message);
        EditorFixture f;
        const QByteArray before = f.env.bookBytes();
        AddRecipeWindow* w = f.openAdd();
        if (!category.isEmpty())
            f.choose(w, category);
        w->m_titleBox->setText(title);
        w->saveRecipe();
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{message});
        QCOMPARE(w->m_titleBox->text(), title.trimmed()); // trimmed even when a later check fails
        QCOMPARE(f.env.bookBytes(), before);
    }

    void addingARecipe()
    {
        EditorFixture f;
        AddRecipeWindow* w = f.openAdd();
        QCOMPARE(f.env.dialogs.inputPrompts, QStringList{"What would you like to call the category?"});
        f.choose(w, QStringLiteral("Cakes"));
        w->m_titleBox->setText(QStringLiteral("[best] soup"));
        w->m_prepTimeBox->setText(QStringLiteral("5 min"));
        w->m_ingredientsBox->setPlainText(QStringLiteral("water\nsalt"));
        writePicture(f.own(QStringLiteral("Photo.JPEG")), 640, 480);
        f.env.dialogs.files = {f.own(QStringLiteral("Photo.JPEG"))};
        w->togglePicture();
        QCOMPARE(w->m_pictureButton->text(), QStringLiteral("RE&MOVE"));
        QCOMPARE(w->m_addPictureAction->text(), QStringLiteral("&Remove the Image"));
        QVERIFY(w->m_thumbnail->isVisible());
        w->saveRecipe();
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
        QCOMPARE(w->m_categoryCombo->currentText(), QStringLiteral("Cakes"));
        QVERIFY(w->m_titleBox->text().isEmpty() && w->m_prepTimeBox->text().isEmpty() &&
                w->m_ingredientsBox->toPlainText().isEmpty());
        QCOMPARE(w->m_pictureButton->text(), QStringLiteral("ADD &IMAGE"));
        QVERIFY(w->m_pictureDialog.fileName.isEmpty() && !w->m_thumbnail->isVisible());

        // A .GIF keeps its case.
        writeGif(f.own(QStringLiteral("a.GIF")));
        f.env.dialogs.files = {f.own(QStringLiteral("a.GIF"))};
        w->togglePicture();
        w->m_titleBox->setText(QStringLiteral("Tarta"));
        w->saveRecipe();
        QVERIFY(QFile::exists(f.image(QStringLiteral("recipes_Cakes_Tarta.GIF"))));
    }

    void newCategories()
    {
        EditorFixture f(QByteArray("<recipebook></recipebook>"));
        // An empty book: the prompt comes at once; cancelling it leaves the new-category entry.
        AddRecipeWindow* w = f.openAdd();
        QCOMPARE(w->m_categoryCombo->count(), 1);
        QCOMPARE(w->m_categoryCombo->currentText(), QStringLiteral("[new category..]"));
        w->m_titleBox->setText(QStringLiteral("Caldo"));
        w->saveRecipe();
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{"You must select a valid category."});

        // Typed with blanks around it, and the prompt once more as the list is refilled.
        f.env.dialogs.clear();
        f.env.dialogs.inputs = {QStringLiteral("  Soups  "), std::nullopt};
        w->categoryList().setCurrentRow(-1);
        w->categoryList().setCurrentRow(0);
        QCOMPARE(f.env.dialogs.inputPrompts.size(), 2);
        QCOMPARE(w->m_categoryCombo->currentText(), QStringLiteral("Soups"));
        QCOMPARE(f.env.bookBytes(), QByteArray("<recipebook><category cname=\"Soups\"></category></recipebook>"));

        // Taken, in another case; and forbidden characters.
        for (const QString& name : {QStringLiteral("soups"), QStringLiteral("a/b")}) {
            f.env.dialogs.clear();
            f.env.dialogs.inputs = {name};
            w->categoryList().setCurrentRow(0);
            w->categoryList().setCurrentRow(1);
        }
        QCOMPARE(f.env.bookBytes(), QByteArray("<recipebook><category cname=\"Soups\"></category></recipebook>"));
        QCOMPARE(f.env.dialogs.messages.last().text,
                 invalidNameMessage(TextId::InvalidCategoryCharsMessage, InvalidCharsList::Category));
    }

    void degreeSign()
    {
        EditorFixture f;
        AddRecipeWindow* w = f.openAdd();
        w->m_preparationBox->setPlainText(QStringLiteral("Bake at 180C"));
        QTextCursor cursor = w->m_preparationBox->textCursor();
        cursor.setPosition(11);
        w->m_preparationBox->setTextCursor(cursor);
        QTest::keyClick(w->m_preparationBox, Qt::Key_Escape);
        QCOMPARE(w->m_preparationBox->toPlainText(), QStringLiteral("Bake at 180°C"));
        QCOMPARE(w->m_preparationBox->textCursor().position(), 12);
        w->m_ingredientsBox->setPlainText(QStringLiteral("x"));
        QTest::keyClick(w->m_ingredientsBox, Qt::Key_Escape);
        QCOMPARE(w->m_ingredientsBox->toPlainText(), QStringLiteral("x"));
        // A selection is replaced.
        w->m_preparationBox->selectAll();
        w->insertDegreeSign();
        QCOMPARE(w->m_preparationBox->toPlainText(), QStringLiteral("°"));
    }

    void choosingPictures()
    {
        EditorFixture f;
        AddRecipeWindow* w = f.openAdd();
        writePicture(f.own(QStringLiteral("photo.png")), 10, 10);
        writePicture(f.own(QStringLiteral("photo.bmp")), 10, 10);
        // A refused name reopens the dialog; a cancel then leaves no picture.
        f.env.dialogs.files = {f.own(QStringLiteral("photo.png")), std::nullopt};
        w->togglePicture();
        QCOMPARE(f.env.dialogs.fileRequests.size(), 2);
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{"Please select a valid image file (*.jpg, *.gif, *.bmp)"});
        QCOMPARE(w->m_pictureButton->text(), QStringLiteral("ADD &IMAGE"));
        QCOMPARE(w->m_addPictureAction->text(), QStringLiteral("Add an &Image"));
        QVERIFY(w->m_pictureDialog.fileName.isEmpty());

        // A file that is not a picture.
        writeFileBytes(f.own(QStringLiteral("broken.jpg")), "not a picture");
        f.env.dialogs.clear();
        f.env.dialogs.files = {f.own(QStringLiteral("broken.jpg"))};
        w->togglePicture();
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{"The image file is corrupt."});
        QCOMPARE(f.env.dialogs.messages.first().icon, MsgIcon::Information);
        QVERIFY(w->m_pictureDialog.fileName.isEmpty());

        // Attach, then the same command removes it again.
        f.env.dialogs.files = {f.own(QStringLiteral("photo.bmp"))};
        w->togglePicture();
        QCOMPARE(w->m_pictureDialog.fileName, f.own(QStringLiteral("photo.bmp")));
        w->togglePicture();
        QVERIFY(w->m_pictureDialog.fileName.isEmpty());
        QCOMPARE(w->m_pictureButton->text(), QStringLiteral("ADD &IMAGE"));
    }

    void editingKeepsTheRecipe()
    {
        EditorFixture f;
        EditRecipeWindow* w = f.openEdit("Cakes", "Torta");
        QVERIFY(w);
        QCOMPARE(w->m_heading[0]->text(), QStringLiteral("EDIT RECIPE"));
        QCOMPARE(w->m_categoryCombo->currentText(), QStringLiteral("Cakes"));
        QCOMPARE(w->m_ingredientsBox->toPlainText(), QStringLiteral("eggs\nsugar"));
        QCOMPARE(w->m_pictureButton->text(), QStringLiteral("RE&MOVE"));
        w->saveRecipe(); // no change at all
        const auto saved = f.saved();
        const RecipeBook& book = *saved;
        QCOMPARE(titlesOf(book, 0), (QStringList{"Flan", "Torta"}));
        const Recipe r = RecipeBook::readRecipe(RecipeBook::recipe(book.category(0), 1));
        QCOMPARE(r.date, QStringLiteral("12/6/2026"));
        QCOMPARE(r.image, QStringLiteral("recipes_Cakes_Torta.jpg"));
        QCOMPARE(f.images(), QStringList{"recipes_Cakes_Torta.jpg"});
        // Back in the browse window, on the edited recipe.
        auto* browse = qobject_cast<BrowseWindow*>(currentMainWindow());
        QVERIFY(browse);
        QCOMPARE(browse->m_recipeList->currentItem()->text(), QStringLiteral("Torta"));
    }

    void retitlingAndMoving()
    {
        EditorFixture f;
        EditRecipeWindow* w = f.openEdit("Cakes", "Torta");
        w->m_titleBox->setText(QStringLiteral("apple"));
        w->saveRecipe();
        QCOMPARE(f.env.dialogs.messageTexts().last(),
                 QStringLiteral("A recipe with that title exists, please enter a different title."));
        QVERIFY(!app().quitOnClose); // a failed check still turns the close box into "back"

        w->m_titleBox->setText(QStringLiteral("TORTA"));
        w->categoryList().setCurrentRow(w->m_categoryCombo->findText(QStringLiteral("Pies")));
        w->saveRecipe();
        const auto saved = f.saved();
        const RecipeBook& book = *saved;
        QCOMPARE(titlesOf(book, 0), QStringList{"Flan"});
        QCOMPARE(titlesOf(book, 1), (QStringList{"Apple", "TORTA"}));
        QCOMPARE(f.images(), QStringList{"recipes_Pies_TORTA.jpg"});
    }

    void changingThePicture()
    {
        EditorFixture f;
        EditRecipeWindow* w = f.openEdit("Cakes", "Torta");
        w->togglePicture(); // remove
        w->saveRecipe();
        QVERIFY(f.images().isEmpty());
        QVERIFY(RecipeBook::field(RecipeBook::recipe(f.saved()->category(0), 1), RecipeField::Image).isEmpty());

        // A picture from the program's own folder is refused; one from elsewhere replaces the stored one.
        writePicture(f.image(QStringLiteral("recipes_Cakes_Flan.jpg")), 20, 20);
        w = f.openEdit("Cakes", "Flan");
        f.env.dialogs.files = {f.image(QStringLiteral("recipes_Cakes_Flan.jpg"))};
        w->togglePicture();
        QCOMPARE(f.env.dialogs.messages.last().text,
                 QStringLiteral("The image file cannot be selected from the SP directory."));
        QCOMPARE(f.env.dialogs.messages.last().icon, MsgIcon::Exclamation);
        QCOMPARE(w->m_pictureButton->text(), QStringLiteral("ADD &IMAGE"));
        writeGif(f.own(QStringLiteral("new.gif")));
        f.env.dialogs.files = {f.own(QStringLiteral("new.gif"))};
        w->togglePicture();
        w->saveRecipe();
        QVERIFY(QFile::exists(f.image(QStringLiteral("recipes_Cakes_Flan.gif"))));
    }

    void replacingAStoredPicture()
    {
        EditorFixture f;
        EditRecipeWindow* w = f.openEdit("Cakes", "Torta");
        writeGif(f.own(QStringLiteral("torta.gif")));
        w->togglePicture(); // remove the stored one
        f.env.dialogs.files = {f.own(QStringLiteral("torta.gif"))};
        w->togglePicture();
        w->saveRecipe();
        QCOMPARE(f.images(), QStringList{"recipes_Cakes_Torta.gif"});
    }

    void editChecksAndCancel()
    {
        EditorFixture f;
        const QByteArray before = f.env.bookBytes();
        EditRecipeWindow* w = f.openEdit("Cakes", "Flan");
        w->categoryList().setCurrentRow(-1);
        f.env.dialogs.inputs = {std::nullopt};
        w->categoryList().setCurrentRow(0); // "[new category..]"
        w->m_titleBox->clear();
        w->saveRecipe();
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{"You must select a valid category."});
        w->cancelEdit();
        QCOMPARE(f.env.bookBytes(), before);
        QVERIFY(qobject_cast<BrowseWindow*>(currentMainWindow()));
        QVERIFY(!app().ended);
    }

    void failedSaveOfAnEditLosesNothing()
    {
        EditorFixture f;
        const QByteArray before = f.env.bookBytes();
        EditRecipeWindow* w = f.openEdit("Cakes", "Torta");
        w->m_notesBox->setPlainText(QString(4000, u'x')); // more than the disk takes
        {
            const FileSizeLimit limit(before.size() + 200);
            w->saveRecipe();
        }
        QCOMPARE(f.env.bookBytes(), before);
        QCOMPARE(f.env.dialogs.messages.last().icon, MsgIcon::Critical);
        // The window stays open with the text typed, and the book in memory is the one on disk.
        QCOMPARE(currentMainWindow(), w);
        QCOMPARE(w->m_notesBox->toPlainText(), QString(4000, u'x'));
        QCOMPARE(app().recipeDoc.toXml(), f.saved()->toXml());
        // Once there is room again the same UPDATE goes through.
        w->saveRecipe();
        QVERIFY(!currentMainWindow() || currentMainWindow() != w);
        QCOMPARE(titlesOf(*f.saved(), 0), (QStringList{"Flan", "Torta"}));
    }

    // A stored picture that does not decode is still the recipe's: UPDATE keeps it (under its new
    // name), only REMOVE lets it go.
    void storedPictureThatDoesNotDecode()
    {
        EditorFixture f;
        writeFileBytes(f.image(QStringLiteral("recipes_Cakes_Torta.jpg")), "not a picture");
        EditRecipeWindow* w = f.openEdit("Cakes", "Torta");
        QCOMPARE(w->m_pictureButton->text(), QStringLiteral("RE&MOVE"));
        QVERIFY(w->m_thumbnail->isHidden());
        w->viewPicture();
        QVERIFY(w->isEnabled()); // no empty viewer over it
        w->m_titleBox->setText(QStringLiteral("Tarta"));
        w->m_saveButton->click();
        QCOMPARE(f.images(), QStringList{"recipes_Cakes_Tarta.jpg"});
        QCOMPARE(readFileBytes(f.image(QStringLiteral("recipes_Cakes_Tarta.jpg"))), QByteArray("not a picture"));
        QCOMPARE(RecipeBook::field(RecipeBook::recipe(f.saved()->category(0), 1), RecipeField::Image),
                 QStringLiteral("recipes_Cakes_Tarta.jpg"));

        w = f.openEdit("Cakes", "Tarta");
        w->m_pictureButton->click(); // REMOVE
        QCOMPARE(w->m_pictureButton->text(), QStringLiteral("ADD &IMAGE"));
        w->m_saveButton->click();
        QVERIFY(f.images().isEmpty());
    }

    // A failed ADD keeps everything typed; control characters never reach the book.
    void addingWhenTheSaveFails()
    {
        EditorFixture f;
        AddRecipeWindow* w = f.openAdd();
        f.choose(w, QStringLiteral("Pies"));
        w->m_titleBox->setText(QStringLiteral(" Pear\x01 "));
        w->m_notesBox->setPlainText(QString(4000, u'x') + QStringLiteral("\nline\x1B two"));
        const QByteArray before = f.env.bookBytes();
        {
            const FileSizeLimit limit(before.size() + 200);
            w->m_saveButton->click();
        }
        QCOMPARE(f.env.bookBytes(), before);
        QCOMPARE(f.env.dialogs.messages.last().icon, MsgIcon::Critical);
        QCOMPARE(w->m_titleBox->text(), QStringLiteral("Pear"));
        QVERIFY(w->m_notesBox->toPlainText().endsWith(QStringLiteral("line\x1B two")));
        w->m_saveButton->click();
        QVERIFY(w->m_titleBox->text().isEmpty());
        QVERIFY(f.env.bookBytes().contains("<title>Pear</title>"));
        QVERIFY(f.env.bookBytes().contains("x\r\nline two</other>"));
    }

    void missingStoredPicture()
    {
        EditorFixture f;
        QFile::remove(f.image(QStringLiteral("recipes_Cakes_Torta.jpg")));
        EditRecipeWindow* w = f.openEdit("Cakes", "Torta");
        QCOMPARE(w->m_pictureButton->text(), QStringLiteral("ADD &IMAGE"));
        QCOMPARE(w->m_addPictureAction->text(), QStringLiteral("Add an &Image"));
        w->saveRecipe();
        QVERIFY(RecipeBook::field(RecipeBook::recipe(f.saved()->category(0), 1), RecipeField::Image).isEmpty());
    }

    void pictureThatCannotBeCopied()
    {
        EditorFixture f;
        AddRecipeWindow* w = f.openAdd();
        f.choose(w, QStringLiteral("Pies"));
        writePicture(f.own(QStringLiteral("p.jpg")), 30, 30);
        f.env.dialogs.files = {f.own(QStringLiteral("p.jpg"))};
        w->togglePicture();
        // The images folder has become a file: the copy fails, the recipe is still added.
        QDir(QDir(f.env.dataPath()).filePath(QStringLiteral("images"))).removeRecursively();
        writeFileBytes(QDir(f.env.dataPath()).filePath(QStringLiteral("images")), "x");
        w->m_titleBox->setText(QStringLiteral("Pear"));
        w->saveRecipe();
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{loadText(TextId::PictureNotCopiedMessage)});
        QCOMPARE(titlesOf(*f.saved(), 1), (QStringList{"Apple", "Pear"}));
    }

    void editMenu()
    {
        EditorFixture f;
        AddRecipeWindow* w = f.openAdd();
        QApplication::setActiveWindow(w);
        auto state = [w] {
            w->updateEditMenu(w->m_copyAction, w->m_cutAction, w->m_pasteAction);
            return QList<bool>{w->m_copyAction->isEnabled(), w->m_cutAction->isEnabled(),
                               w->m_pasteAction->isEnabled()};
        };
        QApplication::clipboard()->setText(QStringLiteral("clip"));
        w->m_categoryCombo->setFocus();
        QCOMPARE(state(), (QList<bool>{false, false, false}));
        w->m_ingredientsBox->setFocus();
        QCOMPARE(state(), (QList<bool>{false, false, true}));
        QApplication::clipboard()->clear();
        w->m_prepTimeBox->setText(QStringLiteral("20 min"));
        w->m_prepTimeBox->setFocus();
        w->m_prepTimeBox->setSelection(0, 2);
        QCOMPARE(state(), (QList<bool>{true, true, false}));

        w->m_preparationBox->setPlainText(QStringLiteral("one two three"));
        w->m_preparationBox->setFocus();
        QTextCursor cursor = w->m_preparationBox->textCursor();
        cursor.setPosition(4);
        cursor.setPosition(8, QTextCursor::KeepAnchor);
        w->m_preparationBox->setTextCursor(cursor);
        w->editCut();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("two "));
        QCOMPARE(w->m_preparationBox->toPlainText(), QStringLiteral("one three"));
        w->m_titleBox->setText(QStringLiteral("Big cake"));
        w->m_titleBox->setFocus();
        w->m_titleBox->setSelection(0, 3);
        w->editPaste();
        QCOMPARE(w->m_titleBox->text(), QStringLiteral("two  cake"));
    }
};

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
