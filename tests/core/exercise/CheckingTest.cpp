#include "core/exercise/ExerciseFixture.h"
#include "support/HistoryWords.h"

using namespace ortolino;
using namespace ortolino::test;

namespace {

class CheckingTest : public ExerciseTest
{
protected:
    // The word CANE with its first letter blanked.
    void startCane()
    {
        addPictures({"cane.jpg"});
        activate("c");
        start();
        events.clear();
    }
    // Letters chosen in turn; the events they gave.
    QStringList choose(const QString& letters)
    {
        events.clear();
        for (QChar letter : letters)
            engine->Controlla(QString(letter));
        return events;
    }
    const RigaRegistro& row() const
    {
        return state.Registro[static_cast<size_t>(state.NumeroRigheRegistro)];
    }
    QString sound(const char* name) const { return programPath(QStringLiteral("suoni/") + name); }

    const QString speak = QStringLiteral("Speak \\Spd=130\\\\Pit=100\\");
    const QString firstHelp = speak + "\\Map=\"Devi scrivere \"=\"\"\\";
};

// The word twice, then the letter: in the balloon with the wrong sound when no
// character can speak, by the character's voice otherwise.
TEST_F(CheckingTest, FourWrongLettersGiveThreeGradedHelpsThenNone)
{
    const QStringList balloon = {"balloon \"CANE\"", "balloon shown", "wait 2", "balloon hidden",
                                 "balloon \"CANE\"", "balloon shown", "wait 4", "balloon hidden",
                                 "balloon \"C\"",    "balloon shown"};
    const QStringList spoken = {"Play write",   firstHelp,    "wait 1",       speak + "CANE",
                                "wait 5",       "Play write", speak + "CANE", "wait 5",
                                "Play write",   "wait 1",     speak + "CANE", "balloon \"C\"",
                                "balloon shown"};
    const std::tuple<bool, bool, QStringList, qsizetype> cases[] = {
        {false, true, balloon, 4}, {true, false, balloon, 4}, {true, true, spoken, 0}};
    for (const auto& [speech, character, expected, wrongSounds] : cases) {
        SCOPED_TRACE(speech + 2 * character);
        state.ParlatoAttivo = speech;
        state.NumeroErrati = 0;
        seams.sounds.played.clear();
        startCane();
        if (!character)
            engine->setPersonaggio(nullptr);
        EXPECT_EQ(choose("BBBB"), expected);
        EXPECT_EQ(std::tuple(engine->erroriLettera(), engine->letteraAttesa(), view.wrongCount,
                             view.rightIcon),
                  std::tuple(4, "C", 4, false));
        EXPECT_EQ(seams.sounds.played, QStringList(wrongSounds, sound("no.wav")));
        EXPECT_EQ(row()[1], " * CANE * " + QString(" (_ ANE B) ").repeated(4));
    }
    engine->Controlla("C");
    engine->Avanti();
    seams.agent.failing = QStringList{"Play", "Speak", "StopAll"}; // only their steps are skipped
    EXPECT_EQ(choose("B"),
              (QStringList{"Play write", firstHelp, "wait 1", speak + "CANE", "wait 5"}));
}

TEST_F(CheckingTest, RightLettersFillTheBlanksInTurnAndRestartTheHelps)
{
    state.ParlatoAttivo = false;
    addPictures({"gatto nero.jpg"});
    useList("gatto nero\r\n");
    activate("o");
    state.CarattereLettere = kMinuscolo;
    state.TipoEsercizio = Esercizio::TutteLettere;
    start();
    EXPECT_EQ(view.caption, "gatt_  ner_ ");
    choose("xo");
    EXPECT_EQ(std::tuple(view.caption, engine->erroriLettera(), view.avantiEnabled),
              std::tuple("gatto ner_ ", 0, false));
    choose("x");
    EXPECT_EQ(seams.waiter.waits, (std::vector<double>{2, 2}));
    EXPECT_EQ(std::tuple(view.rightCount, view.wrongCount), std::tuple(1, 2));
    choose("o");
    EXPECT_EQ(view.caption, "gatto nero");
    EXPECT_EQ(row(),
              (RigaRegistro{"", " * gatto nero *  (gatt_  ner_  x)  (gatto ner_  x) ", "Fatto"}));
}

TEST_F(CheckingTest, ACompleteWordIsMarkedAndALaterLetterRepeatsTheCompletion)
{
    engine = std::make_unique<ExerciseEngine>(program, view);
    choose("a"); // nothing is judged before the first word
    EXPECT_EQ(std::tuple(state.NumeroErrati + state.NumeroEsatti, view.avantiEnabled),
              std::tuple(0, false));
    startCane();
    choose("B");
    EXPECT_EQ(choose("C"), QStringList{"focus avanti"}); // mouse mode: no scan mark to move
    EXPECT_EQ(std::tuple(view.rightIcon, view.avantiEnabled), std::tuple(true, true));
    EXPECT_EQ(row(), (RigaRegistro{"", " * CANE *  (_ ANE B) ", "Fatto"}));
    EXPECT_EQ(choose("Q"), QStringList{"focus avanti"});
    EXPECT_EQ(std::tuple(seams.sounds.played, state.NumeroEsatti),
              std::tuple(QStringList(2, sound("si.wav")), 1));
}

TEST_F(CheckingTest, ALetterChosenDuringAHelpIsJudgedInsideTheWaitAndAWrongOneCutsIt)
{
    state.ParlatoAttivo = false;
    startCane();
    const auto chooseC = [this](size_t) { // the right letter, chosen inside a wait
        engine->clearHelp();
        engine->Controlla("C");
    };
    duringWait = chooseC;
    EXPECT_EQ(choose("B"), (QStringList{"balloon \"CANE\"", "balloon shown", "wait 2",
                                        // inside the wait: the new choice
                                        "StopAll", "balloon \"\"", "balloon hidden", "focus avanti",
                                        // the rest of the help, then the completion test
                                        "balloon hidden", "focus avanti"}));
    EXPECT_EQ(std::tuple(state.NumeroEsatti, state.NumeroErrati), std::tuple(1, 1));
    EXPECT_EQ(row(), (RigaRegistro{"", " * CANE *  (_ ANE B) ", "Fatto"}));

    // The third help's letter stands until the next choice, even one inside its wait.
    state.ParlatoAttivo = true;
    engine->Avanti();
    duringWait = nullptr;
    choose("BB");
    duringWait = chooseC;
    choose("B");
    EXPECT_EQ(std::tuple(view.avantiEnabled, view.balloonVisible), std::tuple(true, false));

    // A wrong letter during a spoken help cuts it and gives the next help.
    engine->Avanti();
    duringWait = [this, first = seams.waiter.waits.size()](size_t index) {
        if (index == first) {
            engine->clearHelp();
            engine->Controlla("X");
        }
    };
    EXPECT_EQ(choose("B"), (QStringList{"Play write", firstHelp, "wait 1", "StopAll",
                                        "balloon \"\"", "balloon hidden", "Play write",
                                        speak + "CANE", "wait 5",    // the second help
                                        speak + "CANE", "wait 5"})); // the first goes on
    EXPECT_EQ(engine->erroriLettera(), 2);

    // An exercise that ends during a help stops the help.
    engine->Avanti();
    duringWait = [this](size_t) { engine.reset(); };
    EXPECT_EQ(choose("B"), (QStringList{"Play write", firstHelp, "wait 1"}));
}

// The fixture is also the history, keeping what it is given.
class HistoryRecordTest : public CheckingTest, public History
{
protected:
    HistoryRecordTest()
    {
        program.services.history = this;
        program.language.CurrentLanguage = "Italiano";
        state.NomeUtente = "Anna";
        state.TieniTraccia = true;
        state.ModalitaInput = 1;
    }
    // The engine outlives this fixture's members.
    ~HistoryRecordTest() override { program.services.history = nullptr; }
    void record(const WordRecord& word) override { recorded.push_back(word); }
    std::optional<Progress> progress(const QString&, TimeSpan) override { return std::nullopt; }
    std::optional<std::vector<WordRecord>> words(const QString&, TimeSpan) override
    {
        return std::nullopt;
    }
    bool forget(const QString&) override { return false; }

