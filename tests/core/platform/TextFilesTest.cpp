#include "core/platform/TextFiles.h"

#include "core/platform/Environment.h"
#include "support/FullDisk.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

using namespace ortolino;
using ortolino::test::whileTheDiskIsFull;
using ortolino::test::writeFile;

namespace {

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST(WriteFileAtomically, ReplacesWholeKeepsPermissionsFollowsLinksAndFailsWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lista.txt"));
    ASSERT_TRUE(writeFileAtomically(path, "uno\r\n"));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(writeFileAtomically(path, "due\r\n"));
    EXPECT_EQ(readFileBytes(path), "due\r\n");
    EXPECT_EQ(QFileInfo(path).permissions(),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);

    const QString link = dir.filePath(QStringLiteral("collegamento.txt"));
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_TRUE(writeFileAtomically(link, "tre\r\n"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFileBytes(path), "tre\r\n");

    // A full disk fails the save and keeps the old file; 12 KiB may stay in a
    // write buffer and fail only when flushed (before the rename).
    for (qint64 size : {qint64(12 * 1024), qint64(1024 * 1024)}) {
        SCOPED_TRACE(size);
        const QByteArray bigger(size, 'x');
        EXPECT_FALSE(whileTheDiskIsFull([&] { return writeFileAtomically(path, bigger); }));
        EXPECT_EQ(readFileBytes(path), "tre\r\n");
    }
    EXPECT_EQ(entriesOf(dir.path()), (QStringList{"collegamento.txt", "lista.txt"}));
}

TEST(RemoveStaleTemporaryFiles, RemovesOnlyWhatAKilledSaveLeaves)
{
    QTemporaryDir dir;
    const QStringList stale = {"_predefinito.INI.a1B2c3", "mario.ini.XyZ123", "leggimi.txt.000000"};
    // In order, the first a folder.
    const QStringList kept = {"cartella.ini.abcdef", "foto.jpg.a1B2c3", "mario.ini",
                              "mario.ini.a1B2c", "mario.ini.a1B2c3d"};
    QDir(dir.path()).mkdir(kept[0]);
    for (const QString& name : stale + kept.mid(1))
        writeFile(dir.filePath(name), "x");
    EXPECT_EQ(removeStaleTemporaryFiles(dir.path()), stale.size());
    EXPECT_EQ(entriesOf(dir.path()), kept);
}

// Readers refuse what is no plain file, or too large for its kind, at once.
TEST(ReadFileBytes, ReadsPlainFilesUpToTheLimitAndRefusesTheRest)
{
    QTemporaryDir dir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.filePath("zero")));
    writeFile(dir.filePath("sparse"), "");
    ASSERT_TRUE(QFile::resize(dir.filePath("sparse"), 100 << 20)); // no room taken
    writeFile(dir.filePath("ten"), "0123456789");
    EXPECT_EQ(readFileBytes(dir.filePath("ten"), 10), QByteArray("0123456789"));
    const std::pair<const char*, qint64> refused[] = {
        {"ten", 9}, {"fifo", 1024},    {"zero", 1024},      {"sparse", 1 << 16},
        {"", 1024}, {"missing", 1024}, {"/dev/zero", 1024},
    };
    for (const auto& [name, limit] : refused) // "": the folder itself
        EXPECT_EQ(readFileBytes(dir.filePath(name), limit), std::nullopt) << name;
}

// Without XDG_RUNTIME_DIR the lock lives in a folder of the user's own, closed
// to others; a link in its place (someone else's) gives the cache's.
TEST(EnvironmentTest, WithoutARuntimeFolderTheLockFolderIsTheUsersOwn)
{
    QTemporaryDir tmp, cache;
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(tmp.path()));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    const QString own = QDir(tmp.path()).filePath("ortolino-" + QString::number(::getuid()));
    const auto runtimeFolder = [&] { return Environment::fromSystem(tmp.path()).runtimeFolder; };
    const auto mode = [&] {
        return std::filesystem::symlink_status(own.toStdString()).permissions();
    };
    EXPECT_EQ(runtimeFolder(), own + "/");
    EXPECT_EQ(mode(), std::filesystem::perms::owner_all);
    std::filesystem::permissions(own.toStdString(), std::filesystem::perms::all);
    runtimeFolder();
    EXPECT_EQ(mode(), std::filesystem::perms::owner_all);
    QDir(own).removeRecursively();
    ASSERT_TRUE(QFile::link(cache.path(), own));
    EXPECT_EQ(runtimeFolder(), cache.path() + "/ortolino/");
    EXPECT_TRUE(QFileInfo(cache.path() + "/ortolino").isDir());
}

} // namespace
