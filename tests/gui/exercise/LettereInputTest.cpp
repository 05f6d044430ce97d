// The exercise window driven as a child drives it: mouse and keyboard, two
// switches, one switch.
#include "core/config/ConfigSettings.h"
#include "core/words/MaskedWord.h"
#include "gui/exercise/LettereFixture.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/ShapeControl.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace ortolino;
using namespace ortolino::test;

namespace {

constexpr int kQ = 0, kE = 2, kA = 10, kN = 24;

class LettereInputTest : public LettereTest
{
protected:
    QTimer* timer1() const { return window->findChild<QTimer*>("Timer1"); }
    QWidget* manualBox() const { return control("PictureScansioneManuale"); }
    QWidget* automaticBox() const { return control("PictureScansioneAutomatica"); }
    ShapeControl* frame() const { return window->findChild<ShapeControl*>("ShapeRiquadro"); }
    const RigaRegistro& row() const
    {
        return state.Registro[static_cast<size_t>(state.NumeroRigheRegistro)];
    }
    // A raw key event, as a held switch sends them.
    static void send(QWidget* target, QEvent::Type type, bool autoRepeat)
    {
        QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, " ", autoRepeat);
        QCoreApplication::sendEvent(target, &event);
    }
    // Goes on to the next word the way the mode does.
    void chooseAvanti()
    {
        if (state.ModalitaInput == kModoScansioneManuale)
            switchClick(manualBox(), Qt::Key_Return);
        else if (state.ModalitaInput == kModoScansioneAutomatica)
            switchClick(automaticBox(), Qt::Key_Space);
        else
            QTest::mouseClick(avanti(), Qt::LeftButton);
    }
};

TEST_F(LettereInputTest, AWordIsCompletedInEveryModeAndEveryKind)
{
    addPicture("nave.jpg");
    addPicture("pane.jpg");
    activate("eanp");
    // The test steps the scan itself; the slowest pace keeps a loaded machine's
    // delays from moving the mark off "avanti" before it is chosen.
    state.VelocitaScansione = kBarraScansione.maximum;
    const Colore selected = state.ColoreBottoneSelezionato;
    for (int mode : {kModoMouse, kModoScansioneManuale, kModoScansioneAutomatica}) {
        for (int kind : {Esercizio::LetteraIniziale, Esercizio::UnaLettera, Esercizio::DueLettere,
                         Esercizio::TutteLettere}) {
            SCOPED_TRACE(QString("mode %1 kind %2").arg(mode).arg(kind).toStdString());
            state.ModalitaInput = mode;
            state.TipoEsercizio = kind;
            ASSERT_NE(open(), nullptr);
            const int blanks = int(missingLetters().size());
            ASSERT_GE(blanks, 1);
            completeWord();
            EXPECT_EQ(caption(), word());
            EXPECT_EQ(state.NumeroEsatti, blanks);
            EXPECT_EQ(state.NumeroErrati, 0);
            EXPECT_EQ(row()[2], "Fatto");
            EXPECT_TRUE(avanti()->isEnabled());
            if (mode != kModoMouse) { // "avanti" carries the scan mark
                EXPECT_EQ(avanti()->palette().color(QPalette::Button), qtColor(selected));
            }
            const int rows = state.NumeroRigheRegistro;
            chooseAvanti();
            EXPECT_FALSE(avanti()->isEnabled());
            EXPECT_EQ(state.NumeroRigheRegistro, rows + 1);
            EXPECT_TRUE(caption().contains('_'));
            close();
        }
    }
}

TEST_F(LettereInputTest, MouseClicksAndTypedLettersIncludingHiddenKeys)
{
    addPicture("nave.jpg");
    activate("ean");
    ASSERT_NE(open(), nullptr);
    chooseByKeyboard("Q"); // its key is hidden, yet the letter is judged
    EXPECT_EQ(state.NumeroErrati, 1);
    EXPECT_TRUE(row()[1].endsWith(" (_ AVE Q) "));
    QTest::mouseClick(key(kE), Qt::LeftButton);
    EXPECT_EQ(state.NumeroErrati, 2);
    QTest::mouseClick(key(kN), Qt::LeftButton);
    EXPECT_EQ(caption(), "NAVE");
    EXPECT_TRUE(avanti()->hasFocus());
    QTest::keyClick(avanti(), Qt::Key_Return); // Enter on "avanti" goes on
    EXPECT_FALSE(avanti()->isEnabled());
    EXPECT_EQ(caption(), "_ AVE");
}

