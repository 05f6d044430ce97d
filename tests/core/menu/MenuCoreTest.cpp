#include "core/app/Informazioni.h"
#include "core/app/LanguageChoice.h"
#include "core/app/Profile.h"
#include "core/app/Program.h"
#include "core/app/Users.h"
#include "core/menu/MenuLog.h"
#include "core/menu/MenuPictures.h"
#include "core/menu/MenuScan.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using namespace ortolino;
using namespace ortolino::test;

namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// ---- users ----

class MenuUsersTest : public ::testing::Test
{
protected:
    MenuUsersTest()
    {
        QDir().mkpath(env.env().cartellaUtenti());
        state.PercorsoProfilo = env.env().profiloPredefinito();
        env.writeProfile("mario.ini", 7);
    }
    // A session with one log row and `massimo` in force.
    void work(int massimo)
    {
        state.MassimoLettere = massimo;
        state.Registro[1][0] = "LETTERA INIZIALE";
        state.NumeroRigheRegistro = 1;
    }

    TestEnvironment env;
    TestServices seams;
    Program program{env.env(), seams.services()};
    ProgramState& state = program.state;
};

TEST_F(MenuUsersTest, TheListHoldsEveryProfileInTheFormOfTheLettering)
{
    for (const auto& [name, lettering, shown] : {std::tuple{"mario", kMaiuscolo, "MARIO"},
                                                 {"mARIO", kCorsivo, "Mario"},
                                                 {"mARIO", kMinuscolo, "mARIO"},
                                                 {"_predefinito", kCorsivo, "_predefinito"}})
        EXPECT_EQ(formaNomeUtente(name, lettering), shown) << name;

    env.writeProfile("_predefinito.INI", 5);
    writeFile(env.env().cartellaUtenti() + "note.txt", "x");
    writeFile(env.env().cartellaUtenti() + ".ini", "x");
    EXPECT_EQ(elencoUtenti(env.env(), kMinuscolo), QStringList({"_predefinito", "mario"}));
    EXPECT_EQ(elencoUtenti(env.env(), kMaiuscolo), QStringList({"_PREDEFINITO", "MARIO"}));
    QDir(env.env().cartellaUtenti()).removeRecursively();
    EXPECT_TRUE(elencoUtenti(env.env(), kMaiuscolo).isEmpty());
}

TEST_F(MenuUsersTest, ChoosingAnotherUserSavesReadsAndClearsTheLog)
{
    work(9); // the settings in force belong to _predefinito
    scegliUtente(program, "MARIO");
    EXPECT_EQ(state.NomeUtente, "MARIO");
    EXPECT_EQ(state.PercorsoProfilo, env.env().cartellaUtenti() + "MARIO.ini");
    EXPECT_EQ(state.MassimoLettere, 7);
    EXPECT_EQ(state.NumeroRigheRegistro, 0);
    EXPECT_TRUE(state.Registro[1][0].isEmpty());

    ProfileSettings left;
    LeggiProfilo(left, env.env().profiloPredefinito(), QString());
    EXPECT_EQ(left.MassimoLettere, 9); // the user being left kept the settings in force
    // The chosen user's file is the one written again, whatever its letter case.
    EXPECT_EQ(QDir(env.env().cartellaUtenti()).entryList(QDir::Files).size(), 2);

    // The same user again: saved, read back, the log kept.
    work(8);
    scegliUtente(program, "MARIO");
    EXPECT_EQ(state.MassimoLettere, 8);
    EXPECT_EQ(state.NumeroRigheRegistro, 1);
    EXPECT_EQ(state.Registro[1][0], "LETTERA INIZIALE");

    // The same name in another letter case (MARIO listed as mario once his own
    // lettering is in force) is the same user: the log stays.
    scegliUtente(program, "mario");
    EXPECT_EQ(state.NomeUtente, "mario");
    EXPECT_EQ(state.NumeroRigheRegistro, 1);

    // The profile being left cannot be saved: the teacher is told and that
    // user stays in force, with the settings and the log.
    state.PercorsoProfilo = env.env().cartellaUtenti() + "senza/cartella.ini";
    EXPECT_FALSE(scegliUtente(program, "_predefinito"));
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_TRUE(seams.messages.shown[0].text.startsWith(program.text("0206")));
    EXPECT_EQ(state.NomeUtente, "mario");
    EXPECT_EQ(state.MassimoLettere, 8);
    EXPECT_EQ(state.NumeroRigheRegistro, 1);
    // The same user again, as the menu does at each activation: nothing read
    // back over the settings in force, and not told at every return.
    EXPECT_FALSE(scegliUtente(program, "MARIO"));
    EXPECT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(state.MassimoLettere, 8);
}

