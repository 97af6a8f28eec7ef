#include "ui/output/cookbook_printer.h"

#include "core/book/atomic_file.h"
#include "core/book/picture_names.h"
#include "core/text/text_table.h"
#include "ui/output/print_engine.h"
#include "ui/platform/work_progress.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextLayout>

#include <memory>
#include <vector>

namespace {

// A picture is drawn no larger than its pixels at screen resolution, and embedded at no more than
// print resolution: more only makes the file larger.
constexpr double kNaturalDpi = 96;
constexpr double kEmbeddedDpi = 200;
constexpr double kLineSpacing = 1.12;

struct Style {
    double titlePt, headingPt, textPt, smallPt;
    double marginMm;
    double pictureShare; // the most of a page's height a picture takes
    int indexColumns;
};

Style styleOf(CookbookLayout layout)
{
    switch (layout) {
    case CookbookLayout::TwoPerPage:
        return {15, 10.5, 9.5, 7.5, 15, 0.2, 2};
    case CookbookLayout::IndexCards:
        return {11, 8.5, 7.5, 6, 6, 0.3, 1};
    case CookbookLayout::FullPage:
        break;
    }
    return {20, 12, 10.5, 8, 18, 0.4, 2};
}

QFont bookFont(double points, bool serif, QFont::Weight weight = QFont::Normal, bool italic = false)
{
    QFont font;
    font.setFamilies(
        serif
            ? QStringList{QStringLiteral("Georgia"), QStringLiteral("DejaVu Serif"), QStringLiteral("Times New Roman")}
            : QStringList{QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")});
    font.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
    font.setPointSizeF(points);
    font.setWeight(weight);
    font.setItalic(italic);
    // Any letter spacing turns ligatures off, so that "flour" stays five letters a reader can search.
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.05);
    return font;
}

// A picture as its file holds it; an invalid size when it is not drawn.
struct PictureFile {
    QSize stored;
    bool turned = false; // shown a quarter turn from how it is stored
    QSizeF upright() const { return turned ? QSizeF(stored.height(), stored.width()) : QSizeF(stored); }
};

// Looks at a picture's header only. Pictures that are not plain files, are too large a file, or would
// need more memory to decode than the reader allows, are left out of the book.
PictureFile pictureFile(const QString& path)
{
    const QFileInfo file(path);
    if (path.isEmpty() || file.isSymLink() || !file.isFile() || file.size() > kMaxImportedPictureBytes)
        return {};
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return {};
    const qint64 limitBytes = qint64(QImageReader::allocationLimit() > 0 ? QImageReader::allocationLimit() : 256) << 20;
    if (!reader.supportsOption(QImageIOHandler::ScaledSize) && 4.0 * size.width() * size.height() > limitBytes)
        return {};
    return {size, (reader.transformation() & QImageIOHandler::TransformationRotate90) != 0};
}

// The size to decode a stored picture at on the way to `wanted` pixels; invalid for the whole picture. A
// JPEG decodes fast whole or at a half, a quarter or an eighth of its size, and slower at any other size
// (slower than whole and scaled after), so it is decoded at the smallest of those that still gives `wanted`.
QSize decodedSize(QSize stored, QSizeF wanted, bool jpeg)
{
    if (wanted.width() >= stored.width() && wanted.height() >= stored.height())
        return {};
    if (!jpeg)
        return stored.scaled(wanted.toSize().expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
    int eighths = 8;
    while (eighths > 1 && stored.width() * (eighths / 2) / 8 >= wanted.width() &&
           stored.height() * (eighths / 2) / 8 >= wanted.height())
        eighths /= 2;
    // Rounded down, so that the reader takes this fraction and not the next larger one.
    return eighths == 8 ? QSize() : QSize(stored.width() * eighths / 8, stored.height() * eighths / 8);
}

// A piece of a page: a paragraph laid out at the column's width, or a picture.
struct Block {
    std::unique_ptr<QTextLayout> text;
    QSizeF picture;
    int recipe = -1;  // whose picture
    int chapter = -1; // the heading of this chapter
    qreal spaceBefore = 0;
    qreal indent = 0;
    bool keepWithNext = false; // a heading never ends a column

    static qreal lineAdvance(const QTextLine& line) { return line.height() * kLineSpacing; }
    qreal height() const
    {
        if (!text)
            return picture.height();
        qreal sum = 0;
        for (int i = 0; i < text->lineCount(); ++i)
            sum += lineAdvance(text->lineAt(i));
        return sum;
    }
    // What must fit where the block begins: its first line, or the picture.
    qreal firstHeight() const
    {
        return text ? (text->lineCount() > 0 ? lineAdvance(text->lineAt(0)) : 0) : picture.height();
    }
};

// Lays the book out page after page; draws it too when given a painter.
class BookLayout {
public:
    BookLayout(const CookbookContents& contents, const CookbookOptions& options, QPagedPaintDevice* device)
        : m_contents(contents), m_options(options), m_style(styleOf(options.layout)), m_device(device),
          m_recipePage(contents.recipes.size(), 0), m_chapterPage(contents.chapters.size(), 0)
    {
        m_titleFont = bookFont(m_style.titlePt, false, QFont::Bold);
        m_headingFont = bookFont(m_style.headingPt, false, QFont::Bold);
        m_textFont = bookFont(m_style.textPt, true);
        m_smallFont = bookFont(m_style.smallPt, false, QFont::Normal, true);
        m_dpi = device->logicalDpiY();
        m_pageRanges = device->pageRanges();
        m_page = QRectF(0, 0, device->width(), device->height());
        const qreal band = QFontMetricsF(m_smallFont, device).lineSpacing() * 2;
        m_body = m_page.adjusted(0, band, 0, -band);
        for (const QString& path : contents.picturePaths)
            m_pictures.append(pictureFile(path));
    }

    // One pass over the whole book; false when the progress stops it.
    bool layOut(QPainter* painter, const Progress& progress, int done, int total)
    {
        m_drawingPainter = painter;
        m_painter = nullptr;
        m_pagesDrawn = 0;
        m_pageNumber = 0;
        m_columns = 1;
        m_runningHeader.clear();
        m_continuation.clear();
        titlePage();
        contentsPages();
        for (int c = 0; c < m_contents.chapters.size(); ++c) {
            const CookbookChapter& chapter = m_contents.chapters[c];
            m_runningHeader = chapter.name;
            if (m_options.newPagePerChapter || c == 0)
                newPage();
            for (int i = 0; i < chapter.recipes.size(); ++i) {
                if (progress && !progress(done++, total))
                    return false;
                placeRecipe(chapter.recipes[i], i == 0 ? c : -1);
            }
        }
        indexPages();
        if (progress)
            progress(done, total);
        return true;
    }
    int pageCount() const { return m_pageNumber; }

private:
    qreal points(double pt) const { return pt * m_dpi / 72.0; }
    qreal columnWidth() const { return (m_body.width() - points(18) * (m_columns - 1)) / m_columns; }
    qreal columnLeft() const { return m_body.left() + m_column * (columnWidth() + points(18)); }
    bool atColumnTop() const { return m_y <= m_columnTop + 0.5; }

    std::unique_ptr<QTextLayout> paragraph(const QString& text, const QFont& font, qreal width,
                                           Qt::Alignment alignment = Qt::AlignLeft) const
    {
        auto layout = std::make_unique<QTextLayout>(text, font, m_device);
        QTextOption option(alignment);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout->setTextOption(option);
        // Drawing a line of a long paragraph would shape the paragraph again without the cache.
        layout->setCacheEnabled(m_drawingPainter != nullptr);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, 0));
        }
        layout->endLayout();
        return layout;
    }

