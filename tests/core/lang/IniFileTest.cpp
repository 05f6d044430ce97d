#include "core/lang/IniFile.h"

#include "core/platform/TextFiles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFile>

using namespace ortolino;
using ortolino::test::writeFile;

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    QTemporaryDir dir;
};

// A file of exactly `size` bytes: a [Strings] section with key 0001 and, in a
// later section, Label1 twice, padded by a comment line.
QByteArray fileOfSize(qint64 size)
{
    QByteArray head = "[FormMenu]\r\nLabel1.Caption=\"menu\"\r\n[Strings]\r\n0001=\"uno\"\r\n"
                      "[lettere]\r\nLabel1.Caption=\"lettere\"\r\n";
    QByteArray tail = ";";
    QByteArray padding(size - head.size() - tail.size() - 2, 'x');
    return head + tail + padding + "\r\n";
}

TEST_F(IniFileTest, SmallFilesFollowTheIniRules)
{
    writeFile(path("a.ini"),
              "; comment\r\n[ Strings ]\r\n  0001  =  \"  ciao  \"  \r\n"
              "0002=senza virgolette\r\n0003=\"solo una\r\n[strings]\r\n0004=secondo\r\n"
              "[Altro]\r\n0005=x\r\n");
    auto read = [&](const char* section, const char* key) {
        return MLSReadIniString(path("a.ini"), section, key).value();
    };
    EXPECT_EQ(read("strings", "0001"), "  ciao  "); // section and key in any case, quotes off
    EXPECT_EQ(read("STRINGS", "0002"), "senza virgolette");
    EXPECT_EQ(read("Strings", "0003"), "\"solo una"); // one quote is not a pair
    EXPECT_EQ(read("Strings", "0004"), "");           // only the first section of a name counts
    EXPECT_EQ(read("Strings", "0005"), "");           // keys of other sections are not seen
    EXPECT_EQ(read("Nessuna", "0001"), "");
}

TEST_F(IniFileTest, LongValuesAreCutTo511Characters)
{
    writeFile(path("long.ini"), "[S]\r\nk=\"" + QByteArray(600, 'a') + "\"\r\n");
    EXPECT_EQ(MLSReadIniString(path("long.ini"), "S", "k").value().size(), 511);
}

TEST_F(IniFileTest, AMissingFileIsAnErrorForTheCaller)
{
    EXPECT_FALSE(MLSReadIniString(path("missing.ini"), "S", "k").has_value());
}

TEST_F(IniFileTest, AboveSixtyFourThousandBytesTheFirstMatchingLineWins)
{
    writeFile(path("at.lng"), fileOfSize(64000));
    writeFile(path("above.lng"), fileOfSize(64001));
    ASSERT_EQ(QFile(path("at.lng")).size(), 64000);
    ASSERT_EQ(QFile(path("above.lng")).size(), 64001);

    EXPECT_EQ(MLSReadIniString(path("at.lng"), "lettere", "Label1.Caption").value(), "lettere");
    // The scan ignores sections: the first Label1.Caption of the file wins.
    EXPECT_EQ(MLSReadIniString(path("above.lng"), "lettere", "Label1.Caption").value(), "menu");
    EXPECT_EQ(MLSReadIniString(path("above.lng"), "Strings", "0001").value(), "uno");
    // Case counts in the scan, and a shorter key matches a longer one.
    EXPECT_EQ(MLSReadIniString(path("above.lng"), "lettere", "label1.caption").value(), "");
    EXPECT_EQ(MLSReadIniString(path("above.lng"), "Strings", "000").value(), "\"uno");
}

TEST_F(IniFileTest, TheScanDropsTheFirstAndLastCharacterWhateverTheyAre)
{
    QByteArray big = "k=ab\r\nshort=x\r\nempty=\r\n;" + QByteArray(64100, 'x') + "\r\n";
    writeFile(path("big.ini"), big);
    EXPECT_EQ(MLSReadIniString(path("big.ini"), "S", "k").value(), "");     // "ab" -> ""
    EXPECT_EQ(MLSReadIniString(path("big.ini"), "S", "short").value(), ""); // shorter than two
    EXPECT_EQ(MLSReadIniString(path("big.ini"), "S", "missing").value(), "");
}

TEST_F(IniFileTest, WindowsCodePageFilesRead)
{
    writeFile(path("it.lng"),
              *encodeWindows1252(QString::fromUtf8("[Strings]\r\n0001=\"Già è così\"\r\n")));
    EXPECT_EQ(MLSReadIniString(path("it.lng"), "Strings", "0001").value(),
              QString::fromUtf8("Già è così"));
    writeFile(path("bom.lng"), "\xEF\xBB\xBF[Strings]\n0001=\"perché\"\n");
    EXPECT_EQ(MLSReadIniString(path("bom.lng"), "Strings", "0001").value(),
              QString::fromUtf8("perché"));
}

TEST_F(IniFileTest, WritingCreatesReplacesAndKeepsTheRest)
{
    const QString file = path("LangSetting.ini");
    EXPECT_NE(MLSWriteIniString(file, "Language", "CurrentLanguage", "English"), 0);
    EXPECT_EQ(MLSReadIniString(file, "Language", "CurrentLanguage").value(), "English");

    writeFile(file, "[Other]\r\nx=1\r\n\r\n[language]\r\ncurrentlanguage=Italiano\r\ny=2\r\n");
    EXPECT_NE(MLSWriteIniString(file, "Language", "CurrentLanguage", "B"), 0);
    EXPECT_NE(MLSWriteIniString(file, "Other", "z", "3"), 0);
    EXPECT_EQ(MLSReadIniString(file, "Language", "CurrentLanguage").value(), "B");
    EXPECT_EQ(MLSReadIniString(file, "Language", "y").value(), "2");
    EXPECT_EQ(MLSReadIniString(file, "Other", "x").value(), "1");
    EXPECT_EQ(MLSReadIniString(file, "Other", "z").value(), "3");

    EXPECT_EQ(MLSWriteIniString(path("no/such/folder.ini"), "S", "k", "v"), 0);
}

} // namespace
