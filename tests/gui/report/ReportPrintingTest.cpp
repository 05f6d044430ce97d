#include "gui/report/ReportPrinting.h"

#include "gui/widgets/PrinterTarget.h"
#include "support/ExternalReaders.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <map>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace ortolino;
using namespace ortolino::test;

namespace {

constexpr double kInch = 72.0; // points
constexpr Margins kOneInch{1440, 1440, 1440, 1440};

// A line of text on a PDF page, from its words.
struct PdfLine
{
    QStringList words;
    double xMin = 1e9, yMin = 1e9, xMax = 0, yMax = 0;
};

std::vector<PdfLine> linesOf(const PdfPage& page)
{
    std::map<long, PdfLine> byBaseline;
    for (const PdfWord& w : page.words) {
        PdfLine& line = byBaseline[std::lround(w.yMax * 10)];
        line.words << w.text;
        line.xMin = std::min(line.xMin, w.xMin);
        line.yMin = std::min(line.yMin, w.yMin);
        line.xMax = std::max(line.xMax, w.xMax);
        line.yMax = std::max(line.yMax, w.yMax);
    }
    std::vector<PdfLine> lines;
    for (auto& [key, line] : byBaseline)
        lines.push_back(line);
    return lines;
}

// Numbered lines, one paragraph each, in a plain face; the last as big as asked.
void fillNumbered(QTextDocument& text, int count, double lastPoints = 14.5)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(14.5);
    text.setDefaultFont(font);
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Riga %1 del resoconto").arg(i, 3, 10, QLatin1Char('0'));
    text.setPlainText(lines.join(QLatin1Char('\n')));
    QTextCursor cursor(text.lastBlock());
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat big;
    big.setFontPointSize(lastPoints);
    cursor.mergeCharFormat(big);
}

class ReportPrintingTest : public ::testing::Test
{
protected:
    // Prints on A4 whose printable area starts a quarter inch inside the paper.
    std::vector<PdfPage> print(const QTextDocument& text)
    {
        PdfFilePrinter target(dir.filePath("out.pdf"), QMarginsF(18, 18, 18, 18));
        auto printer = target.open();
        outcome = StampaTestoFormattato(text, *printer, kOneInch);
        printer.reset(); // the file is complete once the printer is gone
        return readPdfWords(dir.filePath("out.pdf"));
    }

    QTemporaryDir dir;
    PrintOutcome outcome;
};

// 150 lines, the first big and centred: each once, in order, one inch inside
// the paper's edges, each page full.
TEST_F(ReportPrintingTest, ALongReportFillsPagesInsideOneInchFromThePapersEdge)
{
    QTextDocument text;
    fillNumbered(text, 150);
    QTextCursor cursor(&text);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat big;
    big.setFontPointSize(29);
    cursor.mergeCharFormat(big);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.mergeBlockFormat(centred);
    const auto pages = print(text);
    ASSERT_TRUE(outcome.started);
    EXPECT_TRUE(outcome.run.complete);
    ASSERT_GT(pages.size(), 2u);
    EXPECT_EQ(outcome.run.pages, int(pages.size()));

    const auto first = linesOf(pages[0]);
    ASSERT_GT(first.size(), 2u);
    EXPECT_NEAR((first[0].xMin + first[0].xMax) / 2, pages[0].width / 2, 2.0);
    EXPECT_NEAR((first[0].yMax - first[0].yMin) / (first[1].yMax - first[1].yMin), 2.0, 0.15);
    int expected = 1;
    for (size_t p = 0; p < pages.size(); ++p) {
        const PdfPage& page = pages[p];
        const auto lines = linesOf(page);
        ASSERT_GT(lines.size(), 2u) << p;
        for (const PdfLine& line : lines)
            EXPECT_EQ(line.words.value(1).toInt(), expected++) << p;
        if (p > 0) {
            EXPECT_NEAR(lines.front().xMin, kInch, 1.0) << p;
        }
        EXPECT_GE(lines.front().yMin, kInch - 0.5) << p;
        EXPECT_LE(lines.front().yMin, kInch + 4) << p;
        EXPECT_LE(lines.back().yMax, page.height - kInch) << p;
        if (p + 1 < pages.size()) { // no room left for one more line
            const double pitch = lines[2].yMax - lines[1].yMax;
            EXPECT_GT(lines.back().yMax + pitch, page.height - kInch) << p;
        }
    }
    EXPECT_EQ(expected, 151);
}

// A line taller than the page ends the job on a blank page instead of looping.
TEST_F(ReportPrintingTest, ALineTallerThanThePageEndsTheJob)
{
    QTextDocument text;
    fillNumbered(text, 2, 900);
    const auto pages = print(text);
    EXPECT_FALSE(outcome.run.complete);
    EXPECT_EQ(outcome.run.pages, 2);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(linesOf(pages[0]).size(), 1u);
    EXPECT_EQ(pages[0].words[1].text, "001");
    EXPECT_TRUE(pages[1].words.empty());
}

} // namespace
