#include "core/exercise/Scanning.h"

#include "core/exercise/ExerciseFixture.h"
#include "core/exercise/Presentazione.h"

using namespace ortolino;
using namespace ortolino::test;

namespace {

constexpr int kQ = 0, kE = 2, kA = 10, kN = 24, kM = 25;
constexpr Colore kSelezionato = 255;

// No visible key: no endless search. A hand-edited profile's unknown mode
// is the mouse and keyboard.
TEST(ScanningRules, NoVisibleKeyAndUnknownModes)
{
    EXPECT_EQ(prossimoTastoVisibile(kQ, {}), kQ);
    ProgramState state;
    state.ModalitaInput = 7;
    EXPECT_EQ(modalitaInUso(state), kModoMouse);
    state.ModalitaInput = kModoScansioneAutomatica;
    EXPECT_EQ(modalitaInUso(state), kModoScansioneAutomatica);
}

// What the scanning asked of the window.
class RecordingScan final : public ScanView
{
public:
    explicit RecordingScan(QStringList& events) : events_(events) {}
    void placeFrameOnKey(int key) override { events_ << QStringLiteral("frame on %1").arg(key); }
    void focusSwitchBox() override { ++focusCalls; }
    void runTimer1(bool running) override { timerRunning = running; }
    void setTimer1Interval(int ms) override { intervalMs = ms; }
    void showPaused(bool on) override
    {
        paused = on;
        events_ << (on ? QStringLiteral("paused") : QStringLiteral("resumed"));
    }
    void showAsking(bool on) override
    {
        asking = on;
        events_ << (on ? QStringLiteral("asking") : QStringLiteral("not asking"));
    }

    int focusCalls = 0;
    bool timerRunning = false;
    int intervalMs = 0;
    bool paused = false;
    bool asking = false;

private:
    QStringList& events_;
};

// The word APE, its first letter blanked; the keys E, A and N shown.
class ScanningTest : public ExerciseTest
{
protected:
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
        input = std::make_unique<KeyboardInput>(state, *engine, view, scan, &seams.clock);
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
    int position() const { return engine->TastoCorrente; }
    Colore colour(int key) { return view.keyColours[key]; }
    int judged() const { return state.NumeroEsatti + state.NumeroErrati; }

