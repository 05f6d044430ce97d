#include "core/platform/Environment.h"

#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace ortolino;
using ortolino::test::writeFile;

namespace {

// Sets environment variables for one test and puts the old values back.
class ScopedVariables
{
public:
    ScopedVariables(std::initializer_list<std::pair<const char*, QByteArray>> values)
    {
        for (const auto& [name, value] : values) {
            saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }
    ~ScopedVariables()
    {
        for (const Saved& s : saved_) {
            if (s.set)
                qputenv(s.name, s.value);
            else
                qunsetenv(s.name);
        }
    }

private:
    struct Saved
    {
        const char* name;
        QByteArray value;
        bool set;
    };
    std::vector<Saved> saved_;
};

// Without XDG_RUNTIME_DIR the lock lives in a folder of the user's own, never
// in the temporary folder every user shares.
TEST(EnvironmentTest, WithoutARuntimeFolderTheLockFolderIsTheUsersOwn)
{
    QTemporaryDir tmp;
    QTemporaryDir cache;
    const ScopedVariables vars{{"XDG_RUNTIME_DIR", QByteArray()},
                               {"TMPDIR", QFile::encodeName(tmp.path())},
                               {"XDG_CACHE_HOME", QFile::encodeName(cache.path())}};
    const QString own = QDir(tmp.path()).filePath("ortolino-" + QString::number(::getuid()));

    Environment env = Environment::fromSystem(tmp.path());
    EXPECT_EQ(env.runtimeFolder, own + "/");
    struct stat info;
    ASSERT_EQ(::lstat(QFile::encodeName(own).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, ::getuid());

    // A folder left open to others is closed again; a file or a link in its
    // place (someone else's) is not used: the cache folder serves.
    ::chmod(QFile::encodeName(own).constData(), 0777);
    env = Environment::fromSystem(tmp.path());
    ::lstat(QFile::encodeName(own).constData(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    QDir(own).removeRecursively();
    ASSERT_TRUE(QFile::link(cache.path(), own));
    EXPECT_EQ(Environment::fromSystem(tmp.path()).runtimeFolder, cache.path() + "/ortolino/");
    QFile::remove(own);
    writeFile(own, "in the way");
    EXPECT_EQ(Environment::fromSystem(tmp.path()).runtimeFolder, cache.path() + "/ortolino/");
    EXPECT_TRUE(QFileInfo(cache.path() + "/ortolino").isDir());
}

} // namespace
