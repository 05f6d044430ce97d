#pragma once

#include <QtGlobal>

namespace ortolino {

struct ProgramState;
struct Environment;

// Number of lines of a profile file.
inline constexpr int kRigheProfilo = 53;
// A larger file is no profile (53 short lines): it reads as damaged.
inline constexpr qint64 kDimensioneMassimaProfilo = 64 * 1024;

// Writes the 53 settings to the file at PercorsoProfilo (an existing profile
// of the same name in another letter case is replaced). False on failure.
bool SalvaProfilo(const ProgramState& state);

// Reads the file at PercorsoProfilo into the state: either the whole file or,
// on any problem, every default. Never fails outwards.
void LeggiProfilo(ProgramState& state, const Environment& env);

// Puts every profile setting back to its default; writes nothing to disk.
void ImpostaValoriPredefiniti(ProgramState& state, const Environment& env);

} // namespace ortolino
