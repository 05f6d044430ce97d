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

    QString speak(const QString& text) const { return "speak " + parametri() + text; }
    const RigaRegistro& row() const
    {
        return state.Registro[static_cast<size_t>(state.NumeroRigheRegistro)];
    }
    QString sound(const char* name) const { return programPath(QStringLiteral("suoni/") + name); }
};

TEST_F(CheckingTest, WithoutSpeechTheBalloonGivesThreeHelpsThenNone)
{
    state.ParlatoAttivo = false;
    startCane();
    engine->Controlla("B");
    EXPECT_EQ(events,
              (QStringList{"balloon \"CANE\"", "balloon shown", "wait 2", "balloon hidden"}));
    events.clear();
    engine->Controlla("B");
    EXPECT_EQ(events,
              (QStringList{"balloon \"CANE\"", "balloon shown", "wait 4", "balloon hidden"}));
    events.clear();
    engine->Controlla("B");
    EXPECT_EQ(events, (QStringList{"balloon \"C\"", "balloon shown"}));
    events.clear();
    engine->Controlla("B");
    EXPECT_TRUE(events.isEmpty());

    EXPECT_EQ(engine->erroriLettera(), 4);
    EXPECT_EQ(engine->letteraAttesa(), "C");
    EXPECT_EQ(state.NumeroErrati, 4);
    EXPECT_EQ(view.wrongCount, 4);
    EXPECT_FALSE(view.rightIcon);
    EXPECT_EQ(sounds.played, QStringList(4, sound("no.wav")));
    EXPECT_EQ(row()[1], " * CANE * " + QString(" (_ ANE B) ").repeated(4));
    EXPECT_EQ(row()[2], "");
}

TEST_F(CheckingTest, WithSpeechTheCharacterGivesTheHelpsAndNoWrongSound)
{
    startCane();
    for (int i = 0; i < 4; ++i)
        engine->Controlla("B");
    EXPECT_EQ(events, (QStringList{"play write", speak("\\Map=\"Devi scrivere \"=\"\"\\"), "wait 1",
                                   speak("CANE"), "wait 5",               // first
                                   "play write", speak("CANE"), "wait 5", // second
                                   "play write", "wait 1", speak("CANE"), // third
                                   "balloon \"C\"", "balloon shown"}));
    EXPECT_TRUE(sounds.played.isEmpty());

    engine->Controlla("C");
    EXPECT_EQ(sounds.played, QStringList{sound("si.wav")});
    EXPECT_EQ(engine->erroriLettera(), 0);

    state.SuoniAttivi = false;
    engine->Controlla("C");
    EXPECT_EQ(sounds.played.size(), 1);
}

TEST_F(CheckingTest, WithoutACharacterTheHelpsAreShownAndAFailingOneOnlySkipsItsSteps)
{
    startCane(); // speech on
    engine->setPersonaggio(nullptr);
    for (int i = 0; i < 3; ++i)
        engine->Controlla("B");
    EXPECT_EQ(events, (QStringList{"balloon \"CANE\"", "balloon shown", "wait 2", "balloon hidden",
                                   "balloon \"CANE\"", "balloon shown", "wait 4", "balloon hidden",
                                   "balloon \"C\"", "balloon shown"}));
    EXPECT_EQ(sounds.played, QStringList(3, sound("no.wav"))); // no voice takes its place
    engine->clearHelp();
    EXPECT_FALSE(view.balloonVisible);
    EXPECT_EQ(view.balloonText, "");

    engine->Avanti();
    engine->setPersonaggio(&character);
    character.fails = true;
    events.clear();
    engine->Controlla("B");
    EXPECT_EQ(events, (QStringList{"play write", speak("\\Map=\"Devi scrivere \"=\"\"\\"), "wait 1",
                                   speak("CANE"), "wait 5"}));
}

TEST_F(CheckingTest, ARightLetterFillsOneBlankAndRestartsTheHelps)
{
    state.ParlatoAttivo = false;
    addPictures({"gatto.jpg"});
    activate("t");
    state.TipoEsercizio = Esercizio::TutteLettere;
    start();
    EXPECT_EQ(view.caption, "GA_ _ O");
    engine->Controlla("X");
    engine->Controlla("T");
    EXPECT_EQ(view.caption, "GAT_ O");
    EXPECT_EQ(engine->erroriLettera(), 0);
    EXPECT_FALSE(view.avantiEnabled);
    engine->Controlla("X");
    EXPECT_EQ(engine->erroriLettera(), 1);
    EXPECT_EQ(seams.waiter.waits, (std::vector<double>{2, 2}));
    EXPECT_EQ(row()[1], " * GATTO * "
                        " (GA_ _ O X) "
                        " (GAT_ O X) ");
    EXPECT_EQ(view.rightCount, 1);
    EXPECT_EQ(view.wrongCount, 2);
}

