#include "core/menu/MenuScan.h"

namespace ortolino {

void ScansioneMenu::imposta(int modalita, int velocitaScansione)
{
    modalita_ = modalita;
    corrente_ = 0;
    switch (modalita) {
    case kModoScansioneManuale:
        intervalloMs_ = kIntervalloFuocoMs;
        evidenziato_ = 0; // the first button is lit at once
        timerAttivo_ = true;
        break;
    case kModoScansioneAutomatica:
        intervalloMs_ = intervalloScansioneMs(velocitaScansione);
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
    corrente_ = (corrente_ + 1) % kPulsantiMenu;
    evidenziato_ = corrente_;
}

void ScansioneMenu::tick()
{
    if (modalita_ == kModoScansioneAutomatica)
        avanza();
}

std::optional<int> ScansioneMenu::rilascioManuale(TastoSensore tasto)
{
    if (modalita_ != kModoScansioneManuale)
        return std::nullopt;
    if (tasto == TastoSensore::Spazio)
        avanza();
    else if (tasto == TastoSensore::Invio)
        return corrente_;
    return std::nullopt;
}

void ScansioneMenu::pressioneAutomatica()
{
    timerAttivo_ = false;
}

std::optional<int> ScansioneMenu::rilascioAutomatico(TastoSensore tasto)
{
    if (modalita_ != kModoScansioneAutomatica)
        return std::nullopt;
    timerAttivo_ = true;
    if (tasto == TastoSensore::Spazio && evidenziato_ >= 0)
        return corrente_;
    return std::nullopt;
}

} // namespace ortolino
