#include "core/app/app_state.h"
#include "core/text/text_table.h"
#include "test_env.h"
#include "test_pictures.h"
#include "ui/browse/browse_window.h"
#include "ui/platform/picture_viewer.h"
#include "ui/preferences/about_box.h"
#include "ui/platform/color_scheme.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QByteArray kBook =
    "<recipebook>"
    "<category cname=\"Soups\">"
    "<recipe><title>Gazpacho</title><preptime>20 min</preptime><cooktime>0</cooktime><yield>4</yield>"
    "<ing>tomatoes\ncucumber</ing><prep>Blend.&#13;\nChill.</prep><other>Cold.</other><date>7/14/2025</date>"
    "<image>recipes_Soups_Gazpacho.jpg</image></recipe>"
    "<recipe><title>Caldo</title><preptime></preptime><cooktime></cooktime><yield></yield><ing>bones</ing>"
    "<prep></prep><other></other><date>1/1/2026</date><image>recipes_Soups_Caldo.bmp</image></recipe>"
    "</category>"
    "<category cname=\"Stews\"><recipe><title>Goulash</title><preptime></preptime><cooktime></cooktime>"
    "<yield></yield><ing></ing><prep></prep><other></other><date></date><image>recipes_Stews_Goulash.jpg</image>"
    "</recipe></category>"
    "<category cname=\"Empty\"></category>"
    "</recipebook>";

// A browse window over the test book, with the pictures its recipes name.
struct BrowseFixture {
    WindowTestEnv env;
    BrowseWindow* w = nullptr;
    explicit BrowseFixture(const QByteArray& book = kBook)
    {
        QDir(env.dataPath()).mkpath(QStringLiteral("images"));
        for (const char* name : {"recipes_Soups_Gazpacho.jpg", "recipes_Soups_Caldo.bmp", "recipes_Stews_Goulash.jpg"})
            writePicture(image(QLatin1String(name)), 320, 200);
        env.useBook(book);
        w = env.navigator.showBrowse();
    }
    QString image(const QString& name) const { return QDir(env.dataPath()).filePath(QStringLiteral("images/") + name); }
    bool select(const char* category, const char* title = nullptr)
    {
        const int row = child<QComboBox>(w, "categoryCombo")->findText(QLatin1String(category));
        child<QComboBox>(w, "categoryCombo")->setCurrentIndex(row);
        if (!title)
            return row >= 0;
        return w->selectRecipe(QLatin1String(category), QLatin1String(title));
    }
    QStringList recipes() const
    {
        QStringList titles;
        for (int i = 0; i < child<QListWidget>(w, "recipeList")->count(); ++i)
            titles << child<QListWidget>(w, "recipeList")->item(i)->text();
        return titles;
    }
};

} // namespace

class TestBrowse : public QObject {
    Q_OBJECT
private slots:
    void showsTheFirstCategoryAndRecipe()
    {
        BrowseFixture f;
        QCOMPARE(child<QComboBox>(f.w, "categoryCombo")->currentText(), QStringLiteral("Empty"));
        QVERIFY(f.select("Soups"));
        QCOMPARE(f.recipes(), (QStringList{"Caldo", "Gazpacho"}));
        QVERIFY(f.select("Soups", "Gazpacho"));
        QCOMPARE(child<QPlainTextEdit>(f.w, "ingredientsBox")->toPlainText(), QStringLiteral("tomatoes\ncucumber"));
        // A CR stored as a reference still makes one line break, not two.
        QCOMPARE(child<QPlainTextEdit>(f.w, "preparationBox")->toPlainText(), QStringLiteral("Blend.\nChill."));
        QCOMPARE(child<QLabel>(f.w, "prepTimeValue")->text(), QStringLiteral("20 min"));
        QCOMPARE(child<QLabel>(f.w, "dateValue")->text(), QStringLiteral("7/14/2025"));
        QVERIFY(child<QLabel>(f.w, "thumbnail")->isVisible());
        QCOMPARE(child<QLabel>(f.w, "thumbnail")->pixmap().size(), QSize(320, 200));
        QCOMPARE(f.w->minimumSize(), QSize(647, 460));
    }

