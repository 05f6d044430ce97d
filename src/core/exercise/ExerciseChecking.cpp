// The checking of a chosen letter, the graded helps and the sounds.
#include "core/app/Program.h"
#include "core/exercise/ExerciseEngine.h"
#include "core/exercise/ExerciseView.h"
#include "core/exercise/ModuloSuoni.h"
#include "core/platform/SpeakingCharacter.h"
#include "core/platform/Waiter.h"

namespace ortolino {

namespace {

const QString kFatto = QStringLiteral("Fatto");

constexpr int kColonnaParola = 1;
constexpr int kColonnaFatto = 2;

} // namespace

void ExerciseEngine::AzzeraConteggio()
{
    program_.state.NumeroEsatti = 0;
    program_.state.NumeroErrati = 0;
    view_.showOutcome(true);
    view_.showCounters(0, 0);
}

void ExerciseEngine::clearHelp()
{
    if (personaggio_ != nullptr)
        personaggio_->StopAll();
    view_.setBalloonText(QString());
    view_.setBalloonVisible(false);
}

void ExerciseEngine::Controlla(const QString& letter)
{
    if (!turnRunning_)
        return;
    const int position = turn_.firstBlank();
    if (position >= 0) {
        letteraAttesa_ = QString(turn_.word()[position]);
        noteChoice(position, letter);
        if (letter == letteraAttesa_)
            letteraGiusta(position);
        else if (!letteraSbagliata(letter))
            return; // the exercise ended during the help
    }
    // After a help, a letter judged during its waits may have completed the
    // word or started the next one: the test reads the turn as it is now.
    if (turnRunning_ && turn_.firstBlank() < 0)
        parolaCompletata();
}

bool ExerciseEngine::letteraSbagliata(const QString& letter)
{
    ProgramState& state = program_.state;
    view_.showOutcome(false);
    ++state.NumeroErrati;
    SuonoSbagliato();
    view_.showCounters(state.NumeroEsatti, state.NumeroErrati);
    ++erroriLettera_;
    annotaRegistro(kColonnaParola,
                   QStringLiteral(" (") + turn_.caption() + QLatin1Char(' ') + letter +
                       QStringLiteral(") "),
                   true);
    noteHelp(erroriLettera_);
    switch (erroriLettera_) {
    case 1:
        return PrimoErrore();
    case 2:
        return SecondoErrore();
    case 3:
        return TerzoErrore();
    default:
        return true; // from the fourth wrong letter on, no help
    }
}

void ExerciseEngine::letteraGiusta(int position)
{
    ProgramState& state = program_.state;
    turn_.fill(position);
    view_.setWordCaption(turn_.caption());
    ++state.NumeroEsatti;
    view_.showCounters(state.NumeroEsatti, state.NumeroErrati);
    erroriLettera_ = 0;
    // Where the scan goes on from is the scanning's (KeyboardInput): it knows
    // which keys are shown.
    if (state.RipartiDallInizio)
        view_.colourKey(TastoCorrente, state.ColoreBottoni);
}

void ExerciseEngine::parolaCompletata()
{
    const ProgramState& state = program_.state;
    view_.showOutcome(true);
    SuonoGiusto();
    annotaRegistro(kColonnaFatto, kFatto, false);
    endWordRecord(true);
    if (state.ModalitaInput == 1 || state.ModalitaInput == 2) {
        if (state.ConRiquadro) {
            view_.placeFrameOnAvanti();
        } else {
            view_.colourAvanti(state.ColoreBottoneSelezionato);
            view_.colourKey(TastoCorrente, state.ColoreBottoni);
        }
    }
    avantiEnabled_ = true;
    view_.setAvantiEnabled(true);
    view_.focusAvanti();
}

// The helps read the word of the turn at every step: a letter judged during a
// wait may have moved on to the next word. Each returns false when the
// exercise ended during one of its waits.
bool ExerciseEngine::PrimoErrore()
{
    if (!aiutoParlato())
        return fumettoPer(2);
    gioca(QStringLiteral("write"));
    // Spoken by the character and kept out of its balloon; a quote would end
    // the tag early.
    parla(QStringLiteral("\\Map=\"%1 \"=\"\"\\")
              .arg(program_.text(QStringLiteral("0234")).remove(QLatin1Char('"'))));
    if (!Attendi(1))
        return false;
    parla(turn_.word());
    return Attendi(5);
}

bool ExerciseEngine::SecondoErrore()
{
    if (!aiutoParlato())
        return fumettoPer(4);
    gioca(QStringLiteral("write"));
    parla(turn_.word());
    return Attendi(5);
}

bool ExerciseEngine::TerzoErrore()
{
    if (aiutoParlato()) {
        gioca(QStringLiteral("write"));
        if (!Attendi(1))
            return false;
        parla(turn_.word());
        // A right letter chosen in the wait filled the blank (or finished the
        // word): its letter would stand over the next blank or the next word.
        if (erroriLettera_ < 3)
            return true;
    }
    view_.setBalloonText(letteraAttesa_);
    view_.setBalloonVisible(true); // stays until the next choice
    return true;
}

bool ExerciseEngine::fumettoPer(double seconds)
{
    view_.setBalloonText(turn_.word());
    view_.setBalloonVisible(true);
    if (!Attendi(seconds))
        return false;
    view_.setBalloonVisible(false);
    return true;
}

// With speech on but no character the helps are shown as with speech off:
// a silent wait would leave the child without any help.
bool ExerciseEngine::aiutoParlato() const
{
    return program_.state.ParlatoAttivo && personaggio_ != nullptr;
}

// A character step that fails is skipped: the help goes on with the next.
void ExerciseEngine::gioca(const QString& animation)
{
    if (personaggio_ != nullptr)
        personaggio_->Play(animation);
}

void ExerciseEngine::parla(const QString& text)
{
    if (personaggio_ != nullptr)
        personaggio_->Speak(ParametriVoce + text);
}

bool ExerciseEngine::Attendi(double seconds)
{
    // A copy: the engine may be gone when the wait returns.
    const std::shared_ptr<bool> running = running_;
    if (*running && program_.services.waiter != nullptr)
        program_.services.waiter->wait(seconds);
    return *running;
}

void ExerciseEngine::SuonoGiusto()
{
    ortolino::SuonoGiusto(program_);
}

void ExerciseEngine::SuonoSbagliato()
{
    ortolino::SuonoSbagliato(program_, personaggio_ != nullptr);
}

} // namespace ortolino
