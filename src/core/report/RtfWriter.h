#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace ortolino {

// Paragraph alignment, with the values the report box uses for it.
enum class Alignment
{
    Left = 0,
    Right = 1,
    Center = 2
};

// A stretch of text in one font face and size.
struct RtfRun
{
    QString text;
    QString font;
    double points = 12.0;
};

// One paragraph: its alignment and its runs. An empty paragraph keeps one run
// with no text, so that its font size (and so its line height) survives.
struct RtfParagraph
{
    Alignment alignment = Alignment::Left;
    std::vector<RtfRun> runs;
};

struct RtfDocument
{
    std::vector<RtfParagraph> paragraphs;
};

// The document as RTF 1 in the ANSI code page 1252, which every word
// processor reads: a font table, \fs in half-points, \ql \qr \qc, \par between
// paragraphs. Characters of Windows-1252 outside ASCII are written \'hh, all
// others \uN? (UTF-16 units, "?" for readers without Unicode), and "\", "{",
// "}" in texts and font names are escaped, so no text can change the
// document's structure.
QByteArray writeRtf(const RtfDocument& document);

} // namespace ortolino