TEST_F(LettereInputTest, ManualScanWithOnlyEANActiveCyclesThroughThem)
{
    addPicture("nave.jpg");
    activate("ean");
    state.ModalitaInput = kModoScansioneManuale;
    ASSERT_NE(open(), nullptr);
    EXPECT_TRUE(timer1()->isActive());
    EXPECT_EQ(timer1()->interval(), 100); // it only keeps the focus on the box
    EXPECT_FALSE(manualBox()->isHidden());
    EXPECT_TRUE(automaticBox()->isHidden());
    QList<int> visited;
    for (int i = 0; i < 4; ++i) {
        switchClick(manualBox(), Qt::Key_Space);
        visited << window->TastoCorrente();
        EXPECT_EQ(keyColour(visited.last()), qtColor(state.ColoreBottoneSelezionato));
    }
    EXPECT_EQ(visited, (QList<int>{kE, kA, kN, kE}));
    EXPECT_EQ(keyColour(kN), qtColor(state.ColoreBottoni));
    // The default mark stands out on the default keys (3:1 at least), and the
    // marked key has a dark outline, whatever the colours around it.
    EXPECT_GE(contrastRatio(storedColor(qtColor(state.ColoreBottoneSelezionato)),
                            storedColor(keyColour(kN))),
              3.0);
    auto edge = [&](int index) {
        const QImage image = key(index)->grab().toImage();
        return image.pixelColor(1, image.height() / 2);
    };
    EXPECT_LT(edge(kE).lightness(), 40);
    EXPECT_GT(edge(kN).lightness(), 60);

    QTest::keyPress(manualBox(), Qt::Key_Space); // keys act on release
    EXPECT_EQ(window->TastoCorrente(), kE);
    QTest::keyRelease(manualBox(), Qt::Key_Space);
    settle();
    EXPECT_EQ(window->TastoCorrente(), kA);

    QTest::mouseClick(key(kN), Qt::LeftButton); // a click chooses nothing here
    EXPECT_EQ(state.NumeroEsatti + state.NumeroErrati, 0);
}

TEST_F(LettereInputTest, TheFrameMovesAloneAndHidesOnAHiddenKey)
{
    addPicture("nave.jpg");
    activate("ean");
    state.ModalitaInput = kModoScansioneManuale;
    state.ConRiquadro = true;
    state.SpessoreRiquadro = 6;
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(window->TastoCorrente(), kQ);
    EXPECT_TRUE(frame()->isHidden()); // it stands on Q, whose key is hidden
    EXPECT_EQ(frame()->borderWidth(), 6);
    EXPECT_EQ(frame()->borderColor(), qtColor(state.ColoreBottoneSelezionato));

    switchClick(manualBox(), Qt::Key_Space);
    EXPECT_FALSE(frame()->isHidden());
    EXPECT_EQ(frame()->geometry(), key(kE)->geometry().adjusted(-6, -6, 6, 6));
    for (int i : {kE, kA, kN})
        EXPECT_EQ(keyColour(i), qtColor(state.ColoreBottoni));

    chooseByManualScan("N");
    EXPECT_EQ(frame()->geometry(), avanti()->geometry().adjusted(-6, -6, 6, 6));
    EXPECT_EQ(avanti()->palette().color(QPalette::Button), qtColor(state.ColoreBottoni));
}

TEST_F(LettereInputTest, AutomaticScanTakesOneStepPerSecondAtFour)
{
    addPicture("nave.jpg");
    activate("ean");
    state.ModalitaInput = kModoScansioneAutomatica;
    state.VelocitaScansione = 4;
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(timer1()->interval(), 1000);
    EXPECT_EQ(timer1()->timerType(), Qt::PreciseTimer);
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(window->TastoCorrente(), kE, 1500);
    const qint64 first = clock.elapsed();
    QTRY_COMPARE_WITH_TIMEOUT(window->TastoCorrente(), kA, 1500);
    const qint64 second = clock.elapsed();
    EXPECT_NEAR(double(first), 1000.0, 250.0);
    EXPECT_NEAR(double(second - first), 1000.0, 250.0);
    close();

    state.VelocitaScansione = 1000; // a hand-edited profile: held to 15 s
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(timer1()->interval(), 15000);
}

TEST_F(LettereInputTest, HoldingTheSwitchHoldsTheScanAndChoosesOnceOnRelease)
{
    addPicture("nave.jpg");
    activate("ean");
    state.ModalitaInput = kModoScansioneAutomatica;
    ASSERT_NE(open(), nullptr);
    window->Timer1_Timer();
    window->Timer1_Timer();
    window->Timer1_Timer(); // N
    send(automaticBox(), QEvent::KeyPress, false);
    EXPECT_FALSE(timer1()->isActive());
    for (int i = 0; i < 10; ++i) {
        send(automaticBox(), QEvent::KeyPress, true);    // repeats marked as such
        send(automaticBox(), QEvent::KeyRelease, false); // and as X may send them
        send(automaticBox(), QEvent::KeyPress, false);
        QTest::qWait(5);
    }
    settle();
    EXPECT_EQ(state.NumeroEsatti + state.NumeroErrati, 0);
    EXPECT_FALSE(timer1()->isActive());
    EXPECT_EQ(window->TastoCorrente(), kN);
    send(automaticBox(), QEvent::KeyRelease, false);
    settle();
    EXPECT_EQ(state.NumeroEsatti, 1);
    EXPECT_EQ(caption(), "NAVE");
    EXPECT_TRUE(timer1()->isActive());
}

} // namespace
