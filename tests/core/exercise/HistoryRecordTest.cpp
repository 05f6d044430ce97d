#include "core/exercise/ExerciseFixture.h"
#include "core/history/History.h"

using namespace ortolino;
using namespace ortolino::test;

namespace {

class RecordingHistory final : public History
{
public:
    void record(const WordRecord& word) override { recorded.push_back(word); }
    qint64 sessionStart() const override { return 0; }
    std::optional<Progress> progress(const QString&, TimeSpan) override { return std::nullopt; }
    std::optional<std::vector<WordRecord>> words(const QString&, TimeSpan) override
    {
        return std::nullopt;
    }
    bool forget(const QString&) override { return false; }

    std::vector<WordRecord> recorded;
};

class HistoryRecordTest : public ExerciseTest
{
protected:
    HistoryRecordTest()
    {
        program.services.history = &history;
        program.language.CurrentLanguage = "Italiano";
        state.NomeUtente = "Anna";
        state.TieniTraccia = true;
        state.ModalitaInput = 1;
        state.TipoEsercizio = Esercizio::LetteraIniziale;
    }
    // The engine outlives this fixture's members.
    ~HistoryRecordTest() override { program.services.history = nullptr; }
    void startWith(const QString& picture, const QString& letters, int kind)
    {
        state.TipoEsercizio = kind;
        addPictures({picture});
        activate(letters);
        start();
    }
    RecordingHistory history;
};

TEST_F(HistoryRecordTest, AFinishedWordKeepsEveryLetterChosenTheHelpsAndTheTime)
{
    startWith("cane.jpg", "c", Esercizio::LetteraIniziale);
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    engine->Controlla("B"); // first help: waits of 1 and 5 seconds
    engine->Controlla("D"); // second help: 5 seconds
    EXPECT_TRUE(history.recorded.empty());
    engine->Controlla("C");
    engine->Controlla("C"); // a choice after the end records nothing more

    ASSERT_EQ(history.recorded.size(), 1u);
    const WordRecord& word = history.recorded[0];
    EXPECT_EQ(word.user, "Anna");
    EXPECT_EQ(word.language, "Italiano");
    EXPECT_EQ(word.exercise, Esercizio::LetteraIniziale);
    EXPECT_EQ(word.word, "CANE");
    EXPECT_EQ(word.blanks, (std::vector<BlankChoices>{{1, "C", {"B", "D", "C"}}}));
    EXPECT_EQ(word.helps, (std::array<int, 3>{1, 1, 0}));
    EXPECT_DOUBLE_EQ(word.seconds, 11);
    EXPECT_EQ(word.inputMode, 1);
    EXPECT_TRUE(word.finished);
    EXPECT_GE(word.endedAt, before);
    EXPECT_LE(word.endedAt, QDateTime::currentSecsSinceEpoch());
}

TEST_F(HistoryRecordTest, EachBlankKeepsItsOwnLettersAndAnAbandonedWordIsKeptUnfinished)
{
    startWith("gatto.jpg", "gatto", Esercizio::TutteLettere);
    engine->Controlla("G");
    engine->Controlla("O"); // at the second blank
    engine->Controlla("A");
    engine->Controlla("T");
    for (int i = 0; i < 4; ++i)
        engine->Controlla("X"); // three helps, then none
    engine->endExercise();
    engine->endExercise(); // once only

    ASSERT_EQ(history.recorded.size(), 1u);
    const WordRecord& word = history.recorded[0];
    EXPECT_FALSE(word.finished);
    EXPECT_EQ(word.blanks, (std::vector<BlankChoices>{{1, "G", {"G"}},
                                                      {2, "A", {"O", "A"}},
                                                      {3, "T", {"T"}},
                                                      {4, "T", {"X", "X", "X", "X"}},
                                                      {5, "O", {}}}));
    EXPECT_EQ(word.helps, (std::array<int, 3>{2, 1, 1}));
    EXPECT_EQ(word.wrongLetters(), 5);
}

// Every word of a run is kept once, the one left open unfinished; nothing is
// kept without tracking, and without a history the exercise goes on.
TEST_F(HistoryRecordTest, EveryWordOfARunIsKeptOnceAndOnlyWhenTracked)
{
    startWith("cane.jpg", "c", Esercizio::LetteraIniziale);
    for (int i = 0; i < 3; ++i) {
        completeWord();
        engine->Avanti();
    }
    engine.reset(); // the window closes on the fourth word
    ASSERT_EQ(history.recorded.size(), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(history.recorded[i].finished, i < 3);

    state.TieniTraccia = false;
    start();
    completeWord();
    engine->Avanti();
    engine->endExercise();
    EXPECT_EQ(history.recorded.size(), 4u);

    state.TieniTraccia = true;
    program.services.history = nullptr;
    start();
    completeWord();
    EXPECT_TRUE(view.avantiEnabled);
}

} // namespace
