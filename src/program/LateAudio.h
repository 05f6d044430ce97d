#pragma once

#include "core/platform/SpeakingCharacter.h"
#include "core/speech/PcmOutput.h"

#include <memory>
#include <QLibrary>
#include <QString>

namespace ortolino {

// What the audio module (ortolino_audio, built from AudioModule.cpp) offers:
// sounds and speech output through Qt Multimedia.
struct AudioModule
{
    std::unique_ptr<SoundPlayer> (*newSoundPlayer)();
    std::unique_ptr<PcmOutput> (*newSpeechOutput)();
    bool (*hasDevice)();
};

// Qt Multimedia brings some twenty libraries (sound files, PulseAudio, the
// network), none of which the program needs before the first sound or
// speech. They live in the audio module, loaded the first time a sound is
// played or a character speaks. Without the module everything stays silent.
class LateAudio final : public SoundPlayer
{
public:
    explicit LateAudio(const QString& modulePath);

    // Where the module lies for a program in this folder.
    static QString modulePathFor(const QString& executableFolder);

    // Loads the module now (once).
    void prepare() { module(); }
    bool play(const QString& wavPath) override;
    // Characters' speech through the module.
    SpeechAudio speechAudio();
    bool loaded() const { return module_ != nullptr; }

private:
    const AudioModule* module();

    QLibrary library_;
    bool tried_ = false;
    const AudioModule* module_ = nullptr;
    std::unique_ptr<SoundPlayer> sounds_;
};

} // namespace ortolino
