#include "core/report/RtfWriter.h"

#include "core/platform/TextFiles.h"
#include "support/ExternalReaders.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// Text in and out of Windows-1252, sizes, alignments and faces come back, whatever RTF marks.
TEST(RtfWriterTest, AnIndependentReaderGetsTheTextAndItsFormatsBackWhateverTheText)
{
    const QString hostile =
        QStringLiteral("}{\\b ROTTO}\\par \\rtf1 {\\fonttbl} a\\\\b \\'e9 \\u1046?");
    const RtfDocument document{{
        {Alignment::Center, {{QStringLiteral("Niccolò"), QStringLiteral("Arial"), 18}}},
        {Alignment::Left, {{QString(), QStringLiteral("Arial"), 14}}},
        {Alignment::Left,
         {{QStringLiteral("perché città più "), QStringLiteral("Verdana"), 14},
          {QStringLiteral("€ “sì” œ"), QStringLiteral("Arial"), 20}}},
        {Alignment::Right, {{QStringLiteral("Łódź Жук ☺"), QStringLiteral("Tratto1"), 12}}},
        {Alignment::Center, {{hostile, QStringLiteral("Ar}i{al;\\b"), 18}}},
        {Alignment::Left, {{QStringLiteral("dopo"), QStringLiteral("Arial"), 14}}},
    }};
    QTemporaryDir dir;
    ASSERT_TRUE(writeFileAtomically(dir.filePath("report.rtf"), writeRtf(document)));
    QStringList read = readRtfWithUnrtf(dir.filePath("report.rtf"));
    ASSERT_EQ(read.size(), 6);
    // The font name as unrtf makes it out is not the point: the text is, and no bold.
    EXPECT_TRUE(read[4].endsWith(": " + hostile) && !read[4].contains(" bold:"))
        << read[4].toStdString();
    read.removeAt(4);
    EXPECT_EQ(read, (QStringList{"center 18 Arial: Niccolò", "left 14 Arial: ",
                                 "left 14,20 Verdana,Arial: perché città più € “sì” œ",
                                 "right 12 Tratto1: Łódź Жук ☺", "left 14 Arial: dopo"}));
    // ";" would end the name in the font table: it is dropped.
    EXPECT_TRUE(writeRtf(document).contains("\\fnil\\fcharset0 Ar\\}i\\{al\\\\b;}"));
    // Windows-1252 as hex, the rest as signed 16-bit Unicode (readers take no
    // larger number), tabs as RTF's own; no empty paragraph after the last.
    const QByteArray rtf =
        writeRtf({{{Alignment::Left,
                    {{QStringLiteral("é€\u0416\uF0B7\tz  y"), QStringLiteral("Arial"), 14.5}}}}});
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252")); // hex in this code page everywhere
    EXPECT_TRUE(rtf.contains("\\pard\\ql\\plain\\f0\\fs29 \\'e9\\'80\\u1046?\\u-3913?\\tab z  y"));
    EXPECT_FALSE(rtf.contains("\\par\r\n"));
}

} // namespace
