#include "support/TestEnvironment.h"

#include "core/app/Profile.h"
#include "core/app/ProgramState.h"
#include "core/lang/Language.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace ortolino::test {

namespace {

// The shipped languages, sounds, characters and top-level files: what most
// tests need, without the picture folders (tests read those where they lie).
void copyShippedData(const QString& programFolder)
{
    const QDir shipped(QStringLiteral(ORTOLINO_BUILD_DATA_DIR));
    const QStringList folders = {"lngortolino", "suoni", "personaggi"};
    QDirIterator it(shipped.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = shipped.relativeFilePath(it.next());
        if (!relative.contains(u'/') || folders.contains(relative.section(u'/', 0, 0))) {
            QDir().mkpath(QFileInfo(programFolder + u'/' + relative).absolutePath());
            QFile::copy(shipped.filePath(relative), programFolder + u'/' + relative);
        }
    }
    // The language as shipped: the build's copy remembers the language last
    // chosen in a program started from the build tree.
    const QString setting = programFolder + u'/' + Language::settingRelativePath();
    QFile::remove(setting);
    QFile::copy(QStringLiteral(ORTOLINO_SOURCE_DATA_DIR "/") + Language::settingRelativePath(),
                setting);
}

} // namespace

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

TestEnvironment::TestEnvironment(Data data)
{
    const QString root = dir_.path();
    for (const char* name : {"config", "data", "runtime", "program", "documents"})
        QDir(root).mkpath(QString::fromLatin1(name));
    env_.programFolder = root + QLatin1String("/program");
    env_.settingsRoot = root + QLatin1String("/config/ImpostazioniProgrammiLumo/");
    env_.windowsFolder = root + QLatin1String("/data/");
    env_.runtimeFolder = root + QLatin1String("/runtime/");
    env_.documentsFolder = root + QLatin1String("/documents");
    if (data == Data::Shipped)
        copyShippedData(env_.programFolder);
}

void TestEnvironment::writeProgramFile(const QString& relative, const QByteArray& bytes) const
{
    writeFile(env_.programFolder + QLatin1Char('/') + relative, bytes);
}

void TestEnvironment::writeProfile(const QString& fileName, int massimoLettere) const
{
    ProfileSettings profile;
    profile.MassimoLettere = massimoLettere;
    QDir().mkpath(env_.cartellaUtenti());
    if (!SalvaProfilo(profile, env_.cartellaUtenti() + fileName))
        ADD_FAILURE() << "cannot write the profile " << fileName.toStdString();
}

} // namespace ortolino::test
