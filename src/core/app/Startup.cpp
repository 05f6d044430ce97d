#include "core/app/Startup.h"

#include "core/app/LanguageChoice.h"
#include "core/app/Profile.h"
#include "core/app/Program.h"
#include "core/app/Users.h"
#include "core/platform/FileNames.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/Random.h"
#include "core/platform/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ortolino {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kFontFile = QStringLiteral("tratto1.ttf");

} // namespace

SingleInstanceLock::SingleInstanceLock(const QString& runtimeFolder)
    : lock_(runtimeFolder + QLatin1String("ortolino.lock"))
{
}

bool SingleInstanceLock::tryAcquire()
{
    // tryLock() recognises a lock whose process is gone and removes it.
    if (lock_.tryLock(0))
        return true;
    // Only a copy that holds the lock is a second copy. A lock that cannot be
    // made at all (a runtime folder that is not ours, or read-only) must not
    // keep the child out with a message about a copy that is not there.
    return lock_.error() != QLockFile::LockFailedError;
}

bool EsisteFile(const QString& path)
{
    QFileInfo info(resolveCaseInsensitive(path));
    return info.isFile() && !info.isHidden();
}

bool EsisteCartella(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString CartellaWindows(const Environment& env)
{
    // Kept in its own letter case: the folder names of this system tell case apart.
    return env.windowsFolder;
}

bool CreaCartella(Program& program, const QString& path)
{
    // With its parents: on a fresh account even ~/.config may not exist yet.
    if (!QDir().mkpath(path))
        return false;
    QString notice = program.text(QStringLiteral("0005")) + kCrLf + QLatin1Char(' ') + kCrLf +
                     program.text(QStringLiteral("0006")) + kCrLf + QLatin1Char(' ') + kCrLf +
                     program.text(QStringLiteral("0007")) + kCrLf;
    writeFileAtomically(program.env.fileLeggimi(),
                        notice.toUtf8()); // a missing notice harms nobody
    return true;
}

bool CreaCartelle(Program& program)
{
    const Environment& env = program.env;
    for (const QString& folder :
         {env.settingsRoot, env.cartellaOrtolino(), env.cartellaUtenti(), env.cartellaDati()}) {
        if (EsisteCartella(folder) || CreaCartella(program, folder))
            continue;
        Message message;
        message.text =
            program.text(QStringLiteral("0200")) + kCrLf + QDir::toNativeSeparators(folder);
        message.icon = Message::Icon::Critical;
        program.services.messages->show(message);
        return false; // the folders below it cannot be made either
    }
    return true;
}

void InstallaFont(Program& program)
{
    const QString fontsFolder = CartellaWindows(program.env) + QLatin1String("fonts/");
    const QString installed = fontsFolder + kFontFile;
    if (!EsisteFile(installed)) {
        QDir().mkpath(fontsFolder);
        if (!QFile::copy(program.env.programFile(kFontFile), installed))
            return; // no font to offer: the cursive lettering falls back to another face
        Message notice;
        // The font's credit ("0244"), a '|' starting each new line.
        notice.text = program.text(QStringLiteral("0004")) + kCrLf +
                      QLatin1String(" ----------------------- ") + kCrLf +
                      program.text(QStringLiteral("0244")).replace(QLatin1Char('|'), kCrLf);
        notice.icon = Message::Icon::Information;
        program.services.fonts->registerFont(installed);
        program.services.messages->show(notice);
        return;
    }
    // A copy left by an older release would shadow the shipped face (same
    // family): it is replaced whole, so a full disk leaves the older face, not none.
    const QString copy = resolveCaseInsensitive(installed);
    const std::optional<QByteArray> shipped = readFileBytes(program.env.programFile(kFontFile));
    if (shipped && readFileBytes(copy) != shipped)
        writeFileAtomically(copy, *shipped);
    // fontconfig may not have rescanned the folder yet: make the face usable now.
    program.services.fonts->registerFont(copy);
}

void RimuoviSalvataggiInterrotti(const Environment& env, const ProgramState& state)
{
    // Only this copy runs (the lock is held): no save of another is under way.
    for (const QString& folder :
         {env.settingsRoot, env.cartellaOrtolino(), env.cartellaUtenti(), env.cartellaDati(),
          env.cartellaAccesso(), env.writableTwin(QStringLiteral("lngortolino")),
          env.writableTwin(state.CartellaListe), env.programFile(QStringLiteral("lngortolino")),
          env.programFile(state.CartellaListe)})
        removeStaleTemporaryFiles(folder);
}

StartResult Main(Program& program, SingleInstanceLock& lock)
{
    ProgramState& s = program.state;
    program.qtTranslations.follow(program.language.code());
    if (!lock.tryAcquire()) {
        Message message;
        message.text = program.text(QStringLiteral("0001"));
        message.title = program.text(QStringLiteral("0002"));
        message.icon = Message::Icon::Critical;
        program.services.messages->show(message);
        return StartResult::AlreadyRunning;
    }
    program.services.random->Randomize();
    InstallaFont(program);
    leggiTestiLingua(program);
    PreparaTastiera(s);
    CreaCartelle(program);
    RimuoviSalvataggiInterrotti(program.env, s);
    s.PercorsoProfilo = program.env.profiloPredefinito();
    s.NomeUtente = QStringLiteral("_predefinito");
    leggiImpostazioniUtente(s, program.env);
    return StartResult::Started;
}

} // namespace ortolino
