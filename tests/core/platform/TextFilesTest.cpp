#include "core/platform/TextFiles.h"

#include "support/TestEnvironment.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ortolino;
using ortolino::test::writeFile;

namespace {

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// A folder with about 8 KiB of room left, as on a full disk: a 64 KiB tmpfs
// holding a filler, where the test may mount one, otherwise a file-size limit
// of 8 KiB for the process (the kernel then refuses the writes past it, as on
// a full disk, with another error number).
class FullDisk
{
public:
    static constexpr qint64 kRoom = 8 * 1024;

    FullDisk()
    {
        const QByteArray path = QFile::encodeName(dir_.path());
        mounted_ = ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k") == 0;
        if (mounted_)
            writeFile(dir_.filePath(QStringLiteral("filler")), QByteArray(52 * 1024, 'f'));
    }
    ~FullDisk()
    {
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    QString folder() const { return dir_.path(); }

    // Runs the write while the disk is full.
    template <typename F> auto whileFull(F write)
    {
        if (mounted_)
            return write();
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = kRoom;
        const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &small);
        auto result = write();
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldSignal);
        return result;
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

TEST(WriteFileAtomically, AFullDiskFailsTheSaveAndKeepsTheOldFile)
{
    FullDisk disk;
    const QString path = disk.folder() + QLatin1String("/_predefinito.INI");
    writeFile(path, "old profile\r\n");
    // 12 KiB stays in a write buffer and fails only when flushed, which must
    // be checked before the rename; the larger ones fail while written.
    for (qint64 size : {qint64(12 * 1024), qint64(64 * 1024 + 1), qint64(1024 * 1024)}) {
        SCOPED_TRACE(size);
        const QByteArray bigger(size, 'x');
        EXPECT_FALSE(disk.whileFull([&] { return writeFileAtomically(path, bigger); }));
        EXPECT_EQ(readFileBytes(path), "old profile\r\n");
        QStringList left = entriesOf(disk.folder());
        left.removeAll(QStringLiteral("filler"));
        EXPECT_EQ(left, QStringList{"_predefinito.INI"});
    }
}

TEST(WriteFileAtomically, ReplacesWholeKeepsPermissionsAndFollowsLinks)
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

    EXPECT_FALSE(writeFileAtomically(dir.filePath(QStringLiteral("manca/lista.txt")), "x"));
    EXPECT_EQ(entriesOf(dir.path()), (QStringList{"collegamento.txt", "lista.txt"}));
}

TEST(RemoveStaleTemporaryFiles, RemovesOnlyWhatAKilledSaveLeaves)
{
    QTemporaryDir dir;
    const QStringList stale = {"_predefinito.INI.a1B2c3", "mario.ini.XyZ123", "leggimi.txt.000000",
                               "LangSetting.ini.qwerty"};
    const QStringList kept = {"_predefinito.INI", "mario.ini",         "foto.jpg.a1B2c3",
                              "mario.ini.a1B2c",  "mario.ini.a1B2c3d", "appunti.txt"};
    for (const QString& name : stale + kept)
        writeFile(dir.filePath(name), "x");
    QDir(dir.path()).mkdir(QStringLiteral("cartella.ini.abcdef"));
    EXPECT_EQ(removeStaleTemporaryFiles(dir.path()), stale.size());
    QStringList left = kept + QStringList{"cartella.ini.abcdef"};
    left.sort();
    EXPECT_EQ(entriesOf(dir.path()), left); // sorted by name
}

// Readers refuse what is no plain file, or too large for its kind, at once.
TEST(ReadFileBytes, ReadsPlainFilesUpToTheLimitAndRefusesTheRest)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zeroLink = dir.filePath(QStringLiteral("zero"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zeroLink));
    writeFile(dir.filePath(QStringLiteral("sparse")), "");
    ASSERT_TRUE(QFile::resize(dir.filePath(QStringLiteral("sparse")), 100 << 20)); // no room taken
    writeFile(dir.filePath(QStringLiteral("ten")), "0123456789");

    struct Case
    {
        const char* name;
        qint64 limit;
        std::optional<QByteArray> expected;
    };
    const Case cases[] = {
        {"ten", 10, QByteArray("0123456789")},
        {"ten", 100, QByteArray("0123456789")},
        {"ten", 9, std::nullopt},
        {"fifo", 1024, std::nullopt},
        {"zero", 1024, std::nullopt},
        {"sparse", 64 * 1024, std::nullopt},
        {"", 1024, std::nullopt}, // the folder itself
        {"missing", 1024, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readFileBytes(dir.filePath(QString::fromLatin1(c.name)), c.limit), c.expected);
    }
    EXPECT_EQ(readFileBytes(QStringLiteral("/dev/zero"), 1024), std::nullopt);
}

} // namespace
