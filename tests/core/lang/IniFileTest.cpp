#include "core/lang/IniFile.h"

#include "core/platform/TextFiles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace ortolino;
using ortolino::test::writeFile;

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    // The value a file with these bytes gives for the key.
    QString read(const QByteArray& bytes, const char* section, const char* key) const
    {
        writeFile(path("a.ini"), bytes);
        return MLSReadIniString(path("a.ini"), section, key).value_or("(error)");
    }
    QTemporaryDir dir;
};

// A file of exactly `size` bytes: Label1 in two sections and a Strings key,
// padded by a comment line.
QByteArray fileOfSize(qsizetype size)
{
    const QByteArray head = "[FormMenu]\r\nLabel1.Caption=\"menu\"\r\n[Strings]\r\n0001=\"uno\""
                            "\r\n[lettere]\r\nLabel1.Caption=\"lettere\"\r\n;";
    return head + QByteArray(size - head.size() - 2, 'x') + "\r\n";
}

TEST_F(IniFileTest, SmallFilesFollowTheIniRules)
{
    const QByteArray file = "; comment\r\n[ Strings ]\r\n  0001  =  \"  ciao  \"  \r\n"
                            "0002=senza virgolette\r\n0003=\"solo una\r\n[strings]\r\n0004=secondo"
                            "\r\n[Altro]\r\n0005=x\r\n";
    EXPECT_EQ(read(file, "strings", "0001"), "  ciao  "); // section, key in any case, no quotes
    EXPECT_EQ(read(file, "STRINGS", "0002"), "senza virgolette");
    EXPECT_EQ(read(file, "Strings", "0003"), "\"solo una"); // one quote is not a pair
    EXPECT_EQ(read(file, "Strings", "0004"), "");           // only a name's first section counts
    EXPECT_EQ(read(file, "Strings", "0005"), "");           // other sections' keys are not seen
    EXPECT_EQ(read(file, "Nessuna", "0001"), "");
    EXPECT_EQ(read("[S]\r\nk=\"" + QByteArray(600, 'a') + "\"\r\n", "S", "k").size(), 511);
    EXPECT_EQ(read(*encodeWindows1252(QString::fromUtf8("[S]\r\nk=\"Già è così\"\r\n")), "S", "k"),
              QString::fromUtf8("Già è così"));
    EXPECT_EQ(read("\xEF\xBB\xBF[S]\nk=\"perché\"\n", "S", "k"), QString::fromUtf8("perché"));
    EXPECT_FALSE(MLSReadIniString(path("missing.ini"), "S", "k").has_value());
}

TEST_F(IniFileTest, AboveSixtyFourThousandBytesTheFirstMatchingLineWins)
{
    EXPECT_EQ(read(fileOfSize(64000), "lettere", "Label1.Caption"), "lettere");
    ASSERT_EQ(QFile(path("a.ini")).size(), 64000);
    const QByteArray above = fileOfSize(64001);
    // The scan ignores sections: the first Label1.Caption of the file wins.
    EXPECT_EQ(read(above, "lettere", "Label1.Caption"), "menu");
    EXPECT_EQ(read(above, "Strings", "0001"), "uno");
    // Case counts in the scan, and a shorter key matches a longer one.
    EXPECT_EQ(read(above, "lettere", "label1.caption"), "");
    EXPECT_EQ(read(above, "Strings", "000"), "\"uno");
    // The scan drops the first and last character, whatever they are.
    const QByteArray big = "k=ab\r\nshort=x\r\n;" + QByteArray(64100, 'x') + "\r\n";
    for (const char* key : {"k", "short", "missing"})
        EXPECT_EQ(read(big, "S", key), "") << key;
}

TEST_F(IniFileTest, WritingCreatesReplacesAndKeepsTheRest)
{
    const QString file = path("LangSetting.ini");
    EXPECT_NE(MLSWriteIniString(file, "Language", "CurrentLanguage", "English"), 0);
    EXPECT_EQ(MLSReadIniString(file, "Language", "CurrentLanguage").value(), "English");

    writeFile(file, "[Other]\r\nx=1\r\n\r\n[language]\r\ncurrentlanguage=Italiano\r\ny=2\r\n");
    EXPECT_NE(MLSWriteIniString(file, "Language", "CurrentLanguage", "B"), 0);
    EXPECT_NE(MLSWriteIniString(file, "Other", "z", "3"), 0);
    for (const auto& [section, key, value] : {std::tuple{"Language", "CurrentLanguage", "B"},
                                              {"Language", "y", "2"},
                                              {"Other", "x", "1"},
                                              {"Other", "z", "3"}})
        EXPECT_EQ(MLSReadIniString(file, section, key).value(), value) << key;

    EXPECT_EQ(MLSWriteIniString(path("no/such/folder.ini"), "S", "k", "v"), 0);

    // A file too large to be a settings file, or a folder in its place, is
    // neither read nor replaced by a file holding one key.
    const QByteArray large =
        "[Strings]\r\n0001=\"uno\"\r\n;" + QByteArray(kIniDimensioneMassima, 'x') + "\r\n";
    EXPECT_EQ(read(large, "Strings", "0001"), "(error)");
    EXPECT_EQ(MLSWriteIniString(path("a.ini"), "Strings", "0001", "x"), 0);
    EXPECT_EQ(readFileBytes(path("a.ini"), 2 * kIniDimensioneMassima), large);
    QDir().mkdir(path("folder.ini"));
    EXPECT_EQ(MLSWriteIniString(path("folder.ini"), "S", "k", "v"), 0);
    EXPECT_TRUE(QFileInfo(path("folder.ini")).isDir());
}

} // namespace
