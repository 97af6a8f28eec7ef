#include "core/app/app_state.h"
#include "core/text/text_table.h"

#include <QSet>
#include <QtTest>

class TestTexts : public QObject {
    Q_OBJECT
private slots:
    void init() { resetAppState(); }

    // Every named text is there in both languages, and the table holds nothing the program cannot name.
    void everyTextInBothLanguages()
    {
        QSet<int> named;
        for (const TextId id : kAllTextIds) {
            const int english = static_cast<int>(id);
            QVERIFY2(hasText(english), qPrintable(QString::number(english)));
            QVERIFY2(hasText(english + kSpanishIdOffset), qPrintable(QString::number(english)));
            QVERIFY2(!loadText(id, Language::English).isEmpty(), qPrintable(QString::number(english)));
            QVERIFY2(!loadText(id, Language::Spanish).isEmpty(), qPrintable(QString::number(english)));
            QVERIFY2(!named.contains(english), "two names for one text");
            named.insert(english);
        }
        // English 100-399 and 1000-1299, each with its Spanish twin 300 further on.
        for (int tableId = 0; tableId < 2000; ++tableId) {
            const bool english = tableId < 100 + kSpanishIdOffset || (tableId >= 1000 && tableId < 1000 + kSpanishIdOffset);
            if (hasText(tableId))
                QVERIFY2(named.contains(english ? tableId : tableId - kSpanishIdOffset),
                         qPrintable(QString::number(tableId)));
        }
    }

    // Every one of the eight schemes has all five colours.
    void everySchemeHasEveryColour()
    {
        for (int scheme = 0; scheme <= 700; scheme += 100) {
            for (int role = 0; role < 5; ++role)
                QVERIFY2(hasColor(2000 + scheme + role), qPrintable(QString::number(2000 + scheme + role)));
        }
        QVERIFY(!hasColor(2005) && !hasColor(2800));
    }
};

QTEST_GUILESS_MAIN(TestTexts)
#include "test_texts.moc"
