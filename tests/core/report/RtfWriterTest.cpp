#include "core/report/RtfWriter.h"

#include "core/platform/TextFiles.h"
#include "support/ExternalReaders.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace ortolino;
using namespace ortolino::test;

namespace {

std::vector<ReadParagraph> readBack(const RtfDocument& document)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.rtf"));
    EXPECT_TRUE(writeFileAtomically(path, writeRtf(document)));
    return readRtfWithUnrtf(path);
}

TEST(RtfWriterTest, AnIndependentReaderGetsTextSizesAlignmentAndFacesBack)
{
    const RtfDocument document{{
        {Alignment::Center, {{QStringLiteral("Niccolò"), QStringLiteral("Arial"), 18}}},
        {Alignment::Left, {{QString(), QStringLiteral("Arial"), 14}}},
        {Alignment::Left,
         {{QStringLiteral("perché città più "), QStringLiteral("Verdana"), 14},
          {QStringLiteral("€ “sì” œ"), QStringLiteral("Arial"), 20}}},
        {Alignment::Right, {{QStringLiteral("Łódź Жук ☺"), QStringLiteral("Tratto1"), 12}}},
    }};
    const auto read = readBack(document);
    ASSERT_EQ(read.size(), 4u);
    EXPECT_EQ(read[0].text, "Niccolò");
    EXPECT_EQ(read[0].alignment, "center");
    EXPECT_EQ(read[0].sizes, QList<int>({18}));
    EXPECT_EQ(read[0].fonts, QStringList({"Arial"}));
    EXPECT_EQ(read[1].text, "");
    EXPECT_EQ(read[1].sizes, QList<int>({14}));
    EXPECT_EQ(read[2].text, "perché città più € “sì” œ");
    EXPECT_EQ(read[2].alignment, "left");
    EXPECT_EQ(read[2].sizes, QList<int>({14, 20}));
    EXPECT_EQ(read[2].fonts, QStringList({"Verdana", "Arial"}));
    EXPECT_EQ(read[3].text, "Łódź Жук ☺");
    EXPECT_EQ(read[3].alignment, "right");
    EXPECT_EQ(read[3].fonts, QStringList({"Tratto1"}));
}

TEST(RtfWriterTest, ControlCharactersOfTheTextCannotChangeTheDocument)
{
    const QString hostile =
        QStringLiteral("}{\\b ROTTO}\\par \\rtf1 {\\fonttbl} a\\\\b \\'e9 \\u1046?");
    const RtfDocument document{{
        {Alignment::Center, {{hostile, QStringLiteral("Ar}i{al;\\b"), 18}}},
        {Alignment::Left, {{QStringLiteral("dopo"), QStringLiteral("Arial"), 14}}},
    }};
    const QByteArray rtf = writeRtf(document);
    EXPECT_TRUE(rtf.contains("\\}\\{\\\\b ROTTO\\}\\\\par \\\\rtf1 \\{\\\\fonttbl\\}"));
    // ";" would end the name in the font table: it is dropped.
    EXPECT_TRUE(rtf.contains("{\\f0\\fnil\\fcharset0 Ar\\}i\\{al\\\\b;}"));
    const auto read = readBack(document);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].text, hostile);
    EXPECT_FALSE(read[0].bold);
    EXPECT_EQ(read[1].text, "dopo");
}

TEST(RtfWriterTest, WritesWindows1252AsHexAndTheRestAsSignedUnicode)
{
    const QByteArray rtf =
        writeRtf({{{Alignment::Left,
                    {{QStringLiteral("é€\u0416\uF0B7\tz  y"), QStringLiteral("Arial"), 14.5}}}}});
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"));
    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"));
    EXPECT_TRUE(rtf.contains("\\pard\\ql\\plain\\f0\\fs29 \\'e9\\'80\\u1046?\\u-3913?\\tab z  y"));
    EXPECT_FALSE(rtf.contains("\\par\r\n")); // one paragraph: nothing follows it
}

} // namespace
