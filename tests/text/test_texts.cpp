#include "core/app/app_state.h"
#include "core/text/text_table.h"

#include <QtTest>

class TestTexts : public QObject {
    Q_OBJECT
private slots:
    void init() { resetAppState(); }

    void everyTextHasItsTwin()
    {
        int english = 0;
        for (int id = 100; id <= 308; ++id) {
            QCOMPARE(hasText(id), hasText(id + SpanishOffset));
            english += hasText(id) ? 1 : 0;
        }
        QVERIFY(english > 150);
        QVERIFY(!hasText(99) && !hasText(309) && !hasText(399) && !hasText(609));
    }

    void lookupFollowsTheLanguage_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("spanish");
        QTest::newRow("trailing blank kept") << 168 << "Confirm deletion of"
                                             << "Confirma la borración de ";
        QTest::newRow("accents") << 175 << "Selected file exists, overwrite?"
                                 << "Archivo escojido ya existe, ¿sobreescribir?";
        QTest::newRow("two blanks") << 263
                                    << "The file recipes.xml is invalid.  Would you like to overwrite it with a "
                                       "blank recipe book (OK) or exit (Cancel)?"
                                    << "El archivo recipes.xml no es válido.  ¿Le gusta sobreescribirlo con un "
                                       "libro blanco (OK) o salir el programa (Cancelar)?";
        QTest::newRow("quotes and backslash")
            << 208
            << "Would you like to omit the images or copy them to a folder in the export directory named "
               "\"\\exp_img\"?"
            << "¿Le gusta omitir o incliur los dibujos (copiarlos a un directorio «\\exp_img»)?";
        QTest::newRow("category caption") << 279 << "Category"
                                          << "Categoría";
        QTest::newRow("about") << 226 << "&About"
                               << "&Acerca de Saporina";
    }
    void lookupFollowsTheLanguage()
    {
        QFETCH(int, id);
        QFETCH(QString, english);
        QFETCH(QString, spanish);
        QCOMPARE(loadText(id), english);
        app().langOffset = SpanishOffset;
        QCOMPARE(loadText(id), spanish);
        QCOMPARE(tableText(id), english); // fixed ids take no offset
    }

    void webAddressPaths()
    {
        QVERIFY(loadText(TextId::WebAddress).endsWith(QStringLiteral("/sp")));
        app().langOffset = SpanishOffset;
        QVERIFY(loadText(TextId::WebAddress).endsWith(QStringLiteral("/spEs")));
    }

    void colourSchemes()
    {
        QCOMPARE(colorValue(2000), 9483944);
        QCOMPARE(colorValue(2001), 7756866);
        QCOMPARE(colorValue(2002), qint32(-2147483630));
        QCOMPARE(colorValue(2303), 16777215);
        QCOMPARE(colorValue(2403), 0);
        QCOMPARE(colorValue(2704), 16777215);
        // Colours take no language offset.
        app().langOffset = SpanishOffset;
        QCOMPARE(colorValue(2100), 12632256);
    }
};

QTEST_GUILESS_MAIN(TestTexts)
#include "test_texts.moc"
