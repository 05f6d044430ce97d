#include "core/menu/MenuScan.h"

#include <algorithm>

namespace ortolino {

void ScansioneMenu::imposta(int modalita, const ScanTiming& timing, bool confermaUscita,
                            const Clock* clock, double* ultimaScelta)
{
    modalita_ = modalita;
    // The automatic scan stands before the first button of its round.
    corrente_ = modalita == kModoScansioneAutomatica ? (primo_ + pulsanti_ - 1) % pulsanti_ : 0;
    confermaUscita_ = confermaUscita;
    timing_.setTiming(timing, clock, ultimaScelta);
    switch (modalita) {
    case kModoScansioneManuale:
        intervalloMs_ = kIntervalloFuocoMs;
        evidenziato_ = 0; // the first button is lit at once
        timerAttivo_ = true;
        break;
    case kModoScansioneAutomatica:
        intervalloMs_ = timing_.holdMs(false);
        evidenziato_ = -1; // the first tick lights button 1
        timerAttivo_ = true;
        break;
    default:
        evidenziato_ = -1;
        timerAttivo_ = false;
        break;
    }
}

void ScansioneMenu::avanza()
{
    const int next = (corrente_ + 1) % pulsanti_;
    const bool first = next == primo_;
    timing_.stopAsking();
    if (modalita_ == kModoScansioneAutomatica) {
        if (timing_.pauseInsteadOfStep(first)) {
            evidenziato_ = -1;
            timerAttivo_ = false;
            return;
        }
        intervalloMs_ = timing_.holdMs(first);
    }
    corrente_ = next;
    evidenziato_ = corrente_;
}

void ScansioneMenu::tick()
{
    if (modalita_ != kModoScansioneAutomatica || timing_.paused())
        return;
    // "ESCI" waiting for its confirmation holds the scan until its time is up
    // (a timer may fire a hair early).
    if (chiedeConferma())
        intervalloMs_ = std::max(timing_.askingLeftMs(), 1);
    else
        avanza();
}

void ScansioneMenu::pressione(TastoSensore tasto)
{
    timing_.down(static_cast<int>(tasto));
    if (modalita_ == kModoScansioneAutomatica)
        timerAttivo_ = false;
}

void ScansioneMenu::pressionePersa()
{
    timing_.lost();
    if (modalita_ == kModoScansioneAutomatica && !timing_.paused())
        timerAttivo_ = true;
}

// The lit button chosen; "ESCI" only when confirmed (or no confirmation asked).
std::optional<int> ScansioneMenu::scelta()
{
    if (corrente_ == daConfermare_ && confermaUscita_ && !timing_.confirm(daConfermare_)) {
        timing_.chose();
        if (modalita_ == kModoScansioneAutomatica)
            intervalloMs_ = timing_.askingLeftMs();
        return std::nullopt;
    }
    timing_.chose();
    return corrente_;
}

void ScansioneMenu::elementoParlato(int ms)
{
    timing_.setSpokenMs(ms);
    if (modalita_ == kModoScansioneAutomatica && evidenziato_ >= 0 && !chiedeConferma())
        intervalloMs_ = timing_.holdMs(corrente_ == primo_);
}

std::optional<int> ScansioneMenu::rilascioManuale(TastoSensore tasto)
{
    if (modalita_ != kModoScansioneManuale || !timing_.up(static_cast<int>(tasto)))
        return std::nullopt;
    if (tasto == TastoSensore::Spazio)
        avanza();
    else if (tasto == TastoSensore::Invio)
        return scelta();
    return std::nullopt;
}

std::optional<int> ScansioneMenu::rilascioAutomatico(TastoSensore tasto)
{
    if (modalita_ != kModoScansioneAutomatica)
        return std::nullopt;
    const bool counts = timing_.up(static_cast<int>(tasto));
    if (timing_.paused()) {
        if (!counts || tasto != TastoSensore::Spazio)
            return std::nullopt; // the pause stays until a real press
        timing_.resume();
        corrente_ = evidenziato_ = primo_;
        intervalloMs_ = timing_.holdMs(true);
        timerAttivo_ = true;
        return std::nullopt;
    }
    timerAttivo_ = true;
    if (counts && tasto == TastoSensore::Spazio && evidenziato_ >= 0)
        return scelta();
    return std::nullopt;
}

} // namespace ortolino
