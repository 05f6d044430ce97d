#include "core/exercise/Presentazione.h"

#include "core/app/Program.h"
#include "core/exercise/Scanning.h"
#include "core/platform/SpeakingCharacter.h"

namespace ortolino {

std::unique_ptr<Personaggio> CaricaPersonaggio(const ProgramState& state, Agent* agent)
{
    if (agent == nullptr)
        return nullptr;
    QString error;
    std::unique_ptr<Personaggio> personaggio = agent->Load(state.NomeAgente, &error);
    // A profile may name a character this machine lacks: the default one
    // speaks instead, so that the helps still reach the child.
    if (!personaggio && state.NomeAgente != kPersonaggioPredefinito)
        personaggio = agent->Load(kPersonaggioPredefinito, &error);
    if (!personaggio)
        return nullptr;
    personaggio->setTTSModeID(state.ModoVoce);
    personaggio->setLanguageID(state.LinguaAgente.trimmed().toInt());
    personaggio->setBalloonFont(state.NomeFont, state.DimensioneFont);
    personaggio->setBalloonStyle(personaggio->balloonStyle() | Personaggio::kBalloonOn |
                                 Personaggio::kSizeToText);
    return personaggio;
}

QStringList testiSaluto(Program& program)
{
    const ProgramState& state = program.state;
    if (!state.ParlatoAttivo)
        return {};
    auto nelCaso = [&state](const QString& text) {
        return state.CarattereLettere == kMaiuscolo ? text.toUpper() : text;
    };
    QStringList testi{nelCaso(program.text(QStringLiteral("0039")))};
    if (modalitaInUso(state) == kModoMouse)
        testi << nelCaso(program.text(QStringLiteral("0040")));
    return testi;
}

} // namespace ortolino
