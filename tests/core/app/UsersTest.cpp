#include "core/app/Users.h"

#include "core/app/LanguageChoice.h"
#include "core/app/Profile.h"
#include "core/app/Program.h"
#include "core/app/SwitchSettingsFile.h"
#include "core/config/ConfigUsers.h"
#include "core/platform/FileNames.h"
#include "core/platform/TextFiles.h"
#include "core/words/WordCatalogue.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// Every setting away from its default.
SwitchSettings unusual()
{
    return {.auditoryScanning = true,
            .auditoryStyle = AuditoryStyle::Cue,
            .firstItemSteps = 2.5,
            .loopsBeforePause = 3,
            .acceptanceMs = 350,
            .ignoreAfterChoiceMs = 1200,
            .highlightColour = 0x00FFFF,
            .enlargeHighlighted = true,
            .backToMenuTarget = true,
            .confirmExit = false,
            .compactKeyboard = true,
            .compactOrder = CompactOrder::Frequency,
            .celebration = false};
}

TEST(SwitchSettingsText, BadValuesFallBackOrAreBroughtIntoRange)
{
    const QList<QByteArray> defaults = switchSettingsText({}).split('\n');
    // A side file's text read and written again: the lines that differ from the defaults.
    const auto changed = [&](const QByteArray& text) {
        QList<QByteArray> lines = switchSettingsText(switchSettingsFromText(text)).split('\n');
        lines.removeIf([&](const QByteArray& line) { return defaults.contains(line); });
        return lines.join('\n').trimmed();
    };
    const QByteArray section = "[accesso]\r\n";
    for (const char* line : {"auditory_scanning=1", "highlight_colour=255", "confirm_exit=0",
                             "compact_order=frequency"})
        EXPECT_EQ(changed(section + line), line);
    for (const char* line : {"auditory_scanning=yes", "auditory_style=loud", "first_item_steps=nan",
                             "loops_before_pause=-4", "ignore_after_choice_ms=abc",
                             "highlight_colour=16777216", "highlight_colour=-5"})
        EXPECT_EQ(changed(section + line), "") << line;
    const std::pair<const char*, const char*> broughtIntoRange[] = {
        {"first_item_steps=9", "first_item_steps=4"},
        {"first_item_steps=1.7", "first_item_steps=1.5"},
        {"acceptance_ms=123", "acceptance_ms=100"},
        {"acceptance_ms=1e12", "acceptance_ms=1000"}};
    for (const auto& [line, written] : broughtIntoRange)
        EXPECT_EQ(changed(section + line), written) << line;
    // Outside its section a key is not the setting.
    EXPECT_EQ(changed("auditory_scanning=1\r\n[altro]\r\nconfirm_exit=0\r\n"), "");
}

// The default user (longest word 5) in force, and Mario (7).
class UsersTest : public ::testing::Test
{
protected:
    UsersTest()
    {
        env.writeProfile("_predefinito.INI", 5);
        env.writeProfile("Mario.ini", 7);
        rendiCorrente(state, env.env(), kUtentePredefinito);
        leggiImpostazioniUtente(state, env.env());
    }
    // A session with one log row and `massimo` in force.
    void work(int massimo)
    {
        state.MassimoLettere = massimo;
        state.Registro[1][0] = "LETTERA INIZIALE";
        state.NumeroRigheRegistro = 1;
        state.owner = state.NomeUtente;
    }
    // The user, the longest word and the log in force.
    std::tuple<QString, int, int, QString> session() const
    {
        return {state.NomeUtente, state.MassimoLettere, state.NumeroRigheRegistro,
                state.Registro[1][0]};
    }
    SwitchSettings onDisk(const QString& profileName) const
    {
        SwitchSettings s;
        readSwitchSettings(s, env.env().cartellaAccesso() + profileName);
        return s;
    }
    QString folder() const { return env.env().cartellaUtenti(); }

    TestEnvironment env;
    TestServices seams;
    Program program{env.env(), seams.services()};
    ProgramState& state = program.state;
};

