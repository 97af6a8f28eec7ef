// The cookbook: what goes into it, the PDF it makes read back with poppler's tools, hostile recipes,
// unfinished files, and the window driven by its keys.
#include "core/app/app_state.h"
#include "core/text/text_table.h"
#include "test_env.h"
#include "test_pictures.h"
#include "ui/browse/browse_window.h"
#include "ui/output/cookbook_printer.h"
#include "ui/output/cookbook_window.h"
#include "ui/output/print_engine.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

QByteArray recipeXml(const QString& title, const QString& ingredients,
                     const QString& preparation = QStringLiteral("Mix."), const QString& image = {})
{
    return QStringLiteral("<recipe><title>%1</title><preptime>10 min</preptime><cooktime>1 h</cooktime><yield>4</yield>"
                          "<ing>%2</ing><prep>%3</prep><other>Keeps a week.</other><date>1/2/2020</date>"
                          "<image>%4</image></recipe>")
        .arg(title, ingredients, preparation, image)
        .toUtf8();
}

QString longPreparation()
{
    QStringList steps;
    for (int i = 1; i <= 300; ++i)
        steps << QStringLiteral("Step %1: fold the dough over itself and let it rest.").arg(i);
    return steps.join(QStringLiteral("&#13;\n"));
}

// Desserts and Breads are chosen (in that order); Soups is not.
QByteArray sampleBook()
{
    return "<recipebook><category cname=\"Breads\">" +
           recipeXml(QStringLiteral("Ámbar rye"), QStringLiteral("3 cups rye flour")) +
           recipeXml(QStringLiteral("Focaccia"), QStringLiteral("500 g flour&#13;\n1 tbsp salt")) +
           recipeXml(QStringLiteral("Long loaf"), QStringLiteral("1 kg flour"), longPreparation()) +
           "</category><category cname=\"Desserts\">" +
           recipeXml(QStringLiteral("Flan"), QStringLiteral("4 eggs&#13;\n2 cups milk")) +
           recipeXml(QStringLiteral("Crème brûlée"), QStringLiteral("2 cups cream"), QStringLiteral("Bake."),
                     QStringLiteral("recipes_Desserts_Creme.jpg")) +
           recipeXml(QStringLiteral("Arroz con leche"), QStringLiteral("Topping:&#13;\n1 cup rice")) +
           "</category><category cname=\"Soups\">" + recipeXml(QStringLiteral("Caldo"), QStringLiteral("1 l water")) +
           "</category></recipebook>";
}

// Desserts (the second category) first.
const QList<ChosenRecipe> kChoice = {
    {1, QStringLiteral("Flan")},      {1, QStringLiteral("Crème brûlée")}, {1, QStringLiteral("Arroz con leche")},
    {0, QStringLiteral("Ámbar rye")}, {0, QStringLiteral("Focaccia")},     {0, QStringLiteral("Long loaf")}};
const QStringList kBookOrder = {
    QStringLiteral("Flan"),      QStringLiteral("Crème brûlée"), QStringLiteral("Arroz con leche"),
    QStringLiteral("Ámbar rye"), QStringLiteral("Focaccia"),     QStringLiteral("Long loaf")};

struct Fixture {
    WindowTestEnv env;
    QTemporaryDir out;
    explicit Fixture(const QByteArray& book = sampleBook())
    {
        env.useBook(book);
        QDir().mkpath(env.imagesPath());
        writePicture(QDir(env.imagesPath()).filePath(QStringLiteral("recipes_Desserts_Creme.jpg")), 600, 400);
    }
    QString file(const QString& name) const { return QDir(out.path()).filePath(name); }
};

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The pages of a PDF as pdftotext lays them out.
QStringList pdfPages(const QString& path)
{
    QStringList pages =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")}).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QString pdfInfo(const QString& path, const QString& field)
{
    const QRegularExpression line(u'^' + field + QStringLiteral(":\\s*(.*)$"), QRegularExpression::MultilineOption);
    return line.match(run(QStringLiteral("pdfinfo"), {path})).captured(1).trimmed();
}

// The page an entry of the contents or the index points to: "Title . . . 12".
int pointedPage(const QString& text, const QString& title)
{
    const QRegularExpression entry(QRegularExpression::escape(title) + QStringLiteral("[ .]*\\s(\\d+)(\\s|$)"));
    return entry.match(text).captured(1).toInt();
}

} // namespace

