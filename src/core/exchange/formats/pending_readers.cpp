// Stand-ins until the readers of other programs' formats are written.
#include "core/exchange/formats/cooklang.h"
#include "core/exchange/formats/mastercook.h"
#include "core/exchange/formats/mealmaster.h"
#include "core/exchange/formats/paprika.h"
#include "core/exchange/formats/recipeml.h"
#include "core/exchange/formats/schema_org.h"

namespace {
ForeignFile unread()
{
    ForeignFile file;
    file.error = QStringLiteral("not read yet");
    return file;
}
} // namespace

bool looksLikeMealMaster(const QString&) { return false; }
ForeignFile readMealMaster(const QString&) { return unread(); }
bool looksLikeMasterCookText(const QString&) { return false; }
ForeignFile readMasterCookText(const QString&) { return unread(); }
bool looksLikeMasterCookXml(const QString&) { return false; }
ForeignFile readMasterCookXml(const QString&) { return unread(); }
bool looksLikeRecipeMl(const QString&) { return false; }
ForeignFile readRecipeMl(const QString&) { return unread(); }
