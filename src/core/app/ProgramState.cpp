#include "core/app/ProgramState.h"

#include "core/platform/Random.h"

namespace ortolino {

void ActivityLog::svuotaRegistro()
{
    for (int i = 0; i <= NumeroRigheRegistro && i < kRigheRegistro; ++i)
        Registro[static_cast<size_t>(i)] = RigaRegistro{};
    NumeroRigheRegistro = 0;
    owner.clear();
}

void ActivityLog::belongTo(const QString& user)
{
    if (owner.compare(user, Qt::CaseInsensitive) != 0 && !owner.isEmpty())
        svuotaRegistro();
    owner = user;
}

const std::array<std::uint32_t, 18>& tabellaColoriSfondo()
{
    // Light colours only: black text stands out on every one of them, and so
    // does the scan's default red mark (at least 3:1; the old table's magenta,
    // orange and salmon hid it).
    static const std::array<std::uint32_t, 18> tabella = {
        0xE0E0FF, 0xD6E4FF, 0xBEE2FF, 0xC8ECFF, 0xD0FFFF, 0x80FFFF, 0xAAFAFF, 0xBEFFDC, 0xD2FFC8,
        0xB4FFB4, 0xF0FFBE, 0xFFFFA0, 0xFFEBCD, 0xFFE8DC, 0xFFE2EE, 0xFFDEFA, 0xF4DEFF, 0xE8E8E8};
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

ScanTiming scanTiming(const ProgramState& state)
{
    return {intervalloScansioneMs(state.VelocitaScansione), state.firstItemSteps,
            state.loopsBeforePause, state.acceptanceMs, state.ignoreAfterChoiceMs};
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
