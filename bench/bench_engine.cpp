// The exercise engine on a large picture folder: how long the catalogue takes
// to build from 10,000 pictures, and how long a turn of each kind takes.
// Prints its figures; the targets are 50 ms per build and 0.1 ms per turn.
#include "core/app/Program.h"
#include "core/exercise/ExerciseEngine.h"
#include "core/exercise/ExerciseView.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/Random.h"

#include <chrono>
#include <cstdio>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>

using namespace ortolino;

namespace {

constexpr int kPictures = 10000;
constexpr int kBuilds = 20;
constexpr int kTurns = 10000;

class SilentView final : public ExerciseView
{
public:
    void setWordCaption(const QString&) override {}
    void showPicture(const QString&) override {}
    void showOutcome(bool) override {}
    void showCounters(int, int) override {}
    void setBalloonText(const QString&) override {}
    void setBalloonVisible(bool) override {}
    void setBackground(Colore) override {}
    void colourKey(int, Colore) override {}
    void placeFrameOnAvanti() override {}
    void colourAvanti(Colore) override {}
    void setAvantiEnabled(bool) override {}
    void focusAvanti() override {}
    void endExercise() override { std::puts("the exercise ended: no word fits"); }
    void showWaitingNotice() override {}
    void hideWaitingNotice() override {}
};

class CountingMessages final : public MessageBoxes
{
public:
    Answer show(const Message&) override
    {
        ++shown;
        return Answer::Ok;
    }
    int shown = 0;
};

// Empty picture files with names of 3 to 12 letters, a tenth of them .gif.
bool makePictures(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
    std::mt19937 generator(12345);
    std::uniform_int_distribution<int> length(3, 12);
    std::uniform_int_distribution<int> letter('a', 'z');
    for (int i = 0; i < kPictures; ++i) {
        QString name;
        for (int n = length(generator); n > 0; --n)
            name += QChar(letter(generator));
        name += QString::number(i) + (i % 10 == 0 ? ".GIF" : ".jpg");
        QFile file(folder + "/" + name);
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main()
{
    QTemporaryDir root;
    Environment env;
    env.programFolder = root.path();
    env.settingsRoot = root.path() + "/config/";
    if (!root.isValid() || !makePictures(env.programFile("immagini"))) {
        std::fputs("cannot make the picture folder\n", stderr);
        return 1;
    }

    SystemRandom random;
    CountingMessages messages;
    Services services;
    services.random = &random;
    services.messages = &messages;
    Program program(env, services);
    PreparaTastiera(program.state);
    program.state.CartellaImmagini = "immagini";
    program.state.MassimoLettere = 13;

    std::printf("build type: %s (the targets are for an optimised build)\n", ORTOLINO_BUILD_TYPE);
    SilentView view;
    ExerciseEngine engine(program, view);
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kBuilds; ++i)
        engine.CaricaParole();
    std::printf("catalogue build: %.2f ms (%d files, %d words)\n",
                millisecondsSince(start) / kBuilds, kPictures, program.state.NumeroParole);

    const char* const kinds[] = {"initial letter", "one letter", "two letters", "all letters"};
    for (int kind = 0; kind < 4; ++kind) {
        program.state.TipoEsercizio = kind;
        start = std::chrono::steady_clock::now();
        for (int i = 0; i < kTurns; ++i) {
            program.state.NumeroRigheRegistro = 0;
            engine.NuovaParola();
        }
        std::printf("turn, %-14s: %.4f ms\n", kinds[kind], millisecondsSince(start) / kTurns);
    }
    return messages.shown == 0 ? 0 : 1;
}
