#include "core/app/LanguageChoice.h"

#include "core/app/Program.h"

namespace ortolino {

QStringList lingueDelMenu(const Language& language)
{
    QStringList names = language.installedLanguages();
    names.sort(Qt::CaseInsensitive);
    return names;
}

void leggiTestiLingua(Program& program)
{
    LanguageTexts& texts = program.state;
    texts.LinguaAgente = program.text(QStringLiteral("0000"));
    texts.CartellaImmagini = program.text(QStringLiteral("0100"));
    texts.CartellaListe = program.text(QStringLiteral("0101"));
    texts.ListaPredefinita = program.text(QStringLiteral("0102"));
    texts.CartelleListeAltre.clear();
    for (const QString& other : program.language.installedLanguages()) {
        const QString folder = program.language.textOf(other, QStringLiteral("0101")).trimmed();
        if (!folder.isEmpty() && folder.compare(texts.CartellaListe, Qt::CaseInsensitive) != 0)
            texts.CartelleListeAltre << folder;
    }
}

bool registraSceltaLingua(Program& program, const QString& name)
{
    program.language.CurrentLanguage = name;
    const bool stored = program.language.writeCurrentLanguageSetting(name);
    program.qtTranslations.follow(program.language.code());
    leggiTestiLingua(program);
    return stored;
}

} // namespace ortolino
