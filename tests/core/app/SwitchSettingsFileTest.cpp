#include "core/app/SwitchSettingsFile.h"

#include "core/app/Profile.h"
#include "core/app/Program.h"
#include "core/app/Startup.h"
#include "core/app/Users.h"
#include "core/config/ConfigUsers.h"
#include "core/platform/TextFiles.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// Every setting away from its default.
SwitchSettings unusual()
{
    SwitchSettings s;
    s.auditoryScanning = true;
    s.auditoryStyle = AuditoryStyle::Cue;
    s.firstItemSteps = 2.5;
    s.loopsBeforePause = 3;
    s.acceptanceMs = 350;
    s.ignoreAfterChoiceMs = 1200;
    s.highlightColour = 0x00FFFF;
    s.enlargeHighlighted = true;
    s.backToMenuTarget = true;
    s.confirmExit = false;
    s.compactKeyboard = true;
    s.compactOrder = CompactOrder::Frequency;
    s.celebration = false;
    return s;
}

TEST(SwitchSettingsText, EverySettingReadsBackAndBadValuesFallBackOrAreBroughtIntoRange)
{
    EXPECT_EQ(switchSettingsFromText(switchSettingsText(unusual())), unusual());
    EXPECT_EQ(switchSettingsFromText(switchSettingsText(SwitchSettings{})), SwitchSettings{});

    struct Case
    {
        const char* line;
        SwitchSettings expected;
    };
    auto with = [](auto change) {
        SwitchSettings s;
        change(s);
        return s;
    };
    const Case cases[] = {
        {"", {}},
        {"auditory_scanning=yes", {}},
        {"auditory_scanning=1", with([](auto& s) { s.auditoryScanning = true; })},
        {"auditory_style=loud", {}},
        {"first_item_steps=9", with([](auto& s) { s.firstItemSteps = kFirstItemStepsMax; })},
        {"first_item_steps=0", {}},
        {"first_item_steps=1.7", with([](auto& s) { s.firstItemSteps = 1.5; })},
        {"first_item_steps=nan", {}},
        {"loops_before_pause=-4", {}},
        {"loops_before_pause=99", with([](auto& s) { s.loopsBeforePause = kLoopsBeforePauseMax; })},
        {"acceptance_ms=123", with([](auto& s) { s.acceptanceMs = 100; })},
        {"acceptance_ms=1e12", with([](auto& s) { s.acceptanceMs = kAcceptanceMsMax; })},
        {"ignore_after_choice_ms=abc", {}},
        {"ignore_after_choice_ms=5000",
         with([](auto& s) { s.ignoreAfterChoiceMs = kIgnoreAfterChoiceMsMax; })},
        {"highlight_colour=16777216", {}},
        {"highlight_colour=-5", {}},
        {"highlight_colour=255", with([](auto& s) { s.highlightColour = 255; })},
        {"confirm_exit=0", with([](auto& s) { s.confirmExit = false; })},
        {"compact_order=frequency",
         with([](auto& s) { s.compactOrder = CompactOrder::Frequency; })},
        {"celebration=0", with([](auto& s) { s.celebration = false; })},
        {"some_later_setting=7", {}},
    };
    for (const Case& c : cases) {
        const QByteArray text = QByteArray("[accesso]\r\n") + c.line + "\r\n";
        EXPECT_EQ(switchSettingsFromText(text), c.expected) << c.line;
    }
    // Outside its section a key is not the setting.
    EXPECT_EQ(switchSettingsFromText("auditory_scanning=1\r\n[altro]\r\nconfirm_exit=0\r\n"),
              SwitchSettings{});
}

class SwitchSettingsFileTest : public ::testing::Test
{
protected:
    SwitchSettingsFileTest()
    {
        QDir().mkpath(env.env().cartellaUtenti());
        env.writeProfile("_predefinito.INI", 5);
        env.writeProfile("Mario.ini", 7);
        rendiCorrente(state, env.env(), kUtentePredefinito);
        leggiImpostazioniUtente(state, env.env());
    }
    SwitchSettings onDisk(const QString& profileName) const
    {
        SwitchSettings s;
        readSwitchSettings(s, env.env().cartellaAccesso() + profileName);
        return s;
    }