class TestCookbook : public QObject {
    Q_OBJECT
private slots:
    // The test command installs poppler-utils; without its tools the PDF cannot be read back.
    void initTestCase()
    {
        for (const char* tool : {"pdftotext", "pdfinfo", "pdffonts", "pdfimages"})
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(), tool);
    }

    void contents()
    {
        Fixture f;
        const CookbookContents book = cookbookContents(
            app().book, kChoice + QList<ChosenRecipe>{{0, QStringLiteral("Gone")}}, app().imagesPath());
        QCOMPARE(book.chapters.size(), 2);
        QCOMPARE(book.chapters[0].name, QStringLiteral("Desserts"));
        QStringList titles;
        for (const Recipe& recipe : book.recipes)
            titles << recipe.title;
        QCOMPARE(titles, kBookOrder);
        QVERIFY(book.picturePaths[1].endsWith(QStringLiteral("images/recipes_Desserts_Creme.jpg")));
        QStringList index;
        for (const CookbookIndexGroup& group : book.titleIndex) {
            for (const CookbookIndexEntry& entry : group.entries)
                index << group.heading + u' ' + book.recipes[entry.recipe].title;
        }
        QCOMPARE(index, QStringList({"A Ámbar rye", "A Arroz con leche", "C Crème brûlée", "F Flan", "F Focaccia",
                                     "L Long loaf"}));
        QStringList byIngredient;
        for (const CookbookIndexGroup& group : book.ingredientIndex)
            byIngredient << group.heading + u':' + QString::number(group.entries.size());
        QCOMPARE(byIngredient, QStringList({"cream:1", "eggs:1", "flour:2", "rice:1", "rye flour:1"}));
    }

    void names_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("plain") << "Family Recipes"
                               << "Family Recipes.pdf";
        QTest::newRow("separators and marks") << "Cakes: a/b\\c?*"
                                              << "Cakes a b c.pdf";
        QTest::newRow("hidden or upward") << "../.."
                                          << "cookbook.pdf";
        QTest::newRow("empty") << ""
                               << "cookbook.pdf";
    }
    void names()
    {
        QFETCH(QString, title);
        QTEST(cookbookFileName(title), "fileName");
    }

    void bookToPdf_data()
    {
        QTest::addColumn<CookbookLayout>("layout");
        QTest::addColumn<CookbookPaper>("paper");
        QTest::addColumn<bool>("newPagePerChapter");
        QTest::addColumn<QString>("pageSize");
        QTest::newRow("full page, A4") << CookbookLayout::FullPage << CookbookPaper::A4 << true << "595 x 842";
        QTest::newRow("two a page, Letter")
            << CookbookLayout::TwoPerPage << CookbookPaper::Letter << false << "612 x 792";
        QTest::newRow("cards, 4 x 6 in") << CookbookLayout::IndexCards << CookbookPaper::Card4x6 << true << "432 x 288";
    }
    // Contents and index point to the pages the recipes are on, in the order chosen, accents and all.
    void bookToPdf()
    {
        QFETCH(CookbookLayout, layout);
        QFETCH(CookbookPaper, paper);
        QFETCH(bool, newPagePerChapter);
        QFETCH(QString, pageSize);
        Fixture f;
        const CookbookOptions options{QStringLiteral("Family Book"), QStringLiteral("Ñandú edition"), layout, paper,
                                      newPagePerChapter};
        const QString pdf = f.file(QStringLiteral("book.pdf"));
        const CookbookSaved saved =
            saveCookbookPdf(cookbookContents(app().book, kChoice, app().imagesPath()), options, pdf);
        QCOMPARE(saved.outcome, CookbookPrinted::Done);
        QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")).toInt(), saved.pages);
        QVERIFY2(pdfInfo(pdf, QStringLiteral("Page size")).startsWith(pageSize),
                 qPrintable(pdfInfo(pdf, QStringLiteral("Page size"))));
        QVERIFY(!run(QStringLiteral("pdffonts"), {pdf})
                     .contains(QRegularExpression(QStringLiteral(" no +(yes|no) +(yes|no) "))));
        // The picture once, never drawn larger than its pixels at screen resolution.
        const QStringList embedded = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                         .split(u'\n')
                                         .filter(QStringLiteral(" image "));
        QCOMPARE(embedded.size(), 1);
        QVERIFY2(embedded[0].simplified().section(u' ', 12, 12).toInt() >= 96, qPrintable(embedded[0]));

        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), saved.pages);
        QVERIFY(pages[0].contains(QStringLiteral("Family Book")) && pages[0].contains(QStringLiteral("Ñandú edition")));
        QString contents, index;
        QList<int> bodyPages;
        for (int p = 1; p < pages.size(); ++p) {
            const QString header = pages[p].trimmed().section(u'\n', 0, 0).trimmed();
            if (header == loadText(TextId::CookbookContentsHeading))
                contents += pages[p];
            else if (header == loadText(TextId::CookbookIndexHeading))
                index += pages[p];
            else
                bodyPages << p + 1;
        }
        QVERIFY(contents.indexOf(QStringLiteral("Desserts")) < contents.indexOf(QStringLiteral("Breads")));
        int previous = 0;
        for (const QString& title : kBookOrder) {
            const int page = pointedPage(contents, title);
            QVERIFY2(page >= previous && pages.value(page - 1).contains(title), qPrintable(title));
            QVERIFY2(!pages[page - 2].contains(title) || !bodyPages.contains(page - 1), qPrintable(title));
            QCOMPARE(pointedPage(index, title), page);
            previous = page;
        }
        QCOMPARE(pages[pointedPage(contents, QStringLiteral("Desserts")) - 1].count(QStringLiteral("Desserts")) > 0,
                 true);
        QVERIFY(index.contains(loadText(TextId::CookbookIndexByIngredient)) &&
                index.contains(QStringLiteral("rye flour")));
        // The long recipe goes on over pages that say so, and ends after it began.
        const int longLoaf = pointedPage(contents, QStringLiteral("Long loaf"));
        QVERIFY(pages[longLoaf].contains(QStringLiteral("Long loaf (continued)")));
        QVERIFY(!pages[longLoaf - 1].contains(QStringLiteral("Step 300:")));
        QVERIFY(pages.filter(QStringLiteral("Step 300:")).size() == 1);
    }

    // A print dialog's page range gives those pages as they are in the whole book.
    void pageRange()
    {
        Fixture f;
        const CookbookContents contents = cookbookContents(app().book, kChoice, app().imagesPath());
        const QString whole = f.file(QStringLiteral("whole.pdf"));
        const QString part = f.file(QStringLiteral("part.pdf"));
        QCOMPARE(saveCookbookPdf(contents, {}, whole).outcome, CookbookPrinted::Done);
        {
            QPdfWriter writer(part);
            writer.setPageLayout(cookbookPageLayout({}));
            QPageRanges ranges;
            ranges.addRange(3, 4);
            ranges.addPage(6);
            writer.setPageRanges(ranges);
            QCOMPARE(printCookbook(contents, {}, &writer), CookbookPrinted::Done);
        }
        const QStringList pages = pdfPages(whole);
        QCOMPARE(pdfPages(part), (QStringList{pages[2], pages[3], pages[5]}));
    }

    // A 1 MB preparation, a picture too large to decode, a large photograph, and files that are no
    // pictures or are cut short make a book; the photograph goes in at about print resolution.
    void hostileRecipes()
    {
        QString huge = QStringLiteral("stir ").repeated(200000);
        Fixture f("<recipebook><category cname=\"Odd\">" +
                  recipeXml(QStringLiteral("Endless"), QStringLiteral("1 cup rice"), huge, QStringLiteral("huge.png")) +
                  recipeXml(QStringLiteral("Photo"), {}, {}, QStringLiteral("photo.jpg")) +
                  recipeXml(QStringLiteral("Garbage"), {}, {}, QStringLiteral("garbage.jpg")) +
                  recipeXml(QStringLiteral("Cut"), {}, {}, QStringLiteral("cut.jpg")) + "</category></recipebook>");
        const QDir images(f.env.imagesPath());
        // A PNG header of 40,000 × 40,000 pixels with nothing after it.
        QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452");
        png += QByteArray::fromHex("00009c4000009c400806000000") + QByteArray(4, '\0');
        writeFileBytes(images.filePath(QStringLiteral("huge.png")), png);
        QVERIFY(writePicture(images.filePath(QStringLiteral("photo.jpg")), 4000, 3000));
        writeFileBytes(images.filePath(QStringLiteral("garbage.jpg")), jpegBytes("not a picture"));
        writeFileBytes(images.filePath(QStringLiteral("cut.jpg")),
                       readFileBytes(images.filePath(QStringLiteral("photo.jpg"))).left(2000));
        QList<ChosenRecipe> chosen;
        for (const char* title : {"Endless", "Photo", "Garbage", "Cut"})
            chosen.append({0, QLatin1String(title)});
        const QString pdf = f.file(QStringLiteral("odd.pdf"));
        const CookbookSaved saved = saveCookbookPdf(cookbookContents(app().book, chosen, app().imagesPath()), {}, pdf);
        QCOMPARE(saved.outcome, CookbookPrinted::Done);
        QVERIFY(saved.pages > 100);
        QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")).toInt(), saved.pages);
        const QStringList embedded = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                         .split(u'\n')
                                         .filter(QStringLiteral(" image "));
        QVERIFY(!embedded.isEmpty());
        for (const QString& image : embedded)
            QVERIFY2(image.simplified().section(u' ', 12, 12).toInt() <= 220, qPrintable(image));
    }

    void unfinishedBook_data()
    {
        QTest::addColumn<int>("stopAt");
        QTest::addColumn<int>("fileLimit");
        QTest::addColumn<CookbookPrinted>("outcome");
        QTest::newRow("stopped laying out") << 1 << 0 << CookbookPrinted::Stopped;
        QTest::newRow("stopped drawing") << 8 << 0 << CookbookPrinted::Stopped;
        QTest::newRow("disk full") << -1 << 30000 << CookbookPrinted::Failed;
    }
    // A stopped or failed book leaves the file that was there, and nothing beside it.
    void unfinishedBook()
    {
        QFETCH(int, stopAt);
        QFETCH(int, fileLimit);
        Fixture f;
        const QString pdf = f.file(QStringLiteral("book.pdf"));
        writeFileBytes(pdf, "the book before");
        const Progress progress = [&](int done, int) { return done != stopAt; };
        CookbookSaved saved;
        {
            std::optional<FileSizeLimit> limit;
            if (fileLimit > 0)
                limit.emplace(fileLimit);
            saved = saveCookbookPdf(cookbookContents(app().book, kChoice, app().imagesPath()), {}, pdf, progress);
        }
        QTEST(saved.outcome, "outcome");
        QCOMPARE(saved.error.isEmpty(), fileLimit == 0);
        QCOMPARE(readFileBytes(pdf), QByteArray("the book before"));
        QCOMPARE(QDir(f.out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("book.pdf")});
    }

    void byKeyboard_data()
    {
        QTest::addColumn<Language>("language");
        QTest::newRow("English") << Language::English;
        QTest::newRow("Spanish") << Language::Spanish;
    }
    // From the browse window's File menu to a PDF of Desserts and Breads and a print, and back.
    void byKeyboard()
    {
        QFETCH(Language, language);
        Fixture f;
        setLanguage(language);
        auto* browse = f.env.navigator.showBrowse();
        QStringList fileKeys;
        for (QAction* action : child<QMenu>(browse, "fileMenu")->actions())
            fileKeys << QKeySequence::mnemonic(action->text()).toString();
        fileKeys.removeAll(QString());
        QCOMPARE(QSet<QString>(fileKeys.begin(), fileKeys.end()).size(), fileKeys.size()); // no two share a key
        child<QAction>(browse, "cookbookAction")->trigger();
        auto* window = findWindow<CookbookWindow>();
        QVERIFY(window && !findWindow<BrowseWindow>());
        QVERIFY(activate(window));
        // A button's access key clicks it as the mouse would, once it comes up again; the keyboard is the
        // window's again after a progress it showed.
        auto key = [&](TextId text) {
            QTRY_VERIFY(window->isActiveWindow());
            pressAccessKey(window, text);
            for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
                QTRY_VERIFY(!button->isDown());
        };

        key(TextId::SaveCookbookPdfButton); // nothing chosen yet
        QCOMPARE(f.env.dialogs.messageTexts(), QStringList{loadText(TextId::NoRecipesForCookbookMessage)});
        auto* categories = child<QComboBox>(window, "categoryCombo");
        categories->setFocus();
        QTest::keyClick(categories, Qt::Key_Down); // Desserts
        key(TextId::ChooseAllRecipesTip);
        categories->setFocus();
        QTest::keyClick(categories, Qt::Key_Up); // Breads
        key(TextId::ChooseAllRecipesTip);
        QCOMPARE(child<QListWidget>(window, "chosenList")->count(), 6);
        key(TextId::CookbookSubtitleLabel);
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QStringLiteral("Ñandú edition"),
                            Qt::NoModifier);
        QCOMPARE(child<QLineEdit>(window, "subtitleEdit")->text(), QStringLiteral("Ñandú edition"));

        const QString pdf = f.file(QStringLiteral("chosen.pdf"));
        f.env.dialogs.files = {pdf};
        key(TextId::SaveCookbookPdfButton);
        QCOMPARE(f.env.dialogs.fileRequests.last().fileName,
                 loadText(TextId::CookbookDefaultTitle) + QStringLiteral(".pdf"));
        QCOMPARE(f.env.dialogs.messageTexts().last(), loadText(TextId::CookbookSavedMessage));
        const QString text = pdfPages(pdf).join(u'\f');
        QVERIFY(text.contains(QStringLiteral("Ñandú edition")) &&
                text.contains(loadText(TextId::CookbookContentsHeading)));
        QVERIFY(text.contains(loadText(TextId::IngredientsLabel)));
        QVERIFY(text.indexOf(QStringLiteral("Desserts")) < text.indexOf(QStringLiteral("Breads")));

        const QString printed = f.file(QStringLiteral("printed.pdf"));
        PrintEngine::setPdfInsteadOfDialogs(printed);
        key(TextId::PrintCookbookButton);
        PrintEngine::setPdfInsteadOfDialogs({});
        QCOMPARE(pdfInfo(printed, QStringLiteral("Pages")), pdfInfo(pdf, QStringLiteral("Pages")));
        QTRY_VERIFY(window->isActiveWindow());
        pressAccessKey(window, TextId::CancelButton);
        QTRY_VERIFY(findWindow<BrowseWindow>());
        setLanguage(Language::English);
    }
};

QTEST_MAIN(TestCookbook)
#include "test_cookbook.moc"
