#include "core/app/app_state.h"
#include "core/settings/placement.h"
#include "core/settings/settings_store.h"
#include "test_env_core.h"

#include <QFile>
#include <QtTest>

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void storeRoundTrip()
    {
        TestEnv env;
        const Setting key = Setting::SenderName;
        QCOMPARE(readSetting(key), QString());
        writeSetting(key, QStringLiteral("Ana, la cocinera"));
        QCOMPARE(readSetting(key), QStringLiteral("Ana, la cocinera"));
        QVERIFY(QFile::exists(env.settingsPath())); // the test store, never the user's
        QCOMPARE(readSetting(kRegRoot + QStringLiteral("missing")), QString());
        QCOMPARE(readSetting(QString()), QString());
        // Other keys than the program's own are kept apart.
        writeSetting(QStringLiteral("HKCU\\Software\\Other\\header"), QStringLiteral("&w"));
        QCOMPARE(readSetting(QStringLiteral("HKCU\\Software\\Other\\header")), QStringLiteral("&w"));
        QCOMPARE(readSetting(kRegRoot + QStringLiteral("header")), QString());
    }

    void placement_data()
    {
        using Screens = QList<ScreenArea>;
        QTest::addColumn<QStringList>("stored");  // width, height, state, left, top
        QTest::addColumn<Screens>("screens");     // the one the window opens on first
        QTest::addColumn<QList<int>>("expected"); // width, height, left, top, state
        const int sw = 19200, sh = 14400;
        const Screens one{{0, 0, sw, sh}};
        // A second monitor to the right of the main one.
        const Screens right{{0, 0, sw, sh}, {sw, 0, 12000, 9000}};
        QTest::newRow("nothing stored") << QStringList{"", "", "", "", ""} << one
                                        << QList<int>{9700, 6900, (sw - 9700) / 2, (sh - 6900) / 2, 0};
        QTest::newRow("too wide") << QStringList{"60000", "", "", "100", "100"} << one
                                  << QList<int>{9700, 6900, 100, 100, 0};
        QTest::newRow("size kept") << QStringList{"12000", "8000", "0", "10", "20"} << one
                                   << QList<int>{12000, 8000, 10, 20, 0};
        QTest::newRow("reaching past the right edge centres") << QStringList{"", "", "", QString::number(sw - 501), "0"}
                                                              << one << QList<int>{9700, 6900, (sw - 9700) / 2, 0, 0};
        QTest::newRow("monitor on the left gone")
            << QStringList{"", "", "", "-25005", "300"} << one << QList<int>{9700, 6900, (sw - 9700) / 2, 300, 0};
        QTest::newRow("on the right monitor")
            << QStringList{"10000", "7000", "0", "20000", "1000"} << right << QList<int>{10000, 7000, 20000, 1000, 0};
        QTest::newRow("straddling two monitors goes onto the one it covers most")
            << QStringList{"10000", "7000", "0", "12000", "1000"} << right
            << QList<int>{10000, 7000, (sw - 10000) / 2, 1000, 0};
        QTest::newRow("larger than the screen shrinks to it")
            << QStringList{"40000", "30000", "0", "0", "0"} << one << QList<int>{sw, sh, 0, 0, 0};
        QTest::newRow("below a task bar at the top")
            << QStringList{"", "", "", "100", "100"} << Screens{{0, 450, sw, sh - 450}}
            << QList<int>{9700, 6900, 100, 450 + (sh - 450 - 6900) / 2, 0};
        QTest::newRow("maximised") << QStringList{"10000", "7000", "2", "0", "0"} << one
                                   << QList<int>{10000, 7000, 0, 0, 2};
        QTest::newRow("at the integer limits") << QStringList{"", "", "", "2147483647", "2147483647"} << one
                                               << QList<int>{9700, 6900, (sw - 9700) / 2, (sh - 6900) / 2, 0};
        QTest::newRow("not numbers") << QStringList{"wide", "1.5e3", "max", "left", "?"} << one
                                     << QList<int>{9700, 6900, (sw - 9700) / 2, (sh - 6900) / 2, 0};
    }
    void placement()
    {
        QFETCH(QStringList, stored);
        QFETCH(QList<ScreenArea>, screens);
        QFETCH(QList<int>, expected);
        const Placement p = computePlacement({stored[0], stored[1], stored[2], stored[3], stored[4]}, screens);
        QCOMPARE((QList<int>{p.width, p.height, p.left, p.top, static_cast<int>(p.state)}), expected);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