    TestEnvironment env;
    TestServices seams;
    Program program{env.env(), seams.services()};
    ProgramState& state = program.state;
};

// The side file travels with the profile: saved and read when the user
// changes, copied to a new user made from the one in force, and never seen
// by the users list nor written into the 53-line profile.
TEST_F(SwitchSettingsFileTest, FollowsTheProfileWhereverItGoes)
{
    static_cast<SwitchSettings&>(state) = unusual();
    ASSERT_TRUE(scegliUtente(program, "MARIO"));
    EXPECT_EQ(onDisk("_predefinito.INI"), unusual());                 // the user left
    EXPECT_EQ(static_cast<SwitchSettings&>(state), SwitchSettings{}); // Mario has none yet

    state.loopsBeforePause = 2;
    ASSERT_TRUE(scegliUtente(program, kUtentePredefinito));
    EXPECT_EQ(static_cast<SwitchSettings&>(state), unusual());
    EXPECT_EQ(onDisk("mario.ini").loopsBeforePause, 2); // any letter case, as the profile

    // A new user starts from the settings in force, the side ones too.
    rendiCorrente(state, env.env(), "Lucia");
    ASSERT_TRUE(salvaProfiloUtente(program));
    EXPECT_EQ(onDisk("Lucia.ini"), unusual());

    EXPECT_EQ(elencoUtenti(env.env(), kMaiuscolo), QStringList({"_PREDEFINITO", "LUCIA", "MARIO"}));
    const std::optional<QByteArray> profile = readFileBytes(state.PercorsoProfilo);
    ASSERT_TRUE(profile);
    EXPECT_EQ(profile->count("\r\n"), kRigheProfilo);
    EXPECT_EQ(profile, testoProfilo(state));
    EXPECT_EQ(QDir(env.env().cartellaAccesso()).entryList(QDir::Files).size(), 3);

    // The next start reads the default user's side file with its profile.
    SingleInstanceLock lock(env.env().runtimeFolder);
    Program again(env.env(), seams.services());
    ASSERT_EQ(Main(again, lock), StartResult::Started);
    EXPECT_EQ(static_cast<SwitchSettings&>(again.state), unusual());
}

// A side file that is no text of a sensible size reads as the defaults and
// is kept aside, once, before the first save over it; one that cannot be
// written fails the save as the profile's would.
TEST_F(SwitchSettingsFileTest, AnUnreadableSideFileIsKeptAsideAndAFailedSaveIsTold)
{
    const QString side = env.env().cartellaAccesso() + "Mario.ini";
    const QByteArray broken = QByteArray("[accesso]\r\nconfirm_exit=0\0", 26) +
                              QByteArray(int(kSwitchSettingsMaxBytes), 'x');
    writeFile(side, broken);
    ASSERT_TRUE(scegliUtente(program, "MARIO"));
    EXPECT_EQ(static_cast<SwitchSettings&>(state), SwitchSettings{});
    state.acceptanceMs = 200;
    ASSERT_TRUE(salvaProfiloUtente(program));
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].text, program.text("0220") + "\n" + side + ".illeggibile");
    EXPECT_EQ(readFileBytes(side + ".illeggibile"), broken);
    EXPECT_EQ(onDisk("Mario.ini").acceptanceMs, 200);
    ASSERT_TRUE(salvaProfiloUtente(program));
    EXPECT_EQ(seams.messages.shown.size(), 1u);

    // A folder stands where the file should be: not saved, and told.
    ASSERT_TRUE(QFile::remove(side));
    ASSERT_TRUE(QDir().mkpath(side + "/x"));
    EXPECT_FALSE(salvaProfiloUtente(program));
    ASSERT_EQ(seams.messages.shown.size(), 2u);
    EXPECT_EQ(seams.messages.shown[1].text,
              program.text("0206") + "\n" + env.env().cartellaAccesso() + "MARIO.ini");
}

} // namespace
