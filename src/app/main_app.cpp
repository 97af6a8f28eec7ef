#include "app/main_app.h"

#include "app/app_state.h"
#include "app/frm_lang.h"
#include "app/startup.h"
#include "app/window_model.h"
#include "platform/qt_language.h"
#include "settings/settings_store.h"
#include "text/text_table.h"

void Main()
{
    const QString language = readSetting(kRegRoot + QStringLiteral("language"));
    if (language != QStringLiteral("0") && language != QStringLiteral("1")) {
        (new FrmLang)->show();
        return;
    }
    app().langOffset = language == QStringLiteral("1") ? SpanishOffset : 0;
    initApp();
}

void initApp()
{
    applyQtLanguage(app().langOffset);
    if (!prepareAppData()) {
        endProgram();
        return;
    }
    applyQtLanguage(app().langOffset);
    showMainWindow(MainWindowKind::Browse);
}
