#include "core/app/Users.h"

#include "core/app/Profile.h"
#include "core/app/ProgramState.h"
#include "core/platform/Environment.h"
#include "core/platform/FileNames.h"

#include <QDir>

namespace ortolino {

QString formaNomeUtente(const QString& name, const QString& carattereLettere)
{
    if (carattereLettere == kMaiuscolo)
        return name.toUpper();
    if (carattereLettere == kCorsivo) {
        QString form = name.toLower();
        if (!form.isEmpty())
            form[0] = form[0].toUpper();
        return form;
    }
    return name;
}

QStringList elencoUtenti(const Environment& env, const QString& carattereLettere)
{
    // Sorted as the original desktop listed the folder; folders named "*.ini"
    // are admitted as the listing always did.
    const QStringList entries = QDir(env.cartellaUtenti())
                                    .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                                               QDir::Name | QDir::IgnoreCase);
    QStringList users;
    for (const QString& entry : entries) {
        if (!hasExtension(entry, QStringLiteral(".ini")) || entry.size() <= 4)
            continue;
        users << formaNomeUtente(entry.left(entry.size() - 4), carattereLettere);
    }
    return users;
}

void scegliUtente(ProgramState& state, const Environment& env, const QString& nomeMostrato)
{
    const QString nomePrecedente = state.NomeUtente;
    SalvaProfilo(state, state.PercorsoProfilo);
    state.NomeUtente = nomeMostrato;
    state.PercorsoProfilo = env.cartellaUtenti() + nomeMostrato + QLatin1String(".ini");
    LeggiProfilo(state, state.PercorsoProfilo, percorsoListaPredefinita(env, state));
    // The same profile is reached in another letter case when the lettering
    // changes (ANNA, Anna): only another user starts a new log.
    if (state.NomeUtente.compare(nomePrecedente, Qt::CaseInsensitive) != 0)
        state.svuotaRegistro();
}

} // namespace ortolino