// A profile that exists but cannot be read is kept beside itself before the
// first save over it, under a name no older copy has, and the teacher is told
// once; a missing profile or one read whole is written without a word.
TEST_F(MenuUsersTest, AnUnreadableProfileIsKeptAsideBeforeItIsFirstSaved)
{
    const QString folder = env.env().cartellaUtenti();
    const QByteArray broken = "True\r\nFalse\r\n"; // 2 of 53 lines
    writeFile(folder + "Anna.INI", broken);
    writeFile(folder + "ANNA.ini.illeggibile", "kept before");
    scegliUtente(program, "ANNA");
    EXPECT_EQ(state.MassimoLettere, 5); // the defaults
    EXPECT_TRUE(seams.messages.shown.empty());
    EXPECT_EQ(contentOf(folder + "Anna.INI"), broken); // reading never writes

    // The menu chooses the user again on its next activation: the first save.
    state.MassimoLettere = 6;
    ASSERT_TRUE(scegliUtente(program, "ANNA"));
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].text,
              program.text("0220") + "\n" + folder + "Anna.INI.2.illeggibile");
    EXPECT_EQ(contentOf(folder + "Anna.INI.2.illeggibile"), broken);
    EXPECT_EQ(contentOf(folder + "ANNA.ini.illeggibile"), "kept before");
    EXPECT_EQ(state.MassimoLettere, 6); // saved and read back
    EXPECT_EQ(elencoUtenti(env.env(), kMaiuscolo), QStringList({"_PREDEFINITO", "ANNA", "MARIO"}));

    // Once kept, it is told no more; readable and missing profiles never were.
    for (const char* user : {"ANNA", "MARIO", "LUCA", "ANNA"})
        ASSERT_TRUE(scegliUtente(program, user));
    EXPECT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(QDir(folder).entryList({"*illeggibile"}).size(), 2);
}

// ---- scanning ----

TEST(MenuScanTest, ManualScanLightsTheFirstButtonAndWraps)
{
    ScansioneMenu scan;
    scan.imposta(kModoScansioneManuale, {});
    EXPECT_EQ(scan.evidenziato(), 0);
    EXPECT_TRUE(scan.timerAttivo());
    EXPECT_EQ(scan.intervalloMs(), kIntervalloFuocoMs);
    scan.tick(); // the timer only keeps the focus
    EXPECT_EQ(scan.evidenziato(), 0);
    auto press = [&](TastoSensore tasto) {
        scan.pressione(tasto);
        return scan.rilascioManuale(tasto);
    };
    for (int expected : {1, 2, 3, 4, 0}) {
        EXPECT_FALSE(press(TastoSensore::Spazio));
        EXPECT_EQ(scan.evidenziato(), expected);
    }
    EXPECT_FALSE(press(TastoSensore::Altro));
    EXPECT_FALSE(scan.rilascioManuale(TastoSensore::Invio)); // no press seen here
    EXPECT_EQ(press(TastoSensore::Invio), 0);
}

