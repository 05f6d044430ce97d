#include "core/exercise/ModuloSuoni.h"

#include "core/app/Program.h"
#include "core/platform/FileNames.h"
#include "core/platform/SpeakingCharacter.h"

namespace ortolino {

namespace {

bool playProgramSound(Program& program, const QString& relative)
{
    SoundPlayer* player = program.services.sounds;
    return player != nullptr &&
           player->play(resolveCaseInsensitive(program.env.programFile(relative)));
}

} // namespace

bool SuonoGiusto(Program& program)
{
    return program.state.SuoniAttivi && playProgramSound(program, QStringLiteral("suoni/si.wav"));
}

bool SuonoSbagliato(Program& program, bool conPersonaggio)
{
    return program.state.SuoniAttivi && !(program.state.ParlatoAttivo && conPersonaggio) &&
           playProgramSound(program, QStringLiteral("suoni/no.wav"));
}

} // namespace ortolino
