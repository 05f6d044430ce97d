#pragma once

#include "core/platform/SwitchInput.h"

#include <optional>

namespace ortolino {

// The five buttons of the main menu: four exercise kinds and "ESCI".
inline constexpr int kPulsantiMenu = 5;

// The menu's switch scanning, without widgets. Manual (1): space moves the
// highlight, Enter chooses. Automatic (2): the highlight moves on each tick,
// a pressed key holds it, releasing space chooses the lit button. Mode 0
// scans nothing. The window shows `evidenziato()` and runs its timer as
// `timerAttivo()` and `intervalloMs()` say.
class ScansioneMenu
{
public:
    // Set-up for a mode, each time a user's settings are applied.
    void imposta(int modalita, int velocitaScansione);

    // One tick of Timer1: advances the automatic scan.
    void tick();

    // Release of a switch in manual scanning: the button chosen, if any.
    std::optional<int> rilascioManuale(TastoSensore tasto);

    // Press of a switch in automatic scanning: the scan holds.
    void pressioneAutomatica();
    // Release in automatic scanning: the scan resumes; space chooses the lit
    // button. Before the first step nothing is lit, so nothing is chosen.
    std::optional<int> rilascioAutomatico(TastoSensore tasto);

    int modalita() const { return modalita_; }
    int PulsanteCorrente() const { return corrente_; }
    // The button shown red, or -1.
    int evidenziato() const { return evidenziato_; }
    bool timerAttivo() const { return timerAttivo_; }
    int intervalloMs() const { return intervalloMs_; }

private:
    void avanza();

    int modalita_ = kModoMouse;
    int corrente_ = 0;
    int evidenziato_ = -1;
    bool timerAttivo_ = false;
    int intervalloMs_ = kIntervalloFuocoMs;
};

} // namespace ortolino