// The child's timing in the menu, with a clock moved by hand: short presses,
// the pause after the rounds and the way out of it, "ESCI" confirmed.
TEST(MenuScanTest, TheChildsTimingRulesHoldInBothModes)
{
    ManualClock clock;
    ScansioneMenu scan;
    auto press = [&](TastoSensore tasto, double seconds) {
        scan.pressione(tasto);
        clock.now += seconds;
        return scan.modalita() == kModoScansioneManuale ? scan.rilascioManuale(tasto)
                                                        : scan.rilascioAutomatico(tasto);
    };
    const ScanTiming timing{1000, 2, 1, 300, 0};

    scan.imposta(kModoScansioneManuale, timing, true, &clock);
    EXPECT_FALSE(press(TastoSensore::Spazio, 0.2)); // too short: nothing moves
    EXPECT_EQ(scan.evidenziato(), 0);
    for (int i = 0; i < 4; ++i)
        press(TastoSensore::Spazio, 0.3);
    EXPECT_EQ(scan.evidenziato(), kPulsanteEsci);
    EXPECT_FALSE(press(TastoSensore::Invio, 0.3)); // asks
    EXPECT_TRUE(scan.chiedeConferma());
    clock.now += 5;
    EXPECT_FALSE(scan.chiedeConferma()); // too late
    EXPECT_FALSE(press(TastoSensore::Invio, 0.3));
    EXPECT_EQ(press(TastoSensore::Invio, 0.3), kPulsanteEsci);

    // Automatic: button 1 first and held two steps, one round, then a pause.
    scan.imposta(kModoScansioneAutomatica, timing, true, &clock);
    std::vector<int> lit, intervals;
    for (int i = 0; i < 6; ++i) {
        scan.tick();
        lit.push_back(scan.evidenziato());
        intervals.push_back(scan.intervalloMs());
    }
    EXPECT_EQ(lit, std::vector<int>({1, 2, 3, 4, 0, -1}));
    EXPECT_EQ(intervals, std::vector<int>({2000, 1000, 1000, 1000, 1000, 1000}));
    EXPECT_TRUE(scan.inPausa());
    EXPECT_FALSE(scan.timerAttivo());
    scan.tick();
    EXPECT_EQ(scan.evidenziato(), -1);
    EXPECT_FALSE(press(TastoSensore::Spazio, 0.1)); // too short: still paused
    EXPECT_TRUE(scan.inPausa());
    EXPECT_FALSE(press(TastoSensore::Spazio, 0.3)); // resumes, chooses nothing
    EXPECT_FALSE(scan.inPausa());
    EXPECT_TRUE(scan.timerAttivo());
    EXPECT_EQ(scan.evidenziato(), 1);
    EXPECT_EQ(scan.intervalloMs(), 2000);
    for (int i = 0; i < 3; ++i)
        scan.tick();
    EXPECT_FALSE(press(TastoSensore::Spazio, 0.3)); // "ESCI" asks, the scan waits
    EXPECT_EQ(scan.intervalloMs(), kConfirmMs);
    clock.now += 4;
    scan.tick(); // early: still waiting, for what is left
    EXPECT_EQ(scan.evidenziato(), kPulsanteEsci);
    EXPECT_EQ(scan.intervalloMs(), 1000);
    clock.now += 1;
    scan.tick(); // its time is up: the scan goes on
    EXPECT_EQ(scan.evidenziato(), 0);
    EXPECT_FALSE(scan.chiedeConferma());

    // Without the confirmation one choice leaves.
    scan.imposta(kModoScansioneAutomatica, timing, false, &clock);
    for (int i = 0; i < 4; ++i)
        scan.tick();
    EXPECT_EQ(press(TastoSensore::Spazio, 0.3), kPulsanteEsci);
}

TEST(MenuScanTest, AutomaticScanRunsOneTwoThreeFourZeroAndChoosesOnRelease)
{
    ScansioneMenu scan;
    scan.imposta(kModoScansioneAutomatica, {});
    EXPECT_EQ(scan.intervalloMs(), 1000);
    EXPECT_EQ(scan.evidenziato(), -1);
    EXPECT_TRUE(scan.timerAttivo());
    scan.pressione(TastoSensore::Spazio); // nothing is chosen before the first button lights
    EXPECT_FALSE(scan.rilascioAutomatico(TastoSensore::Spazio));
    EXPECT_TRUE(scan.timerAttivo());
    for (int expected : {1, 2, 3, 4, 0, 1}) {
        scan.tick();
        EXPECT_EQ(scan.evidenziato(), expected);
    }
    scan.pressione(TastoSensore::Invio);
    EXPECT_FALSE(scan.timerAttivo()); // a held switch holds the scan
    EXPECT_FALSE(scan.rilascioAutomatico(TastoSensore::Invio));
    EXPECT_TRUE(scan.timerAttivo()); // other keys only resume it
    scan.pressione(TastoSensore::Spazio);
    EXPECT_EQ(scan.rilascioAutomatico(TastoSensore::Spazio), 1);
    EXPECT_FALSE(scan.rilascioManuale(TastoSensore::Invio)); // not this mode's key
}

