#include "core/app/book_preload.h"
#include "core/app/command_line_import.h"
#include "core/app/startup.h"
#include "core/text/text_table.h"
#include "ui/app/file_hand_over.h"
#include "ui/app/navigator.h"
#include "ui/app/startup_probe.h"
#include "ui/app/startup_sequence.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QThread>

#include <cstdio>
#include <cstring>

namespace {

// Whether the command line asks for work without a window (or for help): no display is needed then.
bool wantsCommandLine(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"--import", "--help", "-h", "--version", "-v", "--help-all"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

int runCommandLine(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(SAPORINA_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(loadText(TextId::CommandLineDescription));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption import(QStringLiteral("import"), loadText(TextId::ImportOptionHelp));
    const QCommandLineOption pictures(QStringLiteral("pictures"), loadText(TextId::PicturesOptionHelp));
    const QCommandLineOption category(QStringLiteral("category"), loadText(TextId::CategoryOptionHelp),
                                      QStringLiteral("NAME"));
    parser.addOptions({import, pictures, category});
    parser.addPositionalArgument(QStringLiteral("FILE"), loadText(TextId::FilesArgumentHelp),
                                 QStringLiteral("[FILE...]"));
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion(); // exits
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(0); // exits
    if (!parser.isSet(import) || parser.positionalArguments().isEmpty())
        parser.showHelp(2);
    QTextStream out(stdout), err(stderr);
    return importFromCommandLine({parser.positionalArguments(), parser.isSet(pictures), parser.value(category)}, out,
                                 err);
}

// The recipe files named on the command line (Qt's own options already taken out), as absolute paths; a
// file that cannot be read is said on the terminal and left out.
QStringList recipeFilesToOpen(bool& someUnreadable)
{
    QStringList files;
    QTextStream err(stderr);
    for (const QString& argument : QCoreApplication::arguments().mid(1)) {
        if (argument.startsWith(u'-'))
            continue;
        const QFileInfo file(argument);
        if (file.isFile() && file.isReadable()) {
            files << file.absoluteFilePath();
        } else {
            err << loadText(TextId::FileCannotBeOpenedMessage).arg(argument) << Qt::endl;
            someUnreadable = true;
        }
    }
    return files;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationName(QStringLiteral("Saporina"));
    if (wantsCommandLine(argc, argv))
        return runCommandLine(argc, argv);
    // The book is read while the windowing system starts up; Qt first learns that this thread is the main one.
    QThread::currentThread();
    startBookPreload(QDir(defaultAppPath()).filePath(QStringLiteral("recipes.xml")));
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(SAPORINA_VERSION));
    bool someUnreadable = false;
    const QStringList files = recipeFilesToOpen(someUnreadable);
    if (files.isEmpty() && someUnreadable)
        return 1;
    // A copy already running on this data folder takes the files, and this start has nothing else to do.
    if (!files.isEmpty() && handFilesToRunningCopy(defaultAppPath(), files))
        return 0;
    QApplication::setStyle(QStringLiteral("Fusion")); // the same look, and the colour schemes, everywhere
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/saporina-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    // The navigator decides when the program ends, not the last window closing.
    QApplication::setQuitOnLastWindowClosed(false);

    Navigator navigator;
    armStartupProbe(navigator);
    navigator.openFilesWhenReady(files);
    startProgram(navigator);
    if (navigator.ended())
        return 0;
    return QApplication::exec();
}
