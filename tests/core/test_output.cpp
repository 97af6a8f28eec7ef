// The print page, the plain text, the e-mail message, the address check and the reading of web forms.
#include "core/app/app_state.h"
#include "core/output/email_address.h"
#include "core/output/email_message.h"
#include "core/output/plain_text.h"
#include "core/output/print_page.h"
#include "core/output/web_form.h"
#include "core/text/text_table.h"
#include "test_env_core.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

ShownRecipe fullRecipe()
{
    return {QStringLiteral("Gazpacho"),        QStringLiteral("20 min"),          QStringLiteral("0"),
            QStringLiteral("4"),               QStringLiteral("tomatoes\nbread"), QStringLiteral("Blend."),
            QStringLiteral("Serve cold.")};
}

ShownRecipe titled(const char* title, const char* yield = "", const char* ingredients = "")
{
    ShownRecipe recipe;
    recipe.title = QString::fromUtf8(title);
    recipe.yield = QString::fromUtf8(yield);
    recipe.ingredients = QString::fromUtf8(ingredients);
    return recipe;
}

const char kRecipeBook[] = "<recipebook>"
                           "<category cname=\"Soups\"><recipe><title>Caldo</title><preptime>5 min</preptime>"
                           "<cooktime>1 h</cooktime><yield></yield><ing>bones\r\nwater</ing><prep>Simmer.</prep>"
                           "<other></other><date>1/2/2020</date><image></image></recipe></category>"
                           "<category cname=\"Cakes\"><recipe><title>Angel</title><preptime></preptime>"
                           "<cooktime></cooktime><yield></yield><ing></ing><prep></prep><other></other>"
                           "<date></date><image></image></recipe>"
                           "<recipe><title>Torta</title><preptime></preptime><cooktime></cooktime>"
                           "<yield>8</yield><ing></ing><prep></prep><other>Rich.</other><date></date>"
                           "<image></image></recipe></category></recipebook>";

} // namespace

class TestOutput : public QObject {
    Q_OBJECT
private slots:
    void printPageLeavesOutWhatIsEmpty()
    {
        TestEnv env;
        const ShownRecipe bare = titled("Toast");
        QString page = printPage(bare, false);
        QVERIFY(page.contains(QStringLiteral("<table cellpadding=5><tr>\r\n</tr><tr>\r\n</tr></table>\r\n")));
        for (const char* absent : {"Ingredients", "Preparation", "Special Notes", "<img"})
            QVERIFY2(!page.contains(QLatin1String(absent)), absent);

        const ShownRecipe onlyIngredients = titled("Salad", "2", "lettuce\r\noil\r\nsalt");
        page = printPage(onlyIngredients, true);
        QVERIFY(page.contains(QStringLiteral("lettuce<br>\r\noil<br>\r\nsalt\r\n")) ||
                page.contains(QStringLiteral("lettuce<br>\noil<br>\nsalt\r\n")));
        QVERIFY(page.contains(QStringLiteral("<td align=center><font face='Tahoma' size=2>\r\n2\r\n")));
        QCOMPARE(page.count(QStringLiteral("<td align=center>")), 2); // one heading, one value
        QVERIFY(!page.contains(QStringLiteral("Preparation")) && !page.contains(QStringLiteral("Special Notes")));
        QVERIFY(page.contains(
            QStringLiteral("<center>\r\n<img src='quorvel.gif' border=0><font face='Verdana' size=5><b>\r\nSalad\r\n")));

        setLanguage(Language::Spanish);
        QVERIFY(printPage(onlyIngredients, false).contains(loadText(TextId::IngredientsLabel)));
        QVERIFY(printPage(onlyIngredients, false).contains(loadText(TextId::WebAddress, Language::Spanish)));
    }

