// The menu scanned by one or two switches. Which button the scan visits and
// the timing rules are the core's tests; here: the switch boxes, the keys'
// press and release, the timer, the pause sign and the spoken captions.
#include "gui/menu/MenuFixture.h"

#include <QKeyEvent>

using namespace ortolino;
using namespace ortolino::test;

namespace {

class MenuScanWindowTest : public MenuFixture
{
protected:
    MenuScanWindowTest() { program.state.VelocitaScansione = 4; }
};

TEST_F(MenuScanWindowTest, ManualScanningMovesOnSpaceReleaseAndChoosesOnEnter)
{
    FormMenu* menu = showMenu(kModoScansioneManuale);
    SwitchBox* box = switchBox(menu, true);
    EXPECT_TRUE(box->isVisibleTo(menu));
    EXPECT_FALSE(switchBox(menu, false)->isVisibleTo(menu));
    EXPECT_EQ(menu->focusWidget(), box);
    EXPECT_EQ(redButtons(menu), QList<int>({0})); // lit at once
    userList(menu)->setFocus();
    menu->Timer1_Timer(); // the tick only brings the focus back
    EXPECT_EQ(menu->focusWidget(), box);
    EXPECT_EQ(redButtons(menu), QList<int>({0}));

    releaseSwitch(box, Qt::Key_Return); // the Enter that opened the menu: nothing
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
    QTest::keyPress(box, Qt::Key_Space);
    EXPECT_EQ(redButtons(menu), QList<int>({0})); // keys act on release
    // A held switch repeats, marked as such or as plain release-press pairs:
    // only its first press and its last release count.
    for (int i = 0; i < 3; ++i) {
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
        QApplication::sendEvent(box, &up);
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
        QApplication::sendEvent(box, &down);
        QTest::keyRelease(box, Qt::Key_Space);
        QTest::keyPress(box, Qt::Key_Space);
    }
    releaseSwitch(box, Qt::Key_Space);
    EXPECT_EQ(redButtons(menu), QList<int>({1}));
    QTest::keyPress(box, Qt::Key_Space); // left alone, the box hands the release on
    QTest::keyRelease(box, Qt::Key_Space);
    EXPECT_TRUE(QTest::qWaitFor([&] { return redButtons(menu) == QList<int>({2}); }, 2000));

    for (int i = 0; i < 2; ++i)
        pressSwitch(box, Qt::Key_Space);
    pressSwitch(box, Qt::Key_Return); // Enter on "ESCI" asks first
    EXPECT_EQ(seams.programExit.requests, 0);
    pressSwitch(box, Qt::Key_Return);
    EXPECT_EQ(seams.programExit.requests, 1);
    unloadAll();

    pressSwitch(switchBox(showMenu(kModoScansioneManuale), true), Qt::Key_Enter);
    settle();
    EXPECT_EQ(program.state.TipoEsercizio, 0);
    EXPECT_EQ(program.state.Registro[1][0], "LETTERA INIZIALE"); // under "ESCI"
    EXPECT_EQ(loadedNames(windows), QStringList({"lettere"}));
}

TEST_F(MenuScanWindowTest, AutomaticScanningHoldsWhileASwitchIsDownAndChoosesOnSpaceRelease)
{
    FormMenu* menu = showMenu(kModoScansioneAutomatica);
    SwitchBox* box = switchBox(menu, false);
    EXPECT_TRUE(box->isVisibleTo(menu));
    EXPECT_FALSE(switchBox(menu, true)->isVisibleTo(menu));
    EXPECT_EQ(menu->focusWidget(), box);
    EXPECT_TRUE(redButtons(menu).isEmpty());
    EXPECT_TRUE(scanTimer(menu)->isActive());
    EXPECT_EQ(scanTimer(menu)->interval(), 1000);
    EXPECT_EQ(scanTimer(menu)->timerType(), Qt::PreciseTimer);
    menu->Timer1_Timer();
    menu->Timer1_Timer(); // button 2 lit

    QTest::keyPress(box, Qt::Key_A);
    EXPECT_FALSE(scanTimer(menu)->isActive()); // held
    releaseSwitch(box, Qt::Key_A);
    EXPECT_TRUE(scanTimer(menu)->isActive()); // resumed, nothing chosen
    QTest::keyPress(box, Qt::Key_Space);
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason); // the focus goes, held
    QApplication::sendEvent(box, &out);
    EXPECT_TRUE(scanTimer(menu)->isActive());
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));

    box->setFocus();
    QTest::keyPress(box, Qt::Key_Space);
    EXPECT_FALSE(scanTimer(menu)->isActive());
    QTest::keyRelease(box, Qt::Key_Space);
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"})); // not before the repeat window
    box->deliverPendingRelease();
    settle();
    EXPECT_EQ(program.state.TipoEsercizio, 2);
    EXPECT_EQ(loadedNames(windows), QStringList({"lettere"}));
}

