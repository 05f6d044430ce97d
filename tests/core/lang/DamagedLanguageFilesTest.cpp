#include "core/lang/IniFile.h"
#include "core/platform/TextFiles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace ortolino;
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

} // namespace
