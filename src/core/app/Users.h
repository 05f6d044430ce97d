#pragma once

#include <QString>
#include <QStringList>

namespace ortolino {

struct Environment;
struct ProgramState;

// A user's name as the menu shows it: upper case with "maiuscolo" lettering,
// first letter capital and the rest lower case with "corsivo", as stored with
// "minuscolo".
QString formaNomeUtente(const QString& name, const QString& carattereLettere);

// The users of the menu's list: one entry per profile ("*.ini" in any letter
// case) in the users folder, in the form of the current lettering. Nothing
// when the folder cannot be listed.
QStringList elencoUtenti(const Environment& env, const QString& carattereLettere);

// A user chosen in the list, up to the point where the window applies the new
// settings: the settings in force go to the profile being left, the chosen
// user's profile is read, and a change of user clears the activity log (the
// same name in another letter case is the same user, as profile names are).
void scegliUtente(ProgramState& state, const Environment& env, const QString& nomeMostrato);

} // namespace ortolino
