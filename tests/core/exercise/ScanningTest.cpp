#include "core/exercise/Scanning.h"

#include "core/exercise/CompactKeyboard.h"
#include "core/exercise/ExerciseFixture.h"

using namespace ortolino;
using namespace ortolino::test;

namespace {

constexpr int kQ = 0, kE = 2, kA = 10, kN = 24, kM = 25;
constexpr Colore kSelezionato = 255;

// The compact layout is the window's test; here the order's edge cases.
TEST_F(ExerciseTest, TheCompactKeyboardHoldsTheActiveLettersAlphabeticallyOrByFrequency)
{
    activate("qzeanb");
    const auto order = [&](CompactOrder how, const QString& frequency) {
        QString letters;
        for (int key : compactKeyOrder(state, how, frequency))
            letters += state.LettereTastiera[static_cast<size_t>(key + 1)].toLower();
        return letters;
    };
    EXPECT_EQ(order(CompactOrder::Frequency, "eaionlrtscdpumvghfbqzjkwxy"), "eanbqz");
    // Letters a damaged language file leaves out come last, alphabetically.
    EXPECT_EQ(order(CompactOrder::Frequency, "nq"), "nqabez");
    EXPECT_EQ(prossimoTastoVisibile(kQ, {}), kQ); // no visible key: no endless search
}

// The word APE, its first letter blanked; the keys E, A and N shown. The
// fixture is also the window's scanning side.
class ScanningTest : public ExerciseTest, public ScanView
{
protected:
    void placeFrameOnKey(int) override {}
    void focusSwitchBox() override { ++focusCalls; }
    void runTimer1(bool running) override { timerRunning = running; }
    void setTimer1Interval(int ms) override { intervalMs = ms; }
    void showPaused(bool on) override { paused = on; }
    void showAsking(bool on) override { asking = on; }

    ScanningTest()
    {
        addPictures({"ape.jpg"});
        activate("ean");
    }
    void begin(int mode)
    {
        state.ModalitaInput = mode;
        ImpostaTastiera(state);
        start();
        input = std::make_unique<KeyboardInput>(state, *engine, view, *this, &seams.clock);
        engine->TastoCorrente = kM;
        input->avvia();
        events.clear();
    }
    // A switch pressed and released, held for `seconds`.
    void click(int qtKey, double seconds = 0)
    {
        input->switchDown(qtKey);
        seams.clock.now += seconds;
        input->switchUp(qtKey);
    }
    // Steps: 't' a tick, ' ' Space, 'r' Return, 'e' Enter, 'x' another key,
    // each held 0.3 s; the key the scan stands on after each.
    std::vector<int> run(const char* steps)
    {
        std::vector<int> positions;
        const int keys[] = {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_X};
        for (const char* step = steps; *step; ++step) {
            if (*step == 't')
                input->tick();
            else
                click(keys[std::string_view(" rex").find(*step)], 0.3);
            positions.push_back(engine->TastoCorrente);
        }
        return positions;
    }
    Colore colour(int key) { return view.keyColours[key]; }
    int judged() const { return state.NumeroEsatti + state.NumeroErrati; }

