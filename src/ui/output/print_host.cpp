#include "ui/output/print_host.h"

#include "core/app/app_state.h"
#include "core/output/print_page.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "ui/platform/dialogs.h"

#include <QCoreApplication>

namespace {
PrintHost* runningHost = nullptr;
} // namespace

PrintHost::PrintHost(const ShownRecipe& recipe, bool preview, QWidget* window)
    : m_window(window), m_preview(preview)
{
    runningHost = this;
    m_printTimer.setInterval(330);
    m_restoreTimer.setInterval(500);
    connect(&m_printTimer, &QTimer::timeout, this, &PrintHost::printTick);
    connect(&m_restoreTimer, &QTimer::timeout, this, &PrintHost::restoreTick);
    connect(&m_engine, &PrintEngine::loaded, this, &PrintHost::pageLoaded);

    QString why;
    const QString page = writePrintPage(app().appPath, recipe, &why);
    if (page.isEmpty()) {
        showMessage(loadText(TextId::PrintPageUnwritableMessage) + QStringLiteral("\r\n\r\n") + why,
                    MsgIcon::Exclamation);
        finish();
        return;
    }
    QCoreApplication::processEvents();
    m_savedHeader = readSetting(Setting::PageSetupHeader);
    m_savedFooter = readSetting(Setting::PageSetupFooter);
    writeSetting(Setting::PageSetupHeader, QString());
    writeSetting(Setting::PageSetupFooter, QString());
    m_printPending = true;
    m_engine.load(page);
}

void PrintHost::pageLoaded()
{
    if (m_printPending)
        m_printTimer.start();
    m_printPending = false;
}

void PrintHost::printTick()
{
    if (m_engine.busy())
        return; // the next tick looks again
    m_printTimer.stop();
    sendToPrinter();
}

void PrintHost::sendToPrinter()
{
    while (m_engine.busy())
        QCoreApplication::processEvents();
    if (m_engine.ready()) {
        if (m_preview)
            m_engine.preview(m_window);
        else
            m_engine.print(m_window);
    }
    QCoreApplication::processEvents();
    m_restoreTimer.start();
}

void PrintHost::restoreTick()
{
    writeSetting(Setting::PageSetupHeader, m_savedHeader);
    writeSetting(Setting::PageSetupFooter, m_savedFooter);
    m_restoreTimer.stop();
    finish();
}

void PrintHost::finish()
{
    runningHost = nullptr;
    deleteLater();
}

void printRecipe(const ShownRecipe& recipe, bool preview, QWidget* window)
{
    // One print at a time: a second host would save the header and footer the first has blanked, and
    // put back the blanks after the first restored them.
    if (runningHost)
        return;
    new PrintHost(recipe, preview, window); // goes once it has printed
}
