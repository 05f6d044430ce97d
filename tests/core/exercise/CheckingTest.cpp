#include "core/exercise/ExerciseFixture.h"

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

// Speech off, or no character to speak: the balloon gives two helps of the
// whole word, then the letter, then nothing more; the wrong sound plays each time.
TEST_F(CheckingTest, WithoutSpeechOrCharacterTheBalloonGivesThreeHelpsThenNone)
{
    for (const bool speech : {false, true}) {
        SCOPED_TRACE(speech);
        state.ParlatoAttivo = speech;
        seams.sounds.played.clear();
        startCane();
        if (speech)
            engine->setPersonaggio(nullptr);
        EXPECT_EQ(choose("B"),
                  (QStringList{"balloon \"CANE\"", "balloon shown", "wait 2", "balloon hidden"}));
        EXPECT_EQ(choose("B"),
                  (QStringList{"balloon \"CANE\"", "balloon shown", "wait 4", "balloon hidden"}));
        EXPECT_EQ(choose("B"), (QStringList{"balloon \"C\"", "balloon shown"}));
        EXPECT_TRUE(choose("B").isEmpty());

        EXPECT_EQ(engine->erroriLettera(), 4);
        EXPECT_EQ(engine->letteraAttesa(), "C");
        EXPECT_EQ(view.wrongCount, 4);
        EXPECT_FALSE(view.rightIcon);
        EXPECT_EQ(seams.sounds.played, QStringList(4, sound("no.wav")));
        EXPECT_EQ(row()[1], " * CANE * " + QString(" (_ ANE B) ").repeated(4));
        EXPECT_EQ(row()[2], "");
        engine->clearHelp();
        EXPECT_FALSE(view.balloonVisible);
        EXPECT_EQ(view.balloonText, "");
        state.NumeroErrati = 0;
    }
    // A character whose calls fail only skips their steps.
    engine->Avanti();
    engine->setPersonaggio(character.get());
    seams.agent.failing = QStringList{"Play", "Speak", "StopAll"};
    EXPECT_EQ(choose("B"),
              (QStringList{"Play write", firstHelp, "wait 1", speak + "CANE", "wait 5"}));
}

TEST_F(CheckingTest, WithSpeechTheCharacterGivesTheHelpsAndNoWrongSound)
{
    startCane();
    EXPECT_EQ(choose("BBBB"),
              (QStringList{"Play write", firstHelp, "wait 1", speak + "CANE", "wait 5", // first
                           "Play write", speak + "CANE", "wait 5",                      // second
                           "Play write", "wait 1", speak + "CANE",                      // third
                           "balloon \"C\"", "balloon shown"}));
    EXPECT_TRUE(seams.sounds.played.isEmpty());

    engine->Controlla("C");
    EXPECT_EQ(seams.sounds.played, QStringList{sound("si.wav")});
    EXPECT_EQ(engine->erroriLettera(), 0);
    state.SuoniAttivi = false;
    engine->Controlla("C");
    EXPECT_EQ(seams.sounds.played.size(), 1);
}

TEST_F(CheckingTest, ARightLetterFillsOneBlankAndRestartsTheHelps)
{
    state.ParlatoAttivo = false;
    addPictures({"gatto.jpg"});
    activate("t");
    state.TipoEsercizio = Esercizio::TutteLettere;
    start();
    EXPECT_EQ(view.caption, "GA_ _ O");
    choose("XT");
    EXPECT_EQ(view.caption, "GAT_ O");
    EXPECT_EQ(engine->erroriLettera(), 0);
    EXPECT_FALSE(view.avantiEnabled);
    choose("X");
    EXPECT_EQ(engine->erroriLettera(), 1);
    EXPECT_EQ(seams.waiter.waits, (std::vector<double>{2, 2}));
    EXPECT_EQ(row()[1], " * GATTO *  (GA_ _ O X)  (GAT_ O X) ");
    EXPECT_EQ(view.rightCount, 1);
    EXPECT_EQ(view.wrongCount, 2);
}

