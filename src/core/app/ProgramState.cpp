#include "core/app/ProgramState.h"

#include "core/platform/Random.h"

namespace ortolino {

void ActivityLog::svuotaRegistro()
{
    for (int i = 0; i <= NumeroRigheRegistro && i < kRigheRegistro; ++i)
        Registro[static_cast<size_t>(i)] = RigaRegistro{};
    NumeroRigheRegistro = 0;
}

const std::array<std::uint32_t, 18>& tabellaColoriSfondo()
{
    static const std::array<std::uint32_t, 18> tabella = {
        0xC0C0FF, 0x8080FF, 0x8080FF, 0x80C0FF, 0x80FF,   0xC0FFFF, 0xFFFF,   0x40C0,   0x80FF80,
        0xFFFF,   0xFFFFC0, 0xFFFF00, 0xFFC0C0, 0xFFC0FF, 0xFFC0FF, 0xE0E0E0, 0xFFC0FF, 0xFF00FF};
    return tabella;
}

std::uint32_t ScegliColoreCasuale(RandomSource& random)
{
    const auto& tabella = tabellaColoriSfondo();
    auto posizione = static_cast<size_t>(random.Rnd() * 18.0); // 0..17
    if (posizione >= tabella.size())
        posizione = tabella.size() - 1; // a faulty source must not read past the table
    return tabella[posizione];
}

QString parametriVoce(int velocitaVoce, int tonoVoce)
{
    return QStringLiteral("\\Spd=%1\\\\Pit=%2\\").arg(velocitaVoce).arg(tonoVoce);
}

void PreparaTastiera(WorkingVariables& state)
{
    static const char* const lettere[kNumeroTasti] = {"q", "w", "e", "r", "t", "y", "u", "i", "o",
                                                      "p", "a", "s", "d", "f", "g", "h", "j", "k",
                                                      "l", "z", "x", "c", "v", "b", "n", "m"};
    state.LettereTastiera[0].clear();
    for (int k = 0; k < kNumeroTasti; ++k)
        state.LettereTastiera[static_cast<size_t>(k + 1)] = QString::fromLatin1(lettere[k]);
}

} // namespace ortolino
