#include "core/app/startup.h"

#include "core/app/app_state.h"
#include "core/app/book_preload.h"
#include "core/app/help_files.h"
#include "core/book/atomic_file.h"
#include "core/book/xml_document.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <csignal>
#include <memory>

namespace {

// One copy of the program per data folder on this computer: a second one would overwrite the first
// one's changes. False when another running copy holds the folder; a lock left by a copy that crashed
// is taken over. The lock lives outside the data folder, so that it never travels with a synced folder.
bool lockDataFolder()
{
    AppState& a = app();
    const QString lockPath = dataFolderLockPath(a.appPath);
    QDir().mkpath(QFileInfo(lockPath).absolutePath());
    auto lock = std::make_unique<QLockFile>(lockPath);
    lock->setStaleLockTime(0); // only a lock whose program is gone is stale, however old it is
    if (lock->tryLock(0)) {
        a.dataLock = std::move(lock);
        // Older versions locked inside the folder; such a file, from any computer, means nothing now.
        QFile::remove(QDir(a.appPath).filePath(QStringLiteral("saporina.lock")));
        return true;
    }
    if (lock->error() == QLockFile::LockFailedError)
        return false;
    // A folder where no lock can be made cannot be saved to either: let the user at least read the book.
    return true;
}

// Temporary files left by a copy of the program that was stopped in the middle of a save.
void removeLeftoverTemporaries(const QString& folder)
{
    const QString pattern = kTemporaryPrefix + QStringLiteral("*") + kTemporarySuffix;
    for (const QString& name : QDir(folder).entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(QDir(folder).filePath(name));
}

} // namespace

QString dataFolderLockPath(const QString& dataFolder)
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    // Keyed by the folder's real path, so that two names for one folder share one lock.
    const QString real = QFileInfo(dataFolder).canonicalFilePath();
    const QByteArray key = QCryptographicHash::hash((real.isEmpty() ? QDir::cleanPath(QDir(dataFolder).absolutePath())
                                                                    : real).toUtf8(),
                                                    QCryptographicHash::Sha256)
                               .toHex()
                               .left(24);
    return QDir(base).filePath(QStringLiteral("saporina-locks/") + QString::fromLatin1(key) + QStringLiteral(".lock"));
}

QString fileHandOverPath(const QString& dataFolder)
{
    QString path = dataFolderLockPath(dataFolder);
    path.chop(QStringLiteral(".lock").size());
    return path + QStringLiteral(".socket");
}

bool isWellFormedXmlFile(const QString& path)
{
    XmlDocument doc;
    return doc.load(path);
}

QString defaultAppPath()
{
    const QString home = qEnvironmentVariable("SAPORINA_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(QDir(home).absolutePath());
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

int textFontSizeFor(const QString& setting)
{
    static const QRegularExpression leadingNumber(QStringLiteral("^\\s*([+-]?(\\d+(\\.\\d*)?|\\.\\d+))"));
    const QRegularExpressionMatch match = leadingNumber.match(setting);
    const double value = match.hasMatch() ? match.captured(1).toDouble() : 0.0;
    if (value == 0.0)
        return 8;
    if (value == 2.0)
        return 12;
    return 10;
}

int colorSchemeFor(const QString& setting)
{
    bool ok = false;
    const int value = setting.trimmed().toInt(&ok);
    if (!ok || value < 0 || value > 700 || value % 100 != 0)
        return 0;
    return value;
}

QString keepBrokenBook(const QString& bookPath)
{
    const QFileInfo info(bookPath);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString base = info.completeBaseName() + QStringLiteral("-invalid-") + stamp;
    for (int n = 1; n < 1000; ++n) {
        const QString name = base + (n == 1 ? QString() : QStringLiteral("-%1").arg(n)) + QStringLiteral(".xml");
        const QString target = info.dir().filePath(name);
        if (QFileInfo::exists(target))
            continue;
        return QFile::rename(bookPath, target) ? target : QString();
    }
    return {};
}

StartupOutcome openDataFolder()
{
    AppState& a = app();
    a.appPath = defaultAppPath();
#ifdef SIGXFSZ
    // Past a file-size limit a write must fail and be reported, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    if (!QDir().mkpath(a.appPath))
        return {StartupProblem::DataFolderUnwritable, a.appPath, {}, {}};
    if (!lockDataFolder())
        return {StartupProblem::BookInUse, a.appPath, {}, {}};
    removeLeftoverTemporaries(a.appPath);
    removeLeftoverTemporaries(a.imagesPath());
    if (!QFileInfo::exists(a.bookPath())) {
        QString error;
        if (!writeFileAtomically(a.bookPath(), kBlankBook, &error))
            return {StartupProblem::DataFolderUnwritable, a.bookPath(), error, {}};
    }
    return {};
}

StartupOutcome loadBook()
{
    AppState& a = app();
    // Read already while the program started, when the file on disk is still the one that was read.
    if (takePreloadedBook(a.bookPath(), a.book))
        return {};
    // The well-formedness check and the load are one parse: a good file is kept as the shared book.
    if (a.book.load(a.bookPath()))
        return {};
    // A book out of reach (permissions, a folder in its place) is not broken: it stays exactly as it is.
    if (a.book.unreadable())
        return {StartupProblem::BookUnreadable, a.bookPath(), a.book.loadError(), {}};
    return {StartupProblem::BookBroken, a.bookPath(), a.book.loadError(), {}};
}

StartupOutcome replaceBrokenBook()
{
    AppState& a = app();
    const QString path = a.bookPath();
    StartupOutcome outcome;
    if (QFileInfo(path).size() > 0) {
        outcome.keptAs = keepBrokenBook(path);
        if (outcome.keptAs.isEmpty())
            return {StartupProblem::BrokenBookNotKept, path, {}, {}};
    }
    QString error;
    if (!writeFileAtomically(path, kBlankBook, &error))
        return {StartupProblem::DataFolderUnwritable, path, error, outcome.keptAs};
    if (!a.book.load(path)) { // read back, so that the book knows the file it is
        a.book.loadBlank();
        a.book.setFilePath(path);
    }
    return outcome;
}

void finishStartup()
{
    AppState& a = app();
    QDir().mkpath(a.imagesPath());
    installShippedFiles(a.appPath);

    const QString textSize = readSetting(Setting::TextSize);
    if (textSize.isEmpty()) {
        writeSetting(Setting::TextSize, QStringLiteral("1"));
        a.textFontSize = 10;
    } else {
        a.textFontSize = textFontSizeFor(textSize);
    }

    const QString color = readSetting(Setting::ColorScheme);
    if (color.isEmpty())
        writeSetting(Setting::ColorScheme, QStringLiteral("0"));
    else
        a.colorScheme = colorSchemeFor(color);

    const QString language = readSetting(Setting::Language);
    if (language == QStringLiteral("0"))
        setLanguage(Language::English);
    else if (language == QStringLiteral("1"))
        setLanguage(Language::Spanish);
}
