// Renders Ortolino's documents (the teacher's manual, the licence and credits)
// from their sources into PDF, at build time:
//
//   ortolino_mkdoc OUTPUT.pdf TITLE INPUT...
//
// Inputs ending in ".md" are Markdown; any other input is plain text (a
// licence, a credits file) set in a fixed-width font. Every top-level heading
// after the first starts a new page.

#include <algorithm>
#include <cstdio>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

namespace {

QString readText(const QString& path, bool* ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? QString::fromUtf8(file.readAll()) : QString();
}

// Plain text as a fenced block whose fence no line of the text can close.
QString asPreformatted(const QString& text)
{
    int longest = 0;
    int run = 0;
    for (QChar c : text) {
        run = c == QLatin1Char('~') ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    const QString fence(std::max(3, longest + 1), QLatin1Char('~'));
    return fence + QLatin1Char('\n') + text + QLatin1Char('\n') + fence + QLatin1Char('\n');
}

// Plain text is set a little smaller, so that its 80-column lines fit the
// page; lines that are longer still wrap instead of running off the page.
void layOutForPaper(QTextDocument& document)
{
    QTextCharFormat smaller;
    smaller.setFontPointSize(8.5);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (!format.nonBreakableLines())
            continue;
        format.setNonBreakableLines(false);
        QTextCursor cursor(block);
        cursor.setBlockFormat(format);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(smaller);
    }
}

// Pictures (the manual's screenshots) named by their full path, since the
// copy of the document that printing lays out knows no base folder, and at
// most as wide as the text: a screenshot is wider than the page at its size.
void fitPictures(QTextDocument& document, double width)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            if (!picture.isValid())
                continue;
            const QUrl path = document.baseUrl().resolved(QUrl(picture.name()));
            picture.setName(path.toString());
            const QImage image(path.toLocalFile());
            if (!image.isNull() && image.width() > width) {
                picture.setWidth(width);
                picture.setHeight(width * image.height() / image.width());
            }
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // a build machine has no display
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: ortolino_mkdoc OUTPUT.pdf TITLE INPUT...\n");
        return 2;
    }

    QString markdown;
    for (const QString& input : args.mid(3)) {
        bool ok = false;
        const QString text = readText(input, &ok);
        if (!ok) {
            std::fprintf(stderr, "ortolino_mkdoc: cannot read %s\n", qPrintable(input));
            return 1;
        }
        markdown += input.endsWith(QLatin1String(".md")) ? text : asPreformatted(text);
        markdown += QLatin1String("\n\n");
    }

    QTextDocument document;
    document.setBaseUrl(
        QUrl::fromLocalFile(QFileInfo(args.at(3)).absolutePath() + QLatin1Char('/')));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setMarkdown(markdown);
    layOutForPaper(document);
    fitPictures(document, 480);

    QPdfWriter pdf(args.at(1));
    pdf.setTitle(args.at(2));
    pdf.setCreator(QStringLiteral("Ortolino"));
    // The document keeps its own 2 cm margin around the text and the page number.
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    document.print(&pdf);
    return QFileInfo(args.at(1)).size() > 0 ? 0 : 1;
}