    RecordingScan scan{events};
    std::unique_ptr<KeyboardInput> input;
};

TEST_F(ScanningTest, ManualScanningVisitsTheVisibleKeysAndEnterChooses)
{
    begin(kModoScansioneManuale);
    EXPECT_TRUE(scan.timerRunning); // only to keep the focus on the box
    input->keyClicked(kA);          // a click, "avanti" or a typed letter only clears the help
    input->avantiClicked();
    input->letterTyped("a");
    EXPECT_EQ(events, (QStringList{"StopAll", "balloon \"\"", "balloon hidden"}));
    std::vector<int> visited;
    for (int i = 0; i < 4; ++i) {
        click(Qt::Key_Space);
        visited.push_back(position());
        EXPECT_EQ(colour(position()), kSelezionato);
    }
    EXPECT_EQ(visited, (std::vector<int>{kE, kA, kN, kE}));
    EXPECT_EQ(colour(kN), state.ColoreBottoni);
    EXPECT_EQ(judged(), 0); // moving never chooses

    click(Qt::Key_Return); // E: wrong, the first help
    EXPECT_EQ(state.NumeroErrati, 1);
    EXPECT_EQ(colour(kE), kSelezionato);
    click(Qt::Key_Space);
    click(Qt::Key_Enter); // A completes APE
    EXPECT_TRUE(engine->avantiEnabled());
    EXPECT_EQ(view.avantiColour, kSelezionato);
    EXPECT_EQ(colour(kA), state.ColoreBottoni);

    click(Qt::Key_Space); // the scan rests on "avanti"
    EXPECT_EQ(position(), kA);
    events.clear();
    click(Qt::Key_X); // any other key only clears the help
    EXPECT_EQ(events, (QStringList{"StopAll", "balloon \"\"", "balloon hidden"}));

    const int rows = state.NumeroRigheRegistro;
    click(Qt::Key_Return); // "avanti": the next word
    EXPECT_FALSE(engine->avantiEnabled());
    EXPECT_EQ(state.NumeroRigheRegistro, rows + 1);
    EXPECT_EQ(view.avantiColour, state.ColoreBottoni);
    EXPECT_EQ(colour(kA), kSelezionato);
}

TEST_F(ScanningTest, AutomaticScanningStepsOnTicksHoldsWhileTheSwitchIsDown)
{
    begin(kModoScansioneAutomatica);
    ASSERT_TRUE(scan.timerRunning);
    input->tick();
    EXPECT_EQ(position(), kE);
    input->tick();
    EXPECT_EQ(position(), kA);
    EXPECT_EQ(scan.focusCalls, 2);

    input->switchDown(Qt::Key_Space);
    EXPECT_FALSE(scan.timerRunning); // held: the scan stands still
    input->tick();                   // (a tick already on its way)
    input->switchUp(Qt::Key_Space);
    EXPECT_TRUE(scan.timerRunning);
    EXPECT_TRUE(engine->avantiEnabled()); // A completed APE
    EXPECT_EQ(view.avantiColour, kSelezionato);

    input->tick(); // ticks no longer move the mark
    EXPECT_EQ(position(), kA);
    click(Qt::Key_Space);
    EXPECT_FALSE(engine->avantiEnabled());
    EXPECT_EQ(colour(kA), kSelezionato); // the scan goes on from where it was
    input->tick();
    EXPECT_EQ(position(), kN);

    click(Qt::Key_X); // another key holds and resumes, and chooses nothing
    EXPECT_EQ(judged(), 1);
    EXPECT_TRUE(scan.timerRunning);

    // Two switches held hold the scan until both are up; Enter chooses nothing here.
    input->switchDown(Qt::Key_Space);
    input->switchDown(Qt::Key_Return);
    input->switchUp(Qt::Key_Return);
    EXPECT_FALSE(scan.timerRunning);
    EXPECT_EQ(judged(), 1);
    input->switchUp(Qt::Key_Space);
    EXPECT_EQ(judged(), 2);
    EXPECT_TRUE(scan.timerRunning);

    // The focus went away while the switch was down: the scan resumes, nothing chosen.
    input->switchDown(Qt::Key_Space);
    input->keysLost();
    EXPECT_TRUE(scan.timerRunning);
    EXPECT_EQ(judged(), 2);
}

TEST_F(ScanningTest, TheScanWaitsOnTheChosenKeyWhileAHelpIsGivenAndGoesOnAfterIt)
{
    begin(kModoScansioneAutomatica);
    input->tick(); // E, wrong for APE
    const int chosen = position();
    QList<bool> runningInWaits;
    duringWait = [&](size_t index) {
        runningInWaits << scan.timerRunning;
        if (index != 0)
            return;
        input->tick();        // a stray tick moves nothing
        click(Qt::Key_Space); // E again, judged inside the wait: the second help
        runningInWaits << scan.timerRunning;
    };
    click(Qt::Key_Space);
    EXPECT_EQ(runningInWaits, QList<bool>(4, false)); // nested help included
    EXPECT_EQ(position(), chosen);
    EXPECT_EQ(state.NumeroErrati, 2);
    EXPECT_TRUE(scan.timerRunning); // the help is over: the scan goes on
    input->tick();
    EXPECT_NE(position(), chosen);

    // An exercise that ends during a help leaves no mark after it.
    input->tick(); // N, wrong
    duringWait = [&](size_t) { engine->endExercise(); };
    view.keyColours.clear();
    click(Qt::Key_Space);
    EXPECT_TRUE(view.keyColours.empty());
}

TEST_F(ScanningTest, ARightLetterSendsTheScanBackToTheStartWhenAsked)
{
    const struct
    {
        int mode;
        bool restart;
        int after;
    } cases[] = {{kModoScansioneManuale, false, kA},
                 {kModoScansioneManuale, true, kQ},
                 {kModoScansioneAutomatica, true, kM}};
    for (const auto& c : cases) {
        state.RipartiDallInizio = c.restart;
        begin(c.mode);
        for (int step = 0; step < 2; ++step)
            c.mode == kModoScansioneManuale ? click(Qt::Key_Space) : input->tick();
        click(c.mode == kModoScansioneManuale ? Qt::Key_Return : Qt::Key_Space); // A
        EXPECT_TRUE(engine->avantiEnabled());
        EXPECT_EQ(position(), c.after) << c.mode << c.restart;
        EXPECT_EQ(colour(kA), state.ColoreBottoni);
    }
}

// The child's timing: presses too short or too soon are no presses, the
// first key of a round is held longer, the scan pauses after its rounds and
// a press starts it again on the first key without choosing.
TEST_F(ScanningTest, TheChildsTimingRulesHoldInTheExercise)
{
    state.acceptanceMs = 300;
    state.ignoreAfterChoiceMs = 1000;
    state.firstItemSteps = 2;
    state.loopsBeforePause = 1;
    begin(kModoScansioneAutomatica);
    EXPECT_EQ(scan.intervalMs, 1000);
    std::vector<int> visited, intervals;
    for (int i = 0; i < 4; ++i) {
        input->tick();
        visited.push_back(position());
        intervals.push_back(scan.intervalMs);
    }
    EXPECT_EQ(visited, (std::vector<int>{kE, kA, kN, kN}));
    EXPECT_EQ(intervals, (std::vector<int>{2000, 1000, 1000, 1000}));
    EXPECT_TRUE(scan.paused);
    EXPECT_FALSE(scan.timerRunning);
    EXPECT_EQ(colour(kN), state.ColoreBottoni); // nothing marked meanwhile
    input->tick();
    EXPECT_EQ(position(), kN);

    click(Qt::Key_Space, 0.2); // too short: still paused
    EXPECT_TRUE(scan.paused);
    click(Qt::Key_Space, 0.3); // resumes on the first key, chooses nothing
    EXPECT_FALSE(scan.paused);
    EXPECT_TRUE(scan.timerRunning);
    EXPECT_EQ(position(), kE);
    EXPECT_EQ(colour(kE), kSelezionato);
    EXPECT_EQ(scan.intervalMs, 2000);
    EXPECT_EQ(judged(), 0);

    click(Qt::Key_Space, 0.3); // E: judged
    EXPECT_EQ(judged(), 1);
    seams.clock.now += 0.5;
    click(Qt::Key_Space, 0.3); // inside the ignore time: no press
    EXPECT_EQ(judged(), 1);
    EXPECT_TRUE(scan.timerRunning);
    seams.clock.now += 1;
    click(Qt::Key_Space, 0.3);
    EXPECT_EQ(judged(), 2);

    // Manual scanning: a short press neither moves nor chooses.
    begin(kModoScansioneManuale);
    click(Qt::Key_Space, 0.1);
    EXPECT_EQ(position(), kM);
    click(Qt::Key_Space, 0.3);
    EXPECT_EQ(position(), kE);
    EXPECT_FALSE(scan.paused); // manual scanning never pauses
}

// "Back to the menu" after the last key. Asking, too late and leaving in
// both modes are the window's test (LettereLifeTest); here what it does not
// see: the target's place in the round, a move that ends the asking, the
// automatic scan waiting on the target, and that choosing it judges nothing.
TEST_F(ScanningTest, TheBackToMenuTargetComesAfterTheKeysAndWaitsForItsConfirmation)
{
    state.backToMenuTarget = true;
    begin(kModoScansioneManuale);
    EXPECT_TRUE(input->backTarget());
    std::vector<int> visited;
    for (int i = 0; i < 5; ++i) {
        click(Qt::Key_Space);
        visited.push_back(position());
    }
    EXPECT_EQ(visited, (std::vector<int>{kE, kA, kN, kTastoMenu, kE}));
    for (int i = 0; i < 3; ++i)
        click(Qt::Key_Space);
    click(Qt::Key_Return);
    EXPECT_TRUE(scan.asking);
    click(Qt::Key_Space); // moving on asks no more
    EXPECT_FALSE(scan.asking);
    EXPECT_EQ(judged(), 0);

    begin(kModoScansioneAutomatica);
    for (int i = 0; i < 4; ++i)
        input->tick();
    ASSERT_EQ(position(), kTastoMenu);
    click(Qt::Key_Space);
    EXPECT_TRUE(scan.asking);
    EXPECT_EQ(scan.intervalMs, kConfirmMs);
    EXPECT_TRUE(scan.timerRunning);
    click(Qt::Key_Space);
    EXPECT_EQ(view.endCalls, 1);
    EXPECT_FALSE(scan.timerRunning);

    state.backToMenuTarget = false; // off: the keys alone
    begin(kModoScansioneAutomatica);
    for (int i = 0; i < 4; ++i)
        input->tick();
    EXPECT_EQ(position(), kE);
}

TEST_F(ScanningTest, MouseAndKeyboardTypedLettersCountEvenOnHiddenKeys)
{
    begin(kModoMouse);
    input->letterTyped("q"); // hidden, judged wrong
    EXPECT_EQ(state.NumeroErrati, 1);
    input->letterTyped("");
    input->letterTyped(" ");
    EXPECT_EQ(state.NumeroErrati, 1);
    input->letterTyped("a");
    EXPECT_EQ(state.NumeroEsatti, 1);
    EXPECT_TRUE(engine->avantiEnabled());
    EXPECT_TRUE(view.keyColours.empty()); // no scan mark in this mode
    input->tick();
    EXPECT_EQ(position(), kM);

    input->avantiClicked();
    EXPECT_FALSE(engine->avantiEnabled());
    input->keyClicked(kA);
    EXPECT_TRUE(engine->avantiEnabled());
}

TEST_F(ExerciseTest, TheCharacterIsLoadedWithItsSettingsOrTheDefaultOneOrNotAtAll)
{
    RecordingAgent agent;
    EXPECT_EQ(CaricaPersonaggio(state, nullptr), nullptr);
    state.NomeAgente = "Nessuno"; // not installed here: the default one speaks instead
    EXPECT_NE(CaricaPersonaggio(state, &agent), nullptr);
    EXPECT_EQ(agent.calls.mid(0, 2), (QStringList{"Load Nessuno", "Load Merlin"}));
    EXPECT_EQ(state.NomeAgente, "Nessuno"); // the profile keeps its choice
    agent.characters = QStringList{"Peedy"};
    EXPECT_EQ(CaricaPersonaggio(state, &agent), nullptr);
    agent.characters = QStringList{"Merlin"};

    state.NomeAgente = "Merlin";
    state.ModoVoce = "{it}";
    state.LinguaAgente = "1040";
    state.NomeFont = "Tratto1";
    state.DimensioneFont = 36;
    agent.failing = QStringList{"setTTSModeID", "setLanguageID"}; // skipped, the rest goes on
    agent.calls.clear();
    EXPECT_NE(CaricaPersonaggio(state, &agent), nullptr);
    EXPECT_EQ(agent.calls, (QStringList{"Load Merlin", "setTTSModeID {it}", "setLanguageID 1040",
                                        "setBalloonFont Tratto1 36", "setBalloonStyle 3"}));
}

TEST_F(ExerciseTest, TheGreetingHasTwoTextsWithTheMouseOneWhenScanningNoneWithoutSpeech)
{
    program.language.CurrentLanguage = "Italiano";
    const QString ciao = program.text("0039");
    ASSERT_FALSE(ciao.isEmpty());
    EXPECT_EQ(testiSaluto(program), (QStringList{ciao.toUpper(), program.text("0040").toUpper()}));
    state.CarattereLettere = kMinuscolo;
    state.ModalitaInput = kModoScansioneAutomatica;
    EXPECT_EQ(testiSaluto(program), QStringList{ciao});
    state.ParlatoAttivo = false;
    EXPECT_TRUE(testiSaluto(program).isEmpty());
}

} // namespace