    void newPage(bool decorated = true)
    {
        // Pages outside the range asked for (a print dialog's "pages 3-5") are laid out, not drawn.
        ++m_pageNumber;
        const bool drawn = m_drawingPainter && (m_pageRanges.isEmpty() || m_pageRanges.contains(m_pageNumber));
        m_painter = drawn ? m_drawingPainter : nullptr;
        if (drawn && m_pagesDrawn++ > 0)
            m_device->newPage();
        m_column = 0;
        m_y = m_columnTop = m_body.top();
        if (!m_painter || !decorated)
            return;
        m_painter->setFont(m_smallFont);
        m_painter->setPen(Qt::darkGray);
        const qreal band = m_body.top() - m_page.top();
        const QRectF header(m_page.left(), m_page.top(), m_page.width(), band / 2);
        m_painter->drawText(
            header, Qt::AlignLeft | Qt::AlignBottom,
            QFontMetricsF(m_smallFont, m_device).elidedText(m_runningHeader, Qt::ElideRight, header.width()));
        m_painter->drawLine(QPointF(m_page.left(), header.bottom() + band / 8),
                            QPointF(m_page.right(), header.bottom() + band / 8));
        m_painter->drawText(QRectF(m_page.left(), m_page.bottom() - band / 2, m_page.width(), band / 2),
                            Qt::AlignHCenter | Qt::AlignBottom, QString::number(m_pageNumber));
        m_painter->setPen(Qt::black);
    }

