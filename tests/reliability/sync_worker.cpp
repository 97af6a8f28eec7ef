// One of two computers sharing a book through a synced folder: plays changes on its data folder until it
// is killed, while another program replaces its book with the other computer's.
//   sync_worker DATA_FOLDER SOURCES NAME RUN LOG
// Recipes it adds are titled "NAME RUN-STEP". It writes "+TITLE" to LOG once a recipe is saved, and
// "-TITLE" before it removes one, so that whoever kills it knows which recipes must be in the book.
#include "core/app/app_state.h"
#include "core/app/clock.h"
#include "core/book/book_operations.h"
#include "core/book/recipe_changes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>
#include <cstdio>

namespace {

RecipeRef findRecipe(const QString& title)
{
    const QList<XmlNode> categories = app().book.categories();
    for (int c = 0; c < categories.size(); ++c) {
        const QList<XmlNode> recipes = RecipeBook::recipes(categories[c]);
        for (int r = 0; r < recipes.size(); ++r) {
            if (RecipeBook::title(recipes[r]) == title)
                return {c, r, title};
        }
    }
    return {};
}

int categoryPosition(const QString& name)
{
    const QList<XmlNode> categories = app().book.categories();
    for (int c = 0; c < categories.size(); ++c) {
        if (RecipeBook::categoryName(categories[c]) == name)
            return c;
    }
    if (!addCategory(app().book, name).saved())
        qFatal("cannot add a category");
    return categoryPosition(name);
}

void check(const ChangeOutcome& outcome)
{
    if (outcome.status == ChangeOutcome::Status::SaveFailed)
        qFatal("a change was not saved: %s", qPrintable(outcome.error));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() != 6) {
        std::fprintf(stderr, "usage: sync_worker DATA_FOLDER SOURCES NAME RUN LOG\n");
        return 2;
    }
    setClock([] { return QDate(2026, 12, 7); });
    AppState& a = app();
    a.appPath = args[1];
    if (!a.book.load(a.bookPath()))
        qFatal("cannot read the book: %s", qPrintable(a.book.loadError()));
    QFile log(args[5]);
    if (!log.open(QIODevice::Append | QIODevice::Unbuffered))
        qFatal("cannot open the log");
    const auto note = [&](char sign, const QString& title) {
        if (log.write(sign + title.toUtf8() + '\n') < 0)
            qFatal("cannot write the log");
    };

    static const char* const kCategories[] = {"Soups", "Desserts", "Breads"};
    QStringList mine; // recipes this run added and has not removed
    for (int step = 0;; ++step) {
        const QString title = QStringLiteral("%1 %2-%3").arg(args[3], args[4]).arg(step);
        const RecipeForm form{title, QStringLiteral("10 min"), QStringLiteral("1 h"), QStringLiteral("4"),
                              QStringLiteral("flour\nwater %1").arg(step), QStringLiteral("Mix.\nBake."),
                              QStringLiteral("From %1").arg(args[3])};
        switch (step % 6) {
        case 4: // change one of ours
            if (!mine.isEmpty()) {
                const QString which = mine[step % mine.size()];
                const RecipeRef ref = findRecipe(which);
                if (ref.recipe >= 0) {
                    RecipeForm changed = form;
                    changed.title = which;
                    check(replaceRecipe(a.book, ref, ref.category, changed, QString()));
                }
            }
            break;
        case 5: // remove the oldest of ours
            if (!mine.isEmpty()) {
                const QString which = mine.takeFirst();
                note('-', which);
                const RecipeRef ref = findRecipe(which);
                if (ref.recipe >= 0)
                    check(removeRecipe(a.book, ref));
            }
            break;
        default: { // add, every other one with a picture
            const QString picture =
                step % 2 == 0 ? QDir(args[2]).filePath(QStringLiteral("photo%1.jpg").arg(step % 3)) : QString();
            const ChangeOutcome added =
                addRecipe(a.book, categoryPosition(QLatin1String(kCategories[step % 3])), form, picture);
            check(added);
            if (added.saved()) {
                note('+', title);
                mine.append(title);
            }
        }
        }
        QThread::usleep(15000); // a cook's pace, sped up: the sync tool runs several times between changes
    }
}
