// The lasting history at the size of a child who used Ortolino every school
// day for years: 100,000 words of one user among others.
//  1. the progress view opened for that user over all time (target: 200 ms),
//     and the view's reading alone, for each period;
//  2. one word written in its own transaction (target: 2 ms), and the cost
//     of handing a word over on the window's thread (record()), which is all
//     the key-to-repaint path ever pays.
// The file lives in a temporary folder. Prints its figures; run it with
//   QT_QPA_PLATFORM=offscreen build/bin/bench_history [words]
#include "BenchSupport.h"
#include "core/app/Program.h"
#include "core/history/HistoryDatabase.h"
#include "core/history/SqlHistory.h"
#include "gui/report/FormProgressi.h"
#include "gui/widgets/WindowManager.h"
#include "program/Windows.h"

#include <algorithm>
#include <cstdio>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <vector>

using namespace ortolino;
using namespace ortolino::bench;

namespace {

const QStringList kWords = {"CANE",  "GATTO", "DADO", "PERA",   "MELA", "DITO", "NASO",
                            "BARCA", "PANE",  "TOPO", "QUADRO", "LUNA", "SOLE", "MARE"};
const QString kConfused = QStringLiteral("BDPQMNUV");

WordRecord randomWord(QRandomGenerator& random, const QString& user, qint64 endedAt)
{
    WordRecord word;
    word.endedAt = endedAt;
    word.user = user;
    word.language = QStringLiteral("Italiano");
    word.exercise = random.bounded(4);
    word.word = kWords[random.bounded(static_cast<int>(kWords.size()))];
    const int position = 1 + random.bounded(static_cast<int>(word.word.size()));
    BlankChoices blank{position, word.word.mid(position - 1, 1), {}};
    const int wrong = random.bounded(10) < 7 ? 0 : 1 + random.bounded(3);
    for (int i = 0; i < wrong; ++i) {
        blank.chosen << QString(kConfused[random.bounded(static_cast<int>(kConfused.size()))]);
        ++word.helps[static_cast<size_t>(std::min(i, 2))];
    }
    blank.chosen << blank.expected;
    word.blanks = {blank};
    word.seconds = 3 + random.bounded(30);
    word.inputMode = random.bounded(3);
    word.finished = random.bounded(50) != 0;
    return word;
}

struct Figures
{
    double median = 0, worst = 0;
};

Figures figuresOf(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples.back()};
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 100'000;
    QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/storico.sqlite");
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    QRandomGenerator random(16);

    // Words over two school years, and as many of two other children.
    QElapsedTimer timer;
    timer.start();
    {
        HistoryDatabase db(path);
        db.open();
        const qint64 spread = 2 * 365 * 24 * 3600;
        for (const QString& user :
             {QStringLiteral("Anna"), QStringLiteral("Bruno"), QStringLiteral("Carla")}) {
            const int words = user == QLatin1String("Anna") ? count : count / 2;
            std::vector<WordRecord> batch;
            for (int i = 0; i < words; ++i) {
                batch.push_back(randomWord(random, user, now - spread + spread * i / words));
                if (batch.size() == 5000 || i + 1 == words) {
                    db.append(batch);
                    batch.clear();
                }
            }
        }
    }
    std::printf("history of %d words for one user (and %d for two others) made in %.1f s\n", count,
                count, timer.elapsed() / 1000.0);

    SilentMessages messages;
    Services services;
    services.messages = &messages;
    Environment environment = Environment::fromSystem(QApplication::applicationDirPath());
    environment.settingsRoot = folder.path() + QStringLiteral("/");
    Program program(std::move(environment), services);
    program.language.CurrentLanguage = QStringLiteral("Italiano");
    program.state.NomeUtente = QStringLiteral("ANNA");
    SqlHistory history(path);
    program.services.history = &history;
    history.flush(); // opened and checked

    // 1. Reading each period, then the whole view opened over all time.
    const char* names[] = {"this session", "last 7 days", "last 30 days", "all"};
    for (int period = 0; period < 4; ++period) {
        std::vector<double> samples;
        for (int run = 0; run < 7; ++run) {
            timer.restart();
            const auto progress =
                history.progress(QStringLiteral("Anna"), spanOf(static_cast<Period>(period), now));
            samples.push_back(timer.nsecsElapsed() / 1e6);
            if (!progress)
                std::printf("reading failed\n");
        }
        const Figures f = figuresOf(samples);
        std::printf("reading %-12s: median %6.1f ms, worst %6.1f ms\n", names[period], f.median,
                    f.worst);
    }
    WindowManager windows(program);
    registerWindows(windows);
    std::vector<double> opening;
    for (int run = 0; run < 5; ++run) {
        timer.restart();
        auto* form = qobject_cast<FormProgressi*>(windows.load(QStringLiteral("FormProgressi")));
        auto* period = form->findChild<QComboBox*>(QStringLiteral("ComboPeriodo"));
        period->blockSignals(true);
        period->setCurrentIndex(static_cast<int>(Period::All));
        period->blockSignals(false);
        form->Form_Activate();
        form->show();
        QApplication::processEvents();
        opening.push_back(timer.nsecsElapsed() / 1e6);
        windows.unload(form);
        QApplication::processEvents();
    }
    const Figures view = figuresOf(opening);
    std::printf("progress view over all time: median %.1f ms, worst %.1f ms (target 200 ms) %s\n",
                view.median, view.worst, view.median <= 200 ? "ok" : "TOO SLOW");

    // 2. Writes.
    std::vector<double> writes;
    {
        HistoryDatabase db(path);
        db.open();
        for (int i = 0; i < 500; ++i) {
            const WordRecord word = randomWord(random, QStringLiteral("Anna"), now);
            timer.restart();
            db.append(word);
            writes.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    const Figures write = figuresOf(writes);
    std::printf("one word written: median %.2f ms, worst %.2f ms (target 2 ms) %s\n", write.median,
                write.worst, write.median <= 2 ? "ok" : "TOO SLOW");
    std::vector<double> handOvers;
    for (int i = 0; i < 500; ++i) {
        const WordRecord word = randomWord(random, QStringLiteral("Anna"), now);
        timer.restart();
        history.record(word);
        handOvers.push_back(timer.nsecsElapsed() / 1e6);
    }
    const Figures handOver = figuresOf(handOvers);
    std::printf("record() on the window's thread: median %.3f ms, worst %.3f ms\n", handOver.median,
                handOver.worst);
    history.flush();
    return 0;
}