    void emptyBookInvitesTheFirstRecipe()
    {
        // A blank book, as on the first start: the ingredients box says how to write the first recipe.
        {
            BrowseFixture blank("<recipebook></recipebook>");
            const QString invitation = child<QPlainTextEdit>(blank.w, "ingredientsBox")->placeholderText();
            QCOMPARE(invitation, loadText(TextId::EmptyBookInvitation));
            QVERIFY(invitation.contains(QStringLiteral("Add Recipes")));
        }

        // With recipes it says nothing, until the last one is removed.
        BrowseFixture f("<recipebook><category cname=\"Soups\"><recipe><title>Caldo</title></recipe></category>"
                        "<category cname=\"Empty\"></category></recipebook>");
        auto* ingredients = child<QPlainTextEdit>(f.w, "ingredientsBox");
        QCOMPARE(ingredients->placeholderText(), QString());
        QVERIFY(f.select("Soups", "Caldo"));
        f.env.dialogs.answers = {MsgAnswer::Yes};
        child<QPushButton>(f.w, "removeButton")->click();
        QCOMPARE(f.recipes(), QStringList());
        QCOMPARE(ingredients->placeholderText(), loadText(TextId::EmptyBookInvitation));
    }

    void removingRecipes()
    {
        BrowseFixture f;
        QVERIFY(f.select("Soups", "Gazpacho"));
        f.env.dialogs.answers = {MsgAnswer::No};
        child<QPushButton>(f.w, "removeButton")->click();
        const ShownMessage asked = f.env.dialogs.messages.last();
        QCOMPARE(asked.text, QStringLiteral("Confirm deletion of:  « Gazpacho »"));
        QCOMPARE(asked.title, kMessageTitle);
        QCOMPARE(asked.buttons, MsgButtons::YesNo);
        QCOMPARE(f.recipes().size(), 2);

        // The Delete key in the list asks the same question.
        f.env.dialogs.answers = {MsgAnswer::Yes};
        QTest::keyClick(child<QListWidget>(f.w, "recipeList"), Qt::Key_Delete);
        QCOMPARE(f.env.dialogs.messages.last().text, asked.text);
        QCOMPARE(f.recipes(), QStringList{"Caldo"});
        QVERIFY(!f.env.bookBytes().contains("Gazpacho"));
        QVERIFY(!QFile::exists(f.image(QStringLiteral("recipes_Soups_Gazpacho.jpg"))));
        QVERIFY(QFile::exists(f.image(QStringLiteral("recipes_Soups_Caldo.bmp"))));
        QCOMPARE(child<QListWidget>(f.w, "recipeList")->currentItem()->text(), QStringLiteral("Caldo"));

        // The last recipe of a category: the list and fields empty, the category stays.
        f.env.dialogs.answers = {MsgAnswer::Yes};
        child<QPushButton>(f.w, "removeButton")->click();
        QVERIFY(f.recipes().isEmpty());
        QVERIFY(child<QPlainTextEdit>(f.w, "ingredientsBox")->toPlainText().isEmpty() &&
                child<QLabel>(f.w, "dateValue")->text().isEmpty());
        QCOMPARE(child<QComboBox>(f.w, "categoryCombo")->currentText(), QStringLiteral("Soups"));
        QVERIFY(f.env.bookBytes().contains("<category cname=\"Soups\"></category>"));
    }

    // "Soup" in one category and "soup" in another: REMOVE takes the one shown, with its own picture.
    void removingADuplicateTitle()
    {
        QByteArray book = kBook;
        book.replace("<title>Goulash</title>", "<title>caldo</title>");
        BrowseFixture f(book);
        QVERIFY(f.select("Stews", "caldo"));
        f.env.dialogs.answers = {MsgAnswer::Yes};
        child<QPushButton>(f.w, "removeButton")->click();
        QVERIFY(f.recipes().isEmpty());
        QVERIFY(f.env.bookBytes().contains("<title>Caldo</title>"));
        QVERIFY(!f.env.bookBytes().contains("<title>caldo</title>"));
        QVERIFY(QFile::exists(f.image(QStringLiteral("recipes_Soups_Caldo.bmp"))));
        QVERIFY(!QFile::exists(f.image(QStringLiteral("recipes_Stews_Goulash.jpg"))));
    }