TEST_F(UsersTest, ChoosingAnotherUserSavesReadsAndClearsTheLog)
{
    work(9); // the settings in force belong to _predefinito
    scegliUtente(program, "MARIO");
    EXPECT_EQ(session(), std::tuple("MARIO", 7, 0, ""));
    // The same user in another letter case (his own lettering): saved, read back, the log kept.
    work(8);
    scegliUtente(program, "mario");
    const auto kept = std::tuple("mario", 8, 1, "LETTERA INIZIALE");
    EXPECT_EQ(session(), kept);
    // The chosen user's file is the one written again, whatever its letter case.
    EXPECT_EQ(QDir(env.env().cartellaUtenti()).entryList(QDir::Files).size(), 2);

    // The profile left cannot be saved: told, and the user stays with settings and log.
    state.PercorsoProfilo = env.env().cartellaUtenti() + "senza/cartella.ini";
    EXPECT_FALSE(scegliUtente(program, "_predefinito"));
    EXPECT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(session(), kept);
    // The same user again at the menu's next activation: nothing read back, not told again.
    EXPECT_FALSE(scegliUtente(program, "MARIO"));
    EXPECT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(session(), kept);
}

// Settings that did not change are not written again, so that a read-only folder or
// a full disk still lets their user be left. A second name shows a file replaced.
TEST_F(UsersTest, SettingsThatDidNotChangeAreLeftOnTheDiskAsTheyAre)
{
    ASSERT_TRUE(scegliUtente(program, "MARIO"));
    ASSERT_TRUE(scegliUtente(program, kUtentePredefinito));
    const QStringList files = {resolveCaseInsensitive(folder() + "MARIO.ini"),
                               env.env().cartellaAccesso() + "MARIO.ini"};
    for (int i = 0; i < files.size(); ++i)
        std::filesystem::create_hard_link(
            files[i].toStdString(),
            (env.root() + "/second-name-" + QString::number(i)).toStdString());
    ASSERT_TRUE(scegliUtente(program, "MARIO"));
    ASSERT_TRUE(scegliUtente(program, kUtentePredefinito));
    for (const QString& file : files)
        EXPECT_EQ(std::filesystem::hard_link_count(file.toStdString()), 2u) << file.toStdString();
}

// An unreadable profile or side file is kept aside under a new name before the first
// save over it, and told once; a side file that cannot be written fails the save.
TEST_F(UsersTest, UnreadableFilesAreKeptAsideBeforeTheirFirstSaveAndAFailedSaveIsTold)
{
    const QByteArray broken = "True\r\nFalse\r\n"; // 2 of 53 lines
    const QString side = env.env().cartellaAccesso() + "Anna.ini";
    const QByteArray brokenSide = QByteArray("[accesso]\r\nconfirm_exit=0\0", 26) +
                                  QByteArray(int(kSwitchSettingsMaxBytes), 'x');
    writeFile(folder() + "Anna.INI", broken);
    writeFile(folder() + "ANNA.ini.illeggibile", "kept before");
    writeFile(side, brokenSide);
    scegliUtente(program, "ANNA");
    EXPECT_EQ(static_cast<SwitchSettings&>(state), SwitchSettings{}); // the defaults
    EXPECT_TRUE(seams.messages.shown.empty()); // the read wrote nothing: the copy kept aside

    // The menu chooses the user again on its next activation: the first save.
    state.MassimoLettere = 6;
    state.acceptanceMs = 200;
    ASSERT_TRUE(scegliUtente(program, "ANNA"));
    ASSERT_EQ(seams.messages.shown.size(), 2u);
    EXPECT_EQ(seams.messages.shown[1].text, program.text("0220") + "\n" + side + ".illeggibile");
    EXPECT_EQ(readFileBytes(folder() + "Anna.INI.2.illeggibile"), broken);
    EXPECT_EQ(readFileBytes(side + ".illeggibile"), brokenSide);
    EXPECT_EQ(readFileBytes(folder() + "ANNA.ini.illeggibile"), "kept before");
    EXPECT_EQ(std::tuple(state.MassimoLettere, state.acceptanceMs),
              std::tuple(6, 200)); // read back

    for (const char* user : {"ANNA", "MARIO", "LUCA", "ANNA"})
        ASSERT_TRUE(scegliUtente(program, user));
    EXPECT_EQ(seams.messages.shown.size(), 2u);
    EXPECT_EQ(QDir(folder()).entryList({"*illeggibile"}).size(), 2);

    // A folder stands where the side file should be: not saved, and told.
    ASSERT_TRUE(QFile::remove(side));
    ASSERT_TRUE(QDir().mkpath(side + "/x"));
    EXPECT_FALSE(salvaProfiloUtente(program));
    EXPECT_EQ(seams.messages.shown.size(), 3u);
}

