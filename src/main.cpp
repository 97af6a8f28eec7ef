#include "core/app/book_preload.h"
#include "core/app/startup.h"
#include "ui/app/navigator.h"
#include "ui/app/startup_probe.h"
#include "ui/app/startup_sequence.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QThread>

int main(int argc, char* argv[])
{
    QApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationName(QStringLiteral("Saporina"));
    // The book is read while the windowing system starts up; Qt first learns that this thread is the main one.
    QThread::currentThread();
    startBookPreload(QDir(defaultAppPath()).filePath(QStringLiteral("recipes.xml")));
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(SAPORINA_VERSION));
    QApplication::setStyle(QStringLiteral("Fusion")); // the same look, and the colour schemes, everywhere
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/saporina.png")));
    // The navigator decides when the program ends, not the last window closing.
    QApplication::setQuitOnLastWindowClosed(false);

    Navigator navigator;
    armStartupProbe(navigator);
    startProgram(navigator);
    if (navigator.ended())
        return 0;
    return QApplication::exec();
}
