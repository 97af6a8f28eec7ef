// Printing, the plain-text view and e-mailing recipes, driven from the browse window as a user would.
#include "core/app/app_state.h"
#include "core/app/help_files.h"
#include "core/output/plain_text.h"
#include "core/output/print_page.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "relay_server.h"
#include "test_env.h"
#include "ui/browse/browse_window.h"
#include "ui/output/email_window.h"
#include "ui/output/plain_text_window.h"
#include "ui/output/print_engine.h"
#include "ui/output/relay_browser.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSignalSpy>
#include <QtTest>

namespace {

QByteArray recipeXml(const char* title, const char* prep = "", const char* yield = "", const char* ing = "")
{
    return QByteArray("<recipe><title>") + title + "</title><preptime>" + prep + "</preptime><cooktime></cooktime>"
           "<yield>" + yield + "</yield><ing>" + ing + "</ing><prep></prep><other></other><date>1/2/2020</date>"
           "<image></image></recipe>";
}

const QByteArray kBook = "<recipebook><category cname=\"Soups\">" + recipeXml("Gazpacho", "20 min", "4", "tomatoes") +
                         recipeXml("Caldo", "", "", "bones") + "</category><category cname=\"Cakes\">" +
                         recipeXml("Torta", "1 h") + recipeXml("") + recipeXml("Angel") + "</category></recipebook>";

struct Fixture {
    WindowTestEnv env;
    BrowseWindow* browse = nullptr;
    Fixture()
    {
        env.useBook(kBook);
        browse = env.navigator.showBrowse();
    }
    void choose(const char* category, const char* title)
    {
        auto* categories = child<QComboBox>(browse, "categoryCombo");
        categories->setCurrentIndex(categories->findText(QLatin1String(category)));
        auto* recipes = child<QListWidget>(browse, "recipeList");
        recipes->setCurrentItem(recipes->findItems(QLatin1String(title), Qt::MatchExactly).value(0));
    }
};

// The text of a PDF file, as pdftotext reads it.
QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Where each word of the first page of a PDF lies, horizontally: the word and its left and right edges
// as fractions of the page's width.
struct PlacedWord {
    QString text;
    double left, right;
};
QList<PlacedWord> wordPlaces(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-l"), QStringLiteral("1"), path,
                                                QStringLiteral("-")});
    process.waitForFinished(20000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression pageWidth(QStringLiteral("<page width=\"([0-9.]+)\""));
    static const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    const double width = pageWidth.match(html).captured(1).toDouble();
    QList<PlacedWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.append({m.captured(3), m.captured(1).toDouble() / width, m.captured(2).toDouble() / width});
    }
    return words;
}
PlacedWord placed(const QList<PlacedWord>& words, const QString& text)
{
    for (const PlacedWord& w : words) {
        if (w.text == text)
            return w;
    }
    qFatal("no word %s on the page", qPrintable(text));
}

// The e-mail window and what it is made of.
struct EmailForm {
    EmailWindow* window;
    QLineEdit *senderName, *senderAddress, *recipientName, *recipientAddress;
    QListWidget* list;
    QPushButton *send, *close, *cancelSend;
    explicit EmailForm(EmailWindow* w)
        : window(w), senderName(child<QLineEdit>(w, "senderName")), senderAddress(child<QLineEdit>(w, "senderAddress")),
          recipientName(child<QLineEdit>(w, "recipientName")),
          recipientAddress(child<QLineEdit>(w, "recipientAddress")), list(child<QListWidget>(w, "recipeList")),
          send(child<QPushButton>(w, "sendButton")), close(child<QPushButton>(w, "closeButton")),
          cancelSend(child<QPushButton>(w, "cancelSendButton"))
    {
    }
    void fill(const char* from, const char* fromAddress, const char* to, const char* toAddress)
    {
        senderName->setText(QString::fromUtf8(from));
        senderAddress->setText(QString::fromUtf8(fromAddress));
        recipientName->setText(QString::fromUtf8(to));
        recipientAddress->setText(QString::fromUtf8(toAddress));
    }
    void check(const char* title)
    {
        list->findItems(QString::fromUtf8(title), Qt::MatchExactly).value(0)->setCheckState(Qt::Checked);
    }
    bool idle() const { return send->isEnabled() && list->isEnabled() && cancelSend->isHidden(); }
};

