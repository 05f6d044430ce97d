#pragma once

#include <QByteArray>
#include <QString>

namespace ortolino {

struct Environment;
struct SwitchSettings;

// The side file of a profile: the settings of switch access that the profile
// has no line for. It is "<profile's file name>" in the access folder
// (Ortolino/accesso/), an INI file with one section:
//
//   [accesso]
//   auditory_scanning=1
//   first_item_steps=1.5
//   ...
//
// Each key missing or unreadable takes its default, numbers are brought into
// their ranges, unknown keys are ignored (a newer copy may add some).

// Larger files are no side file: they read as unreadable.
inline constexpr qint64 kSwitchSettingsMaxBytes = 16 * 1024;

// The side file of the profile at `profilePath` (same file name, any letter
// case on disk as the profile's own).
QString switchSettingsPath(const Environment& env, const QString& profilePath);

QByteArray switchSettingsText(const SwitchSettings& settings);
SwitchSettings switchSettingsFromText(const QByteArray& bytes);

enum class SwitchSettingsRead
{
    Read,      // read, each key it lacked at its default
    Missing,   // nothing there: every default
    Unreadable // something there that is no text file of a sensible size:
               // every default, and kept aside before it is saved over
};

// Reads the side file at `path` into `settings`: never fails outwards.
SwitchSettingsRead readSwitchSettings(SwitchSettings& settings, const QString& path);

// Writes the side file atomically (its folder made as needed; a file of the
// same name in another letter case is replaced). False on failure, the old
// file untouched.
bool writeSwitchSettings(const SwitchSettings& settings, const QString& path);

} // namespace ortolino
