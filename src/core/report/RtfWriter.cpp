#include "core/report/RtfWriter.h"

#include "core/platform/TextFiles.h"

#include <cmath>
#include <QStringList>

namespace ortolino {

namespace {

void appendEscapedChar(QByteArray& out, QChar ch)
{
    const char16_t u = ch.unicode();
    if (u == u'\\' || u == u'{' || u == u'}') {
        out.append('\\').append(static_cast<char>(u));
    } else if (u >= 0x20 && u < 0x7F) {
        out.append(static_cast<char>(u));
    } else if (u == u'\t') {
        out.append("\\tab ");
    } else if (u == u'\n' || u == QChar::LineSeparator || u == QChar::ParagraphSeparator) {
        out.append("\\line ");
    } else if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u == QChar::ObjectReplacementCharacter) {
        // Control characters and object placeholders carry no text.
    } else if (auto byte = encodeWindows1252(QString(ch)); byte && byte->size() == 1) {
        out.append("\\'").append(byte->toHex());
    } else {
        // RTF counts \u in signed 16-bit numbers; "?" is what a reader that
        // knows no Unicode shows instead (\uc1 says it is one character).
        out.append("\\u").append(QByteArray::number(static_cast<qint16>(u))).append('?');
    }
}

QByteArray escaped(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text)
        appendEscapedChar(out, ch);
    return out;
}

QByteArray alignmentWord(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right:
        return "\\qr";
    case Alignment::Center:
        return "\\qc";
    case Alignment::Left:
        break;
    }
    return "\\ql";
}

int halfPoints(double points)
{
    return points > 0 ? static_cast<int>(std::lround(points * 2)) : 24;
}

QStringList fontTable(const RtfDocument& document)
{
    QStringList fonts;
    for (const RtfParagraph& paragraph : document.paragraphs) {
        for (const RtfRun& run : paragraph.runs) {
            if (!fonts.contains(run.font))
                fonts << run.font;
        }
    }
    return fonts;
}

QByteArray header(const QStringList& fonts)
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252";
    if (!fonts.isEmpty())
        out.append("\\deff0");
    out.append("\\uc1\r\n{\\fonttbl");
    for (qsizetype i = 0; i < fonts.size(); ++i) {
        // A semicolon ends a font name in the table: it cannot be part of one.
        QString name = fonts[i];
        name.remove(QLatin1Char(';'));
        out.append("{\\f").append(QByteArray::number(i)).append("\\fnil\\fcharset0 ");
        out.append(escaped(name)).append(";}");
    }
    out.append("}\r\n");
    return out;
}

} // namespace

QByteArray writeRtf(const RtfDocument& document)
{
    const QStringList fonts = fontTable(document);
    QByteArray out = header(fonts);
    bool first = true;
    for (const RtfParagraph& paragraph : document.paragraphs) {
        if (!first)
            out.append("\\par\r\n");
        first = false;
        out.append("\\pard").append(alignmentWord(paragraph.alignment));
        for (const RtfRun& run : paragraph.runs) {
            out.append("\\plain\\f").append(QByteArray::number(fonts.indexOf(run.font)));
            out.append("\\fs").append(QByteArray::number(halfPoints(run.points))).append(' ');
            out.append(escaped(run.text));
        }
    }
    out.append("}\r\n");
    return out;
}

} // namespace ortolino
