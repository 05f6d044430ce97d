#include "core/config/ConfigUsers.h"

#include "core/app/ProgramState.h"
#include "core/app/SwitchSettingsFile.h"
#include "core/app/Users.h"
#include "core/platform/Environment.h"
#include "core/platform/FileNames.h"

#include <algorithm>
#include <QFile>
#include <QFileInfo>

namespace ortolino {

namespace {

// Bytes, as Linux file systems allow, less the ".XXXXXX" of the temporary
// file a profile is written through: a longer name could never be saved.
constexpr qsizetype kLunghezzaMassimaNomeFile = 255 - 7;
const QString kEstensioneProfilo = QStringLiteral(".ini");

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

} // namespace

QStringList utentiModificabili(const Environment& env)
{
    QStringList users = elencoUtenti(env, kMaiuscolo);
    const QString predefinito = kUtentePredefinito.toUpper();
    users.removeIf([&](const QString& name) { return name == predefinito; });
    return users;
}

bool nomeUtenteAccettabile(const QString& typed)
{
    if (typed.trimmed().isEmpty() || typed.startsWith(QLatin1Char('.')))
        return false;
    if (typed.contains(QLatin1Char('/')) || std::any_of(typed.begin(), typed.end(), isControl))
        return false;
    return QFile::encodeName(typed + kEstensioneProfilo).size() <= kLunghezzaMassimaNomeFile;
}

void rendiCorrente(ProgramState& state, const Environment& env, const QString& nome)
{
    state.NomeUtente = nome;
    state.PercorsoProfilo = env.cartellaUtenti() + nome + kEstensioneProfilo;
}

bool eliminaUtente(const Environment& env, const QString& nome)
{
    if (utentePredefinito(nome) || !nomeUtenteAccettabile(nome))
        return false;
    const QString profile =
        resolveCaseInsensitive(env.cartellaUtenti() + nome + kEstensioneProfilo);
    if (QFileInfo(profile).isDir() || (QFileInfo::exists(profile) && !QFile::remove(profile)))
        return false;
    // What is left of a user without a profile would be inherited by the
    // next user of that name.
    QFile::remove(resolveCaseInsensitive(switchSettingsPath(env, profile)));
    return true;
}

} // namespace ortolino