    std::vector<WordRecord> recorded;
};

// Nothing is kept without tracking; without a history the exercise goes on.
TEST_F(HistoryRecordTest, EveryWordIsKeptOnceWithEachBlanksLettersItsHelpsAndTime)
{
    seams.clock.now = 100; // the word's time counts from its showing
    startCane();
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    choose("BD"); // helps of 1 + 5 and 5 seconds
    EXPECT_TRUE(recorded.empty());
    choose("CC"); // a choice after the end records nothing more
    ASSERT_EQ(recorded.size(), 1u);
    const qint64 endedAt = recorded[0].endedAt;
    EXPECT_GE(endedAt, before);
    EXPECT_LE(endedAt, QDateTime::currentSecsSinceEpoch());
    WordRecord expected = historyWord("Anna", "CANE", {"1:BDC"}, endedAt, true, {1, 1, 0});
    expected.exercise = Esercizio::LetteraIniziale;
    expected.seconds = 11;
    expected.inputMode = 1;
    EXPECT_EQ(recorded[0], expected);

    engine->Avanti();
    engine.reset(); // the window closes on the second word
    ASSERT_EQ(recorded.size(), 2u);
    EXPECT_FALSE(recorded[1].finished);

    // Each blank keeps its own letters; an abandoned word is kept unfinished.
    state.TipoEsercizio = Esercizio::TutteLettere;
    addPictures({"gatto.jpg"});
    activate("gto");                     // only GATTO serves
    seams.random = ScriptedRandom{0.99}; // and is drawn, the last word
    start();
    choose("GOTXXXX"); // O at the first T; three helps, then none
    engine->endExercise();
    engine->endExercise(); // once only
    ASSERT_EQ(recorded.size(), 3u);
    const WordRecord& word = recorded[2];
    EXPECT_EQ(
        word.blanks,
        (std::vector<BlankChoices>{
            {1, "G", {"G"}}, {3, "T", {"O", "T"}}, {4, "T", {"X", "X", "X", "X"}}, {5, "O", {}}}));
    EXPECT_EQ(std::tuple(word.helps, word.wrongLetters(), word.finished),
              std::tuple(std::array<int, 3>{2, 1, 1}, 5, false));

    state.TieniTraccia = false;
    start();
    completeWord();
    engine->endExercise();
    EXPECT_EQ(recorded.size(), 3u);

    state.TieniTraccia = true;
    program.services.history = nullptr;
    start();
    completeWord();
    EXPECT_TRUE(view.avantiEnabled);
}

} // namespace
