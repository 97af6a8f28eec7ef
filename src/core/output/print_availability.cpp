#include "core/output/print_availability.h"

bool printingAvailable(const QString& version)
{
    if (version.size() < 3 || !version[0].isDigit() || !version[2].isDigit())
        return false;
    const int major = version[0].digitValue();
    const int minor = version[2].digitValue();
    return (major >= 5 && minor >= 5) || major > 5;
}
