// Figures of the speech and character layer, and two helpers for checking it
// by eye and ear:
//   speech_bench                      prints the figures
//   speech_bench --wav FILE TEXT [VOICE] [LANGUAGE-ID]
//                                     writes TEXT (speech tags allowed) as spoken
//   speech_bench --show NAME TEXT [SECONDS]
//                                     shows character NAME speaking TEXT on screen
#include "BenchSupport.h"
#include "core/platform/Environment.h"
#include "core/speech/CharacterFile.h"
#include "core/speech/EspeakSynthesizer.h"
#include "core/speech/SpeechPlayer.h"
#include "core/speech/VoiceMapping.h"
#include "core/speech/WavFile.h"
#include "gui/character/CharacterAgent.h"
#include "gui/character/CharacterArtwork.h"
#include "gui/character/QtAudio.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScreen>
#include <QTimer>
#include <vector>

using namespace ortolino;
using namespace ortolino::bench;

namespace {

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Bytes of heap in use (the resident size moves in pages and keeps freed memory).
long heapKiB()
{
    const struct mallinfo2 info = mallinfo2();
    return long((info.uordblks + info.hblkhd) / 1024);
}

// Milliseconds from speak() to the first synthesized sample, for each run.
std::vector<double> firstSampleTimes(const QString& text, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        qint64 first = -1;
        SpeechPlayer player(std::make_unique<EspeakSynthesizer>(),
                            std::make_unique<TimingOutput>(&first, clock));
        player.setVoice(QStringLiteral("it"), QStringLiteral("it"));
        clock.start();
        player.speak(parseSpeechTags(text));
        while (first < 0 && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        times.push_back(first < 0 ? -1.0 : double(first) / 1e6);
    }
    return times;
}

void printFirstSample()
{
    const QString text = QStringLiteral("\\Spd=130\\\\Pit=100\\Brava! Hai scritto cane.");
    std::vector<double> times = firstSampleTimes(text, 21);
    const double cold = times.front();
    std::sort(times.begin() + 1, times.end());
    std::printf("first sample after Speak (short sentence): first %.1f ms, median %.1f ms, "
                "worst %.1f ms of 20 (target: under 100 ms)\n",
                cold, times[times.size() / 2], times.back());
}

void printSynthesisSpeed()
{
    EspeakSynthesizer synth;
    const QString paragraph = QStringLiteral(
        "C'era una volta un piccolo mago che abitava in una torre piena di libri. Ogni "
        "mattina apriva la finestra, salutava gli uccelli e scriveva una parola nuova su "
        "un grande quaderno. I bambini del villaggio venivano a trovarlo per imparare a "
        "scrivere, e lui li aiutava con pazienza, lettera dopo lettera.");
    qint64 samples = 0;
    const double cpu = threadCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    synth.synthesize(
        {{{paragraph, {}}}, QStringLiteral("it"), QStringLiteral("it")},
        [&](const AudioChunk& chunk) {
            samples += chunk.samples();
            return true;
        },
        nullptr);
    const double used = threadCpuSeconds() - cpu;
    const double audio = double(samples) / std::max(1, synth.sampleRate());
    std::printf("synthesis speed: %.1f s of audio in %.3f s CPU (%.3f s wall): %.0f s of audio "
                "per CPU second\n",
                audio, used, wall.elapsed() / 1000.0, audio / std::max(used, 1e-6));
}

// Memory per loaded character: after one load that pays for what all
// characters share (window system, threads, fonts), the heap growth over five more.
void printCharacterMemory(const QString& folder)
{
    CharacterAgentOptions options;
    options.audio = qtSpeechAudio([] { return QAudioDevice(); });
    CharacterAgent agent(folder, options);
    for (const QString& name : agent.characterNames()) {
        QString error;
        std::vector<std::unique_ptr<Personaggio>> loaded;
        loaded.push_back(agent.Load(name, &error));
        const long before = heapKiB();
        for (int i = 0; i < 5; ++i)
            loaded.push_back(agent.Load(name, &error));
        const long after = heapKiB();
        const auto definition = readCharacterFile(characterFileFor(folder, name), &error);
        const auto artwork =
            definition ? CharacterArtwork::load(*definition, 1.0, &error) : nullptr;
        if (!loaded.back() || !artwork) {
            std::printf("%s: %s\n", qPrintable(name), qPrintable(error));
            continue;
        }
        std::printf("character %s: %ld KiB of memory per loaded character, %lld KiB of it "
                    "drawn layers\n",
                    qPrintable(name), (after - before) / 5, artwork->memoryBytes() / 1024);
    }
}

int writeWav(const QStringList& args)
{
    if (args.size() < 4)
        return 2;
    const SpeechText text = parseSpeechTags(args[3]);
    const QString voice = args.size() > 4 ? voiceNameFromId(args[4]) : QString();
    const int languageId = args.size() > 5 ? args[5].toInt() : 1040;
    EspeakSynthesizer synth;
    QByteArray pcm;
    QString error;
    const QString language = espeakLanguageForId(languageId);
    if (!synth.synthesize(
            {text.spoken, voice, language.isEmpty() ? defaultEspeakLanguage() : language},
            [&](const AudioChunk& chunk) {
                pcm += chunk.pcm;
                return true;
            },
            &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QFile out(args[2]);
    if (!out.open(QIODevice::WriteOnly) || out.write(encodeWav16(pcm, synth.sampleRate(), 1)) < 0)
        return 1;
    std::printf("%s: %.2f s; the balloon would show \"%s\"\n", qPrintable(args[2]),
                double(pcm.size() / 2) / synth.sampleRate(), qPrintable(text.shown));
    return 0;
}

int showCharacter(const QString& folder, const QStringList& args)
{
    if (args.size() < 4)
        return 2;
    CharacterAgentOptions options;
    options.audio = qtSpeechAudio();
    CharacterAgent agent(folder, options);
    QString error;
    std::unique_ptr<Personaggio> character = agent.Load(args[2], &error);
    if (!character) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    character->setBalloonFont(QStringLiteral("Arial"), 28);
    character->setLanguageID(1040);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    character->MoveTo(screen.left() + 200, screen.top() + 300);
    character->Show();
    character->Speak(args[3]);
    if (args[3].contains(QLatin1String("\\Map=")))
        character->Play(QStringLiteral("write"));
    const int seconds = args.size() > 4 ? args[4].toInt() : 6;
    QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    const bool show = argc > 1 && qstrcmp(argv[1], "--show") == 0;
    if (!show && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString folder = Environment::fromSystem(QCoreApplication::applicationDirPath())
                               .programFile(QStringLiteral("personaggi"));
    if (show)
        return showCharacter(folder, args);
    if (args.size() > 1 && args[1] == u"--wav")
        return writeWav(args);
    if (args.size() > 1) {
        std::fprintf(stderr, "usage: speech_bench [--wav FILE TEXT [VOICE] [LANGUAGE-ID] | "
                             "--show NAME TEXT [SECONDS]]\n");
        return 2;
    }
    EspeakSynthesizer probe;
    if (!probe.available()) {
        std::printf("espeak-ng unavailable: %s\n", qPrintable(probe.error()));
        return 1;
    }
    printFirstSample();
    printSynthesisSpeed();
    printCharacterMemory(folder);
    return 0;
}
