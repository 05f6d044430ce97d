#include "core/app/ProgramState.h"
#include "core/menu/MenuLog.h"
#include "core/menu/MenuPictures.h"
#include "core/menu/MenuScan.h"
#include "support/Doubles.h"

#include <gtest/gtest.h>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// A switch pressed and released after `seconds` in the scan's own mode: the button chosen.
std::optional<int> press(ScansioneMenu& scan, TastoSensore tasto, ManualClock* clock = nullptr,
                         double seconds = 0)
{
    scan.pressione(tasto);
    if (clock)
        clock->now += seconds;
    return scan.modalita() == kModoScansioneManuale ? scan.rilascioManuale(tasto)
                                                    : scan.rilascioAutomatico(tasto);
}

// Beyond the window's tests: the wrap, the other mode's keys, nothing lit yet, unknown modes.
TEST(MenuScanTest, BothModesWrapChooseOnlyTheirKeyAndUnknownModesScanNothing)
{
    ScansioneMenu scan;
    scan.imposta(kModoScansioneManuale, {});
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(press(scan, TastoSensore::Spazio));
    EXPECT_FALSE(press(scan, TastoSensore::Altro));
    scan.pressione(TastoSensore::Spazio);
    EXPECT_FALSE(scan.rilascioAutomatico(TastoSensore::Spazio)); // not this mode's key
    EXPECT_EQ(press(scan, TastoSensore::Invio), kPulsanteEsci);  // not asked to confirm

    scan.imposta(kModoScansioneAutomatica, {});
    EXPECT_FALSE(press(scan, TastoSensore::Spazio)); // nothing lit yet
    for (int i = 0; i < 6; ++i)
        scan.tick();
    EXPECT_EQ(scan.evidenziato(), 1);               // 1 2 3 4 0 1
    EXPECT_FALSE(press(scan, TastoSensore::Invio)); // other keys only resume
    EXPECT_TRUE(scan.timerAttivo());
    EXPECT_EQ(press(scan, TastoSensore::Spazio), 1);
    EXPECT_FALSE(scan.rilascioManuale(TastoSensore::Invio)); // not this mode's key

    scan.imposta(7, {}); // a mode from a damaged profile scans nothing, as the mouse
    scan.tick();
    EXPECT_EQ(std::tuple(scan.evidenziato(), scan.timerAttivo()), std::tuple(-1, false));
    EXPECT_FALSE(press(scan, TastoSensore::Spazio));
    scan.pressione(TastoSensore::Invio);
    EXPECT_FALSE(scan.rilascioManuale(TastoSensore::Invio));
    EXPECT_EQ(intervalloScansioneMs(0), 1000);    // would spin the scan
    EXPECT_EQ(intervalloScansioneMs(200), 15000); // would overflow 16 bits
}

// The menu's use of SwitchTiming's rules (ESCI asked and confirmed is the window's test).
TEST(MenuScanTest, TheChildsTimingRulesHoldInBothModes)
{
    ManualClock clock;
    ScansioneMenu scan;
    const ScanTiming timing{1000, 2, 0, 300, 500};
    scan.imposta(kModoScansioneManuale, timing, true, &clock);
    EXPECT_FALSE(press(scan, TastoSensore::Spazio, &clock, 0.2)); // too short: nothing moves
    EXPECT_EQ(scan.evidenziato(), 0);
    EXPECT_EQ(press(scan, TastoSensore::Invio, &clock, 0.3), 0);
    EXPECT_FALSE(press(scan, TastoSensore::Invio, &clock, 0.3)); // right after the choice
    clock.now += 0.5;
    EXPECT_EQ(press(scan, TastoSensore::Invio, &clock, 0.3), 0);

    // Automatic: button 1 first and held two steps; "ESCI" asks and the scan waits.
    scan.imposta(kModoScansioneAutomatica, timing, true, &clock);
    std::vector<int> intervals;
    for (int i = 0; i < 4; ++i) {
        scan.tick();
        intervals.push_back(scan.intervalloMs());
    }
    EXPECT_EQ(intervals, std::vector<int>({2000, 1000, 1000, 1000}));
    EXPECT_FALSE(press(scan, TastoSensore::Spazio, &clock, 0.2)); // too short: nothing asked
    EXPECT_FALSE(scan.chiedeConferma());
    EXPECT_FALSE(press(scan, TastoSensore::Spazio, &clock, 0.3));
    EXPECT_EQ(std::tuple(scan.chiedeConferma(), scan.intervalloMs()), std::tuple(true, kConfirmMs));
    clock.now += 4;
    scan.tick(); // early: still waiting, for what is left
    EXPECT_EQ(std::tuple(scan.evidenziato(), scan.intervalloMs()), std::tuple(kPulsanteEsci, 1000));
    clock.now += 1;
    scan.tick(); // its time is up: the scan goes on
    EXPECT_EQ(std::tuple(scan.evidenziato(), scan.chiedeConferma()), std::tuple(0, false));
}

