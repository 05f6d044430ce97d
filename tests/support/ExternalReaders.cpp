#include "support/ExternalReaders.h"

#include "core/platform/TextFiles.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace ortolino::test {

namespace {

struct ReadParagraph
{
    QString text;
    QString alignment = QStringLiteral("left");
    QList<int> sizes;
    QStringList fonts;
    bool bold = false;
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

class UnrtfParser
{
public:
    std::vector<ReadParagraph> parse(const QString& output)
    {
        const qsizetype body = output.indexOf(QStringLiteral("\x1d"
                                                             "body\x1f"));
        if (body < 0)
            return {};
        qsizetype i = body + 6;
        while (i < output.size()) {
            if (output[i] == QChar(0x1d)) {
                const qsizetype end = output.indexOf(QChar(0x1f), i);
                tag(output.mid(i + 1, end - i - 1));
                i = end + 1;
            } else {
                character(output[i++]);
            }
        }
        if (started_)
            paragraphs_.push_back(current_);
        return paragraphs_;
    }

private:
    void tag(const QString& name)
    {
        if (name == QLatin1String("br")) {
            touch();
            paragraphs_.push_back(current_);
            current_ = ReadParagraph();
            started_ = false;
        } else if (name == QLatin1String("center") || name == QLatin1String("right") ||
                   name == QLatin1String("left")) {
            alignment_ = name;
        } else if (name == QLatin1String("/align")) {
            alignment_ = QStringLiteral("left");
        } else if (name.startsWith(QLatin1String("size="))) {
            size_ = name.mid(5).toInt();
        } else if (name.startsWith(QLatin1String("font="))) {
            font_ = name.mid(5);
        } else if (name == QLatin1String("bold")) {
            current_.bold = true;
        } else if (name.startsWith(QLatin1Char('u'))) {
            character(QChar(static_cast<char16_t>(name.mid(1).toUInt())));
        }
    }

    void character(QChar ch)
    {
        if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r'))
            return; // unrtf's own line ends
        touch();
        current_.text += ch;
    }

    // unrtf opens an alignment at the first plain character, closes it after
    // the paragraph's end: the alignment in force at the last character (or
    // at the end of an empty paragraph) is the paragraph's. Every size and
    // face seen is noted.
    void touch()
    {
        current_.alignment = alignment_;
        started_ = true;
        if (current_.sizes.isEmpty() || current_.sizes.last() != size_)
            current_.sizes << size_;
        if (!font_.isEmpty() && !current_.fonts.contains(font_))
            current_.fonts << font_;
    }

    std::vector<ReadParagraph> paragraphs_;
    ReadParagraph current_;
    bool started_ = false;
    QString alignment_ = QStringLiteral("left");
    QString font_;
    int size_ = 0;
};

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
    const QByteArray output =
        run(QStringLiteral("unrtf"), {QStringLiteral("-P"), config.path(), QStringLiteral("-t"),
                                      QStringLiteral("ortolino"), path});
    QStringList paragraphs;
    for (const ReadParagraph& p : UnrtfParser().parse(QString::fromUtf8(output))) {
        QStringList sizes;
        for (int size : p.sizes)
            sizes << QString::number(size);
        paragraphs << QStringLiteral("%1 %2 %3%4: %5")
                          .arg(p.alignment, sizes.join(QLatin1Char(',')),
                               p.fonts.join(QLatin1Char(',')),
                               p.bold ? QStringLiteral(" bold") : QString(), p.text);
    }
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
