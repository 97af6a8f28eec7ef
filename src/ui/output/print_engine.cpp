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

} // namespace

PrintEngine::PrintEngine(QObject* parent) : QObject(parent), m_document(std::make_unique<QTextDocument>()) {}

PrintEngine::~PrintEngine() = default;

void PrintEngine::setPdfInsteadOfDialogs(const QString& pdfPath)
{
    pdfInsteadOfDialogs() = pdfPath;
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
    m_document->setHtml(decoder.decode(bytes));
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
