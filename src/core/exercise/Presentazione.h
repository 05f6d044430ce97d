#pragma once

#include <memory>
#include <QStringList>

namespace ortolino {

class Agent;
class Personaggio;
class Program;
struct ProgramState;

// The character of a new profile, loaded instead of one that is missing.
inline const QString kPersonaggioPredefinito = QStringLiteral("Merlin");

// CaricaPersonaggio: loads the character NomeAgente (or, when that one cannot
// be loaded, kPersonaggioPredefinito; NomeAgente is kept) and sets its voice
// (ModoVoce), its language (LinguaAgente as a number) and its balloon (the
// lettering font, shown and sized to its text, other style bits kept).
// Without an agent, or when neither can be loaded, there is no character
// (nullptr) and the exercise runs without one; a setting that fails is skipped.
std::unique_ptr<Personaggio> CaricaPersonaggio(const ProgramState& state, Agent* agent);

// The texts of the greeting, in the letter case in force: key "0039", and in
// mouse-or-keyboard mode also "0040". None when speech is off.
QStringList testiSaluto(Program& program);

} // namespace ortolino
