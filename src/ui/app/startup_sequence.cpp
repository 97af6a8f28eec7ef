#include "ui/app/startup_sequence.h"

#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "ui/app/language_chooser.h"
#include "ui/app/window_model.h"
#include "ui/platform/qt_language.h"

void startProgram()
{
    const QString language = readSetting(Setting::Language);
    if (language != QStringLiteral("0") && language != QStringLiteral("1")) {
        (new LanguageChooser)->show();
        return;
    }
    setLanguage(language == QStringLiteral("1") ? Language::Spanish : Language::English);
    continueStartup();
}

void continueStartup()
{
    applyQtLanguage(language());
    if (!prepareAppData()) {
        endProgram();
        return;
    }
    applyQtLanguage(language());
    showMainWindow(MainWindowKind::Browse);
}
