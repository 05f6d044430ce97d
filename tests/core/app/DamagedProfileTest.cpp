#include "core/app/Profile.h"
#include "core/app/Program.h"
#include "core/app/Startup.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"

#include <functional>
#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// A pipe, a device, a huge file or a folder in place of the profile: start-up
// goes on at once on the defaults, and a save killed half way leaves nothing.
TEST(DamagedProfile, StartsOnDefaultsAtOnceAndTemporaryFilesGo)
{
    TestEnvironment env;
    TestServices seams;
    const QString profile = env.env().profiloPredefinito();
    const QByteArray path = QFile::encodeName(profile);
    const std::function<void()> makers[] = {
        [&] { ASSERT_EQ(::mkfifo(path.constData(), 0600), 0); },
        [&] { ASSERT_TRUE(QFile::link("/dev/zero", profile)); },
        [&] {
            writeFile(profile, "");
            ASSERT_EQ(::truncate(path.constData(), 100 * 1024 * 1024), 0);
        },
        [&] { ASSERT_TRUE(QDir().mkpath(profile)); },
    };
    for (const auto& make : makers) {
        QDir(env.env().cartellaUtenti()).removeRecursively();
        QDir().mkpath(env.env().cartellaUtenti());
        make();
        writeFile(profile + ".a1B2c3", "half a save");
        Program program(env.env(), seams.services());
        program.state.MassimoLettere = 9;
        SingleInstanceLock lock(env.env().runtimeFolder);
        QElapsedTimer clock;
        clock.start();
        ASSERT_EQ(Main(program, lock), StartResult::Started);
        EXPECT_LT(clock.elapsed(), 2000);
        EXPECT_EQ(program.state.MassimoLettere, 5); // the defaults
        EXPECT_FALSE(QFile::exists(profile + ".a1B2c3"));
    }
}

} // namespace
