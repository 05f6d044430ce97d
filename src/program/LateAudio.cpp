#include "program/LateAudio.h"

#include <QDir>

namespace ortolino {

LateAudio::LateAudio(const QString& modulePath) : library_(modulePath) {}

QString LateAudio::modulePathFor(const QString& executableFolder)
{
    return QDir::cleanPath(executableFolder + QLatin1Char('/') +
                           QLatin1String(ORTOLINO_MODULE_FROM_BIN "/ortolino_audio.so"));
}

const AudioModule* LateAudio::module()
{
    if (!tried_) {
        tried_ = true;
        using Entry = const AudioModule* (*)();
        // The module stays loaded: what it made may live until the end.
        if (const auto entry = reinterpret_cast<Entry>(library_.resolve("ortolino_audio_module")))
            module_ = entry();
    }
    return module_;
}

bool LateAudio::play(const QString& wavPath)
{
    if (!sounds_ && module() != nullptr)
        sounds_ = module_->newSoundPlayer();
    return sounds_ && sounds_->play(wavPath);
}

SpeechAudio LateAudio::speechAudio()
{
    SpeechAudio audio;
    audio.newOutput = [this]() -> std::unique_ptr<PcmOutput> {
        return module() != nullptr ? module_->newSpeechOutput() : nullptr;
    };
    audio.hasDevice = [this] { return module() != nullptr && module_->hasDevice(); };
    return audio;
}

} // namespace ortolino