TEST_F(CheckingTest, ACompleteWordIsMarkedAndALaterLetterRepeatsTheCompletion)
{
    startCane();
    engine->Controlla("B");
    events.clear();
    engine->Controlla("C");
    EXPECT_EQ(view.caption, "CANE");
    EXPECT_TRUE(view.rightIcon);
    EXPECT_TRUE(view.avantiEnabled);
    EXPECT_TRUE(engine->avantiEnabled());
    EXPECT_EQ(events, QStringList{"focus avanti"}); // mouse mode: no scan mark to move
    EXPECT_EQ(row(), (RigaRegistro{"",
                                   " * CANE * "
                                   " (_ ANE B) ",
                                   "Fatto"}));

    engine->Controlla("Q");
    EXPECT_EQ(events, (QStringList{"focus avanti", "focus avanti"}));
    EXPECT_EQ(sounds.played, QStringList(2, sound("si.wav")));
    EXPECT_EQ(state.NumeroEsatti, 1);
    EXPECT_EQ(state.NumeroErrati, 1);

    engine->Avanti();
    EXPECT_FALSE(view.avantiEnabled);
    EXPECT_EQ(view.caption, "_ ANE");

    // In the scanning modes the mark moves to "avanti": the frame, or colours.
    events.clear();
    state.ModalitaInput = 1;
    state.ConRiquadro = true;
    engine->Controlla("C");
    EXPECT_EQ(events, (QStringList{"frame on avanti", "focus avanti"}));
    engine->Avanti();
    state.ModalitaInput = 2;
    state.ConRiquadro = false;
    engine->TastoCorrente = 12;
    engine->Controlla("C");
    EXPECT_EQ(view.avantiColour, state.ColoreBottoneSelezionato);
    EXPECT_EQ(view.keyColours.at(12), state.ColoreBottoni);
}

TEST_F(CheckingTest, ARightLetterSendsTheScanBackToTheStartWhenAsked)
{
    addPictures({"gatto.jpg"});
    activate("t");
    state.TipoEsercizio = Esercizio::TutteLettere;
    start();
    engine->TastoCorrente = 4;
    engine->Controlla("T");
    EXPECT_EQ(engine->TastoCorrente, 4);
    EXPECT_TRUE(view.keyColours.empty());

    state.RipartiDallInizio = true;
    state.ModalitaInput = 1;
    engine->Controlla("T");
    EXPECT_EQ(engine->TastoCorrente, 0);
    EXPECT_EQ(view.keyColours.at(4), state.ColoreBottoni);

    engine->Avanti();
    state.ModalitaInput = 2;
    engine->TastoCorrente = 4;
    engine->Controlla("T");
    EXPECT_EQ(engine->TastoCorrente, 25);
}

TEST_F(CheckingTest, ResettingTheCountersLeavesTheTurnAlone)
{
    startCane();
    engine->Controlla("B");
    engine->AzzeraConteggio();
    EXPECT_EQ(state.NumeroEsatti, 0);
    EXPECT_EQ(state.NumeroErrati, 0);
    EXPECT_EQ(view.rightCount, 0);
    EXPECT_EQ(view.wrongCount, 0);
    EXPECT_TRUE(view.rightIcon);
    EXPECT_EQ(view.caption, "_ ANE");
    EXPECT_EQ(row()[1], " * CANE * "
                        " (_ ANE B) ");
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
    engine->Controlla("B");
    EXPECT_EQ(events, (QStringList{"balloon \"CANE\"", "balloon shown", "wait 2",
                                   // inside the wait: the new choice
                                   "stop", "balloon \"\"", "balloon hidden", "focus avanti",
                                   // the rest of the help, then the completion test
                                   "balloon hidden", "focus avanti"}));
    EXPECT_EQ(state.NumeroEsatti, 1);
    EXPECT_EQ(state.NumeroErrati, 1);
    EXPECT_EQ(sounds.played, (QStringList{sound("no.wav"), sound("si.wav"), sound("si.wav")}));
    EXPECT_EQ(row(), (RigaRegistro{"",
                                   " * CANE * "
                                   " (_ ANE B) ",
                                   "Fatto"}));
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
    engine->Controlla("B");
    EXPECT_EQ(events, (QStringList{"play write", speak("\\Map=\"Devi scrivere \"=\"\"\\"), "wait 1",
                                   "stop", "balloon \"\"", "balloon hidden", "play write",
                                   speak("CANE"), "wait 5",    // the second help
                                   speak("CANE"), "wait 5"})); // the first goes on
    EXPECT_EQ(engine->erroriLettera(), 2);
}

TEST_F(CheckingTest, AnExerciseThatEndsDuringAHelpStopsTheHelp)
{
    startCane();
    duringWait = [this](size_t) { engine.reset(); };
    engine->Controlla("B");
    EXPECT_EQ(events,
              (QStringList{"play write", speak("\\Map=\"Devi scrivere \"=\"\"\\"), "wait 1"}));
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
    engine->Controlla("a");
    engine->Controlla("o");
    EXPECT_EQ(view.caption, "gatto ner_ ");
    engine->Controlla("o");
    EXPECT_EQ(view.caption, "gatto nero");
    EXPECT_EQ(row(), (RigaRegistro{"",
                                   " * gatto nero * "
                                   " (gatt_  ner_  a) ",
                                   "Fatto"}));
    EXPECT_EQ(state.NumeroEsatti, 2);
}

TEST_F(CheckingTest, NothingIsJudgedBeforeTheFirstWord)
{
    engine = std::make_unique<ExerciseEngine>(program, view);
    engine->Controlla("a");
    EXPECT_EQ(state.NumeroErrati, 0);
    EXPECT_EQ(state.NumeroEsatti, 0);
    EXPECT_FALSE(view.avantiEnabled);
}

} // namespace
