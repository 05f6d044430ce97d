#include "gui/character/CharacterAgent.h"

#include "core/speech/CharacterFile.h"
#include "core/speech/VoiceMapping.h"
#include "gui/character/AnimatedCharacter.h"

#include <QGuiApplication>
#include <QScreen>

namespace ortolino {

CharacterAgent::CharacterAgent(const QString& charactersFolder, CharacterAgentOptions options)
    : folder_(charactersFolder), options_(std::move(options))
{
}

CharacterAgent::~CharacterAgent()
{
    if (preparing_.joinable())
        preparing_.join();
}

void CharacterAgent::prepare()
{
    if (!preparing_.joinable())
        preparing_ = std::thread([this] { catalogue(); });
}

std::shared_ptr<EspeakSynthesizer> CharacterAgent::catalogue() const
{
    std::call_once(catalogueMade_, [this] {
        catalogue_ = std::make_shared<EspeakSynthesizer>(options_.espeakDataFolder);
    });
    return catalogue_;
}

std::unique_ptr<Personaggio> CharacterAgent::Load(const QString& name, QString* error)
{
    const auto fail = [&](const QString& why) -> std::unique_ptr<Personaggio> {
        if (error)
            *error = why;
        return nullptr;
    };
    const QString file = characterFileFor(folder_, name);
    if (file.isEmpty())
        return fail(QStringLiteral("no character \"%1\" in %2").arg(name, folder_));
    QString why;
    const std::optional<CharacterDefinition> definition = readCharacterFile(file, &why);
    if (!definition)
        return fail(why);
    const QScreen* screen = QGuiApplication::primaryScreen();
    auto artwork =
        CharacterArtwork::load(*definition, screen ? screen->devicePixelRatio() : 1.0, &why);
    if (!artwork)
        return fail(why);

    const std::shared_ptr<EspeakSynthesizer> catalogue = this->catalogue();
    auto synthesizer = std::make_unique<EspeakSynthesizer>(options_.espeakDataFolder);
    std::unique_ptr<PcmOutput> output =
        options_.audio.newOutput ? options_.audio.newOutput() : nullptr;
    // Open the audio stream now: a fresh stream can take a while to start
    // playing, and the greeting should not wait for it.
    const int rate =
        synthesizer->available() ? synthesizer->sampleRate() : SilentSynthesizer::kSampleRate;
    if (output && output->start(rate))
        output->finish();
    auto speech = std::make_unique<SpeechPlayer>(std::move(synthesizer), std::move(output));
    VoiceServices voice;
    voice.voiceInstalled = [catalogue](const QString& voiceName) {
        return catalogue->hasVoice(voiceName);
    };
    voice.silentReason = [catalogue, hasDevice = options_.audio.hasDevice]() -> QString {
        if (!catalogue->available())
            return catalogue->error();
        if (!hasDevice || !hasDevice())
            return QStringLiteral("no audio device");
        return {};
    };
    return std::make_unique<AnimatedCharacter>(*definition, std::move(artwork), std::move(speech),
                                               std::move(voice));
}

QStringList CharacterAgent::characterNames() const
{
    return ortolino::characterNames(folder_);
}

QList<Voce> CharacterAgent::voices() const
{
    QList<Voce> list;
    for (const EspeakVoice& voice : catalogue()->voices())
        list.append({voice.name, voiceIdForName(voice.file), voice.language});
    return list;
}

} // namespace ortolino
