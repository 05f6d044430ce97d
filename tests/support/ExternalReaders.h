#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace ortolino::test {

// An RTF file as an independent reader (Debian's unrtf) understands it.
struct ReadParagraph
{
    QString text;
    QString alignment = QStringLiteral("left"); // "left", "right" or "center"
    QList<int> sizes;                           // whole points, one per change seen
    QStringList fonts;
    bool bold = false;
};

// Reads an RTF file with unrtf; fails the running test when unrtf is missing
// or fails.
std::vector<ReadParagraph> readRtfWithUnrtf(const QString& path);

// A word of a PDF page with its box in points from the page's top-left corner.
struct PdfWord
{
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

struct PdfPage
{
    double width = 0, height = 0;
    std::vector<PdfWord> words;
};

// The pages of a PDF file as poppler's pdftotext -bbox sees them.
std::vector<PdfPage> readPdfWords(const QString& path);

} // namespace ortolino::test
