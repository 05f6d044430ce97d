#pragma once

#include "core/app/Program.h"
#include "core/exercise/Scanning.h"
#include "gui/exercise/lettere.h"
#include "gui/widgets/Form.h"
#include "gui/widgets/WindowManager.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"
#include "support/WindowTesting.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace ortolino::test {

// The exercise window on the shipped Italian language, with one picture ("_AVE":
// N is missing in the first kind), the letters E, A and N active, every seam a double.
class LettereTest : public ::testing::Test
{
protected:
    LettereTest() : program(env.env(), seams.services()), state(program.state)
    {
        PreparaTastiera(state);
        program.language.CurrentLanguage = QStringLiteral("Italiano");
        state.CartellaImmagini = QStringLiteral("immagini");
        state.LinguaAgente = QStringLiteral("1040");
        state.MassimoLettere = 13;
        state.ColoreCasuale = false;
        random.seed(20240611);
        program.services.random = &random;
        windows.registerForm(QStringLiteral("lettere"),
                             [](Program& p, WindowManager& w) { return new lettere(p, w); });
        addPicture("nave.jpg");
        activate("ean");
    }
    ~LettereTest() override
    {
        for (Form* form : windows.loadedWindows())
            windows.unload(form);
        test::settle();
    }

    // A small real picture (wide or tall) in the picture folder.
    void addPicture(const QString& fileName, QSize size = QSize(40, 20))
    {
        writePicture(env, QStringLiteral("immagini/") + fileName, size);
    }
    void activate(const QString& letters)
    {
        for (size_t i = 0; i < state.LettereAttive.size(); ++i)
            state.LettereAttive[i] =
                letters.contains(state.LettereTastiera[i + 1], Qt::CaseInsensitive);
    }
    // A stand-in for the main menu, so that "&Esci" has somewhere to go.
    void registerMenu()
    {
        windows.registerForm(QStringLiteral("FormMenu"), [](Program& p, WindowManager& w) {
            return new Form(QStringLiteral("FormMenu"), p, w, QSize(9600, 7200));
        });
        windows.setHome(QStringLiteral("FormMenu"));
    }

    lettere* open()
    {
        window = qobject_cast<lettere*>(windows.show(QStringLiteral("lettere")));
        return window;
    }
    // Closes the window and lets Qt delete it.
    void close()
    {
        if (window)
            windows.unload(window);
        test::settle();
    }
    // Lets a switch's release become final (on a loaded machine qWait may end on
    // a sleep long after the repeat window: the timers due meanwhile fire too).
    static void settle()
    {
        QTest::qWait(SwitchKeys::kRepeatWindowMs + 20);
        QCoreApplication::processEvents();
    }

    QPushButton* key(int index) const
    {
        return test::control<QPushButton>(window, "tastiera", index);
    }
    QPushButton* avanti() const { return test::control<QPushButton>(window, "BottoneAvanti"); }
    QWidget* control(const char* name) const { return test::control(window, name); }
    QAction* action(const char* name) const { return test::control<QAction>(window, name); }
    QLabel* label(const char* name) const { return test::control<QLabel>(window, name); }
    QWidget* switchBox(int mode) const
    {
        return control(mode == kModoScansioneManuale ? "PictureScansioneManuale"
                                                     : "PictureScansioneAutomatica");
    }
    QString caption() const { return label("Label1")->text(); }
    QString word() const
    {
        return state.ParoleDisponibili[static_cast<size_t>(state.IndiceParola)];
    }
    QColor keyColour(int index) const { return key(index)->palette().color(QPalette::Button); }

    // The letters still missing, in order: the caption has "_ " for a blank.
    QStringList missingLetters() const
    {
        QStringList letters;
        const QString shown = caption(), full = word();
        for (qsizetype c = 0, w = 0; c < shown.size() && w < full.size(); ++c, ++w) {
            if (shown[c] == QLatin1Char('_')) {
                letters << QString(full[w]);
                ++c; // the blank after the mark
            }
        }
        return letters;
    }
    int keyOf(const QString& letter) const
    {
        const auto& keys = state.LettereTastiera;
        const auto at = std::find(keys.begin() + 1, keys.end(), letter);
        return at == keys.end() ? -1 : int(at - keys.begin()) - 1;
    }

    void switchClick(QWidget* target, Qt::Key key)
    {
        QTest::keyPress(target, key);
        QTest::keyRelease(target, key);
        settle();
    }
    // The switch that chooses in the mode in force: Enter on the manual box,
    // Space on the automatic one.
    void chooseBySwitch()
    {
        const int mode = state.ModalitaInput;
        switchClick(switchBox(mode),
                    mode == kModoScansioneManuale ? Qt::Key_Return : Qt::Key_Space);
    }
    // Moves the scan to a key by the mode's own step, and no further.
    void scanTo(int target)
    {
        for (int i = 0; i <= kNumeroTasti && window->TastoCorrente() != target; ++i) {
            if (state.ModalitaInput == kModoScansioneManuale)
                switchClick(switchBox(kModoScansioneManuale), Qt::Key_Space);
            else
                window->Timer1_Timer();
        }
    }
    // One letter chosen the way the mode in force chooses it.
    void choose(const QString& letter)
    {
        if (state.ModalitaInput == kModoMouse) {
            QTest::keyClick(window, letter.toLower().at(0).toLatin1());
            settle();
            return;
        }
        scanTo(keyOf(letter));
        chooseBySwitch();
    }
    void completeWord()
    {
        for (const QString& letter : missingLetters())
            choose(letter);
    }

    TestEnvironment env;
    TestServices seams;
    Program program;
    ProgramState& state;
    SystemRandom random; // seeded: every run draws the same words
    RecordingAgent& agent = seams.agent;
    WindowManager windows{program};
    QPointer<lettere> window;
};

} // namespace ortolino::test
