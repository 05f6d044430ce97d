#pragma once

#include "core/platform/SwitchInput.h"

#include <optional>

namespace ortolino {

class Clock;

// The five buttons of the main menu: four exercise kinds and "ESCI".
inline constexpr int kPulsantiMenu = 5;
inline constexpr int kPulsanteEsci = kPulsantiMenu - 1;

// The menu's switch scanning, without widgets. Manual (1): space moves the
// highlight, Enter chooses. Automatic (2): the highlight moves on each tick,
// a pressed key holds it, releasing space chooses the lit button. Mode 0
// scans nothing. The window shows `evidenziato()` and runs its timer as
// `timerAttivo()` and `intervalloMs()` say.
//
// The child's timing rules (SwitchTiming) apply: a press too short or too
// soon after a choice is no press; the automatic scan holds the first button
// of a round (the first it lights, button 1) longer and pauses after the set
// rounds without a choice, until a press lights that button again. With
// confermaUscita, "ESCI" chosen asks for the same choice again within
// kConfirmMs (the automatic scan waits on it meanwhile), so that one
// mistimed press does not end the program.
class ScansioneMenu
{
public:
    // The main menu's buttons by default; any row of `pulsanti` buttons whose
    // automatic rounds start on `primoDelGiro`, `daConfermare` (or -1) being
    // the one that asks for confirmation (the configuration's sample row).
    explicit ScansioneMenu(int pulsanti = kPulsantiMenu, int primoDelGiro = 1,
                           int daConfermare = kPulsanteEsci)
        : pulsanti_(pulsanti), primo_(primoDelGiro), daConfermare_(daConfermare)
    {
    }

    // Set-up for a mode, each time a user's settings are applied.
    // `ultimaScelta`: SwitchTiming::setTiming's lastChoice.
    void imposta(int modalita, const ScanTiming& timing, bool confermaUscita = false,
                 const Clock* clock = nullptr, double* ultimaScelta = nullptr);

    // One tick of Timer1: advances the automatic scan.
    void tick();

    // A switch went down: the automatic scan holds.
    void pressione(TastoSensore tasto);
    // Release of a switch in manual scanning: the button chosen, if any.
    std::optional<int> rilascioManuale(TastoSensore tasto);
    // Release in automatic scanning: the scan resumes; space chooses the lit
    // button. Before the first step nothing is lit, so nothing is chosen.
    std::optional<int> rilascioAutomatico(TastoSensore tasto);
    // The switch's release will not come (the focus went): the scan resumes.
    void pressionePersa();

    int modalita() const { return modalita_; }
    int PulsanteCorrente() const { return corrente_; }
    // The button shown red, or -1.
    int evidenziato() const { return evidenziato_; }
    bool timerAttivo() const { return timerAttivo_; }
    int intervalloMs() const { return intervalloMs_; }
    // The automatic scan is paused (its sign shown, nothing lit).
    bool inPausa() const { return timing_.paused(); }
    // "ESCI" waits for its confirming choice.
    bool chiedeConferma() const { return timing_.asking() >= 0; }
    // Hook for auditory scanning: the lit button takes this long to be
    // heard; the automatic step waits for it and a short gap.
    void elementoParlato(int ms);

private:
    void avanza();
    std::optional<int> scelta();

    int pulsanti_;
    int primo_;
    int daConfermare_;
    int modalita_ = kModoMouse;
    int corrente_ = 0;
    int evidenziato_ = -1;
    bool timerAttivo_ = false;
    int intervalloMs_ = kIntervalloFuocoMs;
    bool confermaUscita_ = false;
    SwitchTiming timing_;
};

} // namespace ortolino
