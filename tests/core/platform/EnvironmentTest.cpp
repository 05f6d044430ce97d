#include "core/platform/Environment.h"

#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

using namespace ortolino;
using ortolino::test::writeFile;

namespace {

// Without XDG_RUNTIME_DIR the lock lives in a folder of the user's own, never
// in the temporary folder every user shares. (No other test of this program
// reads these variables.)
TEST(EnvironmentTest, WithoutARuntimeFolderTheLockFolderIsTheUsersOwn)
{
    QTemporaryDir tmp;
    QTemporaryDir cache;
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(tmp.path()));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    const QString own = QDir(tmp.path()).filePath("ortolino-" + QString::number(::getuid()));
    const QByteArray ownPath = QFile::encodeName(own);
    auto mode = [&] {
        struct stat info;
        EXPECT_EQ(::lstat(ownPath.constData(), &info), 0);
        EXPECT_EQ(info.st_uid, ::getuid());
        return info.st_mode & 0777;
    };

    EXPECT_EQ(Environment::fromSystem(tmp.path()).runtimeFolder, own + "/");
    EXPECT_EQ(mode(), 0700u);
    // A folder left open to others is closed again; a file or a link in its
    // place (someone else's) is not used: the cache folder serves.
    ::chmod(ownPath.constData(), 0777);
    Environment::fromSystem(tmp.path());
    EXPECT_EQ(mode(), 0700u);
    QDir(own).removeRecursively();
    ASSERT_TRUE(QFile::link(cache.path(), own));
    EXPECT_EQ(Environment::fromSystem(tmp.path()).runtimeFolder, cache.path() + "/ortolino/");
    QFile::remove(own);
    writeFile(own, "in the way");
    EXPECT_EQ(Environment::fromSystem(tmp.path()).runtimeFolder, cache.path() + "/ortolino/");
    EXPECT_TRUE(QFileInfo(cache.path() + "/ortolino").isDir());
}

} // namespace
