#pragma once

#include "core/platform/SpeakingCharacter.h"
#include "core/speech/EspeakSynthesizer.h"
#include "gui/character/QtAudio.h"

#include <functional>
#include <memory>

namespace ortolino {

class PcmOutput;

// Where the component finds its voices and its sound.
struct CharacterAgentOptions
{
    QString espeakDataFolder; // empty: the library's own
    AudioDeviceSource audioDevice = defaultAudioDevice();
};

// The character component: loads characters from the character folder (the
// program folder's personaggi/), and lists the characters and the installed
// espeak-ng voices.
class CharacterAgent final : public Agent
{
public:
    explicit CharacterAgent(const QString& charactersFolder,
                            CharacterAgentOptions options = CharacterAgentOptions());

    // A missing character file, a file that breaks the format, or artwork
    // that cannot be drawn give nullptr and the reason.
    std::unique_ptr<Personaggio> Load(const QString& name, QString* error) override;
    QStringList characterNames() const override;
    QList<Voce> voices() const override;

private:
    QString folder_;
    CharacterAgentOptions options_;
    // For listing and checking voices; shared with the characters, which may
    // outlive the agent.
    std::shared_ptr<EspeakSynthesizer> catalogue_;
};

} // namespace ortolino