    void printPageShowsTextsAsTyped()
    {
        // Markup characters and characters outside ASCII come out as they were typed, whatever code page.
        QCOMPARE(pageText(QStringLiteral("Fish & Chips <hot> \"n\" 'o'")),
                 QStringLiteral("Fish &amp; Chips &lt;hot&gt; \"n\" 'o'"));
        QCOMPARE(pageText(QStringLiteral("Crème brûlée 5 €")), QStringLiteral("Cr&#232;me br&#251;l&#233;e 5 &#8364;"));
        QCOMPARE(pageText(QStringLiteral("Σούπα 🍲")), QStringLiteral("&#931;&#959;&#973;&#960;&#945; &#127858;"));
        QCOMPARE(pageText(QStringLiteral("a\r\nb\nc")), QStringLiteral("a<br>\nb<br>\nc"));
        const QString page = printPage(titled("Mac & Cheese"), false);
        QVERIFY(page.contains(QStringLiteral("\r\nMac &amp; Cheese\r\n")));
        for (QChar c : page)
            QVERIFY(c.unicode() < 0x80);
    }

    void writingThePrintPage()
    {
        TestEnv env;
        const QString folder = env.dataPath();
        QString why;
        const QString path = writePrintPage(folder, fullRecipe(), &why);
        QCOMPARE(path, QDir(folder).filePath(QStringLiteral("recipe.htm")));
        QVERIFY(readFileBytes(path).contains("<font face='Verdana' size=5><b>\r\nGazpacho\r\n"));
        QVERIFY(!readFileBytes(path).contains("<img"));

        // A second page replaces the first, and the logo is used once the folder holds it.
        writeFileBytes(QDir(folder).filePath(QStringLiteral("quorvel.gif")), "GIF89a");
        QCOMPARE(writePrintPage(folder, titled("Tortilla")), path);
        const QByteArray second = readFileBytes(path);
        QVERIFY(second.contains("<img src='quorvel.gif' border=0>") && second.contains("Tortilla"));
        QVERIFY(!second.contains("Gazpacho"));

        QVERIFY(writePrintPage(QDir(folder).filePath(QStringLiteral("missing/folder")), fullRecipe(), &why).isEmpty());
        QVERIFY(!why.isEmpty());
    }

    void plainTextLayout()
    {
        TestEnv env;
        QCOMPARE(plainText(fullRecipe()),
                 QStringLiteral("Gazpacho\r\n\r\n*Prep Time: 20 min\r\n*Cook Time: 0\r\n*Yield: 4\r\n\r\n"
                                "*Ingredients\r\ntomatoes\r\nbread\r\n\r\n*Preparation\r\nBlend.\r\n\r\n"
                                "*Special Notes\r\nServe cold.\r\n\r\n"));
        // Nothing chosen: every line is still there, the values empty.
        QCOMPARE(plainText(ShownRecipe()), QStringLiteral("\r\n\r\n*Prep Time: \r\n*Cook Time: \r\n*Yield: \r\n\r\n"
                                               "*Ingredients\r\n\r\n\r\n*Preparation\r\n\r\n\r\n*Special Notes\r\n\r\n\r\n"));
    }

    void plainTextFileKeepsEveryCharacter()
    {
        // What the code page holds is written in it; anything else makes the file UTF-8 with a BOM.
        QCOMPARE(plainTextFile(QStringLiteral("Crème\r\n"), QStringConverter::Latin1), QByteArray("Cr\xe8me\r\n\r\n"));
        QCOMPARE(plainTextFile(QStringLiteral("Σούπα"), QStringConverter::Latin1),
                 QByteArray("\xef\xbb\xbf") + QStringLiteral("Σούπα\r\n").toUtf8());
        QCOMPARE(plainTextFile(QStringLiteral("5 €"), QStringConverter::Latin1), QByteArray("\xef\xbb\xbf" "5 \xe2\x82\xac\r\n"));
        QCOMPARE(plainTextFile(QStringLiteral("5 €"), QStringConverter::Utf8), QByteArray("5 \xe2\x82\xac\r\n"));
        QCOMPARE(plainTextFile(QString(), QStringConverter::Latin1), QByteArray("\r\n"));
    }