TEST(MenuLogTest, AHeadingOpensARowOfItsOwn)
{
    const RigaRegistro word{"", " * CANE * ", "Fatto"};
    // The row in use, its content, and the heading's row (-1: not written).
    const std::tuple<int, RigaRegistro, int> cases[] = {
        {0, {}, 0},                     // an empty log starts at row 0
        {3, word, 4},                   // the last word stays under its heading
        {2, {"ESCI", "", ""}, 3},       // a heading left by "ESCI"
        {kRigheRegistro - 1, word, -1}, // the log is full
        {kRigheRegistro - 1, {}, kRigheRegistro - 1},
    };
    for (const auto& [inUse, content, headingRow] : cases) {
        SCOPED_TRACE(inUse);
        ProgramState state;
        state.NumeroRigheRegistro = inUse;
        state.Registro[static_cast<size_t>(inUse)] = content;
        apriIntestazione(state, "", "UNA LETTERA NELLA PAROLA");
        const int row = headingRow < 0 ? inUse : headingRow;
        EXPECT_EQ(state.NumeroRigheRegistro, row);
        EXPECT_EQ(state.Registro[static_cast<size_t>(row)] == content, headingRow < 0);
        if (headingRow >= 0) {
            EXPECT_EQ(state.Registro[static_cast<size_t>(row)][0], "UNA LETTERA NELLA PAROLA");
        }
    }
    // The log holds one user's work (in any letter case): another user's goes first.
    ProgramState state;
    apriIntestazione(state, "MARIO", "LETTERA INIZIALE");
    state.Registro[0][1] = " * CANE * ";
    apriIntestazione(state, "mario", "ESCI");
    EXPECT_EQ(state.NumeroRigheRegistro, 1);
    apriIntestazione(state, "LUCA", "ESCI");
    EXPECT_EQ(std::tuple(state.NumeroRigheRegistro, state.Registro[0][0], state.Registro[1][0]),
              std::tuple(0, "ESCI", ""));
}

// A language's word too short for its exercise, or holding markup, spoils no picture.
TEST(MenuPicturesTest, AnyWordOfTheLanguageMakesASafeExamplePicture)
{
    const std::tuple<int, const char*, QList<bool>> cases[] = {
        {2, "A", {true}}, // the second and third letters, of a word of one
        {1, "", {}},
    };
    for (const auto& [exercise, word, blanks] : cases)
        EXPECT_EQ(lettereNascosteEsempio(exercise, word, QChar()), blanks) << exercise << word;

    const QByteArray picture = figuraConTessere("<svg><g/></svg>", "&MA", {false, true, false});
    EXPECT_EQ(picture.count(">?</text>"), 1);
    EXPECT_TRUE(picture.contains(">&amp;</text>")); // a letter is text, never markup
}

} // namespace
