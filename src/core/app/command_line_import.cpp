#include "core/app/command_line_import.h"

#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/exchange/recipe_import.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"

#include <QDir>

namespace {

// Why start-up cannot give the book to change, or empty when it can.
QString bookProblem(const StartupOutcome& outcome)
{
    switch (outcome.problem) {
    case StartupProblem::None:
        return {};
    case StartupProblem::BookInUse:
        return loadText(TextId::BookInUseMessage);
    case StartupProblem::DataFolderUnwritable:
        return loadText(TextId::DataFolderUnwritableMessage) + u' ' + QDir::toNativeSeparators(outcome.path) +
               (outcome.error.isEmpty() ? QString() : QStringLiteral(": ") + outcome.error);
    case StartupProblem::BookUnreadable:
    case StartupProblem::BookBroken:
    case StartupProblem::BrokenBookNotKept:
        return loadText(TextId::BookUnreadableMessage) + u' ' + QDir::toNativeSeparators(outcome.path) +
               (outcome.error.isEmpty() ? QString() : QStringLiteral(": ") + outcome.error);
    }
    return {};
}

} // namespace

int importFromCommandLine(const CommandLineImport& import, QTextStream& out, QTextStream& err)
{
    setLanguage(readSetting(Setting::Language) == QStringLiteral("1") ? Language::Spanish : Language::English);
    QString problem = bookProblem(openDataFolder());
    if (problem.isEmpty())
        problem = bookProblem(loadBook());
    if (!problem.isEmpty()) {
        err << loadText(TextId::CommandLineBookUnchangeable).arg(problem) << Qt::endl;
        return 2;
    }
    int code = 0;
    for (const QString& path : import.files) {
        ImportFile file;
        if (!file.load(path)) {
            err << loadText(TextId::CommandLineFileNotRead).arg(path) << Qt::endl;
            code = 1;
            continue;
        }
        for (const SkippedRecipe& skipped : file.skipped()) {
            out << loadText(TextId::CommandLineSkipped).arg(path, describeSkipped(skipped)) << Qt::endl;
            code = 1;
        }
        const QStringList titles = file.titles();
        ImportOptions options;
        options.withPictures = import.withPictures;
        options.categoryForUncategorised = import.category;
        const ImportResult result =
            importRecipes(app().book, file, QSet<QString>(titles.begin(), titles.end()), options);
        if (!result.change.saved()) {
            err << loadText(TextId::CommandLineBookUnchangeable).arg(result.change.error) << Qt::endl;
            return 2;
        }
        for (const ImportedRecipe& recipe : result.recipes) {
            if (!recipe.title.isEmpty()) {
                out << loadText(TextId::CommandLineImported).arg(recipe.title) << Qt::endl;
            } else {
                out << loadText(TextId::CommandLineSkipped).arg(recipe.titleInFile, loadText(recipe.reason)) << Qt::endl;
                code = 1;
            }
        }
        if (!result.change.notices.isEmpty())
            code = 1; // a picture was left out
        out << loadText(TextId::CommandLineFileDone).arg(path).arg(result.imported) << Qt::endl;
    }
    return code;
}
