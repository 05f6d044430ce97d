#pragma once

#include <QString>
#include <QtGlobal>

namespace ortolino {

struct ProfileSettings;
struct LanguageTexts;
struct Environment;

// Number of lines of a profile file.
inline constexpr int kRigheProfilo = 53;
// A larger file is no profile (53 short lines): it reads as damaged.
inline constexpr qint64 kDimensioneMassimaProfilo = 64 * 1024;

// The list a profile without one of its own uses: the language's default
// list in its list folder under the program folder.
QString percorsoListaPredefinita(const Environment& env, const LanguageTexts& texts);

// Writes the 53 settings to the profile file at `path` (an existing profile
// of the same name in another letter case is replaced). False on failure.
bool SalvaProfilo(const ProfileSettings& settings, const QString& path);

// What reading a profile found.
enum class LetturaProfilo
{
    Letto,      // the whole file was read
    Assente,    // no plain file of that name in any letter case: a new profile
    Illeggibile // a plain file (even an empty one) that the reader refused: too
                // large, unreadable, too few lines or a value that is no value
};

// Reads the profile file at `path` into the settings: either the whole file
// or, on any problem, every default (with `defaultList` as the list in use).
// Never fails outwards; says what it found.
LetturaProfilo LeggiProfilo(ProfileSettings& settings, const QString& path,
                            const QString& defaultList);

// Puts every profile setting back to its default, `defaultList` being the
// list in use; writes nothing to disk.
void ImpostaValoriPredefiniti(ProfileSettings& settings, const QString& defaultList);

} // namespace ortolino