    // The next column, or the next page; a recipe that goes on says so at the top.
    void breakColumn()
    {
        if (m_column + 1 < m_columns) {
            ++m_column;
            m_y = m_columnTop;
        } else {
            newPage();
        }
        if (!m_continuation.isEmpty())
            place(paragraph(m_continuation, m_smallFont, columnWidth()));
    }

    void makeRoom(qreal height)
    {
        if (m_y + height > m_body.bottom() + 0.5 && !atColumnTop())
            breakColumn();
    }

    void place(const std::unique_ptr<QTextLayout>& text, qreal indent = 0)
    {
        for (int i = 0; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            const qreal advance = Block::lineAdvance(line);
            makeRoom(advance);
            if (m_painter)
                line.draw(m_painter, QPointF(columnLeft() + indent, m_y));
            m_y += advance;
        }
    }

    void placeBlocks(const std::vector<Block>& blocks)
    {
        for (size_t i = 0; i < blocks.size(); ++i) {
            const Block& block = blocks[i];
            if (!atColumnTop())
                m_y += block.spaceBefore;
            if (block.keepWithNext) {
                // The run of headings and what follows them begin together.
                qreal needed = block.height();
                size_t next = i + 1;
                for (; next < blocks.size() && blocks[next].keepWithNext; ++next)
                    needed += blocks[next].spaceBefore + blocks[next].height();
                if (next < blocks.size())
                    needed += blocks[next].spaceBefore + blocks[next].firstHeight();
                makeRoom(needed);
            }
            if (block.chapter >= 0)
                m_chapterPage[block.chapter] = m_pageNumber;
            if (block.text) {
                place(block.text, block.indent);
                continue;
            }
            makeRoom(block.picture.height());
            if (m_painter)
                drawPicture(
                    block.recipe,
                    QRectF(QPointF(columnLeft() + (columnWidth() - block.picture.width()) / 2, m_y), block.picture));
            m_y += block.picture.height();
        }
    }

