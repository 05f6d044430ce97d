#pragma once

#include "core/platform/SpeakingCharacter.h"
#include "core/speech/EspeakSynthesizer.h"
#include "core/speech/PcmOutput.h"

#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace ortolino {

// Where the component finds its voices and its sound.
struct CharacterAgentOptions
{
    QString espeakDataFolder; // empty: the library's own
    // qtSpeechAudio() (QtAudio.h) for a sound card; the program hands in the
    // same through its late-loaded audio module.
    SpeechAudio audio;
};

// The character component: loads characters from the character folder (the
// program folder's personaggi/), and lists the characters and the installed
// espeak-ng voices. espeak-ng starts when it is first needed (it reads every
// voice file), or earlier on a thread of its own when prepare() is called.
class CharacterAgent final : public Agent
{
public:
    explicit CharacterAgent(const QString& charactersFolder,
                            CharacterAgentOptions options = CharacterAgentOptions());
    ~CharacterAgent() override;
    CharacterAgent(const CharacterAgent&) = delete;
    CharacterAgent& operator=(const CharacterAgent&) = delete;

    // Starts espeak-ng on a worker thread, so that the first character loads
    // without waiting for it. Returns at once.
    void prepare();

    // A missing character file, a file that breaks the format, or artwork
    // that cannot be drawn give nullptr and the reason.
    std::unique_ptr<Personaggio> Load(const QString& name, QString* error) override;
    QStringList characterNames() const override;
    QList<Voce> voices() const override;

private:
    // For listing and checking voices; shared with the characters, which may
    // outlive the agent. Made on first use, by whichever thread comes first.
    std::shared_ptr<EspeakSynthesizer> catalogue() const;

    QString folder_;
    CharacterAgentOptions options_;
    mutable std::once_flag catalogueMade_;
    mutable std::shared_ptr<EspeakSynthesizer> catalogue_;
    std::thread preparing_;
};

} // namespace ortolino
