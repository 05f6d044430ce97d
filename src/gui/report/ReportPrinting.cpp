#include "gui/report/ReportPrinting.h"

#include "core/platform/ResizeMath.h"

#include <memory>
#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace ortolino {

namespace {

// The paper and the start of its printable area, in twips.
PaperGeometry paperOf(const QPrinter& printer)
{
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    const double dpiX = printer.logicalDpiX();
    const double dpiY = printer.logicalDpiY();
    return {pixelsToTwips(qRound(paper.width()), dpiX), pixelsToTwips(qRound(paper.height()), dpiY),
            pixelsToTwips(qRound(printable.left() - paper.left()), dpiX),
            pixelsToTwips(qRound(printable.top() - paper.top()), dpiY)};
}

// The drawing rectangle in printer pixels, relative to the printable area.
QRectF pixelRect(const TwipsRect& rect, const QPrinter& printer)
{
    const double x = printer.logicalDpiX() / 1440.0;
    const double y = printer.logicalDpiY() / 1440.0;
    return {rect.left * x, rect.top * y, rect.width() * x, rect.height() * y};
}

// A copy of the text laid out for the printer at the given width.
std::unique_ptr<QTextDocument> layoutFor(const QTextDocument& text, QPrinter& printer, double width)
{
    std::unique_ptr<QTextDocument> copy(text.clone());
    copy->setDefaultFont(text.defaultFont());
    copy->documentLayout()->setPaintDevice(&printer);
    copy->setDocumentMargin(0);
    copy->setTextWidth(width);
    return copy;
}

std::vector<LineBox> linesOf(const QTextDocument& document)
{
    std::vector<LineBox> lines;
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const double blockTop = layout->blockBoundingRect(block).top();
        const QTextLayout* blockLayout = block.layout();
        for (int i = 0; i < blockLayout->lineCount(); ++i) {
            const QTextLine line = blockLayout->lineAt(i);
            const double top = blockTop + line.y();
            lines.push_back({block.position() + line.textStart(), top, top + line.height()});
        }
    }
    return lines;
}

// Draws the band [slice.top, slice.bottom) of the layout at the top of the
// drawing rectangle.
void drawSlice(QPainter& painter, const QTextDocument& document, const QRectF& area,
               const PageSlice& slice)
{
    if (slice.bottom <= slice.top)
        return; // nothing placed on this page
    const QRectF band(0, slice.top, area.width(), slice.bottom - slice.top);
    painter.save();
    painter.translate(area.left(), area.top() - slice.top);
    painter.setClipRect(band);
    QAbstractTextDocumentLayout::PaintContext context;
    // Lines that only touch the band belong to the pages before and after:
    // the layout draws every line its clip touches, and a PDF keeps clipped
    // text, so the band given to the layout stays clear of its edges.
    constexpr double kEdge = 0.5;
    context.clip = band.adjusted(0, kEdge, 0, -kEdge);
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace

PrintOutcome StampaTestoFormattato(const QTextDocument& text, QPrinter& printer,
                                   const Margins& margins)
{
    PrintOutcome outcome;
    QPainter painter;
    if (!painter.begin(&printer))
        return outcome;
    outcome.started = true;

    const QRectF area = pixelRect(drawingRect(paperOf(printer), margins), printer);
    const std::unique_ptr<QTextDocument> document = layoutFor(text, printer, area.width());
    const std::vector<LineBox> lines = linesOf(*document);
    const int length = document->characterCount() - 1; // the last paragraph mark is no text

    outcome.run = printPages(
        length,
        [&](int first) {
            const PageSlice slice = slicePage(lines, first, area.height(), length);
            drawSlice(painter, *document, area, slice);
            return slice.next;
        },
        [&] { printer.newPage(); });
    painter.end();
    return outcome;
}

} // namespace ortolino