TEST_F(CheckingTest, ACompleteWordIsMarkedAndALaterLetterRepeatsTheCompletion)
{
    startCane();
    choose("B");
    EXPECT_EQ(choose("C"), QStringList{"focus avanti"}); // mouse mode: no scan mark to move
    EXPECT_EQ(view.caption, "CANE");
    EXPECT_TRUE(view.rightIcon);
    EXPECT_TRUE(view.avantiEnabled);
    EXPECT_TRUE(engine->avantiEnabled());
    EXPECT_EQ(row(), (RigaRegistro{"", " * CANE *  (_ ANE B) ", "Fatto"}));

    EXPECT_EQ(choose("Q"), QStringList{"focus avanti"});
    EXPECT_EQ(seams.sounds.played, QStringList(2, sound("si.wav")));
    EXPECT_EQ(state.NumeroEsatti, 1);
    EXPECT_EQ(state.NumeroErrati, 1);

    engine->Avanti();
    EXPECT_FALSE(view.avantiEnabled);
    EXPECT_EQ(view.caption, "_ ANE");

    // Resetting the counters leaves the turn alone.
    choose("B");
    engine->AzzeraConteggio();
    EXPECT_EQ(state.NumeroEsatti + state.NumeroErrati, 0);
    EXPECT_EQ(view.rightCount + view.wrongCount, 0);
    EXPECT_TRUE(view.rightIcon);
    EXPECT_EQ(view.caption, "_ ANE");
    EXPECT_EQ(row()[1], " * CANE *  (_ ANE B) ");
    EXPECT_EQ(engine->erroriLettera(), 1);
}

TEST_F(CheckingTest, ALetterChosenDuringAHelpIsJudgedInsideTheWait)
{
    state.ParlatoAttivo = false;
    startCane();
    duringWait = [this](size_t) {
        engine->clearHelp();
        engine->Controlla("C");
    };
    EXPECT_EQ(choose("B"), (QStringList{"balloon \"CANE\"", "balloon shown", "wait 2",
                                        // inside the wait: the new choice
                                        "StopAll", "balloon \"\"", "balloon hidden", "focus avanti",
                                        // the rest of the help, then the completion test
                                        "balloon hidden", "focus avanti"}));
    EXPECT_EQ(state.NumeroEsatti, 1);
    EXPECT_EQ(state.NumeroErrati, 1);
    EXPECT_EQ(seams.sounds.played,
              (QStringList{sound("no.wav"), sound("si.wav"), sound("si.wav")}));
    EXPECT_EQ(row(), (RigaRegistro{"", " * CANE *  (_ ANE B) ", "Fatto"}));
}

TEST_F(CheckingTest, AWrongLetterDuringASpokenHelpCutsItAndGivesTheNextHelp)
{
    startCane();
    duringWait = [this](size_t index) {
        if (index == 0) {
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

TEST_F(CheckingTest, AWordWithABlankIsJudgedAtItsTruePositions)
{
    addPictures({"gatto nero.jpg"});
    useList("gatto nero\r\n");
    activate("o");
    state.CarattereLettere = kMinuscolo;
    state.TipoEsercizio = Esercizio::TutteLettere;
    start();
    EXPECT_EQ(view.caption, "gatt_  ner_ ");
    choose("ao");
    EXPECT_EQ(view.caption, "gatto ner_ ");
    choose("o");
    EXPECT_EQ(view.caption, "gatto nero");
    EXPECT_EQ(row(), (RigaRegistro{"", " * gatto nero *  (gatt_  ner_  a) ", "Fatto"}));
    EXPECT_EQ(state.NumeroEsatti, 2);
}

TEST_F(CheckingTest, NothingIsJudgedBeforeTheFirstWord)
{
    engine = std::make_unique<ExerciseEngine>(program, view);
    choose("a");
    EXPECT_EQ(state.NumeroErrati + state.NumeroEsatti, 0);
    EXPECT_FALSE(view.avantiEnabled);
}

} // namespace
