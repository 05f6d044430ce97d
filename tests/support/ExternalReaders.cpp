#include "support/ExternalReaders.h"

#include "core/platform/TextFiles.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace ortolino::test {

namespace {

// A paragraph as unrtf shows it, and its line in readRtfWithUnrtf's form.
struct ReadParagraph
{
    QString text;
    QString alignment = QStringLiteral("left");
    QStringList sizes, fonts;
    bool bold = false;

    QString line() const
    {
        return QStringLiteral("%1 %2 %3%4: %5")
            .arg(alignment, sizes.join(u','), fonts.join(u','),
                 bold ? QStringLiteral(" bold") : QString(), text);
    }
};

// unrtf's output personality: every mark of interest becomes a tag between
// the control characters \x1d and \x1f, which never come out of a text, so
// tags and text cannot be confused.
QByteArray tagsConfiguration()
{
    const std::pair<const char*, const char*> tags[] = {
        {"body_begin", "body"},       {"line_break", "br"},           {"center_begin", "center"},
        {"center_end", "/align"},     {"align_right_begin", "right"}, {"align_right_end", "/align"},
        {"align_left_begin", "left"}, {"align_left_end", "/align"},   {"font_begin", "font=%"},
        {"font_end", "/font"},        {"fontsize_begin", "size=%"},   {"fontsize_end", "/size"},
        {"bold_begin", "bold"},       {"bold_end", "/bold"},          {"unisymbol_print", "u%"}};
    QByteArray conf;
    for (const auto& [name, tag] : tags)
        conf.append(name).append("\n\t\x1d").append(tag).append("\x1f\n");
    return conf.append("utf8_encoding\n\t\n");
}

QByteArray run(const QString& tool, const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        ADD_FAILURE() << tool.toStdString() << " is missing: the test set-up installs it";
        return {};
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

double attribute(const QString& element, const QString& name)
{
    const QRegularExpression re(name + QStringLiteral("=\"([-0-9.]+)\""));
    return re.match(element).captured(1).toDouble();
}

} // namespace

QStringList readRtfWithUnrtf(const QString& path)
{
    QTemporaryDir config;
    writeFileAtomically(config.filePath(QStringLiteral("ortolino.conf")), tagsConfiguration());
    const QString output = QString::fromUtf8(
        run(QStringLiteral("unrtf"), {QStringLiteral("-P"), config.path(), QStringLiteral("-t"),
                                      QStringLiteral("ortolino"), path}));
    QStringList paragraphs;
    ReadParagraph current;
    bool started = false;
    QString alignment = QStringLiteral("left"), font, size = QStringLiteral("0");
    // unrtf opens an alignment at the first plain character, closes it after
    // the paragraph's end: the alignment in force at the last character (or
    // at the end of an empty paragraph) is the paragraph's. Every size and
    // face seen is noted.
    const auto touch = [&] {
        current.alignment = alignment;
        started = true;
        if (current.sizes.isEmpty() || current.sizes.last() != size)
            current.sizes << size;
        if (!font.isEmpty() && !current.fonts.contains(font))
            current.fonts << font;
    };
    const auto character = [&](QChar ch) {
        touch();
        current.text += ch;
    };
    // A tag, or a character other than unrtf's own line ends.
    static const QRegularExpression token(QStringLiteral("\x1d([^\x1f]*)\x1f|[^\r\n]"));
    const qsizetype body = output.indexOf(QStringLiteral("\x1d"
                                                         "body\x1f"));
    for (auto it = token.globalMatch(output, body < 0 ? output.size() : body + 6); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString tag = match.captured(1);
        if (match.capturedStart(1) < 0) {
            character(match.captured(0).front());
        } else if (tag == QLatin1String("br")) {
            touch();
            paragraphs << current.line();
            current = ReadParagraph();
            started = false;
        } else if (tag == QLatin1String("center") || tag == QLatin1String("right") ||
                   tag == QLatin1String("left")) {
            alignment = tag;
        } else if (tag == QLatin1String("/align")) {
            alignment = QStringLiteral("left");
        } else if (tag.startsWith(QLatin1String("size="))) {
            size = QString::number(tag.mid(5).toInt());
        } else if (tag.startsWith(QLatin1String("font="))) {
            font = tag.mid(5);
        } else if (tag == QLatin1String("bold")) {
            current.bold = true;
        } else if (tag.startsWith(u'u')) {
            character(QChar(static_cast<char16_t>(tag.mid(1).toUInt())));
        }
    }
    if (started)
        paragraphs << current.line();
    return paragraphs;
}

std::vector<PdfPage> readPdfWords(const QString& path)
{
    const QString html = QString::fromUtf8(
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")}));
    std::vector<PdfPage> pages;
    static const QRegularExpression element(
        QStringLiteral("<page [^>]*>|<word [^>]*>([^<]*)</word>"));
    for (auto it = element.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString whole = match.captured(0);
        if (whole.startsWith(QLatin1String("<page"))) {
            pages.push_back({attribute(whole, QStringLiteral("width")),
                             attribute(whole, QStringLiteral("height")),
                             {}});
        } else if (!pages.empty()) {
            pages.back().words.push_back(
                {match.captured(1), attribute(whole, QStringLiteral("xMin")),
                 attribute(whole, QStringLiteral("yMin")), attribute(whole, QStringLiteral("xMax")),
                 attribute(whole, QStringLiteral("yMax"))});
        }
    }
    return pages;
}

} // namespace ortolino::test
