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
        for (int tableId = 0; tableId < 1000; ++tableId) {
            if (hasText(tableId))
                QVERIFY2(named.contains(tableId < 100 + kSpanishIdOffset ? tableId : tableId - kSpanishIdOffset),
                         qPrintable(QString::number(tableId)));
        }
    }

    // Texts are taken as they stand in the table: trailing blanks, accents, quotes and backslashes.
    void textsAsTheyStand_data()
    {
        QTest::addColumn<TextId>("id");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("spanish");
        QTest::newRow("trailing blank kept") << TextId::ConfirmDeletionPrompt << "Confirm deletion of"
                                             << "Confirma la borración de ";
        QTest::newRow("accents") << TextId::OverwriteFilePrompt << "Selected file exists, overwrite?"
                                 << "Archivo escojido ya existe, ¿sobreescribir?";
        QTest::newRow("quotes and backslash")
            << TextId::ExportImagesPrompt
            << "Would you like to omit the images or copy them to a folder in the export directory named "
               "\"\\exp_img\"?"
            << "¿Le gusta omitir o incliur los dibujos (copiarlos a un directorio «\\exp_img»)?";
    }
    void textsAsTheyStand()
    {
        QFETCH(TextId, id);
        QFETCH(QString, english);
        QFETCH(QString, spanish);
        QCOMPARE(loadText(id), english);
        setLanguage(Language::Spanish);
        QCOMPARE(loadText(id), spanish);
        QCOMPARE(loadText(id, Language::English), english);
    }

    void webAddressFollowsTheLanguage()
    {
        QVERIFY(loadText(TextId::WebAddress).endsWith(QStringLiteral("/sp")));
        setLanguage(Language::Spanish);
        QVERIFY(loadText(TextId::WebAddress).endsWith(QStringLiteral("/spEs")));
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
