#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

class QObject;

namespace ortolino {

class Program;
struct Environment;

// The folder where a user's reports are saved: the data folder + the user's
// name + "/", an existing folder of that name in any letter case first.
// A name that is no plain folder name (empty, "." or "..", or holding a "/")
// falls back to the data folder itself, so that no name can lead outside it.
QString cartellaDatiUtente(const Environment& env, const QString& nomeUtente);

// The name the save dialogs offer for a user's file: the user and the day,
// "MARIO 2026-12-07.rtf", so that a week's reports do not take each other's
// place and sort by date. Without a user, the day alone. Characters that a
// memory stick's file system refuses (":", "?", ...) are left out of the
// name. The extension is offered with it: a name with an initial ("Luca B.")
// has a dot already, and the dialog would take what follows it for one.
QString nomeFileProposto(const QString& nomeUtente, QDate day, const QString& extension);

// The places the save dialogs of a user's files offer beside the user's own
// folder, which lies in the hidden settings folder: the desktop's documents
// folder, where a teacher looks for her files later, when the desktop has one.
QStringList savePlaces(const Environment& env);

// Saves a report: makes the user's data folder if it is missing, asks for a
// file with the save dialog (default extension "rtf", the name offered
// `nomeFileProposto` of today) and writes the RTF whole
// through a temporary file. A cancelled dialog says "0027"; a failed write
// says "0203" with the path. True when the file was written.
bool SalvaResoconto(Program& program, QObject* owner, const QByteArray& rtf);

} // namespace ortolino
