#pragma once

#include "core/output/shown_recipe.h"
#include "ui/output/print_engine.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <QWidget>

// Prints (or previews) the recipe shown, through its print page: writes recipe.htm into the data
// folder, blanks the page-setup header and footer, loads the page and, once it is complete, hands it
// to the print dialog; half a second after the dialog closes the header and footer are put back and
// the host goes. A new print command makes a new host.
class PrintHost : public QObject {
    Q_OBJECT
public:
    PrintHost(const ShownRecipe& recipe, bool preview, QWidget* window);

private:
    void pageLoaded();
    void printTick();
    void sendToPrinter();
    void restoreTick();
    void finish();

    PrintEngine m_engine;
    QPointer<QWidget> m_window;
    bool m_preview;
    bool m_printPending = false;
    QString m_savedHeader, m_savedFooter;
    QTimer m_printTimer;   // 330 ms: waits for the page to settle before printing
    QTimer m_restoreTimer; // 500 ms after printing: puts header and footer back
};

// Starts printing the recipe shown in `window` (or its preview), unless a print is still under way.
void printRecipe(const ShownRecipe& recipe, bool preview, QWidget* window);
