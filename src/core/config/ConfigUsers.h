#pragma once

#include <QString>
#include <QStringList>

namespace ortolino {

struct Environment;
struct ProgramState;

// Name of the default user, whose profile the users list never offers.
inline const QString kUtentePredefinito = QStringLiteral("_predefinito");

// True for the default user, whatever the letter case of the name.
inline bool utentePredefinito(const QString& nome)
{
    return nome.compare(kUtentePredefinito, Qt::CaseInsensitive) == 0;
}

// The users the configuration can edit: one per profile ("*.ini" in any
// letter case) in the users folder, in capitals, the default user left out.
QStringList utentiModificabili(const Environment& env);

// Whether a new user's name, as typed, can name a profile inside the users
// folder: not blank, no "/" and no control character, not hidden (a leading
// dot, which also rules out "." and ".."), and short enough for a file name
// once ".ini" is added.
bool nomeUtenteAccettabile(const QString& typed);

// Makes a user current without reading its profile: NomeUtente is the name
// and PercorsoProfilo its profile in the users folder.
void rendiCorrente(ProgramState& state, const Environment& env, const QString& nome);

// Deletes a user's profile (whatever the letter case of its file) and the
// switch settings kept beside it. Never the default user. False when the
// profile is still there afterwards; a user without a profile is already gone.
bool eliminaUtente(const Environment& env, const QString& nome);

} // namespace ortolino
