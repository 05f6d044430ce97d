#include "core/exercise/ExerciseFixture.h"

namespace ortolino::test {

ExerciseTest::ExerciseTest()
    : program(env.env(), seams.services()), state(program.state), events(seams.agent.calls),
      character(seams.agent.Load(QStringLiteral("Merlin"), nullptr))
{
    PreparaTastiera(state);
    state.CartellaImmagini = QStringLiteral("immagini");
    state.CartellaListe = QStringLiteral("liste");
    state.ColoreCasuale = false;
    state.UsaTutteLeImmagini = true;
    state.MassimoLettere = 13;
    seams.waiter.during = [this](size_t index, double seconds) {
        events << QStringLiteral("wait %1").arg(seconds);
        if (duringWait)
            duringWait(index);
    };
    events.clear();
}

void ExerciseTest::addPictures(const QStringList& names)
{
    for (const QString& name : names)
        env.writeProgramFile(QStringLiteral("immagini/") + name, QByteArray());
}

void ExerciseTest::useList(const QByteArray& bytes)
{
    env.writeProgramFile(QStringLiteral("liste/prova.txt"), bytes);
    state.ListaInUso = programPath(QStringLiteral("liste/prova.txt"));
    state.UsaTutteLeImmagini = false;
}

void ExerciseTest::activate(const QString& letters)
{
    for (int key = 0; key < kNumeroTasti; ++key) {
        const QString& letter = state.LettereTastiera[static_cast<size_t>(key + 1)];
        state.LettereAttive[static_cast<size_t>(key)] =
            letters.contains(letter, Qt::CaseInsensitive);
    }
}

QStringList ExerciseTest::catalogue() const
{
    QStringList words;
    for (int i = 1; i <= state.NumeroParole; ++i)
        words << state.ParoleDisponibili[static_cast<size_t>(i)];
    return words;
}

ExerciseEngine& ExerciseTest::start()
{
    engine = std::make_unique<ExerciseEngine>(program, view);
    engine->setPersonaggio(character.get());
    engine->CaricaParole();
    engine->NuovaParola();
    return *engine;
}

void ExerciseTest::completeWord()
{
    const QString word = state.ParoleDisponibili[static_cast<size_t>(state.IndiceParola)];
    for (qsizetype tries = 0; tries < word.size() && view.caption.contains(QLatin1Char('_'));
         ++tries) {
        // Caption position to word position: every earlier blank took two characters.
        const qsizetype blank = view.caption.indexOf(QLatin1Char('_'));
        const qsizetype position = blank - view.caption.left(blank).count(QLatin1Char('_'));
        engine->Controlla(QString(word[position]));
    }
}

} // namespace ortolino::test
