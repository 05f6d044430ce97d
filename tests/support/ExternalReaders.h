#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace ortolino::test {

// An RTF file as an independent reader (Debian's unrtf) understands it: a line
// per paragraph, "alignment sizes faces[ bold]: text", alignment "left", "right"
// or "center", sizes in whole points and faces as each changes. Fails the running
// test when unrtf is missing or fails.
QStringList readRtfWithUnrtf(const QString& path);

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
