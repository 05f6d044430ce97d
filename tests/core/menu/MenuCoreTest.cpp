#include "core/app/ProgramState.h"
#include "core/menu/MenuLog.h"
#include "core/menu/MenuPictures.h"
#include "core/menu/MenuScan.h"
#include "support/Doubles.h"

#include <gtest/gtest.h>

using namespace ortolino;
using namespace ortolino::test;

namespace {

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
