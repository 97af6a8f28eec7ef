#include "ui/app/startup_sequence.h"

#include "core/app/app_state.h"
#include "ui/app/language_chooser.h"
#include "core/app/startup.h"
#include "ui/app/window_model.h"
#include "ui/platform/qt_language.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"

void startProgram()
{
    const QString language = readSetting(kRegRoot + QStringLiteral("language"));
    if (language != QStringLiteral("0") && language != QStringLiteral("1")) {
        (new LanguageChooser)->show();
        return;
    }
    app().langOffset = language == QStringLiteral("1") ? SpanishOffset : 0;
    continueStartup();
}

void continueStartup()
{
    applyQtLanguage(app().langOffset);
    if (!prepareAppData()) {
        endProgram();
        return;
    }
    applyQtLanguage(app().langOffset);
    showMainWindow(MainWindowKind::Browse);
}
