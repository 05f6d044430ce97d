#pragma once

#include <QString>
#include <QStringList>

namespace ortolino {

// Where Ortolino finds its data and keeps its settings on this machine.
struct Environment
{
    QString
        programFolder;    // data shipped with the program (lngortolino/, suoni/, ...), no final "/"
    QString settingsRoot; // ".../ImpostazioniProgrammiLumo/", with a final "/"
    QString windowsFolder;        // $XDG_DATA_HOME with a final "/": fonts/ lives below it
    QString runtimeFolder;        // where the single-instance lock lives: $XDG_RUNTIME_DIR,
                                  // else a folder of the user's own (never one shared by all)
    QStringList desktopLanguages; // the desktop's languages, first preferred ("en-GB", "en")
    QString documentsFolder;      // the desktop's documents folder, empty when it has none

    // Folders from the XDG variables and the executable's folder: the program
    // folder is the executable's own folder when it holds lngortolino/,
    // otherwise ../share/ortolino/ beside it (the installed layout).
    static Environment fromSystem(const QString& executableFolder);

    QString cartellaOrtolino() const { return settingsRoot + QLatin1String("Ortolino/"); }
    QString cartellaUtenti() const { return cartellaOrtolino() + QLatin1String("utenti/"); }
    // The per-child settings the profile has no line for, one file per
    // profile under the profile's own file name (the users list reads only
    // the users folder).
    QString cartellaAccesso() const { return cartellaOrtolino() + QLatin1String("accesso/"); }
    QString cartellaDati() const { return cartellaOrtolino() + QLatin1String("dati/"); }
    QString fileLeggimi() const { return settingsRoot + QLatin1String("leggimi.txt"); }
    QString profiloPredefinito() const
    {
        return cartellaUtenti() + QLatin1String("_predefinito.INI");
    }

    // A file of the program folder, e.g. programFile("suoni/si.wav").
    QString programFile(const QString& relative) const;

    // Files the program rewrites inside its own folder (the language setting,
    // saved word lists) go to the same relative path under the settings folder
    // when the program folder cannot be written. Readers look there first.
    QString writableTwin(const QString& relative) const { return cartellaOrtolino() + relative; }
    QString pathForReading(const QString& relative) const;
    QString pathForWriting(const QString& relative) const;
};

} // namespace ortolino
