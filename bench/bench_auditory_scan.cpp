// Auditory scanning: from the scan's mark moving to the first audio sample of
// the item's name, with the real espeak-ng synthesizer writing into memory.
//  1. the exercise window's items made ready (as the window does when its
//     scan starts): how long it takes;
//  2. the real exercise window in automatic scanning over all 26 letters,
//     each step timed from Timer1's tick (the mark moves) to the first sample
//     written: median and worst (target: median <= 30 ms, worst <= 60 ms);
//  3. the same voice with nothing made ready (each name synthesized when it is
//     reached), for comparison.
// Prints its figures:   build/bin/bench_auditory_scan [steps]
#include "BenchSupport.h"
#include "core/app/Program.h"
#include "core/speech/EspeakSynthesizer.h"
#include "core/speech/ItemSpeech.h"
#include "core/words/KeyCaptions.h"
#include "gui/exercise/lettere.h"
#include "gui/widgets/WindowManager.h"
#include "program/Windows.h"

#include <algorithm>
#include <cstdio>
#include <QApplication>
#include <QElapsedTimer>
#include <vector>

using namespace ortolino;
using namespace ortolino::bench;

namespace {

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

// Waits (handling events) until the first sample of the item just reached.
double waitForFirst(const qint64& first, const QElapsedTimer& clock)
{
    while (first < 0 && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return first < 0 ? -1.0 : double(first) / 1e6;
}

void print(const char* what, int steps, const Figures& f)
{
    std::printf("%s, %d steps: median %.3f ms, worst %.3f ms%s\n", what, steps, f.median, f.worst,
                f.missing ? qPrintable(QStringLiteral(", %1 never heard").arg(f.missing)) : "");
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int steps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    if (EspeakSynthesizer probe; !probe.available()) {
        std::printf("espeak-ng unavailable: %s\n", qPrintable(probe.error()));
        return 1;
    }

    qint64 first = -1;
    QElapsedTimer clock;
    SpeechAudio audio;
    audio.newOutput = [&] {
        return std::make_unique<TimingOutput>(&first, clock, TimingOutput::Played::Never);
    };
    ItemSpeech speech([] { return std::make_unique<EspeakSynthesizer>(); }, audio);

    BenchProgram bench;
    Program& program = bench.program;
    program.services.scanVoice = &speech;
    program.language.CurrentLanguage = QStringLiteral("Italiano");
    ProgramState& state = program.state;
    PreparaTastiera(state);
    state.CartellaImmagini = program.text(QStringLiteral("0100"));
    state.ParlatoAttivo = false;
    state.SuoniAttivi = false;
    state.LettereAttive.fill(true);
    state.ModalitaInput = kModoScansioneAutomatica;
    state.auditoryScanning = true;
    state.LinguaAgente = QStringLiteral("1040");
    state.ModoVoce = QStringLiteral("{it}");
    WindowManager windows(program);
    registerWindows(windows);

    QElapsedTimer preparing;
    preparing.start();
    auto* window = qobject_cast<lettere*>(windows.show(QStringLiteral("lettere")));
    if (window == nullptr) {
        std::printf("the exercise window did not open\n");
        return 1;
    }
    QStringList items;
    const QString names = program.text(kLetterNamesKey);
    for (int key = 0; key < kNumeroTasti; ++key)
        items << letterName(names, state.LettereTastiera[static_cast<size_t>(key + 1)]);
    while (!std::all_of(items.begin(), items.end(), [&](const QString& item) {
        return speech.ready(item);
    }) && preparing.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    qint64 audioMs = 0;
    for (const QString& item : items)
        audioMs += speech.lengthMs(item);
    std::printf("window opened and its %lld letters made ready (%.1f s of names) in %lld ms\n",
                static_cast<long long>(items.size()), double(audioMs) / 1000.0,
                static_cast<long long>(preparing.elapsed()));

    std::vector<double> times;
    for (int i = 0; i < steps; ++i) {
        first = -1;
        clock.start();
        window->Timer1_Timer(); // the mark moves to the next letter
        times.push_back(waitForFirst(first, clock));
    }
    windows.unload(window);
    print("mark moved -> first sample, in the exercise window (target: median <= 30 ms, worst "
          "<= 60 ms)",
          steps, summary(times));

    // A new voice for each step: nothing is ready, each name is made when reached.
    times.clear();
    ScanVoiceSetup setup;
    setup.languageId = 1040;
    for (int i = 0; i < steps; ++i) {
        setup.speed = VoiceTone::kSpeedDefault + 1 + i % 50;
        speech.prepare(setup, {});
        first = -1;
        clock.start();
        speech.speak(items[i % items.size()]);
        times.push_back(waitForFirst(first, clock));
    }
    print("item reached -> first sample, nothing made ready", steps, summary(times));
    return 0;
}
