#pragma once

#include "core/app/Profile.h"

#include <QString>
#include <QStringList>

namespace ortolino {

struct Environment;
class Program;
struct ProgramState;

// A user's name as the menu shows it: upper case with "maiuscolo" lettering,
// each word's first letter capital and the rest lower case with "corsivo"
// (a word starts after anything that is not a letter: "Luca B.", "D'Angelo"),
// as stored with "minuscolo".
QString formaNomeUtente(const QString& name, const QString& carattereLettere);

// The name a person reads for a user: the default user's profile
// ("_predefinito") shows as "0241" ("Utente predefinito"), any other user by
// its own name.
QString nomeUtenteMostrato(Program& program, const QString& nome);

// The users of the menu's list: one entry per profile ("*.ini" in any letter
// case) in the users folder, in the form of the current lettering. Nothing
// when the folder cannot be listed.
QStringList elencoUtenti(const Environment& env, const QString& carattereLettere);

// Reads the current user's settings into the state: the profile at
// PercorsoProfilo and its side file (the settings of switch access), each
// falling back to its defaults. Says what reading the profile found.
LetturaProfilo leggiImpostazioniUtente(ProgramState& state, const Environment& env);

// Whether a profile that could not be saved is told.
enum class SeNonSalvato
{
    Avvisa,
    Taci
};

// Saves the settings in force to the current user's profile and its side
// file. A profile (or side) file
// there that cannot be read (LetturaProfilo::Illeggibile: it read as the
// defaults) is kept beside itself first ("Anna.ini.illeggibile", numbered when
// one is there already) and the teacher told ("0220" and the path kept): once,
// as the file saved then reads. A profile that could not be saved, or an
// unreadable one that could not be kept, gives false (nothing was written)
// and, unless told to keep quiet, "0206" with the path, then `seguito` on a
// line of its own when given.
bool salvaProfiloUtente(Program& program, SeNonSalvato seNonSalvato = SeNonSalvato::Avvisa,
                        const QString& seguito = {});

// A user chosen in the list, up to the point where the window applies the new
// settings: the settings in force go to the profile being left, the chosen
// user's profile is read, and a change of user clears the activity log (the
// same name in another letter case is the same user, as profile names are).
// When the profile being left cannot be saved the user and the settings in
// force stay as they were (false); the teacher is told when another user was
// chosen. The same user chosen again (as the menu does at each activation)
// is not told again at every return to the menu.
bool scegliUtente(Program& program, const QString& nomeMostrato);

} // namespace ortolino
