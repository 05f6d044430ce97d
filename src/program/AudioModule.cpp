// The audio module: Qt Multimedia's sounds and speech output, opened by the
// program (LateAudio) when it first needs them.
#include "gui/character/QtAudio.h"
#include "program/LateAudio.h"

namespace {

std::unique_ptr<ortolino::SoundPlayer> newSoundPlayer()
{
    return std::make_unique<ortolino::QtSoundPlayer>();
}

std::unique_ptr<ortolino::PcmOutput> newSpeechOutput()
{
    return std::make_unique<ortolino::QtPcmOutput>();
}

bool hasDevice()
{
    return !ortolino::defaultAudioDevice()().isNull();
}

} // namespace

extern "C" Q_DECL_EXPORT const ortolino::AudioModule* ortolino_audio_module()
{
    static const ortolino::AudioModule module{newSoundPlayer, newSpeechOutput, hasDevice};
    return &module;
}
