#include "ui/app/startup_probe.h"
#include "ui/app/startup_sequence.h"
#include "ui/platform/main_window.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationName(QStringLiteral("Saporina"));
    QApplication::setApplicationVersion(QStringLiteral(SAPORINA_VERSION));
    QApplication::setStyle(QStringLiteral("Fusion")); // the same look, and the colour schemes, everywhere
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/saporina.png")));
    // The window model decides when the program ends, not the last window closing.
    QApplication::setQuitOnLastWindowClosed(false);

    armStartupProbe();
    startProgram();
    if (windowModel().ended)
        return 0;
    return QApplication::exec();
}
