// The exercise window on the shipped Italian pictures, as a child uses it:
//  1. from a typed letter to the masked word repainted on screen (target:
//     under 16 ms), over 200 letters;
//  2. the automatic scan's pace: the deviation of each step from its interval
//     over 60 steps (target: worst under 10 ms on an idle machine).
// Prints its figures. Run it on a real display or under Xvfb:
//   xvfb-run -a build/bin/bench_lettere [steps [VelocitaScansione]]
#include "BenchSupport.h"
#include "core/app/Program.h"
#include "core/exercise/Scanning.h"
#include "gui/exercise/lettere.h"
#include "gui/widgets/WindowManager.h"
#include "program/Windows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <vector>

using namespace ortolino;
using namespace ortolino::bench;

namespace {

constexpr int kLetters = 200;

// Notes when a widget has been asked to paint.
class PaintWatch final : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

void processEventsFor(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

// The first missing letter of the word on screen, or "" when it is complete.
QString missingLetter(const ProgramState& state, const QString& caption)
{
    const QString word = state.ParoleDisponibili[static_cast<size_t>(state.IndiceParola)];
    for (qsizetype c = 0, w = 0; c < caption.size() && w < word.size(); ++c, ++w) {
        if (caption[c] == QLatin1Char('_'))
            return QString(word[w]);
    }
    return {};
}

void sendKey(QWidget* window, QEvent::Type type, const QString& letter)
{
    QKeyEvent event(type, Qt::Key_A + (letter.toUpper()[0].unicode() - 'A'), Qt::NoModifier,
                    letter.toLower());
    QApplication::sendEvent(window, &event);
}

struct Figures
{
    double mean = 0, worst = 0;
};

Figures summary(const std::vector<double>& values)
{
    Figures f;
    for (double v : values) {
        f.mean += v / static_cast<double>(values.size());
        f.worst = std::max(f.worst, v);
    }
    return f;
}

void keyToRepaint(Program& program, WindowManager& windows)
{
    ProgramState& state = program.state;
    state.ModalitaInput = kModoMouse;
    state.TipoEsercizio = 3; // every active letter missing: several per word
    auto* window = qobject_cast<lettere*>(windows.show(QStringLiteral("lettere")));
    auto* label = window->findChild<QLabel*>(QStringLiteral("Label1"));
    auto* avanti = window->findChild<QPushButton*>(QStringLiteral("BottoneAvanti"));
    PaintWatch watch;
    label->installEventFilter(&watch);
    processEventsFor(200);

    std::vector<double> times;
    QElapsedTimer clock;
    while (static_cast<int>(times.size()) < kLetters) {
        const QString letter = missingLetter(state, label->text());
        if (letter.isEmpty()) {
            avanti->click();
            processEventsFor(20);
            continue;
        }
        watch.painted = false;
        clock.start();
        sendKey(window, QEvent::KeyPress, letter);
        while (!watch.painted && clock.elapsed() < 1000)
            QApplication::processEvents();
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        sendKey(window, QEvent::KeyRelease, letter);
        processEventsFor(SwitchKeys::kRepeatWindowMs + 10);
    }
    windows.unload(window);
    const Figures f = summary(times);
    std::printf("key to repainted word over %d letters: mean %.2f ms, worst %.2f ms "
                "(target < 16 ms)\n",
                kLetters, f.mean, f.worst);
}

void scanJitter(Program& program, WindowManager& windows, int steps, int speed)
{
    ProgramState& state = program.state;
    state.ModalitaInput = kModoScansioneAutomatica;
    state.VelocitaScansione = speed;
    auto* window = qobject_cast<lettere*>(windows.show(QStringLiteral("lettere")));
    auto* timer1 = window->findChild<QTimer*>(QStringLiteral("Timer1"));
    const double interval = timer1->interval();

    QElapsedTimer clock;
    clock.start();
    std::vector<double> ticks;
    QEventLoop loop;
    QObject::connect(timer1, &QTimer::timeout, &loop, [&] {
        ticks.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        if (static_cast<int>(ticks.size()) > steps)
            loop.quit();
    });
    std::printf("scan: %d steps of %.0f ms (about %.0f s)...\n", steps, interval,
                steps * interval / 1000);
    std::fflush(stdout);
    loop.exec();

    std::vector<double> deviations;
    for (size_t i = 1; i < ticks.size(); ++i)
        deviations.push_back(std::abs(ticks[i] - ticks[i - 1] - interval));
    windows.unload(window);
    const Figures f = summary(deviations);
    std::printf("scan step deviation over %zu steps: mean %.2f ms, worst %.2f ms "
                "(target worst < 10 ms)\n",
                deviations.size(), f.mean, f.worst);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int steps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    const int speed = argc > 2 ? std::atoi(argv[2]) : 4;

    BenchProgram bench;
    Program& program = bench.program;
    program.language.CurrentLanguage = QStringLiteral("Italiano");
    PreparaTastiera(program.state);
    program.state.CartellaImmagini = program.text(QStringLiteral("0100"));
    program.state.ParlatoAttivo = false;
    program.state.SuoniAttivi = false;

    WindowManager windows(program);
    registerWindows(windows);
    std::printf("platform %s, build %s\n", qPrintable(QApplication::platformName()),
                ORTOLINO_BUILD_TYPE);
    keyToRepaint(program, windows);
    scanJitter(program, windows, steps, speed);
    return 0;
}
