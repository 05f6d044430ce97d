#include "core/speech/ItemSpeech.h"

#include "core/speech/VoiceMapping.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <numbers>
#include <QSet>
#include <thread>

namespace ortolino {

namespace {

// Below this a sample counts as silence (about -40 dB).
constexpr int kSilence = 330;
// Kept of the silence at each end, so that no sound starts or ends on a click.
constexpr int kMarginMs = 5;

constexpr int kCueHz = 1000;
constexpr double kCueLevel = 0.35;
constexpr int kCueFadeMs = 8;

qint64 toMs(qint64 samples, int rate)
{
    return rate > 0 ? samples * 1000 / rate : 0;
}

} // namespace

QByteArray trimSilence(const QByteArray& pcm, int sampleRate)
{
    const auto* samples = reinterpret_cast<const qint16*>(pcm.constData());
    const qsizetype count = pcm.size() / 2;
    const auto loud = [](qint16 s) { return std::abs(int(s)) >= kSilence; };
    const qint16* first = std::find_if(samples, samples + count, loud);
    if (first == samples + count)
        return {};
    const qint16* last =
        std::find_if(std::reverse_iterator(samples + count), std::reverse_iterator(first), loud)
            .base();
    const qsizetype margin = qsizetype(sampleRate) * kMarginMs / 1000;
    const qsizetype from = std::max<qsizetype>(0, (first - samples) - margin);
    const qsizetype to = std::min<qsizetype>(count, (last - samples) + margin);
    return pcm.mid(from * 2, (to - from) * 2);
}

// The worker thread: synthesizes one item after the other, urgent ones first,
// and hands each item's whole audio to `deliver` (called on the worker).
class ItemSynthesis
{
public:
    using Deliver = std::function<void(quint64 generation, const QString& item,
                                       const QByteArray& pcm, int sampleRate)>;

    ItemSynthesis(ItemSpeech::SynthesizerFactory factory, Deliver deliver)
        : factory_(std::move(factory)), deliver_(std::move(deliver)), thread_([this] { run(); })
    {
    }

    ~ItemSynthesis()
    {
        {
            std::lock_guard lock(mutex_);
            ending_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

    // Replaces the work to do with these items, for this generation.
    void replace(quint64 generation, const SpeechRequest& voice, const QStringList& items)
    {
        {
            std::lock_guard lock(mutex_);
            jobs_.clear();
            for (const QString& item : items)
                jobs_.push_back({generation, item, voice});
        }
        wake_.notify_one();
    }

    // This item before any other.
    void hurry(quint64 generation, const SpeechRequest& voice, const QString& item)
    {
        {
            std::lock_guard lock(mutex_);
            jobs_.push_front({generation, item, voice});
        }
        wake_.notify_one();
    }

private:
    struct Job
    {
        quint64 generation;
        QString item;
        SpeechRequest voice; // the parts are empty: the item is the text
    };

    void run()
    {
        std::unique_ptr<Synthesizer> synthesizer;
        SilentSynthesizer silent;
        // What this voice has made already: a window that prepares its items
        // again before the first ones have arrived does not make them twice.
        quint64 doneGeneration = 0;
        QSet<QString> done;
        for (;;) {
            Job job;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return ending_ || !jobs_.empty(); });
                if (ending_)
                    return;
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            if (job.generation != doneGeneration) {
                doneGeneration = job.generation;
                done.clear();
            }
            if (done.contains(job.item))
                continue;
            done.insert(job.item);
            if (!synthesizer)
                synthesizer = factory_ ? factory_() : nullptr;
            SpeechRequest request = job.voice;
            request.parts = {{job.item, job.voice.parts.value(0).tone}};
            QByteArray pcm;
            const Synthesizer::Deliver collect = [&](const AudioChunk& chunk) {
                pcm += chunk.pcm;
                std::lock_guard lock(mutex_);
                return !ending_;
            };
            int rate = synthesizer ? synthesizer->sampleRate() : 0;
            if (!synthesizer || rate <= 0 || !synthesizer->synthesize(request, collect, nullptr)) {
                // No voice: silence as long as the name, so that lengths hold.
                pcm.clear();
                rate = silent.sampleRate();
                silent.synthesize(request, collect, nullptr);
                deliver_(job.generation, job.item, pcm, rate);
                continue;
            }
            deliver_(job.generation, job.item, trimSilence(pcm, rate), rate);
        }
    }

