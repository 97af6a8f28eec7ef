#include "core/settings/settings_store.h"
#include "test_env.h"
#include "ui/platform/window_placement.h"
#include "ui/preferences/color_scheme.h"
#include "ui/preferences/window_size_limits.h"

#include <QScreen>
#include <QWidget>
#include <QtTest>

class TestPresentation : public QObject {
    Q_OBJECT
private slots:
    void sizeLimitsInPixels()
    {
        QWidget window;
        window.move(100, 50);
        WindowSizeLimits browse(15, 15);
        browse.attach(&window);
        browse.setMaxWidth(50000);
        browse.setMaxHeight(50000);
        browse.setMinHeight(6900);
        browse.setMinWidth(9700);
        QCOMPARE(window.minimumSize(), QSize(647, 460));
        QCOMPARE(window.maximumSize(), QSize(3333, 3333));

        WindowSizeLimits editor(15, 15);
        editor.attach(&window);
        editor.setMaxWidth(60000);
        editor.setMaxHeight(60000);
        editor.setMinHeight(6900);
        editor.setMinWidth(9700);
        QCOMPARE(window.maximumSize(), QSize(4000, 4000));
        const int left = window.x();
        editor.resizeToMin();
        QCOMPARE(window.size(), QSize(647, 460));
        QCOMPARE(window.x(), left + 1);

        WindowSizeLimits halves(2, 2); // 5 twips is 2.5 pixels: halves go to the even neighbour
        halves.setMinWidth(5);
        halves.setMinHeight(7);
        QCOMPARE(halves.minWidthPx(), 2);
        QCOMPARE(halves.minHeightPx(), 4);
    }

    // Negative colour references name system colours, which follow the desktop's palette.
    void systemColours()
    {
        WindowTestEnv env;
        QCOMPARE(schemeColor(0, RoleLabel), QApplication::palette().color(QPalette::ButtonText));
        QCOMPARE(schemeColor(0, RoleFieldText), QApplication::palette().color(QPalette::Base));
        QCOMPARE(schemeColor(100, RolePanel), QApplication::palette().color(QPalette::Button));
    }

    void windowSavesAndRestoresPlacement()
    {
        WindowTestEnv env;
        auto value = [](const char* name) { return readSetting(kRegRoot + QLatin1String(name)); };

        QWidget window;
        restoreWindowPlacement(&window);
        QCOMPARE(window.size(), QSize(647, 460)); // 9700 x 6900 twips at 15 twips a pixel
        window.resize(800, 600);
        window.move(30, 45);
        saveWindowPlacement(&window);
        QCOMPARE(value("state"), QStringLiteral("0"));
        QCOMPARE(value("width"), QStringLiteral("12000"));
        QCOMPARE(value("height"), QStringLiteral("9000"));
        QCOMPARE(value("left"), QStringLiteral("450"));
        QCOMPARE(value("top"), QStringLiteral("675"));

        // A maximised window writes only its state and keeps the last normal size.
        QWidget maximised;
        maximised.resize(1000, 900);
        maximised.setWindowState(Qt::WindowMaximized);
        saveWindowPlacement(&maximised);
        QCOMPARE(value("state"), QStringLiteral("2"));
        QCOMPARE(value("width"), QStringLiteral("12000"));

        QWidget next;
        restoreWindowPlacement(&next);
        QVERIFY(next.windowState() & Qt::WindowMaximized);
        QCOMPARE(next.size(), QSize(800, 600));

        QWidget minimised;
        minimised.setWindowState(Qt::WindowMinimized);
        saveWindowPlacement(&minimised);
        QCOMPARE(value("state"), QStringLiteral("1"));
        QWidget afterMinimised;
        restoreWindowPlacement(&afterMinimised);
        QVERIFY(!(afterMinimised.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)));

        // Saved on a monitor that is gone, larger than this screen: brought onto it, and shrunk.
        writeSetting(Setting::WindowLeft, QStringLiteral("-25005"));
        writeSetting(Setting::WindowWidth, QStringLiteral("49000"));
        QWidget lost;
        restoreWindowPlacement(&lost);
        const QRect screen = lost.screen()->availableGeometry();
        QVERIFY2(
            screen.contains(QRect(lost.pos(), lost.size())),
            qPrintable(QStringLiteral("%1,%2 %3x%4").arg(lost.x()).arg(lost.y()).arg(lost.width()).arg(lost.height())));
        QCOMPARE(lost.width(), screen.width());
    }
};

QTEST_MAIN(TestPresentation)
#include "test_presentation.moc"
