// Plays the change script on a data folder until it is killed:
//   crash_worker DATA_FOLDER SOURCES MARKER
// Before each change it writes the change's number to MARKER (atomically), so whoever kills it knows
// which change may have been under way.
#include "change_script.h"
#include "core/app/app_state.h"
#include "core/book/atomic_file.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: crash_worker DATA_FOLDER SOURCES MARKER\n");
        return 2;
    }
    AppState& a = app();
    a.appPath = args[1];
    if (!a.book.load(a.bookPath()))
        qFatal("cannot read the book: %s", qPrintable(a.book.loadError()));
    for (int step = 0; step < ChangeScript::kSteps; ++step) {
        if (!writeFileAtomically(args[3], QByteArray::number(step)))
            qFatal("cannot write the marker");
        const ChangeOutcome outcome = ChangeScript::play(step, args[2]);
        if (outcome.status == ChangeOutcome::Status::SaveFailed)
            qFatal("change %d was not saved: %s", step, qPrintable(outcome.error));
    }
    return 0;
}