    // When the save fails the recipe stays, in the list and on disk, with its picture.
    void removingWhenTheSaveFails()
    {
        QByteArray book = kBook;
        book.replace("<other>Cold.</other>", "<other>" + QByteArray(8000, 'x') + "</other>");
        BrowseFixture f(book);
        QVERIFY(f.select("Soups", "Caldo"));
        const QByteArray before = f.env.bookBytes();
        f.env.dialogs.answers = {MsgAnswer::Yes};
        {
            const FileSizeLimit limit(4000);
            child<QPushButton>(f.w, "removeButton")->click();
        }
        QCOMPARE(f.env.dialogs.messages.last().icon, MsgIcon::Critical);
        QCOMPARE(f.env.bookBytes(), before);
        QCOMPARE(f.recipes(), (QStringList{"Caldo", "Gazpacho"}));
        QVERIFY(QFile::exists(f.image(QStringLiteral("recipes_Soups_Caldo.bmp"))));
    }

    // A stored picture that does not decode shows nothing and opens no empty viewer.
    void pictureThatDoesNotDecode()
    {
        BrowseFixture f;
        writeFileBytes(f.image(QStringLiteral("recipes_Soups_Gazpacho.jpg")), "not a picture");
        QVERIFY(f.select("Soups", "Gazpacho"));
        QVERIFY(child<QLabel>(f.w, "thumbnail")->isHidden());
        QTest::mouseClick(child<QLabel>(f.w, "viewPictureLabel"), Qt::LeftButton);
        QVERIFY(!findWindow<PictureViewer>());
        QVERIFY(f.w->isEnabled());
    }

    void renamingACategory()
    {
        BrowseFixture f;
        QVERIFY(f.select("Soups"));
        // A change of case only is refused: the category itself holds the name.
        f.env.dialogs.inputs = {QStringLiteral("SOUPS")};
        f.env.dialogs.answers = {MsgAnswer::Cancel};
        child<QAction>(f.w, "renameCategoryAction")->trigger();
        QCOMPARE(f.env.dialogs.inputPrompts.first(),
                 QStringLiteral("Please enter a new name for the category:\r\n« Soups »"));
        QCOMPARE(f.env.dialogs.inputDefaults.first(), QStringLiteral("Soups"));
        QCOMPARE(f.env.dialogs.messages.last().text, QStringLiteral("That category exists.  Please try another."));
        QCOMPARE(f.env.dialogs.messages.last().buttons, MsgButtons::RetryCancel);
        QVERIFY(f.env.bookBytes().contains("cname=\"Soups\""));

        // Retry asks again with the old name; a trailing blank is trimmed.
        f.env.dialogs.clear();
        f.env.dialogs.inputs = {QStringLiteral("stews"), QStringLiteral("Broths ")};
        f.env.dialogs.answers = {MsgAnswer::Retry};
        child<QAction>(f.w, "renameCategoryAction")->trigger();
        QCOMPARE(f.env.dialogs.inputDefaults, (QStringList{"Soups", "Soups"}));
        QVERIFY(f.env.bookBytes().contains("<category cname=\"Broths\"><recipe><title>Gazpacho"));
        QCOMPARE(child<QComboBox>(f.w, "categoryCombo")->currentText(), QStringLiteral("Broths"));
        QCOMPARE(f.recipes(), (QStringList{"Caldo", "Gazpacho"}));

        f.env.dialogs.clear();
        f.env.dialogs.inputs = {QStringLiteral("Soups/Stews")};
        child<QAction>(f.w, "renameCategoryAction")->trigger();
        QVERIFY(f.env.dialogs.messages.last().text.startsWith(loadText(TextId::InvalidCategoryCharsMessage) +
                                                              QStringLiteral("\r\n\"")));
        QVERIFY(f.env.bookBytes().contains("cname=\"Broths\""));
        QCOMPARE(f.env.dialogs.unscripted, 0);
    }

