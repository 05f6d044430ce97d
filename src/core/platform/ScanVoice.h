#pragma once

#include <QString>
#include <QStringList>

namespace ortolino {

// How auditory scanning sounds: each item's name, or one short cue sound for
// children who find speech too slow.
enum class ScanSoundStyle
{
    Name,
    Cue,
};

// The voice the items are said in: the child's own character voice.
struct ScanVoiceSetup
{
    QString voiceId;    // as in profiles, e.g. "{it}"; unknown = the language's voice
    int languageId = 0; // a Windows language number (1040 Italian, ...)
    int speed = 130;    // "\Spd=n\" units
    int pitch = 100;    // "\Pit=n\" units
    ScanSoundStyle style = ScanSoundStyle::Name;
    friend bool operator==(const ScanVoiceSetup&, const ScanVoiceSetup&) = default;
};

// Auditory scanning: the scan says each item as it reaches it, and the item
// is cut off at once when the scan moves on or a choice is made. Every call
// returns at once; without a voice or an audio device nothing is heard, but
// the lengths stay what they would be.
class ScanVoice
{
public:
    virtual ~ScanVoice() = default;
    // The voice, and the items the scan is about to reach: they are made
    // ready in the background, so that each is heard the moment it is reached.
    virtual void prepare(const ScanVoiceSetup& setup, const QStringList& items) = 0;
    // Cuts what is playing and says `item` (or plays the cue). Returns how
    // long it takes in milliseconds.
    virtual int speak(const QString& item) = 0;
    // Cuts what is playing, at once.
    virtual void stop() = 0;
};

} // namespace ortolino