    void emailAddressCheck_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("valid");
        const std::pair<const char*, bool> cases[] = {
            {"a@bc.com", true},            // shortest local part, one two-letter label
            {"COOK@KITCHEN.ES", true},      // judged in lower case
            {"ana.maria_2@mail.by", true},  // dots, underscores, digits; "by" is listed
            {"cook.@kitchen.com", true},    // a dot at the end of the local part passes
            {"9cook@a1.b2.info", true},
            {"", false},
            {"cook.kitchen.com", false},    // no "@"
            {"a@b@kitchen.com", false},
            {".cook@kitchen.com", false},
            {"co-ok@kitchen.com", false},
            {" cook@kitchen.com", false},   // not trimmed here
            {"cookñ@kitchen.com", false},   // no accented letters
            {"cook@kitchen", false},        // the domain needs a dot
            {"cook@k.com", false},          // one-letter label
            {"cook@kitchen..com", false},
            {"cook@kit-chen.com", false},
            {"cook@kitchen.shop", false},   // not in the table
        };
        for (const auto& [address, valid] : cases)
            QTest::newRow(address[0] ? address : "(empty)") << QString::fromUtf8(address) << valid;
    }

    void emailAddressCheck()
    {
        QFETCH(QString, address);
        QFETCH(bool, valid);
        QCOMPARE(isValidEmail(address), valid);
    }

    void emailMessage()
    {
        TestEnv env;
        env.useBook(kRecipeBook);
        // Chosen in list order, by category position and title; a recipe that is gone gives nothing.
        const QString blocks = emailRecipeBlocks(
            app().book, {{1, QStringLiteral("Angel")}, {0, QStringLiteral("Caldo")}, {0, QStringLiteral("Torta")},
                         {1, QStringLiteral("Torta")}, {7, QStringLiteral("Angel")}});
        const QString hashes = QString(31, u'#') + "\r\n\r\n";
        QCOMPARE(blocks, QStringLiteral("« Angel »\r\n\r\n") + hashes +
                             QStringLiteral("« Caldo »\r\n\r\nPrep Time: 5 min\r\nCook Time: 1 h\r\n"
                                            "* Ingredients\r\nbones\nwater\r\n\r\n* Preparation\r\nSimmer.\r\n\r\n") +
                             hashes +
                             QStringLiteral("« Torta »\r\n\r\nYield: 8\r\n\r\n* Special Notes\r\nRich.\r\n\r\n") +
                             hashes);

        const QByteArray english = emailBody(QStringLiteral("Ana"), QStringLiteral("BLOCKS"), Language::English).toUtf8();
        QCOMPARE(english, QByteArray("Dear Ana,\r\n\r\nYou've received the following recipe(s) from a friend.\r\n\r\n"
                                     "BLOCKS\r\n\r\nQuorvel - Saporina\r\nhttps://www.saporina.example/sp\r\n"));
        const QByteArray spanish = emailBody(QStringLiteral("Ana"), QStringLiteral("BLOCKS"), Language::Spanish).toUtf8();
        QCOMPARE(spanish, "Querido Ana:\r\n\r\n" + loadText(TextId::EmailBodyIntro, Language::Spanish).toUtf8() +
                              "\r\n\r\nBLOCKS\r\n\r\nQuorvel - Saporina\r\nhttps://www.saporina.example/spEs\r\n");
        QCOMPARE(emailFromHeader(QStringLiteral("Ana Gil"), QStringLiteral("ana@gil.es")),
                 QStringLiteral("From: Ana Gil <ana@gil.es>"));
    }

    void readingAndSendingAForm()
    {
        const QByteArray page =
            "<html><head><title>Mail</title></head><body><p>Send a recipe</p>\n"
            "<FORM Action=\"send.cgi?lang=en\" METHOD=post>\n"
            "<input type=hidden name=Key value='a&amp;b'>\n"
            "<input name=\"To\"><input type=\"text\" name=\"From_Header\" value=\"x\">\n"
            "<input type=text name=Subject value=\"\" disabled>\n"
            "<textarea name=\"Contents\" rows=5>\nold &lt;text&gt;</textarea>\n"
            "<select name=Size><option value=s>S<option value=m selected>M</select>\n"
            "<input type=checkbox name=Copy><input type=checkbox name=Keep checked>\n"
            "<input type=submit name=SubmitMe value=\"Send it\"><input type=submit name=Other value=No>\n"
            "<input type=reset name=Reset></form>\n"
            "<form action=\"/other\"><input name=Elsewhere></form></body></html>";
        WebForm form = readWebForm(page, QUrl(QStringLiteral("http://127.0.0.1:8080/sp/email1.html")));
        QVERIFY(form.found);
        QCOMPARE(form.method, QByteArray("POST"));
        QCOMPARE(form.action, QUrl(QStringLiteral("http://127.0.0.1:8080/sp/send.cgi?lang=en")));
        QStringList names;
        for (const WebForm::Field& field : form.fields)
            names << field.name;
        QCOMPARE(names, (QStringList{"Key", "To", "From_Header", "Subject", "Contents", "Size", "Keep", "SubmitMe",
                                     "Other"}));
        QVERIFY(!form.has(QStringLiteral("Elsewhere")) && !form.has(QStringLiteral("Copy")));
        QVERIFY(!form.setValue(QStringLiteral("Nowhere"), QStringLiteral("x")));
        QVERIFY(form.setValue(QStringLiteral("To"), QStringLiteral("ana@gil.es")));
        QVERIFY(form.setValue(QStringLiteral("Contents"), QStringLiteral("« Caldo »\r\n1 & 2\nok")));
        QCOMPARE(form.submission(QStringLiteral("SubmitMe")),
                 QByteArray("Key=a%26b&To=ana%40gil.es&From_Header=x&Subject=&Contents=%C2%AB+Caldo+%C2%BB%0D%0A1+%26+2"
                            "%0D%0Aok&Size=m&Keep=on&SubmitMe=Send+it"));

        const WebForm bare = readWebForm("<form><input name=q value='a b'></form>", QUrl(QStringLiteral("http://h.example/p")));
        QCOMPARE(bare.method, QByteArray("GET"));
        QCOMPARE(bare.action, QUrl(QStringLiteral("http://h.example/p")));
        QCOMPARE(bare.submission(QString()), QByteArray("q=a+b"));
        QVERIFY(!readWebForm("<html><body>Log in first</body></html>", QUrl()).found);
        QVERIFY(!readWebForm("<form", QUrl()).fields.size());
    }

    // A form is sent in its page's charset, as a browser sends it; what the charset cannot hold goes
    // as a numeric reference.
    void formsInTheirPagesCharset_data()
    {
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("sent"); // for the value "José €"
        const QByteArray form = "<form method=post><input name=To></form>";
        QTest::newRow("UTF-8 unless told") << QByteArray() << form << QByteArray("To=Jos%C3%A9+%E2%82%AC");
        QTest::newRow("Latin-1 header, sent as browsers do")
            << QByteArray("text/html; charset=ISO-8859-1") << form << QByteArray("To=Jos%E9+%80");
        QTest::newRow("meta charset") << QByteArray("text/html") << "<meta charset='iso-8859-15'>" + form
                                      << QByteArray("To=Jos%E9+%A4");
        QTest::newRow("meta http-equiv, a charset without these letters")
            << QByteArray() << "<meta http-equiv=Content-Type content='text/html; charset=koi8-r'>" + form
            << QByteArray("To=Jos%26%23233%3B+%26%238364%3B");
        QTest::newRow("the form's accept-charset first")
            << QByteArray("text/html; charset=utf-8") << QByteArray("<form accept-charset='x-unknown latin1'><input name=To></form>")
            << QByteArray("To=Jos%E9+%80");
        QTest::newRow("an unknown charset reads as UTF-8")
            << QByteArray("text/html; charset=x-nonsense") << form << QByteArray("To=Jos%C3%A9+%E2%82%AC");
    }
    void formsInTheirPagesCharset()
    {
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, sent);
        WebForm form = readWebForm(page, QUrl(QStringLiteral("http://h.example/f")), contentType);
        QVERIFY(form.setValue(QStringLiteral("To"), QStringLiteral("José €")));
        QCOMPARE(form.submission(QString()), sent);
        // The page itself is read in the same charset.
        const WebForm latin = readWebForm("<form><input name=N value='Jos\xe9'></form>", QUrl(),
                                          "text/html; charset=iso-8859-1");
        QCOMPARE(latin.fields.value(0).value, QStringLiteral("José"));
    }

    // Only http and https, and never down from https to http; a file: or data: action sends nothing.
    void submittingOnlyWhereABrowserWould_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("http") << "http://h.example/f" << "http://h.example/send" << true;
        QTest::newRow("https") << "https://h.example/f" << "https://mail.example/send" << true;
        QTest::newRow("up to https") << "http://h.example/f" << "https://h.example/send" << true;
        QTest::newRow("down to http") << "https://h.example/f" << "http://h.example/send" << false;
        QTest::newRow("file") << "http://h.example/f" << "file:///etc/passwd" << false;
        QTest::newRow("data") << "http://h.example/f" << "data:text/html,sent" << false;
        QTest::newRow("javascript") << "http://h.example/f" << "javascript:void(0)" << false;
    }
    void submittingOnlyWhereABrowserWould()
    {
        QFETCH(QString, page);
        QFETCH(QString, action);
        QFETCH(bool, allowed);
        const WebForm form =
            readWebForm("<form action='" + action.toUtf8() + "'><input name=To></form>", QUrl(page));
        QCOMPARE(submissionAllowed(QUrl(page), form.action), allowed);
    }

    // Hostile pages read in time linear in their size (a quadratic reading froze the window for a minute).
    void hostilePagesReadQuickly_data()
    {
        QTest::addColumn<QByteArray>("piece");
        for (const char* piece : {"<", "<a", "<a ", "<a b=\"", "<a/", "<form><textarea name=t>", "<form><select name=s><o"})
            QTest::newRow(piece) << QByteArray(piece);
    }
    void hostilePagesReadQuickly()
    {
        QFETCH(QByteArray, piece);
        auto msToRead = [](const QByteArray& piece, const QByteArray& start = {}) {
            const QByteArray page = start + piece.repeated(kMaxWebPageBytes / piece.size());
            QElapsedTimer clock;
            clock.start();
            readWebForm(page, QUrl(QStringLiteral("http://h.example/")));
            return clock.elapsed();
        };
        // Against an ordinary page of the same size read in the same build (a quadratic reading takes
        // hundreds of times longer, whatever the build).
        static const qint64 ordinary = msToRead("<input name=a value='b &amp; c'><p>Some text</p>\n", "<form>");
        const qint64 hostile = msToRead(piece);
        QVERIFY2(hostile <= 10 * ordinary + 100, qPrintable(QStringLiteral("%1 ms against %2").arg(hostile).arg(ordinary)));
    }

    // Nothing typed or stored reaches a header as a second line.
    void namesForHeaders()
    {
        QCOMPARE(emailName(QStringLiteral("Ana\r\nBcc: victim@example.net")), QStringLiteral("Ana Bcc: victim@example.net"));
        QCOMPARE(emailName(QStringLiteral(" \tAna\u2028Mar\u00eda\x7f ")), QStringLiteral("Ana María"));
        QCOMPARE(emailFromHeader(QStringLiteral("Ana\nBcc: v@x.es"), QStringLiteral("ana@gil.es\r\nBcc: w@x.es")),
                 QStringLiteral("From: Ana Bcc: v@x.es <ana@gil.es Bcc: w@x.es>"));
    }
};

QTEST_GUILESS_MAIN(TestOutput)
#include "test_output.moc"
