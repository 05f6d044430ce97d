// The turns: drawing a word with a picture, blanking its letters by the kind,
// showing it and opening its log row.
#include "core/exercise/ExerciseEngine.h"

#include "core/app/Program.h"
#include "core/exercise/ExerciseView.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/Random.h"

#include <algorithm>

namespace ortolino {

ExerciseEngine::ExerciseEngine(Program& program, ExerciseView& view)
    : ParametriVoce(parametriVoce(program.state.VelocitaVoce, program.state.TonoVoce)),
      program_(program), view_(view)
{
}

ExerciseEngine::~ExerciseEngine()
{
    endExercise();
}

void ExerciseEngine::endExercise()
{
    endWordRecord(false); // a word left unfinished
    *running_ = false;
    turnRunning_ = false;
}

void ExerciseEngine::CaricaParole()
{
    pictures_ = ortolino::CaricaParole(program_.env, program_.state, &view_);
}

void ExerciseEngine::NuovaParola()
{
    if (!running())
        return;
    switch (program_.state.TipoEsercizio) {
    case Esercizio::UnaLettera:
        NuovaParolaUnaLettera();
        break;
    case Esercizio::DueLettere:
        NuovaParolaDueLettere();
        break;
    case Esercizio::TutteLettere:
        NuovaParolaTutteLettere();
        break;
    default:
        NuovaParolaIniziale();
        break;
    }
    if (!turnRunning_)
        return; // no word: the exercise ends
    view_.showPicture(PercorsoImmagine(turn_.word()));
    if (program_.state.ColoreCasuale)
        view_.setBackground(ScegliColoreCasuale(*program_.services.random));
}

void ExerciseEngine::Avanti()
{
    avantiEnabled_ = false;
    view_.setAvantiEnabled(false);
    NuovaParola();
}

void ExerciseEngine::NuovaParolaIniziale()
{
    turno(Esercizio::LetteraIniziale);
}

void ExerciseEngine::NuovaParolaUnaLettera()
{
    turno(Esercizio::UnaLettera);
}

void ExerciseEngine::NuovaParolaDueLettere()
{
    turno(Esercizio::DueLettere);
}

void ExerciseEngine::NuovaParolaTutteLettere()
{
    turno(Esercizio::TutteLettere);
}

// The frame of every kind: draw words with a picture until the kind's rule
// keeps one. A kind that no word can serve would draw for ever: after a run of
// fruitless draws the catalogue is checked once, and the exercise ends when no
// word of it can ever be kept (and in any case after kMassimoProve draws).
void ExerciseEngine::turno(int kind)
{
    turnRunning_ = false;
    view_.setWordCaption(QString());
    erroriLettera_ = 0;
    const ActiveKeys keys(program_.state);
    for (long prova = 1;; ++prova) {
        const bool senzaSperanza =
            prova == kProvePrimaDelControllo && !qualcheParolaAdatta(kind, keys);
        if (senzaSperanza || prova > kMassimoProve) {
            nessunaParolaAdatta();
            return;
        }
        if (!estraiConImmagine())
            continue;
        MaskedWord word(parolaNelCasoInUso(program_.state, parolaEstratta()));
        if (oscuraLettere(kind, word, keys, *program_.services.random)) {
            tieniParola(word);
            return;
        }
    }
}

void ExerciseEngine::estrai()
{
    ProgramState& state = program_.state;
    const auto index = static_cast<int>(program_.services.random->Rnd() * state.NumeroParole) + 1;
    state.IndiceParola = std::min(index, std::max(state.NumeroParole, 1));
}

// The drawn word; empty when the catalogue is.
QString ExerciseEngine::parolaEstratta() const
{
    const ProgramState& state = program_.state;
    if (state.IndiceParola < 1 || state.IndiceParola > state.NumeroParole)
        return QString();
    return state.ParoleDisponibili[static_cast<size_t>(state.IndiceParola)];
}

// A draw that passed the picture test. When the words of a list keep failing
// it, the exercise switches to all pictures (once: afterwards there is no
// list to leave) and draws again.
bool ExerciseEngine::estraiConImmagine()
{
    if (estraiConProvaImmagine())
        return true;
    if (program_.state.TutteLeImmagini)
        return false;
    pictures_ = ripartiConTutteLeImmagini(program_.text(QStringLiteral("0245")), program_.env,
                                          program_.state, program_.services.messages, &view_);
    return estraiConProvaImmagine();
}

bool ExerciseEngine::estraiConProvaImmagine()
{
    estrai();
    for (int ritentativi = 0; !immagineMostrabile(parolaEstratta()); ++ritentativi) {
        if (ritentativi == kRitentativiImmagine)
            return false;
        estrai();
    }
    return true;
}

bool ExerciseEngine::qualcheParolaAdatta(int kind, const ActiveKeys& keys) const
{
    const ProgramState& state = program_.state;
    for (int i = 1; i <= state.NumeroParole; ++i) {
        const QString& word = state.ParoleDisponibili[static_cast<size_t>(i)];
        if (parolaAdatta(kind, word, keys) && immagineMostrabile(word))
            return true;
    }
    return false;
}

bool ExerciseEngine::immagineMostrabile(const QString& word) const
{
    if (!pictures_.hasPicture(word))
        return false;
    const QString path = PercorsoImmagine(word);
    auto known = mostrabili_.constFind(path);
    if (known == mostrabili_.constEnd())
        known = mostrabili_.insert(path, view_.canShowPicture(path));
    return *known;
}

void ExerciseEngine::tieniParola(const MaskedWord& word)
{
    ProgramState& state = program_.state;
    state.ParoleDisponibili[static_cast<size_t>(state.IndiceParola)] = word.word();
    turn_ = word;
    turnRunning_ = true;
    startWordRecord();
    view_.setWholeWord(turn_.word());
    view_.setWordCaption(turn_.caption());
    apriRigaRegistro(turn_.word());
}

void ExerciseEngine::nessunaParolaAdatta()
{
    if (program_.services.messages != nullptr) {
        Message message;
        message.text = program_.text(QStringLiteral("0201"));
        message.icon = Message::Icon::Critical;
        program_.services.messages->show(message);
    }
    endExercise();
    view_.endExercise();
}

// One row per word. With row 1000 in use the log is full: the word is not
// logged, and neither are its wrong letters or its completion.
void ExerciseEngine::apriRigaRegistro(const QString& word)
{
    ProgramState& state = program_.state;
    if (state.NumeroRigheRegistro < 0 || state.NumeroRigheRegistro >= kRigheRegistro - 1) {
        rigaTurno_ = -1;
        return;
    }
    rigaTurno_ = ++state.NumeroRigheRegistro;
    // The whole row belongs to this word: nothing left from an earlier run
    // may pass for a heading or a completion mark.
    state.Registro[static_cast<size_t>(rigaTurno_)] =
        RigaRegistro{QString(), QStringLiteral(" * ") + word + QStringLiteral(" * "), QString()};
}

void ExerciseEngine::annotaRegistro(int column, const QString& text, bool append)
{
    if (rigaTurno_ < 0)
        return;
    QString& cell =
        program_.state.Registro[static_cast<size_t>(rigaTurno_)][static_cast<size_t>(column)];
    if (append)
        cell += text;
    else
        cell = text;
}

} // namespace ortolino
