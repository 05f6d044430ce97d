#include "core/lang/IniFile.h"
#include "core/lang/Language.h"
#include "core/platform/TextFiles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace ortolino;
using ortolino::test::TestEnvironment;
using ortolino::test::writeFile;

namespace {

// A file too large to be a settings file, or a folder in its place, is
// neither read nor replaced by a file holding one key.
TEST(DamagedIniFile, TooLargeOrNotAFileIsNeitherReadNorReplaced)
{
    QTemporaryDir dir;
    const QString large = dir.filePath("large.ini");
    const QByteArray bytes =
        "[Strings]\r\n0001=\"uno\"\r\n;" + QByteArray(kIniDimensioneMassima, 'x') + "\r\n";
    writeFile(large, bytes);
    EXPECT_EQ(MLSReadIniString(large, "Strings", "0001"), std::nullopt);
    EXPECT_EQ(MLSWriteIniString(large, "Strings", "0001", "x"), 0);
    EXPECT_EQ(readFileBytes(large, 2 * kIniDimensioneMassima), bytes);

    const QString folder = dir.filePath("folder.ini");
    QDir().mkdir(folder);
    EXPECT_EQ(MLSWriteIniString(folder, "S", "k", "v"), 0);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

// A language file with holes: the program's messages fall back to the Italian
// built in, so no message box is ever empty.
TEST(DamagedLanguageFile, AMissingMessageFallsBackToTheBuiltInItalian)
{
    TestEnvironment env;
    const std::optional<IniDocument> italian =
        IniDocument::load(env.env().programFile("lngortolino/Italiano.lng"));
    ASSERT_TRUE(italian);
    env.writeProgramFile("lngortolino/Bucata.lng", "[Strings]\r\n0001=\"Uno\"\r\n");
    Language language(env.env());
    language.CurrentLanguage = "Bucata";
    EXPECT_EQ(language.MLSGetString("0001"), "Uno");
    for (const char* key : {"0201", "0206", "0211", "0233", "0241"}) {
        EXPECT_FALSE(language.MLSGetString(key).isEmpty()) << key;
        EXPECT_EQ(language.MLSGetString(key), italian->value("Strings", key));
    }
    language.CurrentLanguage = "Mancante";
    EXPECT_EQ(language.MLSGetString("0201"), italian->value("Strings", "0201"));
    EXPECT_EQ(language.MLSGetString("0100"), ""); // a data name has no fallback,
    EXPECT_EQ(language.MLSGetString("0209"), ""); // nor has the language's code
}

} // namespace
