#pragma once

#include <optional>
#include <QByteArray>
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

// The ranges the profile's numbers are brought into when read (the speed and
// pitch of the voice are those of the speech tags).
inline constexpr int kMassimoLettereMinimo = 3;
inline constexpr int kMassimoLettereMassimo = 13;
inline constexpr int kDimensioneFontMinima = 6;
inline constexpr int kDimensioneFontMassima = 400;
inline constexpr int kModalitaInputPrima = 0;
inline constexpr int kModalitaInputUltima = 2;
inline constexpr int kVelocitaScansioneMinima = 4; // quarter seconds
inline constexpr int kVelocitaScansioneMassima = 60;
inline constexpr int kSpessoreRiquadroMinimo = 3;
inline constexpr int kSpessoreRiquadroMassimo = 30;
// System colours: &H80000000 plus an index, stored as negative numbers.
inline constexpr double kColoreSistemaPrimo = -2147483648.0;
inline constexpr double kColoreSistemaUltimo = -2147483648.0 + 255;

// The list a profile without one of its own uses: the language's default
// list in its list folder under the program folder.
QString percorsoListaPredefinita(const Environment& env, const LanguageTexts& texts);

// True when a profile line can hold the text so that it reads back equal: no
// line break, no broken character, and no double quote in a text that must be
// quoted (one holding a comma or starting with a blank or a quote).
bool testoSalvabileNelProfilo(const QString& text);
// The same for the path of a word list, whose blanks at the end are not kept.
// The list dialogs refuse a path that fails this, with message "0210".
bool percorsoListaSalvabile(const QString& path);

// The profile's bytes (53 lines, CR LF, UTF-8), the text fields quoted where
// they need it; nothing when a text cannot be stored.
std::optional<QByteArray> testoProfilo(const ProfileSettings& settings);
// The settings a profile's bytes hold; nothing when a line is missing or a
// number cannot be read. Numbers are brought into their ranges; colours that
// name none take their defaults.
std::optional<ProfileSettings> leggiTestoProfilo(const QByteArray& bytes);

// Writes the 53 settings to the profile file at `path` (an existing profile
// of the same name in another letter case is replaced). False on failure, the
// old file untouched, and when a text cannot be stored.
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
