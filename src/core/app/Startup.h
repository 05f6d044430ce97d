#pragma once

#include <memory>
#include <QLockFile>
#include <QString>

namespace ortolino {

class Program;
struct Environment;
struct ProgramState;

// Refuses a second running copy. A lock left by a run that was killed does
// not count: its process no longer exists; nor does a lock that cannot be
// made where the runtime folder lets no one write.
class SingleInstanceLock
{
public:
    explicit SingleInstanceLock(const QString& runtimeFolder);
    bool tryAcquire();

private:
    QLockFile lock_;
};

enum class StartResult
{
    Started,
    AlreadyRunning
};

// Start-up up to the splash window: second copy refused, random seed, font,
// language texts, keyboard letters, settings folders (and what killed saves
// left in them), default user profile.
StartResult Main(Program& program, SingleInstanceLock& lock);

bool EsisteFile(const QString& path);
bool EsisteCartella(const QString& path);
QString CartellaWindows(const Environment& env);

// Creates one folder (and any missing folder above it), then rewrites the
// notice file. False when the folder could not be created.
bool CreaCartella(Program& program, const QString& path);
// Creates the four settings folders that are missing, in order; tells the
// user which folder could not be made. False when one was not made.
bool CreaCartelle(Program& program);
// Removes the temporary files that saves killed half way left in the folders
// the program writes to (settings, profiles, language setting, lists).
void RimuoviSalvataggiInterrotti(const Environment& env, const ProgramState& state);
// Copies the handwriting font into the user's fonts folder once (with a
// notice) and makes it usable by this run.
void InstallaFont(Program& program);

} // namespace ortolino
