#include "core/config/ConfigSettings.h"

#include "core/app/ProgramState.h"
#include "core/lang/Language.h"
#include "core/platform/Dialogs.h"
#include "core/speech/CharacterFile.h"

#include <algorithm>
#include <array>

namespace ortolino {

namespace {

constexpr std::array<int, kOpzioniQuanteLettere> kMassimoPerOpzione = {4, 5, 6, 13, 3};

} // namespace

int BarRange::clamp(int value) const
{
    return std::clamp(value, minimum, maximum);
}

int massimoLetterePerOpzione(int option)
{
    if (option < 0 || option >= kOpzioniQuanteLettere)
        return kMassimoPerOpzione[1];
    return kMassimoPerOpzione[static_cast<size_t>(option)];
}

std::optional<int> opzionePerMassimoLettere(int massimoLettere)
{
    const auto* found =
        std::find(kMassimoPerOpzione.begin(), kMassimoPerOpzione.end(), massimoLettere);
    if (found == kMassimoPerOpzione.end())
        return std::nullopt;
    return static_cast<int>(found - kMassimoPerOpzione.begin());
}

VisibilitaInput visibilitaPerModalita(int modalitaInput, bool conRiquadro)
{
    VisibilitaInput v;
    if (modalitaInput != kInputScansioneManuale && modalitaInput != kInputScansioneAutomatica) {
        v.mouse = true;
        return v;
    }
    v.riparti = true;
    v.riquadro = true;
    v.campione = conRiquadro;
    v.velocita = modalitaInput == kInputScansioneAutomatica;
    return v;
}

QString testoVelocitaScansione(Language& language, int quartiDiSecondo)
{
    return language.MLSGetString(QStringLiteral("0232"))
        .arg(language.number(quartiDiSecondo / 4.0, 2));
}

QString nomePersonaggioMostrato(const QString& fileName)
{
    return characterDisplayName(fileName);
}

void impostaCarattereLettere(ProgramState& state, const QString& carattere)
{
    state.CarattereLettere = carattere;
    state.NomeFont = carattere == kCorsivo ? kFontCorsivo : state.NomeFontScelto;
}

bool applicaFontScelto(ProgramState& state, const FontChoice& choice)
{
    const bool corsivo = state.CarattereLettere == kCorsivo;
    if (!corsivo)
        state.NomeFont = choice.face;
    state.DimensioneFont = choice.points;
    state.NomeFontScelto = choice.face;
    return corsivo;
}

void impostaColoriDiSistema(ProgramState& state, bool attivi)
{
    state.ColoriDiSistema = attivi;
    if (attivi)
        state.MouseDiSistema = true;
}

GiudizioLettere giudicaLettere(int attive)
{
    if (attive <= 0)
        return GiudizioLettere::Nessuna;
    return attive < 3 ? GiudizioLettere::Poche : GiudizioLettere::Abbastanza;
}

} // namespace ortolino
