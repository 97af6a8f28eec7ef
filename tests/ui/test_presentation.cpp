#include "core/settings/settings_store.h"
#include "test_env.h"
#include "ui/platform/window_placement.h"

#include <QScreen>
#include <QWidget>
#include <QtTest>

class TestPresentation : public QObject {
    Q_OBJECT
private slots:
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
