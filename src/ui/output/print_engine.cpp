#include "ui/output/print_engine.h"

#include "core/settings/settings_store.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStringDecoder>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace {

QString& pdfInsteadOfDialogs()
{
    static QString path;
    return path;
}

// The browser's header and footer codes that make sense on paper: &p page, &P pages, && an "&".
QString pageLine(QString text, int page, int pages)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\u0001"));
    text.replace(QStringLiteral("&p"), QString::number(page));
    text.replace(QStringLiteral("&P"), QString::number(pages));
    return text.replace(u'\u0001', u'&');
}

bool hasText(const QString& markup)
{
    bool inTag = false;
    for (const QChar c : markup) {
        if (c == u'<')
            inTag = true;
        else if (c == u'>')
            inTag = false;
        else if (!inTag && !c.isSpace())
            return true;
    }
    return false;
}

// Qt's rich text reads two things in the print page otherwise than a browser does: a CR in the markup
// keeps a <center> centring past the end of its element (so the preparation, which the page leaves at
// the left, came out centred), and text that follows a table inside a <center> loses the centring (so
// the footer came out at the left margin). It is given the same page in a form it reads as a browser
// would: LF line ends, which mean the same in HTML, and such text in a <div> of its own.
QString asQtReadsIt(QString html)
{
    html.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QString out;
    out.reserve(html.size() + 64);
    int centring = 0;
    qsizetype at = 0;
    while (at < html.size()) {
        const qsizetype open = html.indexOf(u'<', at);
        const qsizetype close = open < 0 ? -1 : html.indexOf(u'>', open);
        if (close < 0) {
            out += QStringView(html).mid(at);
            break;
        }
        out += QStringView(html).mid(at, close + 1 - at);
        at = close + 1;
        const QStringView tag = QStringView(html).mid(open, close + 1 - open);
        if (tag.startsWith(QStringLiteral("<center"), Qt::CaseInsensitive)) {
            ++centring;
        } else if (tag.startsWith(QStringLiteral("</center"), Qt::CaseInsensitive)) {
            centring = std::max(0, centring - 1);
        } else if (centring > 0 && tag.startsWith(QStringLiteral("</table"), Qt::CaseInsensitive)) {
            qsizetype end = html.size();
            for (const QString& next : {QStringLiteral("<table"), QStringLiteral("</center"), QStringLiteral("<center")}) {
                const qsizetype found = html.indexOf(next, at, Qt::CaseInsensitive);
                if (found >= 0)
                    end = std::min(end, found);
            }
            const QString following = html.mid(at, end - at);
            if (hasText(following)) {
                out += QStringLiteral("<div>") + following + QStringLiteral("</div>");
                at = end;
            }
        }
    }
    return out;
}

} // namespace

PrintEngine::PrintEngine(QObject* parent) : QObject(parent), m_document(std::make_unique<QTextDocument>()) {}

PrintEngine::~PrintEngine() = default;

void PrintEngine::setPdfInsteadOfDialogs(const QString& pdfPath)
{
    pdfInsteadOfDialogs() = pdfPath;
}

QString PrintEngine::pdfPathInsteadOfDialogs()
{
    return pdfInsteadOfDialogs();
}

void PrintEngine::load(const QString& path)
{
    m_busy = true;
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    QStringDecoder decoder(QStringConverter::System); // as the page was written
    m_document->setBaseUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath() + u'/'));
    m_document->setHtml(asQtReadsIt(decoder.decode(bytes))); // the page's bytes stay as they are
    // A browser reports completion from its event loop, after the call that asked for the page.
    QTimer::singleShot(0, this, [this] {
        m_busy = false;
        emit loaded();
    });
}

bool PrintEngine::ready() const
{
    return !m_busy && !m_document->isEmpty();
}

void PrintEngine::paint(QPrinter* printer)
{
    QPainter painter(printer);
    if (!painter.isActive())
        return;
    const QString header = readSetting(Setting::PageSetupHeader);
    const QString footer = readSetting(Setting::PageSetupFooter);
    const QRectF page = printer->pageRect(QPrinter::DevicePixel).translated(-printer->pageRect(QPrinter::DevicePixel).topLeft());
    const qreal line = painter.fontMetrics().height() * 1.5;
    const QRectF body = page.adjusted(0, header.isEmpty() ? 0 : line, 0, footer.isEmpty() ? 0 : -line);

    QTextDocument* doc = m_document.get();
    doc->documentLayout()->setPaintDevice(printer);
    doc->setPageSize(body.size());
    const int pages = doc->pageCount();
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            printer->newPage();
        if (!header.isEmpty())
            painter.drawText(QRectF(page.left(), page.top(), page.width(), line), Qt::AlignCenter,
                             pageLine(header, p + 1, pages));
        if (!footer.isEmpty())
            painter.drawText(QRectF(page.left(), page.bottom() - line, page.width(), line), Qt::AlignCenter,
                             pageLine(footer, p + 1, pages));
        painter.save();
        painter.translate(body.left(), body.top() - p * body.height());
        const QRectF shown(0, p * body.height(), body.width(), body.height());
        painter.setClipRect(shown);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = shown;
        doc->documentLayout()->draw(&painter, context);
        painter.restore();
    }
}

bool PrintEngine::printToPdf(const QString& pdfPath)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    paint(&printer);
    return QFileInfo(pdfPath).size() > 0;
}

void PrintEngine::print(QWidget* parent)
{
    if (!pdfInsteadOfDialogs().isEmpty()) {
        printToPdf(pdfInsteadOfDialogs());
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        paint(&printer);
}

void PrintEngine::preview(QWidget* parent)
{
    if (!pdfInsteadOfDialogs().isEmpty()) {
        printToPdf(pdfInsteadOfDialogs());
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { paint(p); });
    dialog.exec();
}