TEST(MenuScanTest, MouseAndUnknownModesScanNothingAndTheStepStaysInRange)
{
    for (int mode : {kModoMouse, 7}) {
        ScansioneMenu scan;
        scan.imposta(mode, {});
        scan.tick();
        EXPECT_EQ(scan.evidenziato(), -1);
        EXPECT_FALSE(scan.timerAttivo());
        EXPECT_FALSE(scan.rilascioManuale(TastoSensore::Invio));
        EXPECT_FALSE(scan.rilascioAutomatico(TastoSensore::Spazio));
    }
    EXPECT_EQ(intervalloScansioneMs(4), 1000);
    EXPECT_EQ(intervalloScansioneMs(60), 15000);
    EXPECT_EQ(intervalloScansioneMs(0), 1000);    // would spin the scan
    EXPECT_EQ(intervalloScansioneMs(200), 15000); // would overflow 16 bits
    EXPECT_EQ(tastoSensore(Qt::Key_Enter), TastoSensore::Invio);
    EXPECT_EQ(tastoSensore(Qt::Key_Return), TastoSensore::Invio);
}

// ---- the exercise heading in the log ----

TEST(MenuLogTest, AHeadingOpensARowOfItsOwn)
{
    const RigaRegistro word{"", " * CANE * ", "Fatto"};
    const RigaRegistro unfinished{"", " * GATTO * ", ""};
    struct Case
    {
        int inUse;
        RigaRegistro content; // of the row in use
        int headingRow;       // -1: not written
    };
    const Case cases[] = {
        {0, {}, 0},               // an empty log starts at row 0
        {3, word, 4},             // the last word stays under its heading
        {3, unfinished, 4},       // an unfinished word too
        {2, {"ESCI", "", ""}, 3}, // a heading left by "ESCI"
        {kRigheRegistro - 2, word, kRigheRegistro - 1},
        {kRigheRegistro - 1, word, -1}, // the log is full
        {kRigheRegistro - 1, {}, kRigheRegistro - 1},
    };
    for (const Case& c : cases) {
        ProgramState state;
        state.NumeroRigheRegistro = c.inUse;
        state.Registro[static_cast<size_t>(c.inUse)] = c.content;
        apriIntestazione(state, "UNA LETTERA NELLA PAROLA");
        SCOPED_TRACE(c.inUse);
        EXPECT_EQ(state.Registro[static_cast<size_t>(c.inUse)] == c.content,
                  c.headingRow != c.inUse);
        if (c.headingRow < 0) {
            EXPECT_EQ(state.NumeroRigheRegistro, c.inUse);
            continue;
        }
        EXPECT_EQ(state.NumeroRigheRegistro, c.headingRow);
        EXPECT_EQ(state.Registro[static_cast<size_t>(c.headingRow)],
                  RigaRegistro({"UNA LETTERA NELLA PAROLA", "", ""}));
    }
}

// ---- language choice and information lines ----

class LanguageChoiceTest : public ::testing::Test
{
protected:
    TestEnvironment env;
    TestServices seams;
    Program program{env.env(), seams.services()};
};

