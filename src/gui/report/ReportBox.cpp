#include "gui/report/ReportBox.h"

#include <algorithm>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace ortolino {

namespace {

// CR LF (and a lone LF or CR) is one paragraph mark in the box.
QString asBoxText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

Qt::Alignment qtAlignment(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Center:
        return Qt::AlignHCenter;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

Alignment alignmentOf(const QTextBlock& block)
{
    const Qt::Alignment a = block.blockFormat().alignment();
    if (a & Qt::AlignHCenter)
        return Alignment::Center;
    const bool rightToLeft = block.textDirection() == Qt::RightToLeft;
    if ((a & Qt::AlignRight) || ((a & Qt::AlignTrailing) && !rightToLeft))
        return Alignment::Right;
    return Alignment::Left;
}

// The range's characters get the size, the paragraphs holding them the
// alignment. A paragraph's mark belongs to the paragraph it ends, as in the
// box of the historic design: a range that ends with a line's mark formats
// that line only, and the next line keeps its own format.
void formatRange(QTextDocument& document, const BoxStep& step)
{
    const int textEnd = document.characterCount() - 1;
    const int start = std::clamp(step.start, 0, textEnd);
    const int end = std::clamp(step.start + step.length, start, textEnd);
    QTextCharFormat size;
    size.setFontPointSize(step.points);
    QTextBlockFormat alignment;
    alignment.setAlignment(qtAlignment(step.alignment));

    const int last = std::max(start, end - 1);
    for (QTextBlock block = document.findBlock(start); block.isValid() && block.position() <= last;
         block = block.next()) {
        QTextCursor cursor(block);
        cursor.mergeBlockFormat(alignment);
        const int from = std::max(start, block.position());
        const int to = std::min(end, block.position() + block.length() - 1); // without the mark
        if (from < to) {
            cursor.setPosition(from);
            cursor.setPosition(to, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(size);
        }
    }
}

RtfRun runOf(const QTextCharFormat& format, const QFont& defaultFont, const QString& text)
{
    const QFont font = format.font().resolve(defaultFont);
    return {text, font.family(), font.pointSizeF()};
}

} // namespace

void applyBoxSteps(QTextEdit& box, const std::vector<BoxStep>& steps)
{
    // The steps work on a copy that no view lays out after every change (a
    // long log would take seconds); the box then shows the result whole.
    auto* work = box.document()->clone(&box);
    work->setDefaultFont(box.font());
    for (const BoxStep& step : steps) {
        switch (step.kind) {
        case BoxStep::Kind::SetText:
            work->setPlainText(asBoxText(step.text));
            break;
        case BoxStep::Kind::AppendText:
            work->setPlainText(work->toPlainText() + asBoxText(step.text));
            break;
        case BoxStep::Kind::Format:
            formatRange(*work, step);
            break;
        }
    }
    box.setDocument(work);
}

RtfDocument rtfDocumentOf(const QTextDocument& document)
{
    RtfDocument rtf;
    const QFont defaultFont = document.defaultFont();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        RtfParagraph paragraph;
        paragraph.alignment = alignmentOf(block);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid())
                paragraph.runs.push_back(
                    runOf(fragment.charFormat(), defaultFont, fragment.text()));
        }
        if (paragraph.runs.empty())
            paragraph.runs.push_back(runOf(block.charFormat(), defaultFont, QString()));
        rtf.paragraphs.push_back(std::move(paragraph));
    }
    return rtf;
}

} // namespace ortolino
