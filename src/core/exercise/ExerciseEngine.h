#pragma once

#include "core/history/History.h"
#include "core/words/MaskedWord.h"
#include "core/words/WordCatalogue.h"

#include <memory>
#include <QHash>
#include <QString>

namespace ortolino {

class ExerciseView;
class Personaggio;
class Program;

// The exercise of the window `lettere` without its widgets: the catalogue,
// the turns of the four kinds, the checking of each letter with its graded
// helps, the sounds and the activity log. Settings, counters, catalogue and
// log live in the program state; the window's own variables live here. The
// window shows what the engine decides through ExerciseView; the character,
// sounds, messages, random numbers and waits go through the program's seams.
//
// Helps wait with Attendi, which handles events meanwhile: a letter chosen
// during a help is judged at once, by a nested call of Controlla, and the help
// goes on afterwards. When the exercise ends during such a wait (the window
// closes and may destroy the engine), the help stops where it stands.
class ExerciseEngine
{
public:
    ExerciseEngine(Program& program, ExerciseView& view);
    ~ExerciseEngine();
    ExerciseEngine(const ExerciseEngine&) = delete;
    ExerciseEngine& operator=(const ExerciseEngine&) = delete;

    // The window's speaking character, or nullptr: its steps are then skipped.
    void setPersonaggio(Personaggio* character) { personaggio_ = character; }

    // Counters to 0, the right icon shown ("&Azzera conteggio" and activation).
    void AzzeraConteggio();
    // Builds the catalogue for this exercise and reads the picture folder.
    void CaricaParole();
    // Starts the next turn by the kind TipoEsercizio. When no word can serve
    // the kind, a message is shown and the view is asked to end the exercise.
    void NuovaParola();
    // "avanti" chosen: the button is disabled and the next turn starts.
    void Avanti();

    // First step of every choice: the character stops, the balloon is
    // emptied and hidden.
    void clearHelp();
    // Judges a chosen letter (a key letter in the case in force).
    void Controlla(const QString& letter);

    // Waits while events are handled. False when the exercise ended during
    // the wait: the caller must then stop without touching the engine.
    bool Attendi(double seconds);
    void SuonoGiusto();
    void SuonoSbagliato();

    // The window is closing: helps still waiting stop after their wait and
    // nothing more is judged. Call it before the character is released.
    void endExercise();
    bool running() const { return *running_; }

    QString PercorsoImmagine(const QString& word) const { return pictures_.PercorsoImmagine(word); }
    const PictureFolder& pictures() const { return pictures_; }

    // Window variables.
    int TastoCorrente = 25; // key under the scan, moved by the scanning handlers
    QString ParametriVoce;  // speech tags put in front of every spoken text
    int erroriLettera() const { return erroriLettera_; }
    const QString& letteraAttesa() const { return letteraAttesa_; }
    QString caption() const { return turnRunning_ ? turn_.caption() : QString(); }
    bool avantiEnabled() const { return avantiEnabled_; }

    // Draws of a turn before the engine checks that some word can serve the
    // kind at all, and the draws after which it gives up in any case.
    static constexpr long kProvePrimaDelControllo = 1000;
    static constexpr long kMassimoProve = 10'000'000;
    // Further draws when a drawn word has no picture.
    static constexpr int kRitentativiImmagine = 100;

private:
    // Turns.
    void NuovaParolaIniziale();
    void NuovaParolaUnaLettera();
    void NuovaParolaDueLettere();
    void NuovaParolaTutteLettere();
    void turno(int kind);
    void estrai();
    QString parolaEstratta() const;
    bool estraiConImmagine();
    bool estraiConProvaImmagine();
    bool qualcheParolaAdatta(int kind, const ActiveKeys& keys) const;
    // The word has a picture file and the window can show it (asked once per file).
    bool immagineMostrabile(const QString& word) const;
    void tieniParola(const MaskedWord& word);
    void nessunaParolaAdatta();
    void apriRigaRegistro(const QString& word);
    void annotaRegistro(int column, const QString& text, bool append);

    // The word's entry in the lasting history (ExerciseHistory.cpp).
    void startWordRecord();
    void noteChoice(int position, const QString& letter);
    void noteHelp(int help);
    void endWordRecord(bool finished);

    // Checking.
    bool letteraSbagliata(const QString& letter);
    void letteraGiusta(int position);
    void parolaCompletata();
    bool PrimoErrore();
    bool SecondoErrore();
    bool TerzoErrore();
    bool aiutoParlato() const;
    bool fumettoPer(double seconds);
    void gioca(const QString& animation);
    void parla(const QString& text);

    Program& program_;
    ExerciseView& view_;
    Personaggio* personaggio_ = nullptr;
    PictureFolder pictures_;
    mutable QHash<QString, bool> mostrabili_; // picture path: the window can show it
    MaskedWord turn_;
    bool turnRunning_ = false;
    int rigaTurno_ = -1; // the log row of this turn; -1 when the log is full
    int erroriLettera_ = 0;
    QString letteraAttesa_;
    bool avantiEnabled_ = false;
    std::optional<WordRecord> wordRecord_; // the word on screen, until it is recorded
    double wordShownAt_ = 0;
    // Shared with every wait in progress, so that a wait outliving the
    // engine can tell.
    std::shared_ptr<bool> running_ = std::make_shared<bool>(true);
};

} // namespace ortolino