// After the set rounds the scan pauses with its sign; too short a press is no
// press, a press starts it again on its first button without choosing; a
// change of user sets the scan up for that user.
TEST_F(MenuScanWindowTest, TheScanPausesWithItsSignAndAChangeOfUserSetsItUpAgain)
{
    program.state.acceptanceMs = 200;
    program.state.loopsBeforePause = 1;
    FormMenu* menu = showMenu(kModoScansioneAutomatica);
    SwitchBox* box = switchBox(menu, false);
    QWidget* sign = control(menu, "LabelSegnale");
    auto click = [&](double seconds) {
        QTest::keyPress(box, Qt::Key_Space);
        seams.clock.now += seconds;
        releaseSwitch(box, Qt::Key_Space);
    };
    for (int i = 0; i < 6; ++i)
        menu->Timer1_Timer();
    EXPECT_TRUE(redButtons(menu).isEmpty());
    EXPECT_TRUE(sign->isVisible());
    EXPECT_FALSE(scanTimer(menu)->isActive());
    click(0.1); // too short
    EXPECT_TRUE(sign->isVisible());
    click(0.2);
    EXPECT_FALSE(sign->isVisible());
    EXPECT_EQ(redButtons(menu), QList<int>({1}));
    EXPECT_TRUE(scanTimer(menu)->isActive());
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
    unloadAll();

    env.writeProfile("mario.ini", 5); // a mouse user
    env.writeProfile("luca.ini", 5);
    menu = showMenu(kModoScansioneManuale);
    emit userList(menu)->activated(userList(menu)->findText("MARIO"));
    EXPECT_FALSE(scanTimer(menu)->isActive());
    EXPECT_FALSE(switchBox(menu, true)->isVisibleTo(menu));
}

// Auditory scanning: each button is heard by its caption as the scan reaches
// it; a choice cuts it off; an automatic step lasts as long as the caption.
TEST_F(MenuScanWindowTest, AuditoryScanningSaysEachButtonAndStopsOnAChoice)
{
    program.state.auditoryScanning = true;
    program.state.confirmExit = false; // one choice of "ESCI" leaves
    QStringList& calls = seams.scanVoice.calls;
    FormMenu* menu = showMenu(kModoScansioneAutomatica);
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
    pressSwitch(switchBox(menu, false), Qt::Key_Shift); // resumes, says nothing again
    menu->Timer1_Timer();
    menu->Timer1_Timer();
    pressSwitch(switchBox(menu, false), Qt::Key_Space); // "ESCI"
    EXPECT_EQ(seams.programExit.requests, 1);
    EXPECT_EQ(calls, (QStringList{"speak " + captions[1], "speak " + captions[2],
                                  "speak " + captions[3], "speak " + captions[4], "stop"}));
    calls.clear();

    // Manual: the first button is lit, and heard, at once.
    program.state.ModalitaInput = kModoScansioneManuale;
    menu->ImpostaUtente();
    pressSwitch(switchBox(menu, true), Qt::Key_Space);
    pressSwitch(switchBox(menu, true), Qt::Key_Return);
    settle();
    EXPECT_EQ(calls, (QStringList{"stop", "prepare " + captions.join(u','), "speak " + captions[0],
                                  "speak " + captions[1], "stop", "stop"}));
}

} // namespace