    void drawPicture(int recipe, const QRectF& target)
    {
        const PictureFile& file = m_pictures[recipe];
        QImageReader reader(m_contents.picturePaths[recipe]);
        reader.setAutoTransform(true);
        QSizeF wanted = target.size() * (kEmbeddedDpi / m_dpi);
        if (file.turned)
            wanted.transpose();
        if (const QSize decoded = decodedSize(file.stored, wanted, reader.format() == "jpeg"); decoded.isValid())
            reader.setScaledSize(decoded);
        QImage image = reader.read();
        // Scaled down the rest of the way: twice the pixels would make a file twice the size.
        if (image.width() > wanted.width() * 1.1)
            image =
                image.scaled(wanted.toSize().expandedTo(QSize(1, 1)), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (!image.isNull())
            m_painter->drawImage(target, image);
    }

    void titlePage()
    {
        newPage(false);
        const qreal width = m_page.width();
        const QFont title = bookFont(m_style.titlePt * 1.6, false, QFont::Bold);
        const QFont subtitle = bookFont(m_style.titlePt * 0.9, true, QFont::Normal, true);
        m_y = m_page.top() + m_page.height() * 0.3;
        m_columnTop = m_page.top();
        place(paragraph(m_options.title, title, width, Qt::AlignHCenter));
        m_y += points(m_style.titlePt);
        place(paragraph(m_options.subtitle, subtitle, width, Qt::AlignHCenter));
    }

    // A line of the contents or the index: the text, dots, and the page it points to.
    void entryLine(const QString& text, int page, const QFont& font, qreal indent)
    {
        const QFontMetricsF metrics(font, m_device);
        const qreal advance = metrics.height() * kLineSpacing;
        makeRoom(advance);
        if (m_painter) {
            const QString number = QString::number(page);
            const qreal left = columnLeft() + indent;
            const qreal right = columnLeft() + columnWidth();
            // The number's room is the same on both passes, whatever the number.
            const qreal numberRoom = metrics.horizontalAdvance(QStringLiteral(" 00000"));
            const QString shown = metrics.elidedText(text, Qt::ElideRight, right - numberRoom - left);
            m_painter->setFont(font);
            const qreal baseline = m_y + metrics.ascent();
            m_painter->drawText(QPointF(left, baseline), shown);
            const qreal dotsFrom = left + metrics.horizontalAdvance(shown + u' ');
            const qreal dotsTo = right - metrics.horizontalAdvance(u' ' + number);
            const int dots = static_cast<int>((dotsTo - dotsFrom) / metrics.horizontalAdvance(QStringLiteral(". ")));
            if (dots > 0)
                m_painter->drawText(QPointF(dotsTo - dots * metrics.horizontalAdvance(QStringLiteral(". ")), baseline),
                                    QStringLiteral(". ").repeated(dots));
            m_painter->drawText(QPointF(right - metrics.horizontalAdvance(number), baseline), number);
        }
        m_y += advance;
    }

    void heading(const QString& text, const QFont& font, qreal spaceAfter)
    {
        m_y += atColumnTop() ? 0 : spaceAfter;
        std::vector<Block> blocks;
        blocks.push_back({paragraph(text, font, columnWidth()), {}, -1, -1, 0, 0, true});
        makeRoom(blocks.front().height() * 2);
        placeBlocks(blocks);
        m_y += spaceAfter;
    }

    void contentsPages()
    {
        m_runningHeader = loadText(TextId::CookbookContentsHeading);
        m_columns = 1;
        newPage();
        heading(m_runningHeader, m_titleFont, points(m_style.textPt));
        const QFont chapterFont = bookFont(m_style.textPt, false, QFont::Bold);
        for (int c = 0; c < m_contents.chapters.size(); ++c) {
            const CookbookChapter& chapter = m_contents.chapters[c];
            m_y += atColumnTop() ? 0 : points(m_style.textPt) / 2;
            makeRoom(QFontMetricsF(chapterFont, m_device).height() * kLineSpacing * 2);
            entryLine(chapter.name, m_chapterPage[c], chapterFont, 0);
            for (int recipe : chapter.recipes)
                entryLine(m_contents.recipes[recipe].title, m_recipePage[recipe], m_textFont, points(m_style.textPt));
        }
    }

    void indexGroups(const QList<CookbookIndexGroup>& groups)
    {
        const QFont groupFont = bookFont(m_style.textPt, false, QFont::Bold);
        const qreal lineHeight = QFontMetricsF(m_textFont, m_device).height() * kLineSpacing;
        for (const CookbookIndexGroup& group : groups) {
            m_y += atColumnTop() ? 0 : lineHeight / 2;
            makeRoom(lineHeight * 2);
            if (m_painter) {
                m_painter->setFont(groupFont);
                m_painter->drawText(
                    QPointF(columnLeft(), m_y + QFontMetricsF(groupFont, m_device).ascent()),
                    QFontMetricsF(groupFont, m_device).elidedText(group.heading, Qt::ElideRight, columnWidth()));
            }
            m_y += lineHeight;
            for (const CookbookIndexEntry& entry : group.entries)
                entryLine(entry.text, m_recipePage[entry.recipe], m_textFont, points(m_style.textPt));
        }
    }

    void indexPages()
    {
        m_runningHeader = loadText(TextId::CookbookIndexHeading);
        m_columns = 1;
        newPage();
        heading(m_runningHeader, m_titleFont, points(m_style.textPt));
        m_columnTop = m_y;
        m_columns = m_style.indexColumns;
        heading(loadText(TextId::CookbookIndexByTitle), m_headingFont, points(m_style.textPt) / 2);
        indexGroups(m_contents.titleIndex);
        if (!m_contents.ingredientIndex.isEmpty()) {
            m_y += points(m_style.textPt);
            heading(loadText(TextId::CookbookIndexByIngredient), m_headingFont, points(m_style.textPt) / 2);
            indexGroups(m_contents.ingredientIndex);
        }
        m_columns = 1;
    }

    // The size a recipe's picture is drawn at: its natural size, made smaller to fit.
    QSizeF pictureSize(int recipe) const
    {
        const PictureFile& file = m_pictures[recipe];
        if (!file.stored.isValid())
            return {};
        const QSizeF natural = file.upright() * (m_dpi / kNaturalDpi);
        const QSizeF room(columnWidth(), m_body.height() * m_style.pictureShare);
        return natural.width() <= room.width() && natural.height() <= room.height()
                   ? natural
                   : natural.scaled(room, Qt::KeepAspectRatio);
    }

    std::vector<Block> recipeBlocks(int index, int chapter) const
    {
        const Recipe& recipe = m_contents.recipes[index];
        const qreal width = columnWidth();
        const qreal gap = points(m_style.textPt);
        std::vector<Block> blocks;
        // A chapter's heading comes with its first recipe, so that the two are never apart.
        if (chapter >= 0)
            blocks.push_back({paragraph(m_contents.chapters[chapter].name,
                                        bookFont(m_style.titlePt * 1.3, false, QFont::Bold), width),
                              {},
                              -1,
                              chapter,
                              0,
                              0,
                              true});
        blocks.push_back({paragraph(recipe.title, m_titleFont, width), {}, -1, -1, gap, 0, true});
        QStringList facts;
        for (const auto& [label, value] : {std::pair{TextId::PrepTimeLabel, recipe.prepTime},
                                           {TextId::CookTimeLabel, recipe.cookTime},
                                           {TextId::YieldLabel, recipe.yield}}) {
            if (!value.trimmed().isEmpty())
                facts << loadText(label) + QStringLiteral(": ") + value.simplified();
        }
        if (!facts.isEmpty())
            blocks.push_back({paragraph(facts.join(QStringLiteral("   \u00b7   ")), m_smallFont, width),
                              {},
                              -1,
                              -1,
                              gap / 4,
                              0,
                              true});
        if (const QSizeF picture = pictureSize(index); !picture.isEmpty())
            blocks.push_back({nullptr, picture, index, -1, gap / 2, 0, false});
        for (const auto& [label, text] : {std::pair{TextId::IngredientsLabel, recipe.ingredients},
                                          {TextId::PreparationLabel, recipe.preparation},
                                          {TextId::SpecialNotesLabel, recipe.notes}}) {
            if (text.trimmed().isEmpty())
                continue;
            blocks.push_back({paragraph(loadText(label), m_headingFont, width), {}, -1, -1, gap, 0, true});
            const bool ingredients = label == TextId::IngredientsLabel;
            for (QStringView line : QStringView(text).split(u'\n')) {
                line = line.trimmed();
                if (!line.isEmpty())
                    blocks.push_back({paragraph(line.toString(), m_textFont, width - (ingredients ? gap : 0)),
                                      {},
                                      -1,
                                      -1,
                                      ingredients ? 0 : gap / 3,
                                      ingredients ? gap : 0,
                                      false});
            }
        }
        return blocks;
    }

    // Where a recipe begins: a page of its own in the full-page and card layouts, the next half page
    // of two; a recipe that fits on a page is never split over two.
    void startRecipe(qreal height)
    {
        if (!atColumnTop()) {
            const qreal middle = m_body.top() + m_body.height() / 2;
            if (m_options.layout == CookbookLayout::TwoPerPage && m_y <= middle) {
                m_y = middle;
                if (m_painter) {
                    m_painter->setPen(QPen(Qt::lightGray, points(0.5)));
                    m_painter->drawLine(QPointF(m_body.left(), m_y), QPointF(m_body.right(), m_y));
                    m_painter->setPen(Qt::black);
                }
                m_y += points(m_style.textPt);
            } else {
                newPage();
            }
        }
        if (!atColumnTop() && height > m_body.bottom() - m_y && height <= m_body.height())
            newPage();
    }

    void placeRecipe(int index, int chapter)
    {
        const std::vector<Block> blocks = recipeBlocks(index, chapter);
        qreal height = 0;
        for (const Block& block : blocks)
            height += block.spaceBefore + block.height();
        startRecipe(height);
        m_recipePage[index] = m_pageNumber;
        m_continuation = m_contents.recipes[index].title + u' ' + loadText(TextId::CookbookContinued);
        placeBlocks(blocks);
        m_continuation.clear();
    }

    const CookbookContents& m_contents;
    const CookbookOptions& m_options;
    const Style m_style;
    QPagedPaintDevice* m_device;
    QPainter* m_drawingPainter = nullptr; // null while only laying out
    QPainter* m_painter = nullptr;        // null on a page that is not drawn
    QPageRanges m_pageRanges;             // empty for every page
    int m_pagesDrawn = 0;
    QFont m_titleFont, m_headingFont, m_textFont, m_smallFont;
    qreal m_dpi = 72;
    QRectF m_page; // the printable area
    QRectF m_body; // less the header and footer
    QList<PictureFile> m_pictures;
    QList<int> m_recipePage, m_chapterPage; // learnt on the first pass, printed on the second

    int m_pageNumber = 0;
    int m_columns = 1, m_column = 0;
    qreal m_columnTop = 0, m_y = 0;
    QString m_runningHeader; // the chapter a page begins in
    QString m_continuation;  // the line a recipe split over columns goes on under
};

// The PDF writer's output, handed on to the file being written.
class SinkDevice : public QIODevice {
public:
    explicit SinkDevice(ByteSink& sink) : m_sink(sink) {}
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        m_sink.write(data, size);
        return size;
    }

private:
    ByteSink& m_sink;
};

} // namespace

