#include "core/app/Startup.h"

#include "core/app/Program.h"
#include "core/platform/TextFiles.h"
#include "support/Doubles.h"
#include "support/FullDisk.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <memory>
#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ortolino;
using namespace ortolino::test;

namespace {

class StartupTest : public ::testing::Test
{
protected:
    StartupTest() { env.writeProgramFile("tratto1.ttf", "not really a font"); }

    Program makeProgram() { return Program(env.env(), seams.services()); }
    // Starts a program; its lock is held until the next start.
    StartResult start(Program& program)
    {
        lock.reset();
        lock = std::make_unique<SingleInstanceLock>(env.env().runtimeFolder);
        return Main(program, *lock);
    }

    TestEnvironment env;
    TestServices seams;
    std::unique_ptr<SingleInstanceLock> lock;
};

// Later starts make only what is missing; a second copy stops at once.
TEST_F(StartupTest, AFirstStartMakesTheSettingsTreeInstallsTheFontAndReadsTheLanguage)
{
    QDir(env.root() + "/config").removeRecursively(); // a fresh account: not even ~/.config
    const QString installed = env.env().windowsFolder + "fonts/tratto1.ttf";
    Program first = makeProgram();
    ASSERT_EQ(start(first), StartResult::Started);
    EXPECT_EQ(seams.messages.shown.size(), 1u); // the font's notice alone
    EXPECT_EQ(seams.fonts.registered, QStringList{installed});
    EXPECT_EQ(readFileBytes(installed), readFileBytes(first.env.programFile("tratto1.ttf")));
    for (const QString& folder : {env.env().cartellaUtenti(), env.env().cartellaDati()})
        EXPECT_TRUE(QDir(folder).exists()) << folder.toStdString();
    const ProgramState& s = first.state;
    EXPECT_EQ(std::tuple(s.LinguaAgente, s.CartellaImmagini, seams.random.randomizeCalls),
              std::tuple("1040", "immagini", 1)); // the language read
    EXPECT_EQ(s.PercorsoProfilo, env.env().cartellaUtenti() + "_predefinito.INI");
    EXPECT_EQ(s.ListaInUso, env.env().programFolder + "/liste/predefinita.txt");
    EXPECT_FALSE(QFile::exists(s.PercorsoProfilo)); // nothing is saved before the first change

    seams.messages.shown.clear();
    Program again = makeProgram();
    ASSERT_EQ(start(again), StartResult::Started);
    EXPECT_TRUE(seams.messages.shown.empty());
    EXPECT_EQ(seams.fonts.registered.size(), 2); // made usable in every run

    // The copy of an older release is kept while the disk is full, then brought up to date.
    ASSERT_TRUE(writeFileAtomically(installed, "an older Tratto1"));
    env.writeProgramFile("tratto1.ttf", QByteArray(16 * 1024, 'f')); // larger than the room left
    Program full = makeProgram();
    EXPECT_EQ(whileTheDiskIsFull([&] { return start(full); }), StartResult::Started);
    EXPECT_EQ(readFileBytes(installed), "an older Tratto1");
    Program updated = makeProgram();
    ASSERT_EQ(start(updated), StartResult::Started);
    EXPECT_TRUE(seams.messages.shown.empty());
    EXPECT_EQ(readFileBytes(installed), readFileBytes(updated.env.programFile("tratto1.ttf")));

    seams.messages.shown.clear();
    Program second = makeProgram();
    SingleInstanceLock secondLock(env.env().runtimeFolder);
    EXPECT_EQ(Main(second, secondLock), StartResult::AlreadyRunning);
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].text, second.text("0001"));
    EXPECT_EQ(second.state.PercorsoProfilo, ""); // nothing else happened
}

TEST_F(StartupTest, ALockLeftByAKilledRunDoesNotBlock)
{
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstanceLock lock(env.env().runtimeFolder);
        _exit(lock.tryAcquire() ? 0 : 1); // leaves without releasing the lock
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(env.env().runtimeFolder + "ortolino.lock"));

    Program program = makeProgram();
    EXPECT_EQ(start(program), StartResult::Started);

    // No lock can be made at all: no second copy either.
    writeFile(env.root() + "/file", "x");
    EXPECT_TRUE(SingleInstanceLock(env.root() + "/file/").tryAcquire());
}

// No language files, and a file in the settings root's place: named, and the defaults serve.
TEST_F(StartupTest, ASettingsFolderThatCannotBeMadeIsNamedAndTheDefaultsServe)
{
    TestEnvironment bare(TestEnvironment::Data::Empty);
    writeFile(bare.env().settingsRoot.chopped(1), "in the way");
    Program program(bare.env(), seams.services());
    SingleInstanceLock lock(bare.env().runtimeFolder);
    ASSERT_EQ(Main(program, lock), StartResult::Started);
    ASSERT_FALSE(seams.messages.shown.empty());
    EXPECT_TRUE(seams.messages.shown.back().text.contains("ImpostazioniProgrammiLumo"));
    EXPECT_EQ(program.state.MassimoLettere, 5);
}

// A pipe as the profile (as a device: ReadFileBytes' cases): the defaults, without
// waiting for a writer (which would hang the start); a killed save's temporary goes.
TEST_F(StartupTest, ADamagedProfileStartsOnDefaultsAtOnceAndTemporaryFilesGo)
{
    const QString profile = env.env().profiloPredefinito();
    QDir().mkpath(env.env().cartellaUtenti());
    ASSERT_EQ(::mkfifo(QFile::encodeName(profile).constData(), 0600), 0);
    writeFile(profile + ".a1B2c3", "half a save");
    Program program = makeProgram();
    program.state.MassimoLettere = 9;
    ASSERT_EQ(start(program), StartResult::Started);
    EXPECT_EQ(program.state.MassimoLettere, 5); // the defaults
    EXPECT_FALSE(QFile::exists(profile + ".a1B2c3"));
}

// Every random background holds the child's word and the scan's mark readably.
TEST(ColourTableTest, EachBackgroundHoldsTextAndTheScanMark)
{
    const auto mark = static_cast<std::uint32_t>(ProgramState().ColoreBottoneSelezionato);
    for (const std::uint32_t background : tabellaColoriSfondo()) {
        EXPECT_GE(contrastRatio(background, 0), 4.5) << std::hex << background; // black text
        EXPECT_GE(contrastRatio(background, mark), 3.0) << std::hex << background;
    }
    EXPECT_NEAR(contrastRatio(0xFF, 0xFFFFFF), 4.0, 0.01); // red on white
}

} // namespace
