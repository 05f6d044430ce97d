#include "core/report/ReportSave.h"

#include "core/app/Program.h"
#include "core/app/Startup.h"
#include "core/app/Users.h"
#include "core/platform/Dialogs.h"
#include "core/platform/FileNames.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/TextFiles.h"

#include <QDir>
#include <QRegularExpression>

namespace ortolino {

namespace {

void showCritical(Program& program, const QString& text)
{
    Message message;
    message.text = text;
    message.icon = Message::Icon::Critical;
    program.services.messages->show(message);
}

// Makes the user's folder, and the settings folders above it when they are
// missing (a folder that cannot be made is named to the user). It is no
// reason to stop: the dialog then lets the user pick another place.
void makeUserFolder(Program& program, const QString& folder)
{
    if (EsisteCartella(folder))
        return;
    if (CreaCartelle(program) && folder != program.env.cartellaDati())
        CreaCartella(program, folder);
}

} // namespace

QString cartellaDatiUtente(const Environment& env, const QString& nomeUtente)
{
    const bool plainName = !nomeUtente.isEmpty() && nomeUtente != QLatin1String(".") &&
                           nomeUtente != QLatin1String("..") &&
                           !nomeUtente.contains(QLatin1Char('/'));
    if (!plainName)
        return env.cartellaDati();
    // The name comes in the lettering in force (LUCA, Luca): one folder serves
    // the user whatever the lettering was when it was made.
    return resolveCaseInsensitive(env.cartellaDati() + nomeUtente) + QLatin1Char('/');
}

QString nomeFileProposto(const QString& nomeUtente, QDate day, const QString& extension)
{
    // A report often goes to a memory stick: leave out what FAT and NTFS refuse.
    QString name = nomeUtente;
    static const QRegularExpression refused(QStringLiteral("[<>:\"/\\\\|?*\\x00-\\x1f]"));
    name.remove(refused);
    const QString date = day.toString(Qt::ISODate) + QLatin1Char('.') + extension;
    // A user's name may take up to 248 bytes (its profile's file name): the
    // name offered keeps room for the day, its extension and the save's
    // temporary ".XXXXXX" within the file system's 255, or it could never be
    // saved (the dialog would not even take it).
    const qsizetype mostNameBytes = 255 - 7 - 1 - date.toUtf8().size(); // ".XXXXXX", " ", the day
    while (name.toUtf8().size() > mostNameBytes)
        name.chop(name.size() >= 2 && name.back().isLowSurrogate() ? 2 : 1);
    return name.trimmed().isEmpty() ? date : name.trimmed() + QLatin1Char(' ') + date;
}

QStringList savePlaces(const Environment& env)
{
    return env.documentsFolder.isEmpty() ? QStringList() : QStringList{env.documentsFolder};
}

bool SalvaResoconto(Program& program, QObject* owner, const QByteArray& rtf)
{
    const QString folder = cartellaDatiUtente(program.env, program.state.NomeUtente);
    makeUserFolder(program, folder);

    const QString path = program.services.dialogs->ShowFileDialog(
        owner, Dialogs::Save, program.text(QStringLiteral("0238")),
        nomeFileProposto(nomeUtenteMostrato(program, program.state.NomeUtente),
                         QDate::currentDate(), QStringLiteral("rtf")),
        {FileFilter{QString(), QStringLiteral("*.rtf")}}, folder, QStringLiteral("rtf"),
        savePlaces(program.env));
    if (path.isEmpty()) {
        showCritical(program, program.text(QStringLiteral("0027")));
        return false;
    }
    if (!writeFileAtomically(path, rtf)) {
        showCritical(program, program.text(QStringLiteral("0203")) + QStringLiteral("\r\n") +
                                  QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

} // namespace ortolino
