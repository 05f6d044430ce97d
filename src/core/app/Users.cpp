#include "core/app/Users.h"

#include "core/app/Profile.h"
#include "core/app/Program.h"
#include "core/app/SwitchSettingsFile.h"
#include "core/platform/Environment.h"
#include "core/platform/FileNames.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/TextFiles.h"

#include <algorithm>
#include <QDir>

namespace ortolino {

namespace {

// The name with its letters in upper or lower case, but only those whose
// change the profile's file name still matches without regard to case: "ß"
// has no one-letter capital ("SS") and "İ" no one-letter small form ("i̇"),
// so they stay as they are, or the name would no longer find its profile and
// a second one would be made beside it.
QString inCase(const QString& name, bool upper)
{
    QString form;
    form.reserve(name.size());
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype length =
            name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        const QString letter = name.mid(i, length);
        const QString changed = upper ? letter.toUpper() : letter.toLower();
        form += changed.compare(letter, Qt::CaseInsensitive) == 0 ? changed : letter;
        i += length;
    }
    return form;
}

} // namespace

QString formaNomeUtente(const QString& name, const QString& carattereLettere)
{
    if (carattereLettere == kMaiuscolo)
        return inCase(name, true);
    if (carattereLettere == kCorsivo) {
        // Every word keeps its capital: "Luca B." and "Anna Maria" are names,
        // "Luca b." and "Anna maria" are not.
        QString form = inCase(name, false);
        bool wordStart = true;
        for (QChar& c : form) {
            if (c.isLetter()) {
                if (wordStart && QString(c.toUpper()).compare(QString(c), Qt::CaseInsensitive) == 0)
                    c = c.toUpper();
                wordStart = false;
            } else if (!c.isMark()) {
                wordStart = true;
            }
        }
        return form;
    }
    return name;
}

QString nomeUtenteMostrato(Program& program, const QString& nome)
{
    if (nome.compare(QLatin1String("_predefinito"), Qt::CaseInsensitive) != 0)
        return nome;
    const QString shown = program.text(QStringLiteral("0241"));
    return shown.isEmpty() ? nome : shown;
}

namespace {

// A name as a register orders it: without accents or letter case.
QString chiaveAlfabetica(const QString& name)
{
    QString key;
    for (const QChar c : name.normalized(QString::NormalizationForm_D))
        if (!c.isMark())
            key += c;
    return key.toCaseFolded();
}

} // namespace

QStringList elencoUtenti(const Environment& env, const QString& carattereLettere)
{
    // Sorted as the original desktop listed the folder; folders named "*.ini"
    // are admitted as the listing always did.
    QStringList entries = QDir(env.cartellaUtenti())
                              .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                                         QDir::Name | QDir::IgnoreCase);
    // An accent does not move a name to the end of the class: Élodie comes
    // after Edoardo, Çelik after Anna, as a teacher's register has them.
    std::stable_sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        return chiaveAlfabetica(a) < chiaveAlfabetica(b);
    });
    QStringList users;
    for (const QString& entry : entries) {
        if (!hasExtension(entry, QStringLiteral(".ini")) || entry.size() <= 4)
            continue;
        users << formaNomeUtente(entry.left(entry.size() - 4), carattereLettere);
    }
    return users;
}

LetturaProfilo leggiImpostazioniUtente(ProgramState& state, const Environment& env)
{
    readSwitchSettings(state, switchSettingsPath(env, state.PercorsoProfilo));
    return LeggiProfilo(state, state.PercorsoProfilo, percorsoListaPredefinita(env, state));
}

bool salvaProfiloUtente(Program& program, SeNonSalvato seNonSalvato, const QString& seguito)
{
    ProgramState& state = program.state;
    auto tell = [&](const char* key, const QString& lines, Message::Icon icon) {
        if (program.services.messages == nullptr)
            return;
        Message message;
        message.text = program.text(QString::fromLatin1(key)) + QLatin1Char('\n') + lines;
        message.icon = icon;
        program.services.messages->show(message);
    };
    auto notSaved = [&](const QString& path) {
        if (seNonSalvato == SeNonSalvato::Avvisa)
            tell("0206", seguito.isEmpty() ? path : path + QLatin1Char('\n') + seguito,
                 Message::Icon::Critical);
        return false;
    };
    // Looked at when saving rather than remembered from the reading, so that
    // no way to these files (a new user of an existing name, a file damaged
    // since it was read) can overwrite them unseen.
    auto keepUnreadable = [&](const QString& path) {
        const QString kept =
            keepBeside(resolveCaseInsensitive(path), QStringLiteral("illeggibile"));
        if (!kept.isEmpty())
            tell("0220", kept, Message::Icon::Warning);
        return !kept.isEmpty();
    };
    ProfileSettings onDisk;
    if (LeggiProfilo(onDisk, state.PercorsoProfilo, QString()) == LetturaProfilo::Illeggibile &&
        !keepUnreadable(state.PercorsoProfilo))
        return notSaved(state.PercorsoProfilo);
    if (!SalvaProfilo(state, state.PercorsoProfilo))
        return notSaved(state.PercorsoProfilo);
    const QString side = switchSettingsPath(program.env, state.PercorsoProfilo);
    SwitchSettings sideOnDisk;
    if (readSwitchSettings(sideOnDisk, side) == SwitchSettingsRead::Unreadable &&
        !keepUnreadable(side))
        return notSaved(side);
    return writeSwitchSettings(state, side) || notSaved(side);
}

bool scegliUtente(Program& program, const QString& nomeMostrato)
{
    ProgramState& state = program.state;
    const bool stessoUtente = nomeMostrato.compare(state.NomeUtente, Qt::CaseInsensitive) == 0;
    if (!salvaProfiloUtente(program, stessoUtente ? SeNonSalvato::Taci : SeNonSalvato::Avvisa))
        return false;
    state.NomeUtente = nomeMostrato;
    state.PercorsoProfilo = program.env.cartellaUtenti() + nomeMostrato + QLatin1String(".ini");
    leggiImpostazioniUtente(state, program.env);
    // The same profile is reached in another letter case when the lettering
    // changes (ANNA, Anna): only another user starts a new log.
    state.belongTo(state.NomeUtente);
    return true;
}

} // namespace ortolino
