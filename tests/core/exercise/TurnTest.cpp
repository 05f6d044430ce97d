#include "core/exercise/ExerciseFixture.h"

using namespace ortolino;
using namespace ortolino::test;

namespace {

using TurnTest = ExerciseTest;

TEST_F(TurnTest, ATurnShowsTheMaskedWordItsPictureAndOpensALogRowWhileTheLogHasRoom)
{
    addPictures({"cane.jpg", "gatto.gif"});
    activate("c");
    state.Registro[0][0] = "LETTERA INIZIALE";
    state.Registro[1] = {"vecchio titolo", "vecchia parola", "Fatto"};
    seams.random = ScriptedRandom{0.6, 0.0}; // gatto (dropped), then cane
    start();
    EXPECT_EQ(std::tuple(view.caption, view.picture, state.IndiceParola, state.NumeroRigheRegistro),
              std::tuple("_ ANE", programPath("immagini/cane.jpg"), 1, 1));
    EXPECT_EQ(std::tuple(state.Registro[0][0], state.Registro[1]),
              std::tuple(QString("LETTERA INIZIALE"), RigaRegistro{"", " * CANE * ", ""}));

    // A full log stops logging but not the exercise.
    seams.random = ScriptedRandom{0.0};
    state.NumeroRigheRegistro = 999;
    engine->Avanti();
    completeWord();
    EXPECT_EQ(state.Registro[1000], (RigaRegistro{"", " * CANE * ", "Fatto"}));
    state.Registro[1000] = {"", "ultima", ""};
    engine->Avanti();
    engine->Controlla("X");
    completeWord();
    EXPECT_EQ(std::tuple(state.NumeroRigheRegistro, state.Registro[1000], state.NumeroEsatti,
                         state.NumeroErrati),
              std::tuple(1000, RigaRegistro{"", "ultima", ""}, 2, 1));
}

// A list none of whose words has a picture gives way to all pictures, with a message.
TEST_F(TurnTest, ListWordsWithoutPicturesAreNeverShown)
{
    addPictures({"cane.jpg", "casa.jpg"});
    useList("caro\r\ncane\r\ncosa\r\n");
    activate("c");
    SystemRandom seeded; // a property that must hold over many turns
    seeded.seed(20240611);
    program.services.random = &seeded;
    start();
    QStringList words;
    for (int turn = 0; turn < 30; ++turn) {
        engine->Avanti();
        words << state.ParoleDisponibili[static_cast<size_t>(state.IndiceParola)];
    }
    EXPECT_EQ(words, QStringList(30, "CANE"));
    EXPECT_EQ(std::tuple(state.UsaTutteLeImmagini, seams.messages.shown.size()),
              std::tuple(false, size_t{0}));

    useList("nonce\r\nniente\r\n");
    start();
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(std::tuple(state.UsaTutteLeImmagini, catalogue()),
              std::tuple(true, QStringList{"CANE", "CASA"}));
}

// An exercise no word can serve ends with a message (a list without pictures
// gives the fallback's first), and nothing more happens; chance ends none.
// (Pictures none of whose words fits: the window's test.)
TEST_F(TurnTest, AnExerciseNoWordCanServeEndsWithAMessageButChanceEndsNone)
{
    program.language.CurrentLanguage = "Italiano"; // a text of its own, not the fallback's
    activate("c");
    for (const QByteArray& list : {QByteArray(), QByteArray("cane\r\n")}) { // none: all pictures
        SCOPED_TRACE(list.size());
        if (!list.isEmpty())
            useList(list);
        seams.messages.shown.clear();
        view.endCalls = 0;
        start();
        ASSERT_EQ(seams.messages.shown.size(), list.isEmpty() ? 1u : 2u);
        EXPECT_EQ(seams.messages.shown.back().text, program.text("0201"));
        EXPECT_EQ(std::tuple(view.endCalls, state.NumeroRigheRegistro), std::tuple(1, 0));
        engine->Controlla("q");
        engine->NuovaParola();
        EXPECT_EQ(std::tuple(state.NumeroErrati, view.endCalls), std::tuple(0, 1));
    }

    // A word whose random position misses longer than the engine waits is still shown.
    view.endCalls = 0;
    addPictures({"a.jpg"});
    activate("a");
    state.TipoEsercizio = Esercizio::UnaLettera;
    ScriptedRandom random(std::initializer_list<double>{});
    for (long i = 0; i < ExerciseEngine::kProvePrimaDelControllo + 500; ++i) {
        random.push(0.0); // the draw
        random.push(0.5); // position 2
    }
    random.push(0.0);
    random.push(0.0); // position 1
    seams.random = random;
    start();
    EXPECT_EQ(std::tuple(view.caption, view.endCalls), std::tuple("_ ", 0));
}

} // namespace
