#pragma once

#include <QString>

namespace ortolino {

// How the speech tags' speed and pitch become espeak-ng settings.
//
// Speed: "\Spd=n\" (50..250) maps linearly onto espeak-ng's words per minute,
// 50 -> 80 (espeak-ng's slowest), 130 -> 152, 250 -> 260. Past about 300 wpm
// espeak-ng gets hard to follow for a child, so the top stays below it.
int espeakRateForSpeed(int speed);

// Pitch: "\Pit=n\" (50..400) maps by octaves onto espeak-ng's pitch scale
// (0..100, 50 = the voice's own pitch): 100 -> 50, each doubling adds 25, so
// 50 -> 25, 200 -> 75, 400 -> 100. Both ends keep a natural voice (espeak-ng
// below about 10 turns rough).
int espeakPitchForPitch(int pitch);

// The espeak-ng language of a Windows language number (1040 Italian, 1033
// English, ...), or an empty text when the number is not one we know.
QString espeakLanguageForId(int languageId);

// The language used when none is known: the program's own.
inline QString defaultEspeakLanguage()
{
    return QStringLiteral("it");
}

// The espeak-ng voice name inside a voice identifier "{name}" (braces and
// blanks removed), or an empty text when the identifier is not in braces.
QString voiceNameFromId(const QString& voiceId);

// The voice identifier of an espeak-ng voice name: "{" + name + "}".
QString voiceIdForName(const QString& name);

} // namespace ortolino
