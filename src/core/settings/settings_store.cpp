#include "core/settings/settings_store.h"

#include <QSettings>
#include <memory>

namespace {

// SAPORINA_SETTINGS names an INI file to use instead of the user's own store (tests use it).
std::unique_ptr<QSettings> openStore()
{
    const QString file = qEnvironmentVariable("SAPORINA_SETTINGS");
    if (!file.isEmpty())
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvel"),
                                       QStringLiteral("Saporina"));
}

// "HKLM\Software\...\language" becomes the nested key "HKLM/Software/.../language".
QString storeKey(const QString& fullPath)
{
    QString key = fullPath;
    key.replace(u'\\', u'/');
    while (key.endsWith(u'/'))
        key.chop(1);
    return key;
}

} // namespace

QString readSetting(const QString& fullPath)
{
    const QString key = storeKey(fullPath);
    if (key.isEmpty())
        return {};
    const QVariant value = openStore()->value(key);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void writeSetting(const QString& fullPath, const QString& value)
{
    const QString key = storeKey(fullPath);
    if (key.isEmpty())
        return;
    auto store = openStore();
    store->setValue(key, value);
    store->sync(); // a store that cannot be written is simply not changed
}



QString settingPath(Setting setting)
{
    switch (setting) {
    case Setting::Language:
        return kRegRoot + QStringLiteral("language");
    case Setting::TextSize:
        return kRegRoot + QStringLiteral("textSize");
    case Setting::ColorScheme:
        return kRegRoot + QStringLiteral("color");
    case Setting::WindowState:
        return kRegRoot + QStringLiteral("state");
    case Setting::WindowWidth:
        return kRegRoot + QStringLiteral("width");
    case Setting::WindowHeight:
        return kRegRoot + QStringLiteral("height");
    case Setting::WindowLeft:
        return kRegRoot + QStringLiteral("left");
    case Setting::WindowTop:
        return kRegRoot + QStringLiteral("top");
    case Setting::SenderName:
        return kRegRoot + QStringLiteral("FromName");
    case Setting::SenderEmail:
        return kRegRoot + QStringLiteral("FromEmail");
    case Setting::RelayHost:
        return kRegRoot + QStringLiteral("RelayHost");
    case Setting::RelayTimeout:
        return kRegRoot + QStringLiteral("RelayTimeout");
    case Setting::FoldedSearch:
        return kRegRoot + QStringLiteral("searchFolded");
    case Setting::PageSetupHeader:
        return QStringLiteral("HKCU\\Software\\Microsoft\\Internet Explorer\\PageSetup\\header");
    case Setting::PageSetupFooter:
        return QStringLiteral("HKCU\\Software\\Microsoft\\Internet Explorer\\PageSetup\\footer");
    }
    return {};
}

QString readSetting(Setting setting)
{
    return readSetting(settingPath(setting));
}

void writeSetting(Setting setting, const QString& value)
{
    writeSetting(settingPath(setting), value);
}
