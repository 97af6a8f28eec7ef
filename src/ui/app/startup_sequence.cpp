#include "ui/app/startup_sequence.h"

#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "ui/app/language_chooser.h"
#include "ui/app/navigator.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/qt_language.h"

#include <QDir>

namespace {

// A message naming a file: the text, then the path and what the system said of it.
QString aboutFile(TextId id, const StartupOutcome& outcome)
{
    QString text = loadText(id) + QStringLiteral("\r\n") + QDir::toNativeSeparators(outcome.path);
    if (!outcome.error.isEmpty())
        text += QStringLiteral(": ") + outcome.error;
    return text;
}

// Tells the user why start-up cannot go on; false for every problem.
bool tell(const StartupOutcome& outcome)
{
    switch (outcome.problem) {
    case StartupProblem::None:
        return true;
    case StartupProblem::DataFolderUnwritable:
        showMessage(aboutFile(TextId::DataFolderUnwritableMessage, outcome), MsgIcon::Critical);
        break;
    case StartupProblem::BookInUse:
        showMessage(loadText(TextId::BookInUseMessage), MsgIcon::Exclamation);
        break;
    case StartupProblem::BookUnreadable:
        showMessage(aboutFile(TextId::BookUnreadableMessage, outcome), MsgIcon::Critical);
        break;
    case StartupProblem::BrokenBookNotKept:
        showMessage(loadText(TextId::BrokenBookNotKeptMessage), MsgIcon::Critical);
        break;
    case StartupProblem::BookBroken:
        break;
    }
    return false;
}

} // namespace

void startProgram(Navigator& navigator)
{
    const QString language = readSetting(Setting::Language);
    if (language != QStringLiteral("0") && language != QStringLiteral("1")) {
        auto* chooser = new LanguageChooser;
        QObject::connect(chooser, &LanguageChooser::finished, &navigator, [&navigator] { continueStartup(navigator); });
        chooser->show();
        return;
    }
    setLanguage(language == QStringLiteral("1") ? Language::Spanish : Language::English);
    continueStartup(navigator);
}

void continueStartup(Navigator& navigator)
{
    applyQtLanguage(language());
    if (!prepareAppData()) {
        navigator.endProgram();
        return;
    }
    applyQtLanguage(language());
    navigator.listenForHandedFiles();
    navigator.showBrowse();
    navigator.watchBook();
}

bool prepareAppData()
{
    if (!tell(openDataFolder()))
        return false;
    StartupOutcome book = loadBook();
    if (book.problem == StartupProblem::BookBroken) {
        if (dialogs().message(loadText(TextId::BrokenBookPrompt), kMessageTitle, MsgButtons::OkCancel, MsgIcon::None) !=
            MsgAnswer::Ok)
            return false;
        book = replaceBrokenBook();
        if (!book.keptAs.isEmpty())
            showMessage(loadText(TextId::BrokenBookKeptMessage) + QStringLiteral("\r\n") +
                            QDir::toNativeSeparators(book.keptAs),
                        MsgIcon::Information);
    }
    if (!tell(book))
        return false;
    finishStartup();
    return true;
}