    int focusCalls = 0, intervalMs = 0;
    bool timerRunning = false, paused = false, asking = false;
    std::unique_ptr<KeyboardInput> input;
};

TEST_F(ScanningTest, ManualScanningVisitsTheVisibleKeysAndEnterChooses)
{
    begin(kModoScansioneManuale);
    EXPECT_TRUE(timerRunning); // only to keep the focus on the box
    input->keyClicked(kA);     // a click or another key only clears the help, "avanti"
    input->avantiClicked();    // and a typed letter do nothing
    input->letterTyped("a");
    run("x");
    const QStringList cleared = {"StopAll", "balloon \"\"", "balloon hidden"};
    EXPECT_EQ(events, cleared + cleared);
    EXPECT_EQ(run("    "), (std::vector<int>{kE, kA, kN, kE}));
    EXPECT_EQ(judged(), 0); // moving never chooses

    run("r"); // E: wrong, the mark stays
    EXPECT_EQ(std::tuple(state.NumeroErrati, colour(kE)), std::tuple(1, kSelezionato));
    EXPECT_EQ(run(" e "),
              (std::vector<int>{kA, kA, kA})); // A completes APE; "avanti" holds the scan
    EXPECT_EQ(colour(kA), state.ColoreBottoni);
    run("r"); // "avanti": the next word, the mark back on its key
    EXPECT_EQ(std::tuple(view.avantiColour, colour(kA)),
              std::tuple(state.ColoreBottoni, kSelezionato));
}

TEST_F(ScanningTest, AutomaticScanningStepsOnTicksHoldsWhileTheSwitchIsDown)
{
    begin(kModoScansioneAutomatica);
    EXPECT_TRUE(timerRunning);
    EXPECT_EQ(run("tt"), (std::vector<int>{kE, kA}));
    EXPECT_EQ(focusCalls, 2);
    input->switchDown(Qt::Key_Space);
    EXPECT_FALSE(timerRunning); // held: the scan stands still
    input->tick();              // (a tick already on its way)
    input->switchUp(Qt::Key_Space);
    EXPECT_EQ(std::tuple(timerRunning, engine->avantiEnabled(), view.avantiColour),
              std::tuple(true, true, kSelezionato));  // A completed APE
    EXPECT_EQ(run("t "), (std::vector<int>{kA, kA})); // ticks no longer move; "avanti" chosen
    EXPECT_EQ(colour(kA), kSelezionato);              // the scan goes on from where it was
    EXPECT_EQ(run("t"), std::vector<int>{kN});
    EXPECT_EQ(judged(), 1);

    run("x"); // another key holds and resumes, and chooses nothing
    // Two switches held hold the scan until both are up; Enter chooses nothing here.
    input->switchDown(Qt::Key_Space);
    input->switchDown(Qt::Key_Return);
    input->switchUp(Qt::Key_Return);
    EXPECT_EQ(std::tuple(timerRunning, judged()), std::tuple(false, 1));
    input->switchUp(Qt::Key_Space);
    EXPECT_EQ(std::tuple(timerRunning, judged()), std::tuple(true, 2));

    // The focus went away while the switch was down: the scan resumes, nothing chosen.
    input->switchDown(Qt::Key_Space);
    input->keysLost();
    EXPECT_EQ(std::tuple(timerRunning, judged()), std::tuple(true, 2));
}

TEST_F(ScanningTest, TheScanWaitsOnTheChosenKeyWhileAHelpIsGivenAndGoesOnAfterIt)
{
    begin(kModoScansioneAutomatica);
    QList<bool> runningInWaits;
    duringWait = [&](size_t index) {
        runningInWaits << timerRunning;
        if (index == 0) {
            run("t "); // a stray tick moves nothing; E again, judged inside the wait
            runningInWaits << timerRunning;
        }
    };
    EXPECT_EQ(run("t "), (std::vector<int>{kE, kE})); // E, wrong for APE
    EXPECT_EQ(runningInWaits, QList<bool>(4, false)); // nested help included
    // The help is over: the scan goes on.
    EXPECT_EQ(std::tuple(state.NumeroErrati, timerRunning), std::tuple(2, true));

    // An exercise that ends during a help leaves no mark after it.
    duringWait = [&](size_t) { engine->endExercise(); };
    run("tt");
    view.keyColours.clear();
    run(" "); // N, wrong
    EXPECT_TRUE(view.keyColours.empty());
}

// A switch chooses only a marked key shown: without the frame nothing is
// marked before the first step; the frame starts on the first key shown (Q is
// hidden). A right letter with "start again" puts manual scanning on the first
// key, and keeps the automatic mark on the chosen one until the next step:
// never on the hidden Q or M, where the next press chose them.
TEST_F(ScanningTest, ASwitchChoosesOnlyAMarkedKeyShownAndARightLetterCanStartAgain)
{
    constexpr int kP = 9;
    activate("eanp");
    state.TipoEsercizio = Esercizio::TutteLettere; // "___": A, P, then E
    // Mode, frame, "start again", steps; where the scan stands, letters judged, marked.
    const std::tuple<int, bool, bool, const char*, int, int, bool> cases[] = {
        {kModoScansioneManuale, false, false, "r", kM, 0, false},
        {kModoScansioneAutomatica, false, false, " ", kM, 0, false},
        {kModoScansioneManuale, true, false, "r", kE, 1, false},
        {kModoScansioneAutomatica, true, false, " ", kE, 1, false},
        {kModoScansioneManuale, false, false, "   r", kA, 1, true},
        {kModoScansioneManuale, false, true, "   r", kE, 1, true},
        {kModoScansioneManuale, false, true, "   r ", kP, 1, true},
        {kModoScansioneAutomatica, false, true, "ttt ", kA, 1, true},
        {kModoScansioneAutomatica, false, true, "ttt  ", kA, 2, true},
        {kModoScansioneAutomatica, false, true, "ttt t", kE, 1, true}};
    for (const auto& [mode, frame, restart, steps, at, judgedAfter, marked] : cases) {
        SCOPED_TRACE(testing::Message() << mode << frame << restart << steps);
        state.ConRiquadro = frame;
        state.RipartiDallInizio = restart;
        state.NumeroEsatti = state.NumeroErrati = 0;
        view.keyColours.clear();
        begin(mode);
        const int stands = run(steps).back();
        EXPECT_EQ(std::tuple(stands, judged(), colour(at) == kSelezionato, timerRunning),
                  std::tuple(at, judgedAfter, marked, true));
        EXPECT_LE(std::count_if(view.keyColours.begin(), view.keyColours.end(),
                                [](const auto& key) { return key.second == kSelezionato; }),
                  1);
    }
    state.TipoEsercizio = Esercizio::LetteraIniziale; // "_PE": A completes it
    state.RipartiDallInizio = true;
    for (int mode : {kModoScansioneManuale, kModoScansioneAutomatica}) {
        begin(mode);
        run(mode == kModoScansioneManuale ? "   r" : "ttt ");
        EXPECT_EQ(std::tuple(engine->avantiEnabled(), colour(kA)),
                  std::tuple(true, state.ColoreBottoni));
    }
}

// Too short or too soon is no press; the first key held longer; a pause after the
// rounds, and a press starts again on the first key without choosing.
TEST_F(ScanningTest, TheChildsTimingRulesHoldInTheExercise)
{
    state.acceptanceMs = 300;
    state.ignoreAfterChoiceMs = 1000;
    state.firstItemSteps = 2;
    state.loopsBeforePause = 1;
    begin(kModoScansioneAutomatica);
    EXPECT_EQ(run("ttttt").back(), kN); // paused after one round, nothing marked
    EXPECT_EQ(std::tuple(paused, timerRunning, colour(kN)),
              std::tuple(true, false, state.ColoreBottoni));

    click(Qt::Key_Space, 0.2); // too short: still paused
    EXPECT_TRUE(paused);
    EXPECT_EQ(run(" "), std::vector<int>{kE}); // resumes on the first key, chooses nothing
    EXPECT_EQ(std::tuple(paused, timerRunning, colour(kE), intervalMs, judged()),
              std::tuple(false, true, kSelezionato, 2000, 0));

    run(" "); // E: judged
    seams.clock.now += 0.5;
    run(" "); // inside the ignore time: no press
    EXPECT_EQ(judged(), 1);
    seams.clock.now += 1;
    run(" ");
    EXPECT_EQ(judged(), 2);

    // The menu's choice that opened the exercise starts the ignore time, and a
    // choice here is kept for the menu.
    state.ultimaSceltaSensore = seams.clock.now;
    begin(kModoScansioneAutomatica);
    run("t ");
    EXPECT_EQ(judged(), 2);
    seams.clock.now += 1;
    run(" ");
    EXPECT_EQ(std::tuple(judged(), state.ultimaSceltaSensore), std::tuple(3, seams.clock.now));

    // During a wrong letter's help a bounce within the ignore time is no press.
    seams.clock.now += 2;
    begin(kModoScansioneAutomatica);
    run("t"); // E, wrong for APE
    const int before = judged();
    bool first = true;
    duringWait = [&](size_t) {
        if (!std::exchange(first, false))
            return;
        seams.clock.now += 0.5;
        run(" ");
        EXPECT_EQ(judged(), before + 1);
        seams.clock.now += 1;
        run(" ");
    };
    run(" ");
    duringWait = nullptr;
    EXPECT_EQ(std::tuple(judged(), engine->TastoCorrente), std::tuple(before + 2, kE));
}

// The target's place in the round, the asking ended by its time, the
// automatic scan waiting on it (the manual leaving: the window's).
TEST_F(ScanningTest, TheBackToMenuTargetComesAfterTheKeysAndWaitsForItsConfirmation)
{
    state.backToMenuTarget = true;
    begin(kModoScansioneAutomatica);
    EXPECT_EQ(run("tttt "), (std::vector<int>{kE, kA, kN, kTastoMenu, kTastoMenu}));
    EXPECT_EQ(std::tuple(asking, intervalMs, timerRunning), std::tuple(true, kConfirmMs, true));
    seams.clock.now += kConfirmMs / 1000.0;
    EXPECT_EQ(run("t"), std::vector<int>{kE}); // too late: the scan goes on
    EXPECT_FALSE(asking);
    run("ttt "); // asks again
    EXPECT_EQ(std::tuple(view.endCalls, judged()), std::tuple(0, 0));
    run(" ");
    EXPECT_EQ(std::tuple(view.endCalls, timerRunning), std::tuple(1, false));

    begin(kModoScansioneManuale); // here only the clock ends the asking, at a tick
    run("    r");
    seams.clock.now += kConfirmMs / 1000.0;
    run("t");
    EXPECT_FALSE(asking);
}

// Clicks on keys and on "avanti" in the mouse mode are the window's test.
TEST_F(ScanningTest, MouseAndKeyboardTypedLettersCountEvenOnHiddenKeys)
{
    begin(7); // a hand-edited profile's unknown mode is the mouse and keyboard
    for (const char* typed : {"q", "", " "}) // only q, hidden, is judged (wrong)
        input->letterTyped(typed);
    EXPECT_EQ(state.NumeroErrati, 1);
    // A letter of another alphabet (a Russian layout) is the letter of its key's
    // place: nothing where no letter key is, nor for a Latin letter no key has.
    input->letterTyped("х", tastoAllaPosizione(34));
    input->letterTyped("è", kE);
    EXPECT_EQ(state.NumeroErrati, 1);
    input->letterTyped("ф", tastoAllaPosizione(38));
    EXPECT_EQ(std::tuple(engine->avantiEnabled(), view.keyColours.size()), // no scan mark here
              std::tuple(true, size_t{0}));
    EXPECT_EQ(run("t"), std::vector<int>{kM});
}

} // namespace