EmailForm openEmail(Fixture& f)
{
    child<QAction>(f.browse, "emailAction")->trigger();
    auto* window = findWindow<EmailWindow>();
    if (!window)
        qFatal("the e-mail window did not open");
    return EmailForm(window);
}

constexpr int kSendTimeoutMs = 15000;

} // namespace

class TestOutputWindows : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { PrintEngine::setPdfInsteadOfDialogs(QString()); }

    void printingTheShownRecipe()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        Fixture f;
        installShippedFiles(app().appPath);
        const QImage logo(QDir(app().appPath).filePath(QStringLiteral("quorvel.gif")));
        QVERIFY(!logo.isNull()); // the logo the program ships is a picture the page can show
        const QString pdf = QDir(f.env.dataPath()).filePath(QStringLiteral("printed.pdf"));
        PrintEngine::setPdfInsteadOfDialogs(pdf);
        writeSetting(Setting::PageSetupHeader, QStringLiteral("HEADER &p"));
        writeSetting(Setting::PageSetupFooter, QStringLiteral("FOOTER &P"));

        // Twice: each print writes its own page and puts the header and footer back afterwards.
        for (const char* title : {"Gazpacho", "Caldo"}) {
            QFile::remove(pdf);
            f.choose("Soups", title);
            child<QPushButton>(f.browse, "printButton")->click();
            QCOMPARE(readSetting(Setting::PageSetupHeader), QString()); // blanked while printing
            // A print command while one is under way is not taken: it would keep the blanks.
            f.choose("Soups", title == QLatin1String("Caldo") ? "Gazpacho" : "Caldo");
            child<QPushButton>(f.browse, "printButton")->click();
            QTRY_COMPARE_WITH_TIMEOUT(readSetting(Setting::PageSetupHeader), QStringLiteral("HEADER &p"), 10000);
            QCOMPARE(readSetting(Setting::PageSetupFooter), QStringLiteral("FOOTER &P"));
            const QByteArray page = readFileBytes(QDir(app().appPath).filePath(QStringLiteral("recipe.htm")));
            QVERIFY(page.contains("<img src='quorvel.gif' border=0>"));
            QVERIFY(page.contains("\r\n" + QByteArray(title) + "\r\n"));
            const QString text = pdfText(pdf);
            QVERIFY2(text.contains(QLatin1String(title)), qPrintable(text));
            QVERIFY(text.contains(QStringLiteral("Ingredients")));
            QVERIFY(!text.contains(QStringLiteral("HEADER"))); // the page setup was blank when it printed
        }
        QVERIFY(pdfText(pdf).contains(QStringLiteral("bones")));
        QVERIFY(!pdfText(pdf).contains(QStringLiteral("Prep Time"))); // Caldo has no prep time
        QVERIFY(f.env.dialogs.messages.isEmpty());

        // Preview needs no chosen recipe; the page then has an empty title.
        QFile::remove(pdf);
        f.choose("Soups", "none");
        child<QAction>(f.browse, "printPreviewAction")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pdf).size() > 0, 10000);
        QVERIFY(pdfText(pdf).contains(QStringLiteral("Quorvel - Saporina")));
        QTRY_COMPARE(readSetting(Setting::PageSetupHeader), QStringLiteral("HEADER &p")); // that print is over

        // A page that cannot be written is reported, and the page setup is left alone.
        QFile::remove(pdf);
        QFile::remove(QDir(app().appPath).filePath(QStringLiteral("recipe.htm")));
        QVERIFY(QDir(app().appPath).mkdir(QStringLiteral("recipe.htm")));
        f.choose("Soups", "Caldo");
        child<QPushButton>(f.browse, "printButton")->click();
        QCOMPARE(f.env.dialogs.messages.size(), 1);
        QVERIFY(f.env.dialogs.messages[0].text.startsWith(loadText(TextId::PrintPageUnwritableMessage)));
        QCOMPARE(readSetting(Setting::PageSetupHeader), QStringLiteral("HEADER &p"));
        QTest::qWait(1000);
        QVERIFY(!QFileInfo::exists(pdf));
    }

    // The printed page looks as the page's markup says: the title, headings, notes and footer centred,
    // the ingredients and the preparation at the left of their tables; the page setup's header is honoured.
    void printEngineDrawsThePageAsWritten()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        WindowTestEnv env;
        const ShownRecipe recipe{QStringLiteral("Gazpacho"), QStringLiteral("20 min"), {}, QStringLiteral("4"),
                                 QStringLiteral("tomatoes & Crème\r\nbread"), QStringLiteral("Blend\r\nchill"),
                                 QStringLiteral("Serve cold")};
        writeSetting(Setting::PageSetupHeader, QStringLiteral("Recipes &p/&P &&"));
        PrintEngine engine;
        QSignalSpy loaded(&engine, &PrintEngine::loaded);
        engine.load(writePrintPage(env.dataPath(), recipe));
        QVERIFY(engine.busy() && !engine.ready());
        QVERIFY(loaded.wait(5000));
        QVERIFY(engine.ready());
        const QString pdf = QDir(env.dataPath()).filePath(QStringLiteral("out.pdf"));
        QVERIFY(engine.printToPdf(pdf));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("Recipes 1/1 &")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("tomatoes & Crème")));
        const QList<PlacedWord> words = wordPlaces(pdf);
        auto centre = [&](const char* phrase) { // from its first word's left edge to its last word's right edge
            const QStringList parts = QString::fromLatin1(phrase).split(u' ');
            return (placed(words, parts.first()).left + placed(words, parts.last()).right) / 2;
        };
        for (const char* centred : {"Gazpacho", "Ingredients", "Preparation", "Special Notes", "Serve cold",
                                    "Quorvel - Saporina"})
            QVERIFY2(qAbs(centre(centred) - centre("Gazpacho")) < 0.02, centred);
        for (const char* leftAligned : {"tomatoes", "bread"})
            QVERIFY2(placed(words, QLatin1String(leftAligned)).left < placed(words, QStringLiteral("Ingredients")).left,
                     leftAligned);
        for (const char* leftAligned : {"Blend", "chill"})
            QVERIFY2(placed(words, QLatin1String(leftAligned)).left < placed(words, QStringLiteral("Preparation")).left - 0.1,
                     leftAligned);
    }

    void plainTextView()
    {
        Fixture f;
        f.choose("Soups", "Gazpacho");
        child<QAction>(f.browse, "plainTextAction")->trigger();
        auto* window = findWindow<PlainTextWindow>();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("SP | Plain Text View"));
        QVERIFY(window->windowModality() == Qt::ApplicationModal); // the browse window waits for it
        const QString expected = QStringLiteral("Gazpacho\r\n\r\n*Prep Time: 20 min\r\n*Cook Time: \r\n*Yield: 4\r\n\r\n"
                                                "*Ingredients\r\ntomatoes\r\n\r\n*Preparation\r\n\r\n\r\n"
                                                "*Special Notes\r\n\r\n\r\n");
        QCOMPARE(child<QPlainTextEdit>(window, "text")->toPlainText(), QString(expected).remove(u'\r'));

        QApplication::clipboard()->setText(QStringLiteral("old"));
        child<QPushButton>(window, "copyButton")->click();
        QCOMPARE(QApplication::clipboard()->text(), expected);

        // Saving replaces an existing file without asking, in the system's code page, plus one CR LF.
        const QString file = QDir(f.env.dataPath()).filePath(QStringLiteral("gazpacho.txt"));
        writeFileBytes(file, "an older, much longer text that must not survive");
        f.env.dialogs.files = {file};
        child<QPushButton>(window, "saveButton")->click();
        QCOMPARE(readFileBytes(file), plainTextFile(expected));
        QCOMPARE(readFileBytes(file), (expected + "\r\n").toUtf8()); // the tests run in a UTF-8 locale

        // Cancelling writes nothing and says nothing; a file that cannot be written is reported.
        f.env.dialogs.files = {std::nullopt};
        child<QPushButton>(window, "saveButton")->click();
        QCOMPARE(readFileBytes(file), (expected + "\r\n").toUtf8());
        f.env.dialogs.files = {QDir(f.env.dataPath()).filePath(QStringLiteral("no/such/folder/x.txt"))};
        child<QPushButton>(window, "saveButton")->click();
        QCOMPARE(f.env.dialogs.messages.size(), 1);
        QVERIFY(f.env.dialogs.messages[0].text.startsWith(loadText(TextId::TextFileUnwritableMessage)));
        child<QPushButton>(window, "closeButton")->click();
        QTRY_VERIFY(!findWindow<PlainTextWindow>());
        QVERIFY(findWindow<BrowseWindow>());

        // In Spanish, without a chosen recipe.
        setLanguage(Language::Spanish);
        f.choose("Cakes", "none");
        child<QAction>(f.browse, "plainTextAction")->trigger();
        window = findWindow<PlainTextWindow>();
        QVERIFY(window);
        const QString text = child<QPlainTextEdit>(window, "text")->toPlainText();
        QVERIFY2(text.startsWith(QStringLiteral("\n\n*") + loadText(TextId::PrepTimeLabel) + QStringLiteral(": \n")),
                 qPrintable(text));
        QCOMPARE(child<QPushButton>(window, "closeButton")->text(), loadText(TextId::CloseButton));
    }

    void emailingRecipes()
    {
        Fixture f;
        RelayServer server;
        writeSetting(Setting::RelayHost, server.host());
        writeSetting(Setting::SenderName, QStringLiteral("Ana\r\nBcc: victim@example.net")); // no second header line
        writeSetting(Setting::SenderEmail, QStringLiteral("ana@gil.es"));
        EmailForm form = openEmail(f);
        QVERIFY(!findWindow<BrowseWindow>()); // the e-mail window stands in for it
        QCOMPARE(form.window->windowTitle(), QStringLiteral("SP | Email Recipes"));
        QCOMPARE(form.senderName->text(), QStringLiteral("Ana Bcc: victim@example.net"));
        QCOMPARE(form.senderAddress->text(), QStringLiteral("ana@gil.es"));
        QCOMPARE(listTexts(form.list), (QStringList{"Angel", "Caldo", "Gazpacho", "Torta"})); // no untitled recipe
        QCOMPARE(form.list->item(0)->data(Qt::UserRole).toInt(), 1);
        QCOMPARE(form.list->item(1)->data(Qt::UserRole).toInt(), 0);
        QCOMPARE(child<QLabel>(form.window, "connectionNotice")->text(), QStringLiteral("* Internet connection required"));

        form.fill("  Ana\r\nMaría ", " ana@gil.es ", "Luis", "LUIS@Casa.com  ");
        form.check("Torta"); // checked before Caldo, sent after it
        form.check("Caldo");
        form.send->click();
        QVERIFY(!form.send->isEnabled() && !form.close->isEnabled() && form.cancelSend->isVisible());
        QCOMPARE(child<QLabel>(form.window, "statusLabel")->text(), loadText(TextId::EmailSendingStatus));
        QCOMPARE(form.senderName->text(), QStringLiteral("Ana María")); // trimmed and on one line where typed
        QCOMPARE(form.recipientAddress->text(), QStringLiteral("LUIS@Casa.com"));
        QTRY_COMPARE_WITH_TIMEOUT(f.env.dialogs.messages.size(), 1, kSendTimeoutMs);
        QCOMPARE(f.env.dialogs.messages[0].text, QStringLiteral("Recipe(s) have been emailed."));
        QCOMPARE(f.env.dialogs.messages[0].icon, MsgIcon::None);
        QVERIFY(form.idle());
        QCOMPARE(child<QLabel>(form.window, "statusLabel")->text(), loadText(TextId::EmailStatusLabel));
        QCOMPARE(readSetting(Setting::SenderName), QStringLiteral("Ana María"));
        QCOMPARE(readSetting(Setting::SenderEmail), QStringLiteral("ana@gil.es"));

        QCOMPARE(server.requests.size(), 2);
        QCOMPARE(server.requests[0].method + ' ' + server.requests[0].path, QByteArray("GET /sp/email1.html"));
        QCOMPARE(server.submissions().size(), 1);
        const QMap<QString, QString> sent = server.submissions()[0].fields;
        QCOMPARE(sent.size(), 6);
        QCOMPARE(sent.value("To"), QStringLiteral("LUIS@Casa.com"));
        QCOMPARE(sent.value("From_Header"), QStringLiteral("From: Ana María <ana@gil.es>"));
        QCOMPARE(sent.value("Subject"), QStringLiteral("You've received a recipe from Saporina"));
        QCOMPARE(sent.value("Site"), QStringLiteral("saporina"));
        QCOMPARE(sent.value("SubmitMe"), QStringLiteral("Send"));
        const QString contents = sent.value("Contents");
        QVERIFY(contents.startsWith(QStringLiteral("Dear Luis,\r\n")));
        QVERIFY(contents.indexOf(QStringLiteral("« Caldo »")) < contents.indexOf(QStringLiteral("« Torta »")));

        // Closing brings the browse window back.
        form.close->click();
        QTRY_VERIFY(findWindow<BrowseWindow>());
        QVERIFY(!findWindow<EmailWindow>());
    }

    void emailFormChecks()
    {
        Fixture f;
        RelayServer server;
        writeSetting(Setting::RelayHost, server.host());
        EmailForm form = openEmail(f);
        QVERIFY(activate(form.window));
        auto lastMessage = [&] { return f.env.dialogs.messages.isEmpty() ? QString() : f.env.dialogs.messages.last().text; };

        form.fill("Ana", "ana@gil", "Luis", "luis@casa.com");
        form.send->click();
        QCOMPARE(lastMessage(), QStringLiteral("You must enter a valid email address"));
        QCOMPARE(form.senderAddress->selectedText(), QStringLiteral("ana@gil"));
        QTRY_COMPARE(QApplication::focusWidget(), form.senderAddress);

        form.fill("Ana", "ana@gil.es", "   ", "luis@casa.com");
        form.send->click();
        QCOMPARE(lastMessage(), QStringLiteral("All fields must be completed"));
        form.fill("Ana", "ana@gil.es", "Luis", "luis@casa.com");
        form.send->click();
        QCOMPARE(lastMessage(), QStringLiteral("You must select at least one recipe"));

        child<QPushButton>(form.window, "checkAllButton")->click();
        QCOMPARE(form.list->currentRow(), 0);
        for (int row = 0; row < form.list->count(); ++row)
            QCOMPARE(form.list->item(row)->checkState(), Qt::Checked);
        child<QPushButton>(form.window, "uncheckAllButton")->click();
        for (int row = 0; row < form.list->count(); ++row)
            QCOMPARE(form.list->item(row)->checkState(), Qt::Unchecked);
        QVERIFY(server.requests.isEmpty()); // nothing was sent
        QCOMPARE(readSetting(Setting::SenderName), QString());
        for (const ShownMessage& shown : f.env.dialogs.messages)
            QVERIFY(shown.icon == MsgIcon::None && shown.title == QStringLiteral("SP"));
    }

    void emailWhenTheServerFails()
    {
        Fixture f;
        writeSetting(Setting::RelayHost, RelayServer::refusingHost());
        EmailForm form = openEmail(f);
        form.fill("Ana", "ana@gil.es", "Luis", "luis@casa.com");
        form.check("Angel");
        form.send->click();
        QTRY_COMPARE_WITH_TIMEOUT(f.env.dialogs.messages.size(), 1, kSendTimeoutMs);
        QCOMPARE(f.env.dialogs.messages[0].text, loadText(TextId::ConnectionErrorMessage));
        QCOMPARE(f.env.dialogs.messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(f.env.dialogs.messages[0].title, QStringLiteral("SP"));
        QVERIFY(form.idle());

        // A second send after the failure goes through once the server is there.
        RelayServer server;
        writeSetting(Setting::RelayHost, server.host());
        form.send->click();
        QTRY_COMPARE_WITH_TIMEOUT(f.env.dialogs.messages.size(), 2, kSendTimeoutMs);
        QCOMPARE(f.env.dialogs.messages[1].text, loadText(TextId::EmailSentMessage));
        QCOMPARE(server.submissions().size(), 1);
    }

    void emailCancelAndTimeout()
    {
        Fixture f;
        RelayServer silent(RelayServer::Behaviour::NeverAnswer);
        writeSetting(Setting::RelayHost, silent.host());
        EmailForm form = openEmail(f);
        form.fill("Ana", "ana@gil.es", "Luis", "luis@casa.com");
        form.check("Angel");
        form.send->click();
        QTRY_COMPARE_WITH_TIMEOUT(silent.requests.size(), 1, 5000);
        QVERIFY(form.cancelSend->isVisible());
        form.cancelSend->click();
        QVERIFY(form.idle());
        QTest::qWait(2500); // longer than both steps of a send: nothing goes on after the cancel
        QVERIFY(f.env.dialogs.messages.isEmpty());
        QCOMPARE(silent.requests.size(), 1);
        form.close->click();

        // A server that never answers makes the send fail once the time allowed has passed.
        writeSetting(Setting::RelayTimeout, QStringLiteral("400"));
        f.browse = findWindow<BrowseWindow>();
        QVERIFY(f.browse);
        EmailForm again = openEmail(f);
        again.fill("Ana", "ana@gil.es", "Luis", "luis@casa.com");
        again.check("Angel");
        again.send->click();
        QTRY_COMPARE_WITH_TIMEOUT(f.env.dialogs.messages.size(), 1, kSendTimeoutMs);
        QCOMPARE(f.env.dialogs.messages[0].text, loadText(TextId::RelayTimeoutMessage));
        QCOMPARE(f.env.dialogs.messages[0].icon, MsgIcon::Exclamation);
        QVERIFY(again.idle());
        QCOMPARE(silent.requests.size(), 2);
    }

    // The relay browser against servers that are unusual or hostile: it sends in the page's charset,
    // refuses to send where a browser would not, fails on an error status or an oversized answer, and
    // waits as long as bytes keep coming.
    void relayBrowserAgainstOddServers_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<bool>("sent"); // the form went and its answer was read
        for (const char* row : {"latin-1 page", "action to a file", "action to data", "error status", "oversized answer",
                                "slow answer"})
            QTest::newRow(row) << QString::fromLatin1(row) << (qstrcmp(row, "latin-1 page") == 0 || qstrcmp(row, "slow answer") == 0);
    }
    void relayBrowserAgainstOddServers()
    {
        QFETCH(QString, server);
        QFETCH(bool, sent);
        WindowTestEnv env;
        RelayServer relay;
        const QByteArray form = "<form method=post action='%1'><input name=To><input type=submit name=SubmitMe></form>";
        if (server == "latin-1 page") {
            relay.contentType = "text/html; charset=ISO-8859-1";
            relay.charset = "windows-1252";
            relay.formPage = QByteArray(form).replace("%1", "/sp/send.cgi") + "<p>Env\xedo</p>";
        } else if (server == "action to a file") {
            relay.formPage = QByteArray(form).replace("%1", "file:///etc/hostname");
        } else if (server == "action to data") {
            relay.formPage = QByteArray(form).replace("%1", "data:text/html,sent");
        } else if (server == "error status") {
            relay.sentStatus = "500 Internal Server Error";
        } else if (server == "oversized answer") {
            relay.answerSize = kMaxWebPageBytes + 1000;
        } else if (server == "slow answer") {
            relay.answerSize = 2000;
            relay.trickleMs = 150; // ten pieces: three times the time allowed, never silent for long
        }
        RelayBrowser browser;
        browser.setTimeout(500);
        QSignalSpy complete(&browser, &RelayBrowser::documentComplete);
        QSignalSpy failed(&browser, &RelayBrowser::navigateError);
        browser.navigate(QUrl(relay.host() + QStringLiteral("/sp/email1.html")));
        QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, kSendTimeoutMs);
        QVERIFY(browser.setValue(QStringLiteral("To"), QStringLiteral("José €")));
        const bool clicked = browser.click(QStringLiteral("SubmitMe"));
        if (server.startsWith(QStringLiteral("action to"))) {
            QVERIFY(!clicked); // a browser would not send it; nothing is reported sent
            QCOMPARE(relay.requests.size(), 1);
            return;
        }
        QVERIFY(clicked);
        QTRY_COMPARE_WITH_TIMEOUT(complete.size() + failed.size(), 2, kSendTimeoutMs);
        QCOMPARE(complete.size() == 2, sent);
        if (!sent)
            QCOMPARE(failed.first().at(1).toBool(), false); // an error, not silence
        QCOMPARE(relay.submissions().size(), 1);
        if (server == "latin-1 page")
            QCOMPARE(relay.submissions().first().fields.value(QStringLiteral("To")), QStringLiteral("José €"));
    }
};

QTEST_MAIN(TestOutputWindows)
#include "test_output_windows.moc"
