#include "core/app/LanguageChoice.h"

#include "core/app/Profile.h"
#include "core/app/Program.h"

#include <QDir>
#include <QFileInfo>

namespace ortolino {

QStringList lingueDelMenu(const Language& language)
{
    QStringList names = language.installedLanguages();
    names.sort(Qt::CaseInsensitive);
    return names;
}

bool listaDellaCartella(const Environment& env, const QString& lista, const QString& cartella)
{
    if (lista.isEmpty() || cartella.isEmpty())
        return false;
    const QString folder = QDir::cleanPath(QFileInfo(lista).absolutePath());
    return folder == QDir::cleanPath(env.programFile(cartella)) ||
           folder == QDir::cleanPath(env.writableTwin(cartella));
}

bool registraSceltaLingua(Program& program, const QString& name)
{
    ProgramState& state = program.state;
    const QString cartellaListePrecedente = state.CartellaListe;
    program.language.CurrentLanguage = name;
    const bool stored = program.language.writeCurrentLanguageSetting(name);
    program.qtTranslations.follow(program.language.code());
    state.LinguaAgente = program.text(QStringLiteral("0000"));
    state.CartellaImmagini = program.text(QStringLiteral("0100"));
    state.CartellaListe = program.text(QStringLiteral("0101"));
    state.ListaPredefinita = program.text(QStringLiteral("0102"));
    // A list of the old language's lists folder names words of the old
    // language, which have no pictures in the new one.
    if (listaDellaCartella(program.env, state.ListaInUso, cartellaListePrecedente))
        state.ListaInUso = percorsoListaPredefinita(program.env, state);
    return stored;
}

} // namespace ortolino
