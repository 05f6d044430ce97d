#include "gui/menu/MenuFixture.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QTimer>

using namespace ortolino;
using namespace ortolino::test;

namespace {

class MenuScanWindowTest : public MenuFixture
{
protected:
    FormMenu* showScanning(int mode)
    {
        program.state.ModalitaInput = mode;
        program.state.VelocitaScansione = 4;
        return showMenu();
    }
};

TEST_F(MenuScanWindowTest, ManualScanningMovesOnSpaceChoosesOnEnterAndTicksKeepTheFocus)
{
    FormMenu* menu = showScanning(kModoScansioneManuale);
    SwitchBox* box = manualSwitch(menu);
    EXPECT_TRUE(box->isVisibleTo(menu));
    EXPECT_FALSE(automaticSwitch(menu)->isVisibleTo(menu));
    EXPECT_EQ(menu->focusWidget(), box);
    EXPECT_EQ(redButtons(menu), QList<int>({0})); // lit at once
    EXPECT_TRUE(scanTimer(menu)->isActive());
    userList(menu)->setFocus();
    menu->Timer1_Timer(); // the tick only brings the focus back
    EXPECT_EQ(menu->focusWidget(), box);
    EXPECT_EQ(redButtons(menu), QList<int>({0}));

    QTest::keyPress(box, Qt::Key_Space);
    EXPECT_EQ(redButtons(menu), QList<int>({0})); // keys act on release
    releaseSwitch(box, Qt::Key_Space);
    EXPECT_EQ(redButtons(menu), QList<int>({1}));
    for (int i = 0; i < 4; ++i)
        pressSwitch(box, Qt::Key_Space);
    EXPECT_EQ(redButtons(menu), QList<int>({0})); // five spaces: round again

    for (int i = 0; i < 4; ++i)
        pressSwitch(box, Qt::Key_Space);
    pressSwitch(box, Qt::Key_Return); // Enter on "ESCI" asks first
    EXPECT_EQ(seams.programExit.requests, 0);
    pressSwitch(box, Qt::Key_Return);
    EXPECT_EQ(seams.programExit.requests, 1);
}

TEST_F(MenuScanWindowTest, ManualScanningEnterAloneStartsTheFirstExercise)
{
    FormMenu* menu = showScanning(kModoScansioneManuale);
    pressSwitch(manualSwitch(menu), Qt::Key_Enter);
    settle();
    EXPECT_EQ(program.state.TipoEsercizio, 0);
    EXPECT_EQ(program.state.Registro[0][0], "LETTERA INIZIALE");
    EXPECT_EQ(loadedNames(windows), QStringList({"lettere"}));
}

TEST_F(MenuScanWindowTest, AReleaseWithoutItsPressOrARepeatDoesNothing)
{
    FormMenu* menu = showScanning(kModoScansioneManuale);
    SwitchBox* box = manualSwitch(menu);
    // The Enter that opened the menu from the splash is released here.
    releaseSwitch(box, Qt::Key_Return);
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));

    // A held switch repeats, marked as such or as plain release-press pairs:
    // only its first press and its last release count.
    QTest::keyPress(box, Qt::Key_Space);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
        QApplication::sendEvent(box, &up);
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
        QApplication::sendEvent(box, &down);
        QTest::keyRelease(box, Qt::Key_Space);
        QTest::keyPress(box, Qt::Key_Space);
    }
    EXPECT_EQ(redButtons(menu), QList<int>({0}));
    releaseSwitch(box, Qt::Key_Space);
    EXPECT_EQ(redButtons(menu), QList<int>({1}));

    // Left alone, the box hands the release on by itself.
    QTest::keyPress(box, Qt::Key_Space);
    QTest::keyRelease(box, Qt::Key_Space);
    EXPECT_TRUE(QTest::qWaitFor([&] { return redButtons(menu) == QList<int>({2}); }, 2000));
}

TEST_F(MenuScanWindowTest, AutomaticScanningLightsOneTwoThreeFourZero)
{
    FormMenu* menu = showScanning(kModoScansioneAutomatica);
    EXPECT_TRUE(automaticSwitch(menu)->isVisibleTo(menu));
    EXPECT_FALSE(manualSwitch(menu)->isVisibleTo(menu));
    EXPECT_TRUE(redButtons(menu).isEmpty());
    EXPECT_TRUE(scanTimer(menu)->isActive());
    EXPECT_EQ(scanTimer(menu)->interval(), 1000);
    EXPECT_EQ(scanTimer(menu)->timerType(), Qt::PreciseTimer);
    for (int expected : {1, 2, 3, 4, 0}) {
        menu->Timer1_Timer();
        EXPECT_EQ(redButtons(menu), QList<int>({expected}));
    }
    EXPECT_EQ(menu->focusWidget(), automaticSwitch(menu));
}

TEST_F(MenuScanWindowTest, AutomaticScanningHoldsOnPressAndChoosesOnSpaceRelease)
{
    FormMenu* menu = showScanning(kModoScansioneAutomatica);
    SwitchBox* box = automaticSwitch(menu);
    menu->Timer1_Timer();
    menu->Timer1_Timer(); // button 2 lit

    QTest::keyPress(box, Qt::Key_A);
    EXPECT_FALSE(scanTimer(menu)->isActive()); // held
    releaseSwitch(box, Qt::Key_A);
    EXPECT_TRUE(scanTimer(menu)->isActive()); // resumed, nothing chosen
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));

    QTest::keyPress(box, Qt::Key_Space);
    EXPECT_FALSE(scanTimer(menu)->isActive());
    QTest::keyRelease(box, Qt::Key_Space);
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"})); // not before the repeat window
    box->deliverPendingRelease();
    settle();
    EXPECT_EQ(program.state.TipoEsercizio, 2);
    EXPECT_EQ(loadedNames(windows), QStringList({"lettere"}));
}

