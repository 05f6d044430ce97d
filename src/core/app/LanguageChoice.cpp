#include "core/app/LanguageChoice.h"

#include "core/app/Profile.h"
#include "core/app/Program.h"

namespace ortolino {

QStringList lingueDelMenu(const Language& language)
{
    QStringList names = language.installedLanguages();
    names.sort(Qt::CaseInsensitive);
    return names;
}

bool registraSceltaLingua(Program& program, const QString& name)
{
    program.language.CurrentLanguage = name;
    const bool stored = program.language.writeCurrentLanguageSetting(name);
    ProgramState& state = program.state;
    state.CartellaImmagini = program.text(QStringLiteral("0100"));
    state.CartellaListe = program.text(QStringLiteral("0101"));
    state.ListaPredefinita = program.text(QStringLiteral("0102"));
    ImpostaValoriPredefiniti(state, program.env);
    return stored;
}

} // namespace ortolino
