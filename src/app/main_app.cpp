#include "app/main_app.h"

#include "app/app_state.h"
#include "app/frm_lang.h"
#include "app/startup.h"
#include "app/window_model.h"
#include "platform/qt_language.h"
#include "settings/settings_store.h"
#include "text/text_table.h"

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
