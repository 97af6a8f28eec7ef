#include "ui/platform/qt_language.h"

#include "core/text/text_table.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void applyQtLanguage(Language language)
{
    static QTranslator* spanish = nullptr;
    if (language == Language::Spanish) {
        if (spanish)
            return;
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(translator);
            spanish = translator;
        } else {
            delete translator;
        }
    } else if (spanish) {
        QCoreApplication::removeTranslator(spanish);
        delete spanish;
        spanish = nullptr;
    }
}
