// The exercise engine on picture folders of 242 (as shipped), 10,000 and
// 100,000 pictures (symbolic links, as a school's pictogram library often is):
//  - the first opening after the folder changed (the picture folder is
//    indexed) and a reopening (the catalogue built from the index; target
//    50 ms at most with 100,000 pictures, and at most 1.2 times the reopening
//    with 242), each with the first turn;
//  - how the first opening grows from 10,000 to 100,000 pictures (an exponent
//    of 1 is linear) and the heap the engine then holds;
//  - a turn of each kind (target 0.1 ms).
// Prints its figures: bench_engine [LARGEST]
#include "core/app/Program.h"
#include "core/exercise/ExerciseEngine.h"
#include "core/exercise/ExerciseView.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/Random.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <malloc.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>
#include <sys/stat.h>
#include <vector>

using namespace ortolino;

namespace {

constexpr int kReopenings = 200;
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
    void showWaitingNotice() override { ++notices; }
    void hideWaitingNotice() override {}
    int notices = 0;
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

// Links with names of 3 to 12 letters to one picture, a tenth of them .GIF.
bool makePictures(const QString& folder, int count)
{
    if (!QDir().mkpath(folder))
        return false;
    const QString target = folder + "/../picture.jpg";
    QFile picture(target);
    if (!picture.open(QIODevice::WriteOnly))
        return false;
    std::mt19937 generator(12345);
    std::uniform_int_distribution<int> length(3, 12);
    std::uniform_int_distribution<int> letter('a', 'z');
    for (int i = 0; i < count; ++i) {
        QString name;
        for (int n = length(generator); n > 0; --n)
            name += QChar(letter(generator));
        name += QString::number(i) + (i % 10 == 0 ? ".GIF" : ".jpg");
        if (!QFile::link(target, folder + "/" + name))
            return false;
    }
    return true;
}

// Dates the folder `secondsAgo` in the past: a new date is a change.
void dateFolder(const QString& folder, int secondsAgo)
{
    timespec times[2];
    clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= secondsAgo;
    times[1] = times[0];
    utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0);
}

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long heapKiB()
{
    const struct mallinfo2 info = mallinfo2();
    return long((info.uordblks + info.hblkhd) / 1024);
}

struct Opening
{
    double first = 0;  // the folder changed since the last opening
    double reopen = 0; // it did not
    long heapKiB = 0;
    int notices = 0; // waiting notices shown by the reopenings
};

Opening measure(Program& program, const QString& folder, int pictures)
{
    Opening figures;
    std::vector<double> firsts, reopens;
    const long heapBefore = heapKiB();
    {
        SilentView view;
        ExerciseEngine engine(program, view);
        const int firstRuns = pictures > 20000 ? 3 : 7;
        for (int i = 0; i < firstRuns; ++i) {
            dateFolder(folder, 3600 + i); // a change, long enough ago to be sure of
            const auto start = std::chrono::steady_clock::now();
            engine.CaricaParole();
            engine.NuovaParola();
            firsts.push_back(millisecondsSince(start));
        }
        view.notices = 0;
        for (int i = 0; i < kReopenings; ++i) {
            const auto start = std::chrono::steady_clock::now();
            engine.CaricaParole();
            engine.NuovaParola();
            reopens.push_back(millisecondsSince(start));
        }
        figures.notices = view.notices;
        figures.heapKiB = heapKiB() - heapBefore;
    }
    figures.first = median(firsts);
    figures.reopen = median(reopens);
    return figures;
}

} // namespace

int main(int argc, char* argv[])
{
    const int largest = argc > 1 ? std::max(10000, std::atoi(argv[1])) : 100000;
    QTemporaryDir root;
    std::printf("build type: %s (the targets are for an optimised build)\n", ORTOLINO_BUILD_TYPE);

    SystemRandom random;
    CountingMessages messages;
    Services services;
    services.random = &random;
    services.messages = &messages;

    double smallFirst = 0;
    double shippedReopen = 0;
    double smallReopen = 0;
    for (const int pictures : {242, 10000, largest}) {
        const QString programFolder = root.path() + "/" + QString::number(pictures);
        Environment env;
        env.programFolder = programFolder;
        env.settingsRoot = programFolder + "/config/";
        if (!root.isValid() || !makePictures(env.programFile("immagini"), pictures)) {
            std::fputs("cannot make the picture folder\n", stderr);
            return 1;
        }
        Program program(env, services);
        PreparaTastiera(program.state);
        program.state.CartellaImmagini = "immagini";
        program.state.MassimoLettere = 13;
        const Opening o = measure(program, env.programFile("immagini"), pictures);
        std::printf("%6d pictures: first opening %7.2f ms, reopening %7.4f ms (%d notices), "
                    "heap %ld KiB\n",
                    pictures, o.first, o.reopen, o.notices, o.heapKiB);
        if (pictures == 242) {
            shippedReopen = o.reopen;
        } else if (pictures == 10000) {
            smallFirst = o.first;
            smallReopen = o.reopen;
        } else {
            std::printf("first opening grows as n^%.2f (1.00 is linear); reopening with %d "
                        "pictures: %.4f ms (target: 50 ms at most), %.2f times the reopening "
                        "with 242 (target: 1.2 at most) and %.2f times the one with 10000 "
                        "(both with a full catalogue of 1000 words)\n",
                        std::log(o.first / smallFirst) / std::log(pictures / 10000.0), pictures,
                        o.reopen, o.reopen / shippedReopen, o.reopen / smallReopen);
        }

        if (pictures != 10000)
            continue;
        SilentView view;
        ExerciseEngine engine(program, view);
        engine.CaricaParole();
        const char* const kinds[] = {"initial letter", "one letter", "two letters", "all letters"};
        for (int kind = 0; kind < 4; ++kind) {
            program.state.TipoEsercizio = kind;
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < kTurns; ++i) {
                program.state.NumeroRigheRegistro = 0;
                engine.NuovaParola();
            }
            std::printf("turn, %-14s: %.4f ms\n", kinds[kind], millisecondsSince(start) / kTurns);
        }
    }
    return messages.shown == 0 ? 0 : 1;
}
