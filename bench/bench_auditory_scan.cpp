// Auditory scanning: from the scan's mark moving to the first audio sample of
// the item's name, with the real espeak-ng synthesizer writing into memory.
//  1. the items made ready beforehand (as the windows do): how long it takes;
//  2. the automatic scan of the exercise window over its letters and
//     "avanti", 200 steps: median and worst (target: median <= 30 ms,
//     worst <= 60 ms);
//  3. the same with nothing made ready beforehand (each name synthesized when
//     it is reached), for comparison.
// Prints its figures:   build/bin/bench_auditory_scan [steps]
#include "core/speech/EspeakSynthesizer.h"
#include "core/speech/ItemSpeech.h"

#include <algorithm>
#include <cstdio>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <vector>

using namespace ortolino;

namespace {

// Notes when each item's first sample arrives; plays nothing.
class TimingOutput final : public PcmOutput
{
public:
    explicit TimingOutput(qint64* firstNs, const QElapsedTimer& clock)
        : first_(firstNs), clock_(clock)
    {
    }
    bool start(int) override
    {
        written_ = 0;
        return true;
    }
    void write(const QByteArray& pcm) override
    {
        if (*first_ < 0 && !pcm.isEmpty())
            *first_ = clock_.nsecsElapsed();
        written_ += pcm.size() / 2;
    }
    qint64 playedSamples() const override { return 0; } // every item is cut
    void stop() override { written_ = 0; }

private:
    qint64* first_;
    const QElapsedTimer& clock_;
    qint64 written_ = 0;
};

struct Figures
{
    double median = 0, worst = 0;
    int missing = 0;
};

Figures summary(std::vector<double> values)
{
    Figures f;
    f.missing = int(std::count(values.begin(), values.end(), -1.0));
    std::erase(values, -1.0);
    std::sort(values.begin(), values.end());
    if (!values.empty()) {
        f.median = values[values.size() / 2];
        f.worst = values.back();
    }
    return f;
}

const QStringList kItems = {
    QStringLiteral("a"),       QStringLiteral("bi"),        QStringLiteral("ci"),
    QStringLiteral("di"),      QStringLiteral("e"),         QStringLiteral("effe"),
    QStringLiteral("gi"),      QStringLiteral("acca"),      QStringLiteral("i"),
    QStringLiteral("i lunga"), QStringLiteral("cappa"),     QStringLiteral("elle"),
    QStringLiteral("emme"),    QStringLiteral("enne"),      QStringLiteral("o"),
    QStringLiteral("pi"),      QStringLiteral("cu"),        QStringLiteral("erre"),
    QStringLiteral("esse"),    QStringLiteral("ti"),        QStringLiteral("u"),
    QStringLiteral("vu"),      QStringLiteral("doppia vu"), QStringLiteral("ics"),
    QStringLiteral("ipsilon"), QStringLiteral("zeta"),      QStringLiteral("avanti")};

// Steps through the items as the scan would, timing each from the move to
// its first sample.
std::vector<double> scan(ItemSpeech& speech, qint64& first, QElapsedTimer& clock, int steps,
                         const std::function<void(int)>& beforeStep = {})
{
    std::vector<double> times;
    for (int i = 0; i < steps; ++i) {
        if (beforeStep)
            beforeStep(i);
        first = -1;
        clock.start();
        speech.speak(kItems[i % kItems.size()]);
        while (first < 0 && clock.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        times.push_back(first < 0 ? -1.0 : double(first) / 1e6);
    }
    return times;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int steps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    if (EspeakSynthesizer probe; !probe.available()) {
        std::printf("espeak-ng unavailable: %s\n", qPrintable(probe.error()));
        return 1;
    }

    qint64 first = -1;
    QElapsedTimer clock;
    SpeechAudio audio;
    audio.newOutput = [&] { return std::make_unique<TimingOutput>(&first, clock); };
    ItemSpeech speech([] { return std::make_unique<EspeakSynthesizer>(); }, audio);
    ScanVoiceSetup setup;
    setup.voiceId = QStringLiteral("{it}");
    setup.languageId = 1040;

    QElapsedTimer preparing;
    preparing.start();
    speech.prepare(setup, kItems);
    while (!std::all_of(kItems.begin(), kItems.end(), [&](const QString& item) {
        return speech.ready(item);
    }) && preparing.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    qint64 audioMs = 0;
    for (const QString& item : kItems)
        audioMs += speech.lengthMs(item);
    std::printf("made ready: %lld items (%.1f s of names) in %lld ms, off the scanning thread\n",
                static_cast<long long>(kItems.size()), audioMs / 1000.0,
                static_cast<long long>(preparing.elapsed()));

    const Figures ready = summary(scan(speech, first, clock, steps));
    std::printf("mark moved -> first sample, items made ready, %d steps: median %.3f ms, worst "
                "%.3f ms (target: median <= 30 ms, worst <= 60 ms)%s\n",
                steps, ready.median, ready.worst,
                ready.missing ? qPrintable(QStringLiteral(", %1 never heard").arg(ready.missing))
                              : "");

    // A new voice each step: nothing is ready, each name is made when reached.
    const Figures cold = summary(scan(speech, first, clock, steps, [&](int i) {
        ScanVoiceSetup other = setup;
        other.speed = VoiceTone::kSpeedDefault + 1 + i % 50;
        speech.prepare(other, {});
    }));
    std::printf("mark moved -> first sample, nothing made ready, %d steps: median %.1f ms, worst "
                "%.1f ms%s\n",
                steps, cold.median, cold.worst,
                cold.missing ? qPrintable(QStringLiteral(", %1 never heard").arg(cold.missing))
                             : "");
    return 0;
}
