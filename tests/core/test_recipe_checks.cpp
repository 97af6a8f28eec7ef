// The checks the add and edit windows run before they save, and the new-category checks, each in
// the order its window runs them.
#include "core/app/app_state.h"
#include "core/book/recipe_checks.h"
#include "core/text/text_table.h"
#include "test_env_core.h"

#include <QtTest>
#include <optional>

namespace {
const QByteArray kBook = "<recipebook><category cname=\"Cakes\"><recipe><title>Flan</title></recipe></category>"
                         "<category cname=\"Soups\"><recipe><title>Caldo verde</title></recipe></category>"
                         "</recipebook>";
using Problem = std::optional<TextId>;
} // namespace

class TestRecipeChecks : public QObject {
    Q_OBJECT
private slots:
    void recipeForms_data()
    {
        QTest::addColumn<RecipeWindowKind>("window");
        QTest::addColumn<bool>("categoryChosen");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("ownTitle");
        QTest::addColumn<Problem>("problem");
        const auto add = RecipeWindowKind::Add;
        const auto edit = RecipeWindowKind::Edit;
        const Problem none;
        // The add window checks the title before the category; the edit window the other way round.
        QTest::newRow("add: no title, no category") << add << false << ""
                                                    << "" << Problem(TextId::TitleRequiredMessage);
        QTest::newRow("edit: no title, no category") << edit << false << ""
                                                     << "Flan" << Problem(TextId::CategoryRequiredMessage);
        QTest::newRow("add: no category") << add << false << "Tarta"
                                          << "" << Problem(TextId::CategoryRequiredMessage);
        QTest::newRow("edit: no title") << edit << true << ""
                                        << "Flan" << Problem(TextId::TitleRequiredMessage);
        // Forbidden characters come before the duplicate check, in both windows.
        QTest::newRow("add: forbidden and taken") << add << true << "Flan?"
                                                  << "" << Problem(TextId::InvalidTitleCharsMessage);
        QTest::newRow("edit: forbidden") << edit << true << "Mom's flan"
                                         << "Flan" << Problem(TextId::InvalidTitleCharsMessage);
        // Titles are unique in the whole book, in any case.
        QTest::newRow("add: taken in another category") << add << true << "CALDO VERDE"
                                                        << "" << Problem(TextId::TitleExistsMessage);
        QTest::newRow("edit: another recipe's title") << edit << true << "caldo verde"
                                                      << "Flan" << Problem(TextId::TitleExistsMessage);
        QTest::newRow("edit: its own title in another case") << edit << true << "FLAN"
                                                             << "Flan" << none;
        QTest::newRow("add: its own title is no excuse") << add << true << "flan"
                                                         << "flan" << Problem(TextId::TitleExistsMessage);
        QTest::newRow("add: free") << add << true << "Tarta de Santiago"
                                   << "" << none;
        QTest::newRow("ampersand and accents") << add << true << "Crème & brûlée"
                                               << "" << none;
    }
    void recipeForms()
    {
        QFETCH(RecipeWindowKind, window);
        QFETCH(bool, categoryChosen);
        QFETCH(QString, title);
        QFETCH(QString, ownTitle);
        QFETCH(Problem, problem);
        TestEnv env;
        env.useBook(kBook);
        QCOMPARE(recipeFormProblem(app().book, window, categoryChosen, title, ownTitle), problem);
    }

    void categoryNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Problem>("problem");
        QTest::newRow("free") << "Breads" << Problem();
        QTest::newRow("taken, other case") << "SOUPS" << Problem(TextId::CategoryExistsMessage);
        QTest::newRow("forbidden before taken") << "Soups?" << Problem(TextId::InvalidCategoryCharsMessage);
        for (const char* bad : {"a/b", "a\\b", "x:y", "\"q\"", "it's", "*", "|", "<b>"})
            QTest::addRow("forbidden %s", bad) << QString::fromUtf8(bad) << Problem(TextId::InvalidCategoryCharsMessage);
        // A category of that name would be taken for the add and edit windows' new-category entry, whatever
        // window names it (a rename too) and in either language.
        QTest::newRow("new-category entry") << "[NEW CATEGORY..]" << Problem(TextId::CategoryExistsMessage);
        QTest::newRow("new-category entry, Spanish") << "[categoría nueva..]" << Problem(TextId::CategoryExistsMessage);
    }
    void categoryNames()
    {
        QFETCH(QString, name);
        QFETCH(Problem, problem);
        TestEnv env;
        env.useBook(kBook);
        QCOMPARE(categoryNameProblem(app().book, name), problem);
    }
};

QTEST_GUILESS_MAIN(TestRecipeChecks)
#include "test_recipe_checks.moc"