// Saved and read with the profile, copied to a new user; never in the 53 lines nor
// the list, which holds every profile (in its own lettering) and nothing else.
TEST_F(UsersTest, TheSideFileFollowsTheProfileWhereverItGoes)
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

    writeFile(folder() + "note.txt", "x");
    writeFile(folder() + ".ini", "x");
    EXPECT_EQ(elencoUtenti(env.env(), kMinuscolo), QStringList({"_predefinito", "Lucia", "Mario"}));
    EXPECT_EQ(readFileBytes(state.PercorsoProfilo), testoProfilo(state)); // the 53 lines alone
}

// Each lettering keeps initials and each word's capital; "ß" and "İ" (no one-letter
// form in the other case) stay, so the name shown always finds its own profile.
TEST_F(UsersTest, EachLetteringShowsNamesAsNamesThatFindTheirOwnProfiles)
{
    const struct
    {
        QString stored, capitals, cursive;
    } names[] = {
        {"Luca B.", "LUCA B.", "Luca B."}, {"anna maria", "ANNA MARIA", "Anna Maria"},
        {"MARIO", "MARIO", "Mario"},       {"d'angelo-rossi", "D'ANGELO-ROSSI", "D'Angelo-Rossi"},
        {"Niccolò", "NICCOLÒ", "Niccolò"}, {"Zoë  C.", "ZOË  C.", "Zoë  C."},
        {"GROß", "GROß", "Groß"},          {"İREM", "İREM", "İrem"},
        {"émma 😀", "ÉMMA 😀", "Émma 😀"},    {"noe\u0308mi", "NOE\u0308MI", "Noe\u0308mi"}, // a mark
    };
    for (const auto& name : names) {
        EXPECT_EQ(formaNomeUtente(name.stored, kMaiuscolo), name.capitals);
        EXPECT_EQ(formaNomeUtente(name.stored, kCorsivo), name.cursive);
        EXPECT_EQ(formaNomeUtente(name.stored, kMinuscolo), name.stored);
    }
    for (const QString name : {"Groß", "İrem", "Émma 😀", "ılker Can"}) {
        env.writeProfile(name + ".ini", 7);
        for (const QString& lettering : {kMaiuscolo, kMinuscolo, kCorsivo})
            EXPECT_EQ(resolveCaseInsensitive(folder() + formaNomeUtente(name, lettering) + ".ini"),
                      folder() + name + ".ini")
                << lettering.toStdString();
    }
}

// A list of another language's lists folder gives way to this language's default
// list and comes back with its language (the rest of a change: JourneyTest).
TEST_F(UsersTest, AListOfAnotherLanguagesFolderGivesWayToThisLanguagesDefaultList)
{
    const auto inUse = [&](const QString& list, const char* language) {
        state.ListaInUso = list;
        registraSceltaLingua(program, language);
        return std::pair(state.ListaInUso, listaPerLaLingua(env.env(), state));
    };
    for (const QString& list :
         {env.env().programFile("liste/animali.txt"), env.env().writableTwin("liste/mia.txt")}) {
        EXPECT_EQ(inUse(list, "English"),
                  std::pair(list, env.env().programFile("lists/default.txt")))
            << list.toStdString();
        EXPECT_EQ(inUse(list, "Italiano"), std::pair(list, list));
    }
    for (const QString& list :
         {env.root() + "/altrove/mia.txt", env.env().programFile("lists/animals.txt"), QString()})
        EXPECT_EQ(inUse(list, "English"), std::pair(list, list)) << list.toStdString();
}

} // namespace