    void deletingACategory()
    {
        BrowseFixture f;
        QVERIFY(f.select("Soups"));
        f.env.dialogs.answers = {MsgAnswer::Ok, MsgAnswer::Yes};
        child<QAction>(f.w, "deleteCategoryAction")->trigger();
        QCOMPARE(f.env.dialogs.messageTexts(),
                 (QStringList{"Attention, there are recipes in this category!", "Confirm deletion of:\r\n« Soups »"}));
        QVERIFY(!f.env.bookBytes().contains("Soups"));
        QVERIFY(!QFile::exists(f.image(QStringLiteral("recipes_Soups_Gazpacho.jpg"))));
        QVERIFY(!QFile::exists(f.image(QStringLiteral("recipes_Soups_Caldo.bmp"))));
        QVERIFY(QFile::exists(f.image(QStringLiteral("recipes_Stews_Goulash.jpg"))));

        // A category with no recipes is only asked about; deleting the last leaves everything empty.
        QVERIFY(f.select("Empty"));
        f.env.dialogs.clear();
        f.env.dialogs.answers = {MsgAnswer::Yes};
        child<QAction>(f.w, "deleteCategoryAction")->trigger();
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{"Confirm deletion of:\r\n« Empty »"});
        f.env.dialogs.answers = {MsgAnswer::Ok, MsgAnswer::Yes};
        child<QAction>(f.w, "deleteCategoryAction")->trigger();
        QCOMPARE(f.env.bookBytes(), QByteArray("<recipebook></recipebook>"));
        QCOMPARE(child<QComboBox>(f.w, "categoryCombo")->count(), 0);
        QVERIFY(f.recipes().isEmpty());
        QVERIFY(child<QPlainTextEdit>(f.w, "ingredientsBox")->toPlainText().isEmpty() &&
                child<QLabel>(f.w, "prepTimeValue")->text().isEmpty());
    }

    void helpAndAbout()
    {
        BrowseFixture f;
        writeFileBytes(QDir(f.env.dataPath()).filePath(QStringLiteral("sp.hlp")), "<h1>Help</h1>");
        setLanguage(Language::Spanish); // Spanish help is missing: no falling back to English
        child<QAction>(f.w, "helpContentsAction")->trigger();
        QCOMPARE(f.env.dialogs.messages.last().text, QStringLiteral("Error, el archivo de ayuda no existe."));
        QCOMPARE(f.env.dialogs.messages.last().icon, MsgIcon::Exclamation);
        setLanguage(Language::English);
        child<QAction>(f.w, "helpContentsAction")->trigger();
        QWidget* help = f.w->findChild<QWidget*>(QStringLiteral("helpWindow"));
        QVERIFY(help && help->isVisible() && help->isWindow());

        child<QAction>(f.w, "aboutAction")->trigger();
        auto* about = findWindow<AboutBox>();
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QStringLiteral("About SP"));
        QCOMPARE(child<QLabel>(about, "versionLabel")->text(), QStringLiteral("Version ") + programVersion());
        // The browse window takes no input meanwhile, yet is drawn as it was, not greyed.
        QCOMPARE(QApplication::activeModalWidget(), about);
        QVERIFY(f.w->isEnabled());
        child<QPushButton>(about, "okButton")->click();
        QVERIFY(!QApplication::activeModalWidget());
    }

    // An empty category shows no picture, neither at once nor after a resize, and opens none.
    void emptyCategoryShowsNoPicture()
    {
        BrowseFixture f;
        QVERIFY(f.select("Soups", "Gazpacho"));
        QVERIFY(child<QLabel>(f.w, "thumbnail")->isVisible());
        QVERIFY(f.select("Empty"));
        f.w->resize(f.w->width() + 40, f.w->height() + 30);
        QApplication::processEvents();
        QVERIFY(child<QLabel>(f.w, "thumbnail")->isHidden());
        QTest::mouseClick(child<QLabel>(f.w, "viewPictureLabel"), Qt::LeftButton);
        QVERIFY(!findWindow<PictureViewer>());
    }

    void pictureViewer()
    {
        BrowseFixture f;
        QVERIFY(f.select("Soups", "Gazpacho"));
        QTest::mouseClick(child<QLabel>(f.w, "viewPictureLabel"), Qt::LeftButton);
        PictureViewer* viewer = findWindow<PictureViewer>();
        QVERIFY(viewer);
        QVERIFY(viewer->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(viewer->size(), QSize(320, 200));
        QCOMPARE(QApplication::activeModalWidget(), viewer);
        QVERIFY(f.w->isEnabled() && child<QLabel>(f.w, "thumbnail")->isEnabled());
        QPointer<PictureViewer> alive(viewer);
        QTest::keyClick(viewer, Qt::Key_Left);
        QVERIFY(alive && viewer->isVisible());
        QTest::keyClick(viewer, Qt::Key_Escape);
        QVERIFY(!alive || !viewer->isVisible());
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestBrowse)
#include "test_browse.moc"