    ItemSpeech::SynthesizerFactory factory_;
    Deliver deliver_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool ending_ = false;
    std::thread thread_;
};

ItemSpeech::ItemSpeech(SynthesizerFactory synthesizer, SpeechAudio audio, QObject* parent)
    : QObject(parent), output_(std::move(audio))
{
    synthesis_ = std::make_unique<ItemSynthesis>(
        std::move(synthesizer),
        [this](quint64 generation, const QString& item, const QByteArray& pcm, int rate) {
            QMetaObject::invokeMethod(
                this,
                [=, this] {
                    received(generation, item, {pcm, rate});
                },
                Qt::QueuedConnection);
        });
}

ItemSpeech::~ItemSpeech()
{
    synthesis_.reset(); // no more deliveries
    cut();
}

namespace {

SpeechRequest voiceOf(const ScanVoiceSetup& setup)
{
    SpeechRequest request;
    request.voiceName = voiceNameFromId(setup.voiceId);
    request.language = espeakLanguageForId(setup.languageId);
    if (request.language.isEmpty())
        request.language = defaultEspeakLanguage();
    VoiceTone tone;
    tone.speed = std::clamp(setup.speed, VoiceTone::kSpeedMin, VoiceTone::kSpeedMax);
    tone.pitch = std::clamp(setup.pitch, VoiceTone::kPitchMin, VoiceTone::kPitchMax);
    request.parts = {{QString(), tone}};
    return request;
}

} // namespace

void ItemSpeech::prepare(const ScanVoiceSetup& setup, const QStringList& items)
{
    if (!(setup == setup_) || generation_ == 0) {
        setup_ = setup;
        ++generation_;
        audio_.clear();
    }
    QStringList missing;
    if (setup_.style == ScanSoundStyle::Name) {
        for (const QString& item : items) {
            if (!item.isEmpty() && !audio_.contains(item) && !missing.contains(item))
                missing << item;
        }
    }
    synthesis_->replace(generation_, voiceOf(setup_), missing);
    // A fresh audio stream can take a while to start: open it now, so that
    // the first item is not lost to it.
    if (!device_ && output_.newOutput) {
        device_ = output_.newOutput();
        if (device_ && device_->start(sampleRate_))
            device_->finish();
    }
}

int ItemSpeech::speak(const QString& item)
{
    cut();
    waitingFor_.clear();
    if (setup_.style == ScanSoundStyle::Cue) {
        play(cue());
        return kCueMs;
    }
    const auto found = audio_.constFind(item);
    if (found != audio_.constEnd()) {
        play(*found);
        return lengthMs(item);
    }
    if (item.isEmpty())
        return 0;
    waitingFor_ = item;
    synthesis_->hurry(generation_, voiceOf(setup_), item);
    return lengthMs(item);
}

void ItemSpeech::stop()
{
    waitingFor_.clear();
    cut();
}

int ItemSpeech::lengthMs(const QString& item) const
{
    const auto found = audio_.constFind(item);
    if (found != audio_.constEnd())
        return int(toMs(found->pcm.size() / 2, found->sampleRate));
    return int(SilentSynthesizer::durationMs(item, voiceOf(setup_).parts.value(0).tone.speed));
}

void ItemSpeech::received(quint64 generation, const QString& item, const Audio& audio)
{
    if (generation != generation_)
        return;
    audio_.insert(item, audio);
    sampleRate_ = audio.sampleRate;
    if (item == waitingFor_) {
        waitingFor_.clear();
        play(audio);
    }
}

void ItemSpeech::play(const Audio& audio)
{
    if (!device_ && output_.newOutput)
        device_ = output_.newOutput();
    playing_ = device_ && device_->start(audio.sampleRate) ? device_.get() : &clock_;

    if (playing_ == &clock_)
        clock_.start(audio.sampleRate);
    playing_->write(audio.pcm);
    written_ = audio.pcm.size() / 2;
}

// An item still sounding is cut at once; one heard to the end only lets the
// output rest open for the next, which then starts without delay.
void ItemSpeech::cut()
{
    if (playing_ == nullptr)
        return;
    if (playing_->playedSamples() < written_)
        playing_->stop();
    else
        playing_->finish();
    playing_ = nullptr;
    written_ = 0;
}

ItemSpeech::Audio ItemSpeech::cue() const
{
    const int rate = sampleRate_;
    const int count = rate * kCueMs / 1000;
    const int fade = std::max(1, rate * kCueFadeMs / 1000);
    QByteArray pcm(qsizetype(count) * 2, Qt::Uninitialized);
    auto* samples = reinterpret_cast<qint16*>(pcm.data());
    for (int i = 0; i < count; ++i) {
        const double edge = std::min({1.0, double(i) / fade, double(count - 1 - i) / fade});
        const double wave = std::sin(2 * std::numbers::pi * kCueHz * i / rate);
        samples[i] = qint16(std::lround(wave * edge * kCueLevel * 32767));
    }
    return {pcm, rate};
}

} // namespace ortolino
