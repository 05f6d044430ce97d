#include "core/platform/Environment.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ortolino {

namespace {

QString withSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

QString xdgFolder(const char* variable, const QString& fallbackBelowHome)
{
    QString value = qEnvironmentVariable(variable);
    if (value.isEmpty() || !QDir::isAbsolutePath(value))
        value = QDir::homePath() + QLatin1Char('/') + fallbackBelowHome;
    return withSlash(QDir::cleanPath(value));
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
        runtime = QDir::tempPath();
    env.runtimeFolder = withSlash(QDir::cleanPath(runtime));
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