TEST_F(LanguageChoiceTest, AChoiceIsStoredAndKeepsTheUserTheSettingsAndTheLog)
{
    ProgramState& s = program.state;
    s.NomeUtente = "Anna";
    s.CarattereLettere = kMinuscolo;
    s.MassimoLettere = 6;
    s.LettereAttive[11] = true; // s
    s.TieniTraccia = true;
    s.ModalitaInput = 2;
    s.NumeroRigheRegistro = 1;
    s.Registro[1] = {"lettera iniziale", " * cane * ", "Fatto"};
    s.CartellaListe = "liste";
    EXPECT_EQ(lingueDelMenu(program.language), QStringList({"English", "Italiano"}));

    EXPECT_TRUE(registraSceltaLingua(program, "English"));

    Language fresh(env.env());
    fresh.readCurrentLanguageSetting();
    EXPECT_EQ(fresh.CurrentLanguage, "English");
    EXPECT_EQ(s.CartellaImmagini, "pictures");
    EXPECT_EQ(s.LinguaAgente, "1033");
    EXPECT_EQ(s.NomeUtente, "Anna");
    EXPECT_EQ(s.CarattereLettere, kMinuscolo);
    EXPECT_EQ(s.MassimoLettere, 6);
    EXPECT_TRUE(s.LettereAttive[11]);
    EXPECT_TRUE(s.TieniTraccia);
    EXPECT_EQ(s.ModalitaInput, 2);
    EXPECT_EQ(s.NumeroRigheRegistro, 1);
    EXPECT_EQ(s.Registro[1][1], " * cane * ");

    // The information lines skip missing keys.
    env.writeProgramFile("lngortolino/Prova.lng",
                         "[Strings]\r\n9996=\"prima\"\r\n9998=\"terza\"\r\n");
    program.language.CurrentLanguage = "Prova";
    EXPECT_EQ(righeLingua(program.language), "prima\nterza\n");
    env.writeProgramFile("lngortolino/Prova.lng", "[Strings]\r\n0001=\"x\"\r\n");
    EXPECT_EQ(righeLingua(program.language), "");
}

TEST_F(LanguageChoiceTest, AListOfTheOldLanguagesFolderFollowsTheNewDefaultList)
{
    const QString englishDefault = env.env().programFile("lists/default.txt");
    const struct
    {
        QString list;
        QString after; // empty: unchanged
    } cases[] = {
        {env.env().programFile("liste/animali.txt"), englishDefault},
        {env.env().writableTwin("liste/mia.txt"), englishDefault},
        {env.root() + "/altrove/mia.txt", ""},
        {env.env().programFile("lists/animals.txt"), ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        program.state.CartellaListe = "liste";
        program.state.ListaInUso = c.list;
        registraSceltaLingua(program, "English");
        EXPECT_EQ(program.state.ListaInUso, c.after.isEmpty() ? c.list : c.after)
            << c.list.toStdString();
    }
}

} // namespace

// The menu's example pictures: which tiles each exercise blanks, and the
// tiles drawn into the picture's free band.
TEST(MenuPicturesTest, EachExerciseBlanksItsLettersOfTheLanguagesWord)
{
    const struct
    {
        int exercise;
        const char* word;
        char letter;
        QList<bool> blanks;
    } cases[] = {
        {0, "MELA", 0, {true, false, false, false}},
        {1, "MELA", 0, {false, false, true, false}},
        {2, "MELA", 0, {false, true, true, false}},
        {3, "ANANAS", 'a', {true, false, true, false, true, false}},
        {3, "PINEAPPLE", 'P', {true, false, false, false, false, true, true, false, false}},
        {2, "A", 0, {true}},
        {1, "", 0, {}}};
    for (const auto& c : cases)
        EXPECT_EQ(lettereNascosteEsempio(c.exercise, c.word, QLatin1Char(c.letter)), c.blanks)
            << c.exercise << ' ' << c.word;

    const QByteArray drawing = "<svg><g/></svg>";
    const QByteArray picture = figuraConTessere(drawing, "&MA", {false, true, false});
    EXPECT_EQ(picture.count("<rect"), 3);
    EXPECT_EQ(picture.count(">?</text>"), 1);
    EXPECT_TRUE(picture.contains(">&amp;</text>")); // a letter is text, never markup
    EXPECT_TRUE(picture.startsWith("<svg><g/>") && picture.endsWith("</svg>"));
    EXPECT_EQ(figuraConTessere("not a picture", "MELA", {}), "not a picture");
}
