#include "core/platform/Environment.h"

#include <pwd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace ortolino {

namespace {

QString withSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

// The user's home: $HOME, or the account's own when HOME is unset or not a
// full path (a program started by a service or a launcher that cleared the
// environment). Qt would take "/" then, where a user can write nothing.
QString homeFolder()
{
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return home;
    struct passwd entry = {};
    struct passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr && found->pw_dir[0] == '/')
        return QFile::decodeName(found->pw_dir);
    return QDir::homePath();
}

QString xdgFolder(const char* variable, const QString& fallbackBelowHome)
{
    QString value = qEnvironmentVariable(variable);
    if (value.isEmpty() || !QDir::isAbsolutePath(value))
        value = homeFolder() + QLatin1Char('/') + fallbackBelowHome;
    return withSlash(QDir::cleanPath(value));
}

// Without XDG_RUNTIME_DIR the lock goes to a folder of the user's own,
// "ortolino-<uid>" (mode 0700) in the temporary folder: in a folder shared by
// every user, another user's stale lock could never be removed and would
// block the program for good. When that name is taken by someone else, the
// user's cache folder serves.
QString userRuntimeFolder()
{
    const uid_t user = ::getuid();
    const QString folder = QDir::tempPath() + QLatin1String("/ortolino-") + QString::number(user);
    const QByteArray path = QFile::encodeName(folder);
    ::mkdir(path.constData(), 0700);
    struct stat info;
    if (::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == user &&
        ((info.st_mode & 077) == 0 || ::chmod(path.constData(), 0700) == 0))
        return folder;
    const QString cache =
        xdgFolder("XDG_CACHE_HOME", QStringLiteral(".cache")) + QLatin1String("ortolino");
    QDir().mkpath(cache);
    return cache;
}

} // namespace

Environment Environment::fromSystem(const QString& executableFolder)
{
    Environment env;
    QDir exeDir(executableFolder);
    if (exeDir.exists(QStringLiteral("lngortolino")))
        env.programFolder = QDir::cleanPath(exeDir.absolutePath());
    else
        env.programFolder =
            QDir::cleanPath(exeDir.absoluteFilePath(QStringLiteral("../share/ortolino")));

    env.settingsRoot = xdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config")) +
                       QLatin1String("ImpostazioniProgrammiLumo/");
    env.windowsFolder = xdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share"));

    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !QFileInfo(runtime).isDir())
        runtime = userRuntimeFolder();
    env.runtimeFolder = withSlash(QDir::cleanPath(runtime));
    env.desktopLanguages = QLocale::system().uiLanguages();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (QFileInfo(documents).isDir())
        env.documentsFolder = documents;
    return env;
}

QString Environment::programFile(const QString& relative) const
{
    return programFolder + QLatin1Char('/') + relative;
}

QString Environment::pathForReading(const QString& relative) const
{
    QString twin = writableTwin(relative);
    return QFileInfo::exists(twin) ? twin : programFile(relative);
}

QString Environment::pathForWriting(const QString& relative) const
{
    QString inProgram = programFile(relative);
    QFileInfo file(inProgram);
    bool writable = file.exists() ? file.isWritable() : QFileInfo(file.absolutePath()).isWritable();
    if (writable && !QFileInfo::exists(writableTwin(relative)))
        return inProgram;
    QDir().mkpath(QFileInfo(writableTwin(relative)).absolutePath());
    return writableTwin(relative);
}

} // namespace ortolino