QPageLayout cookbookPageLayout(const CookbookOptions& options)
{
    QPageSize size(QPageSize::A4);
    switch (options.paper) {
    case CookbookPaper::Letter:
        size = QPageSize(QPageSize::Letter);
        break;
    case CookbookPaper::Card4x6:
        // Qt has no id for the index card; printers know it by this name.
        size = QPageSize(QSizeF(4, 6), QPageSize::Inch, QStringLiteral("4x6"), QPageSize::ExactMatch);
        break;
    case CookbookPaper::CardA6:
        size = QPageSize(QPageSize::A6);
        break;
    case CookbookPaper::A4:
        break;
    }
    const double margin = styleOf(options.layout).marginMm;
    return QPageLayout(size,
                       options.layout == CookbookLayout::IndexCards ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
}

CookbookPrinted printCookbook(const CookbookContents& contents, const CookbookOptions& options,
                              QPagedPaintDevice* device, const Progress& progress, int* pages)
{
    BookLayout book(contents, options, device);
    const int total = 2 * static_cast<int>(contents.recipes.size());
    if (!book.layOut(nullptr, progress, 0, total))
        return CookbookPrinted::Stopped;
    QPainter painter;
    if (!painter.begin(device))
        return CookbookPrinted::Failed;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const bool done = book.layOut(&painter, progress, total / 2, total);
    painter.end();
    if (pages)
        *pages = book.pageCount();
    return done ? CookbookPrinted::Done : CookbookPrinted::Stopped;
}

CookbookSaved saveCookbookPdf(const CookbookContents& contents, const CookbookOptions& options, const QString& path,
                              const Progress& progress)
{
    CookbookSaved saved;
    const bool written = writeFileAtomically(
        path,
        [&](ByteSink& sink) {
            SinkDevice device(sink);
            device.open(QIODevice::WriteOnly);
            QPdfWriter writer(&device);
            writer.setPageLayout(cookbookPageLayout(options));
            writer.setTitle(options.title);
            writer.setCreator(QStringLiteral("Saporina"));
            saved.outcome = printCookbook(contents, options, &writer, progress, &saved.pages);
            if (saved.outcome != CookbookPrinted::Done)
                sink.abandon();
        },
        &saved.error);
    if (!written && saved.outcome == CookbookPrinted::Done)
        saved.outcome = CookbookPrinted::Failed;
    if (saved.outcome == CookbookPrinted::Stopped)
        saved.error.clear(); // the user stopped it: there is no fault to tell
    return saved;
}

void printCookbookThroughDialog(const CookbookContents& contents, const CookbookOptions& options, bool preview,
                                QWidget* parent)
{
    if (const QString pdf = PrintEngine::pdfPathInsteadOfDialogs(); !pdf.isEmpty()) {
        saveCookbookPdf(contents, options, pdf);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(cookbookPageLayout(options));
    printer.setDocName(options.title);
    const auto print = [&](QPrinter* target, QWidget* over) {
        WorkProgress progress(over, loadText(TextId::MakingCookbookProgress));
        if (printCookbook(contents, options, target, progress.callback()) != CookbookPrinted::Done)
            target->abort();
    };
    if (preview) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&](QPrinter* target) { print(target, &dialog); });
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        print(&printer, parent);
}
