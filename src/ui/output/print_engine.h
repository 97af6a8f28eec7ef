#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QPrinter;
class QTextDocument;
class QWidget;

// Prints an HTML page as a browser would: the page laid out in a QTextDocument, printed through the
// platform's print dialog or shown in a print preview, with the page-setup header and footer (the
// settings) on every page when they are not blank. Loading completes asynchronously, as a browser's.
class PrintEngine : public QObject {
    Q_OBJECT
public:
    explicit PrintEngine(QObject* parent = nullptr);
    ~PrintEngine() override;

    // Loads the page file; `loaded` follows once the document is complete.
    void load(const QString& path);
    bool busy() const { return m_busy; }
    // Whether printing and previewing are possible now: a page is loaded and not loading.
    bool ready() const;

    // Shows the print dialog (or the preview) for the loaded page; returns when the user is done.
    void print(QWidget* parent);
    void preview(QWidget* parent);
    // Prints the loaded page to a PDF file, with no dialog.
    bool printToPdf(const QString& pdfPath);

    // While set, print and preview write this PDF file instead of showing a dialog (for tests and
    // unattended runs).
    static void setPdfInsteadOfDialogs(const QString& pdfPath);
    static QString pdfPathInsteadOfDialogs();

signals:
    void loaded();

private:
    void paint(QPrinter* printer);

    std::unique_ptr<QTextDocument> m_document;
    bool m_busy = false;
};
