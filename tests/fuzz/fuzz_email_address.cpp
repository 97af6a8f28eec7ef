// Checks any text as an e-mail address. An address that passes has exactly one "@", only ASCII, and
// ends in a top-level domain of the table.
#include "core/output/email_address.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString address = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!isValidEmail(address))
        return 0;
    if (address.count(u'@') != 1)
        std::abort();
    for (const QChar c : address)
        if (c.unicode() > 0x7f)
            std::abort();
    const QString lastLabel = address.section(u'.', -1).toLower();
    if (!topLevelDomains().contains(lastLabel))
        std::abort();
    return 0;
}