TEST_F(MenuScanWindowTest, AutomaticScanningResumesWhenTheFocusGoesWithTheSwitchHeld)
{
    FormMenu* menu = showScanning(kModoScansioneAutomatica);
    automaticSwitch(menu)->setFocus();
    QTest::keyPress(automaticSwitch(menu), Qt::Key_Space);
    EXPECT_FALSE(scanTimer(menu)->isActive());
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(automaticSwitch(menu), &out);
    EXPECT_TRUE(scanTimer(menu)->isActive());
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
}

TEST_F(MenuScanWindowTest, AChangeOfUserSetsTheScanUpAgain)
{
    env.writeProfile("mario.ini", 5); // a mouse user
    env.writeProfile("luca.ini", 5);
    FormMenu* menu = showScanning(kModoScansioneManuale);
    pressSwitch(manualSwitch(menu), Qt::Key_Space);
    emit userList(menu)->activated(userList(menu)->findText("MARIO"));
    EXPECT_FALSE(scanTimer(menu)->isActive());
    EXPECT_FALSE(manualSwitch(menu)->isVisibleTo(menu));
}

// Auditory scanning: each button is heard by its caption as the scan reaches
// it; a choice cuts it off; an automatic step lasts as long as the caption.
TEST_F(MenuScanWindowTest, AuditoryScanningSaysEachButtonAndStopsOnAChoice)
{
    program.state.auditoryScanning = true;
    program.state.confirmExit = false; // one choice of "ESCI" leaves
    QStringList& calls = seams.scanVoice.calls;
    FormMenu* menu = showScanning(kModoScansioneAutomatica);
    QStringList captions;
    for (int i = 0; i < kPulsantiMenu; ++i)
        captions << spokenCaption(qobject_cast<ClickLabel*>(menuButton(menu, i))->text());
    EXPECT_EQ(captions.first(), "LETTERA INIZIALE");
    EXPECT_EQ(calls, QStringList{"prepare " + captions.join(u',')});
    calls.clear();

    seams.scanVoice.lengthMs = 1500;
    menu->Timer1_Timer();
    EXPECT_EQ(scanTimer(menu)->interval(), 1500 + kSpokenGapMs);
    seams.scanVoice.lengthMs = 200;
    menu->Timer1_Timer();
    EXPECT_EQ(scanTimer(menu)->interval(), 1000);
    pressSwitch(automaticSwitch(menu), Qt::Key_Shift); // resumes, says nothing again
    EXPECT_EQ(calls, (QStringList{"speak " + captions[1], "speak " + captions[2]}));
    calls.clear();
    menu->Timer1_Timer();
    menu->Timer1_Timer();
    pressSwitch(automaticSwitch(menu), Qt::Key_Space); // "ESCI"
    EXPECT_EQ(seams.programExit.requests, 1);
    EXPECT_EQ(calls, (QStringList{"speak " + captions[3], "speak " + captions[4], "stop"}));
    calls.clear();

    // Manual: the first button is lit, and heard, at once.
    program.state.ModalitaInput = kModoScansioneManuale;
    menu->ImpostaUtente();
    pressSwitch(manualSwitch(menu), Qt::Key_Space);
    pressSwitch(manualSwitch(menu), Qt::Key_Return);
    settle();
    EXPECT_EQ(calls, (QStringList{"stop", "prepare " + captions.join(u','), "speak " + captions[0],
                                  "speak " + captions[1], "stop", "stop"}));
}

// "ESCI" chosen by a switch asks for the same choice again; the automatic
// scan waits on it meanwhile and pauses after its rounds, a press starting it
// again on its first button. Too short a press is no press.
TEST_F(MenuScanWindowTest, LeavingTheProgramBySwitchIsConfirmedAndTheScanPauses)
{
    program.state.acceptanceMs = 200;
    program.state.loopsBeforePause = 1;
    FormMenu* menu = showScanning(kModoScansioneAutomatica);
    SwitchBox* box = automaticSwitch(menu);
    QWidget* sign = control(menu, "LabelSegnale");
    auto click = [&](double seconds) {
        QTest::keyPress(box, Qt::Key_Space);
        seams.clock.now += seconds;
        releaseSwitch(box, Qt::Key_Space);
    };
    for (int i = 0; i < 4; ++i)
        menu->Timer1_Timer();
    EXPECT_EQ(redButtons(menu), QList<int>({4}));
    click(0.1); // too short
    EXPECT_FALSE(sign->isVisible());
    click(0.2);
    EXPECT_EQ(seams.programExit.requests, 0);
    EXPECT_TRUE(sign->isVisible());
    EXPECT_EQ(scanTimer(menu)->interval(), kConfirmMs);
    click(0.2);
    EXPECT_EQ(seams.programExit.requests, 1);
    windows.unload(menu);
    settle();

    menu = showScanning(kModoScansioneAutomatica);
    box = automaticSwitch(menu);
    sign = control(menu, "LabelSegnale");
    for (int i = 0; i < 6; ++i)
        menu->Timer1_Timer();
    EXPECT_TRUE(redButtons(menu).isEmpty()); // one round, then the pause
    EXPECT_TRUE(sign->isVisible());
    EXPECT_FALSE(scanTimer(menu)->isActive());
    click(0.2);
    EXPECT_FALSE(sign->isVisible());
    EXPECT_EQ(redButtons(menu), QList<int>({1}));
    EXPECT_TRUE(scanTimer(menu)->isActive());
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"})); // nothing chosen
}

} // namespace
