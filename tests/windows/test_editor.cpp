#include "app/app_state.h"
#include "platform/clock.h"
#include "test_env.h"
#include "test_pictures.h"
#include "text/text_table.h"
#include "windows/browse/frm_br.h"
#include "windows/editor/frm_add.h"
#include "windows/editor/frm_edit.h"

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
    FrmAdd* openAdd()
    {
        env.dialogs.inputs.prepend(std::nullopt);
        auto* w = new FrmAdd;
        w->show();
        return w;
    }
    // Opens the edit window from the browse window, as the EDIT button does.
    FrmEdit* openEdit(const char* category, const char* title)
    {
        auto* browse = new FrmBr;
        browse->selectRecipe(QLatin1String(category), QLatin1String(title));
        env.dialogs.inputs.prepend(std::nullopt);
        browse->cmdEdit_Click();
        return qobject_cast<FrmEdit*>(currentMainWindow());
    }
    void choose(FrmAdd* w, const QString& category)
    {
        w->categoryList().setCurrentRow(w->cboACats->findText(category));
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
        FrmAdd* w = f.openAdd();
        if (!category.isEmpty())
            f.choose(w, category);
        w->txtTitle->setText(title);
        w->cmdAdd_Click();
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{message});
        QCOMPARE(w->txtTitle->text(), title.trimmed()); // trimmed even when a later check fails
        QCOMPARE(f.env.bookBytes(), before);
    }

    void addingARecipe()
    {
        EditorFixture f;
        FrmAdd* w = f.openAdd();
        QCOMPARE(f.env.dialogs.inputPrompts, QStringList{"What would you like to call the category?"});
        f.choose(w, QStringLiteral("Cakes"));
        w->txtTitle->setText(QStringLiteral("[best] soup"));
        w->txtPT->setText(QStringLiteral("5 min"));
        w->txtIng->setPlainText(QStringLiteral("water\nsalt"));
        writePicture(f.own(QStringLiteral("Photo.JPEG")), 640, 480);
        f.env.dialogs.files = {f.own(QStringLiteral("Photo.JPEG"))};
        w->cmdAddImg_Click();
        QCOMPARE(w->cmdAddImg->text(), QStringLiteral("RE&MOVE"));
        QCOMPARE(w->mnuAddImg->text(), QStringLiteral("&Remove the Image"));
        QVERIFY(w->Image1->isVisible());
        w->cmdAdd_Click();
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
        QCOMPARE(w->cboACats->currentText(), QStringLiteral("Cakes"));
        QVERIFY(w->txtTitle->text().isEmpty() && w->txtPT->text().isEmpty() && w->txtIng->toPlainText().isEmpty());
        QCOMPARE(w->cmdAddImg->text(), QStringLiteral("ADD &IMAGE"));
        QVERIFY(w->cmdialog.fileName.isEmpty() && !w->Image1->isVisible());

        // A .GIF keeps its case.
        writeGif(f.own(QStringLiteral("a.GIF")));
        f.env.dialogs.files = {f.own(QStringLiteral("a.GIF"))};
        w->cmdAddImg_Click();
        w->txtTitle->setText(QStringLiteral("Tarta"));
        w->cmdAdd_Click();
        QVERIFY(QFile::exists(f.image(QStringLiteral("recipes_Cakes_Tarta.GIF"))));
    }

    void newCategories()
    {
        EditorFixture f(QByteArray("<recipebook></recipebook>"));
        // An empty book: the prompt comes at once; cancelling it leaves the new-category entry.
        FrmAdd* w = f.openAdd();
        QCOMPARE(w->cboACats->count(), 1);
        QCOMPARE(w->cboACats->currentText(), QStringLiteral("[new category..]"));
        w->txtTitle->setText(QStringLiteral("Caldo"));
        w->cmdAdd_Click();
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{"You must select a valid category."});

        // Typed with blanks around it, and the prompt once more as the list is refilled.
        f.env.dialogs.clear();
        f.env.dialogs.inputs = {QStringLiteral("  Soups  "), std::nullopt};
        w->categoryList().setCurrentRow(-1);
        w->categoryList().setCurrentRow(0);
        QCOMPARE(f.env.dialogs.inputPrompts.size(), 2);
        QCOMPARE(w->cboACats->currentText(), QStringLiteral("Soups"));
        QCOMPARE(f.env.bookBytes(), QByteArray("<recipebook><category cname=\"Soups\"></category></recipebook>"));

        // Taken, in another case; and forbidden characters.
        for (const QString& name : {QStringLiteral("soups"), QStringLiteral("a/b")}) {
            f.env.dialogs.clear();
            f.env.dialogs.inputs = {name};
            w->categoryList().setCurrentRow(0);
            w->categoryList().setCurrentRow(1);
        }
        QCOMPARE(f.env.bookBytes(), QByteArray("<recipebook><category cname=\"Soups\"></category></recipebook>"));
        QCOMPARE(f.env.dialogs.messages.last().text, invalidNameMessage(295, InvalidCharsList::Category));
    }

    void degreeSign()
    {
        EditorFixture f;
        FrmAdd* w = f.openAdd();
        w->txtPrep->setPlainText(QStringLiteral("Bake at 180C"));
        QTextCursor cursor = w->txtPrep->textCursor();
        cursor.setPosition(11);
        w->txtPrep->setTextCursor(cursor);
        QTest::keyClick(w->txtPrep, Qt::Key_Escape);
        QCOMPARE(w->txtPrep->toPlainText(), QStringLiteral("Bake at 180°C"));
        QCOMPARE(w->txtPrep->textCursor().position(), 12);
        w->txtIng->setPlainText(QStringLiteral("x"));
        QTest::keyClick(w->txtIng, Qt::Key_Escape);
        QCOMPARE(w->txtIng->toPlainText(), QStringLiteral("x"));
        // A selection is replaced.
        w->txtPrep->selectAll();
        w->InsertDegree();
        QCOMPARE(w->txtPrep->toPlainText(), QStringLiteral("°"));
    }

    void choosingPictures()
    {
        EditorFixture f;
        FrmAdd* w = f.openAdd();
        writePicture(f.own(QStringLiteral("photo.png")), 10, 10);
        writePicture(f.own(QStringLiteral("photo.bmp")), 10, 10);
        // A refused name reopens the dialog; a cancel then leaves no picture.
        f.env.dialogs.files = {f.own(QStringLiteral("photo.png")), std::nullopt};
        w->cmdAddImg_Click();
        QCOMPARE(f.env.dialogs.fileRequests.size(), 2);
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{"Please select a valid image file (*.jpg, *.gif, *.bmp)"});
        QCOMPARE(w->cmdAddImg->text(), QStringLiteral("ADD &IMAGE"));
        QCOMPARE(w->mnuAddImg->text(), QStringLiteral("Add an &Image"));
        QVERIFY(w->cmdialog.fileName.isEmpty());

        // A file that is not a picture.
        writeFileBytes(f.own(QStringLiteral("broken.jpg")), "not a picture");
        f.env.dialogs.clear();
        f.env.dialogs.files = {f.own(QStringLiteral("broken.jpg"))};
        w->cmdAddImg_Click();
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{"The image file is corrupt."});
        QCOMPARE(f.env.dialogs.messages.first().icon, MsgIcon::Information);
        QVERIFY(w->cmdialog.fileName.isEmpty());

        // Attach, then the same command removes it again.
        f.env.dialogs.files = {f.own(QStringLiteral("photo.bmp"))};
        w->cmdAddImg_Click();
        QCOMPARE(w->cmdialog.fileName, f.own(QStringLiteral("photo.bmp")));
        w->cmdAddImg_Click();
        QVERIFY(w->cmdialog.fileName.isEmpty());
        QCOMPARE(w->cmdAddImg->text(), QStringLiteral("ADD &IMAGE"));
    }

    void editingKeepsTheRecipe()
    {
        EditorFixture f;
        FrmEdit* w = f.openEdit("Cakes", "Torta");
        QVERIFY(w);
        QCOMPARE(w->lblBorder[0]->text(), QStringLiteral("EDIT RECIPE"));
        QCOMPARE(w->cboACats->currentText(), QStringLiteral("Cakes"));
        QCOMPARE(w->txtIng->toPlainText(), QStringLiteral("eggs\nsugar"));
        QCOMPARE(w->cmdAddImg->text(), QStringLiteral("RE&MOVE"));
        w->cmdAdd_Click(); // no change at all
        const auto saved = f.saved();
        const RecipeBook& book = *saved;
        QCOMPARE(titlesOf(book, 0), (QStringList{"Flan", "Torta"}));
        const Recipe r = RecipeBook::readRecipe(RecipeBook::recipe(book.category(0), 1));
        QCOMPARE(r.date, QStringLiteral("12/6/2026"));
        QCOMPARE(r.image, QStringLiteral("recipes_Cakes_Torta.jpg"));
        QCOMPARE(f.images(), QStringList{"recipes_Cakes_Torta.jpg"});
        // Back in the browse window, on the edited recipe.
        auto* browse = qobject_cast<FrmBr*>(currentMainWindow());
        QVERIFY(browse);
        QCOMPARE(browse->lstRecs->currentItem()->text(), QStringLiteral("Torta"));
    }

    void retitlingAndMoving()
    {
        EditorFixture f;
        FrmEdit* w = f.openEdit("Cakes", "Torta");
        w->txtTitle->setText(QStringLiteral("apple"));
        w->cmdAdd_Click();
        QCOMPARE(f.env.dialogs.messageTexts().last(),
                 QStringLiteral("A recipe with that title exists, please enter a different title."));
        QVERIFY(!app().quitOnClose); // a failed check still turns the close box into "back"

        w->txtTitle->setText(QStringLiteral("TORTA"));
        w->categoryList().setCurrentRow(w->cboACats->findText(QStringLiteral("Pies")));
        w->cmdAdd_Click();
        const auto saved = f.saved();
        const RecipeBook& book = *saved;
        QCOMPARE(titlesOf(book, 0), QStringList{"Flan"});
        QCOMPARE(titlesOf(book, 1), (QStringList{"Apple", "TORTA"}));
        QCOMPARE(f.images(), QStringList{"recipes_Pies_TORTA.jpg"});
    }

    void changingThePicture()
    {
        EditorFixture f;
        FrmEdit* w = f.openEdit("Cakes", "Torta");
        w->cmdAddImg_Click(); // remove
        w->cmdAdd_Click();
        QVERIFY(f.images().isEmpty());
        QVERIFY(RecipeBook::field(RecipeBook::recipe(f.saved()->category(0), 1), RecipeField::Image).isEmpty());

        // A picture from the program's own folder is refused; one from elsewhere replaces the stored one.
        writePicture(f.image(QStringLiteral("recipes_Cakes_Flan.jpg")), 20, 20);
        w = f.openEdit("Cakes", "Flan");
        f.env.dialogs.files = {f.image(QStringLiteral("recipes_Cakes_Flan.jpg"))};
        w->cmdAddImg_Click();
        QCOMPARE(f.env.dialogs.messages.last().text,
                 QStringLiteral("The image file cannot be selected from the SP directory."));
        QCOMPARE(f.env.dialogs.messages.last().icon, MsgIcon::Exclamation);
        QCOMPARE(w->cmdAddImg->text(), QStringLiteral("ADD &IMAGE"));
        writeGif(f.own(QStringLiteral("new.gif")));
        f.env.dialogs.files = {f.own(QStringLiteral("new.gif"))};
        w->cmdAddImg_Click();
        w->cmdAdd_Click();
        QVERIFY(QFile::exists(f.image(QStringLiteral("recipes_Cakes_Flan.gif"))));
    }

    void replacingAStoredPicture()
    {
        EditorFixture f;
        FrmEdit* w = f.openEdit("Cakes", "Torta");
        writeGif(f.own(QStringLiteral("torta.gif")));
        w->cmdAddImg_Click(); // remove the stored one
        f.env.dialogs.files = {f.own(QStringLiteral("torta.gif"))};
        w->cmdAddImg_Click();
        w->cmdAdd_Click();
        QCOMPARE(f.images(), QStringList{"recipes_Cakes_Torta.gif"});
    }

    void editChecksAndCancel()
    {
        EditorFixture f;
        const QByteArray before = f.env.bookBytes();
        FrmEdit* w = f.openEdit("Cakes", "Flan");
        w->categoryList().setCurrentRow(-1);
        f.env.dialogs.inputs = {std::nullopt};
        w->categoryList().setCurrentRow(0); // "[new category..]"
        w->txtTitle->clear();
        w->cmdAdd_Click();
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{"You must select a valid category."});
        w->cmdCancelEdit_Click();
        QCOMPARE(f.env.bookBytes(), before);
        QVERIFY(qobject_cast<FrmBr*>(currentMainWindow()));
        QVERIFY(!app().ended);
    }

    void failedSaveOfAnEditLosesNothing()
    {
        EditorFixture f;
        const QByteArray before = f.env.bookBytes();
        FrmEdit* w = f.openEdit("Cakes", "Torta");
        w->txtOther->setPlainText(QString(4000, u'x')); // more than the disk takes
        {
            const FileSizeLimit limit(before.size() + 200);
            w->cmdAdd_Click();
        }
        QCOMPARE(f.env.bookBytes(), before);
        QCOMPARE(f.env.dialogs.messages.last().icon, MsgIcon::Critical);
        // The window stays open with the text typed, and the book in memory is the one on disk.
        QCOMPARE(currentMainWindow(), w);
        QCOMPARE(w->txtOther->toPlainText(), QString(4000, u'x'));
        QCOMPARE(app().recipeDoc.toXml(), f.saved()->toXml());
        // Once there is room again the same UPDATE goes through.
        w->cmdAdd_Click();
        QVERIFY(!currentMainWindow() || currentMainWindow() != w);
        QCOMPARE(titlesOf(*f.saved(), 0), (QStringList{"Flan", "Torta"}));
    }

    // A stored picture that does not decode is still the recipe's: UPDATE keeps it (under its new
    // name), only REMOVE lets it go.
    void storedPictureThatDoesNotDecode()
    {
        EditorFixture f;
        writeFileBytes(f.image(QStringLiteral("recipes_Cakes_Torta.jpg")), "not a picture");
        FrmEdit* w = f.openEdit("Cakes", "Torta");
        QCOMPARE(w->cmdAddImg->text(), QStringLiteral("RE&MOVE"));
        QVERIFY(w->Image1->isHidden());
        w->lblClickImg_Click();
        QVERIFY(w->isEnabled()); // no empty viewer over it
        w->txtTitle->setText(QStringLiteral("Tarta"));
        w->cmdAdd->click();
        QCOMPARE(f.images(), QStringList{"recipes_Cakes_Tarta.jpg"});
        QCOMPARE(readFileBytes(f.image(QStringLiteral("recipes_Cakes_Tarta.jpg"))), QByteArray("not a picture"));
        QCOMPARE(RecipeBook::field(RecipeBook::recipe(f.saved()->category(0), 1), RecipeField::Image),
                 QStringLiteral("recipes_Cakes_Tarta.jpg"));

        w = f.openEdit("Cakes", "Tarta");
        w->cmdAddImg->click(); // REMOVE
        QCOMPARE(w->cmdAddImg->text(), QStringLiteral("ADD &IMAGE"));
        w->cmdAdd->click();
        QVERIFY(f.images().isEmpty());
    }

    // A failed ADD keeps everything typed; control characters never reach the book.
    void addingWhenTheSaveFails()
    {
        EditorFixture f;
        FrmAdd* w = f.openAdd();
        f.choose(w, QStringLiteral("Pies"));
        w->txtTitle->setText(QStringLiteral(" Pear\x01 "));
        w->txtOther->setPlainText(QString(4000, u'x') + QStringLiteral("\nline\x1B two"));
        const QByteArray before = f.env.bookBytes();
        {
            const FileSizeLimit limit(before.size() + 200);
            w->cmdAdd->click();
        }
        QCOMPARE(f.env.bookBytes(), before);
        QCOMPARE(f.env.dialogs.messages.last().icon, MsgIcon::Critical);
        QCOMPARE(w->txtTitle->text(), QStringLiteral("Pear"));
        QVERIFY(w->txtOther->toPlainText().endsWith(QStringLiteral("line\x1B two")));
        w->cmdAdd->click();
        QVERIFY(w->txtTitle->text().isEmpty());
        QVERIFY(f.env.bookBytes().contains("<title>Pear</title>"));
        QVERIFY(f.env.bookBytes().contains("x\r\nline two</other>"));
    }

    void missingStoredPicture()
    {
        EditorFixture f;
        QFile::remove(f.image(QStringLiteral("recipes_Cakes_Torta.jpg")));
        FrmEdit* w = f.openEdit("Cakes", "Torta");
        QCOMPARE(w->cmdAddImg->text(), QStringLiteral("ADD &IMAGE"));
        QCOMPARE(w->mnuEditAddImg->text(), QStringLiteral("Add an &Image"));
        w->cmdAdd_Click();
        QVERIFY(RecipeBook::field(RecipeBook::recipe(f.saved()->category(0), 1), RecipeField::Image).isEmpty());
    }

    void pictureThatCannotBeCopied()
    {
        EditorFixture f;
        FrmAdd* w = f.openAdd();
        f.choose(w, QStringLiteral("Pies"));
        writePicture(f.own(QStringLiteral("p.jpg")), 30, 30);
        f.env.dialogs.files = {f.own(QStringLiteral("p.jpg"))};
        w->cmdAddImg_Click();
        // The images folder has become a file: the copy fails, the recipe is still added.
        QDir(QDir(f.env.dataPath()).filePath(QStringLiteral("images"))).removeRecursively();
        writeFileBytes(QDir(f.env.dataPath()).filePath(QStringLiteral("images")), "x");
        w->txtTitle->setText(QStringLiteral("Pear"));
        w->cmdAdd_Click();
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{loadText(TextId::PictureNotCopied)});
        QCOMPARE(titlesOf(*f.saved(), 1), (QStringList{"Apple", "Pear"}));
    }

    void editMenu()
    {
        EditorFixture f;
        FrmAdd* w = f.openAdd();
        QApplication::setActiveWindow(w);
        auto state = [w] {
            w->editMenuOpened(w->mnuAddCopy, w->mnuAddCut, w->mnuAddPaste);
            return QList<bool>{w->mnuAddCopy->isEnabled(), w->mnuAddCut->isEnabled(), w->mnuAddPaste->isEnabled()};
        };
        QApplication::clipboard()->setText(QStringLiteral("clip"));
        w->cboACats->setFocus();
        QCOMPARE(state(), (QList<bool>{false, false, false}));
        w->txtIng->setFocus();
        QCOMPARE(state(), (QList<bool>{false, false, true}));
        QApplication::clipboard()->clear();
        w->txtPT->setText(QStringLiteral("20 min"));
        w->txtPT->setFocus();
        w->txtPT->setSelection(0, 2);
        QCOMPARE(state(), (QList<bool>{true, true, false}));

        w->txtPrep->setPlainText(QStringLiteral("one two three"));
        w->txtPrep->setFocus();
        QTextCursor cursor = w->txtPrep->textCursor();
        cursor.setPosition(4);
        cursor.setPosition(8, QTextCursor::KeepAnchor);
        w->txtPrep->setTextCursor(cursor);
        w->editCut();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("two "));
        QCOMPARE(w->txtPrep->toPlainText(), QStringLiteral("one three"));
        w->txtTitle->setText(QStringLiteral("Big cake"));
        w->txtTitle->setFocus();
        w->txtTitle->setSelection(0, 3);
        w->editPaste();
        QCOMPARE(w->txtTitle->text(), QStringLiteral("two  cake"));
    }
};

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
