#include "core/config/ConfigUsers.h"

#include "core/app/ProgramState.h"
#include "core/app/Users.h"
#include "core/platform/Environment.h"

#include <algorithm>
#include <QFile>

namespace ortolino {

namespace {

constexpr qsizetype kLunghezzaMassimaNomeFile = 255; // bytes, as Linux file systems allow
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

} // namespace ortolino
