// The main menu and the splash (the scan's order and timing rules: the core's tests).
#include "core/app/Profile.h"
#include "core/history/SqlHistory.h"
#include "core/platform/TextFiles.h"
#include "gui/menu/FormMenu.h"
#include "gui/widgets/ClickLabel.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/SwitchBox.h"
#include "support/HistoryWords.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// The real windows with a stand-in exercise window named "lettere".
class MenuWindowTest : public WindowFixture
{
protected:
    explicit MenuWindowTest(TestEnvironment::Data data = TestEnvironment::Data::Shipped)
        : WindowFixture(data)
    {
        QDir().mkpath(env.env().cartellaUtenti());
        program.state.PercorsoProfilo = env.env().profiloPredefinito();
        program.state.VelocitaScansione = 4; // a step a second
        standIn("lettere");
    }

    FormMenu* showMenu(int mode = kModoMouse)
    {
        program.state.ModalitaInput = mode;
        return qobject_cast<FormMenu*>(windows.show("FormMenu"));
    }

    static QWidget* menuButton(const FormMenu* m, int i) { return control(m, "Command1", i); }
    static QComboBox* userList(const FormMenu* m) { return control<QComboBox>(m, "Combo1"); }
    static QTimer* scanTimer(const FormMenu* m) { return control<QTimer>(m, "Timer1"); }
    static SwitchBox* switchBox(const FormMenu* m, bool manual)
    {
        return control<SwitchBox>(m, manual ? "PictureScansioneManuale"
                                            : "PictureScansioneAutomatica");
    }
    static QList<int> redButtons(const FormMenu* m) // the buttons shown red
    {
        QList<int> red;
        for (int i = 0; i < kPulsantiMenu; ++i)
            if (background(menuButton(m, i)) == QColor(255, 0, 0))
                red << i;
        return red;
    }
    // A user chosen from the list as the teacher's click does; the user now in force.
    QString chooseUser(const FormMenu* m, const QString& shown)
    {
        QComboBox* users = userList(m);
        users->setCurrentIndex(users->findText(shown));
        emit users->activated(users->currentIndex());
        return program.state.NomeUtente;
    }
};

// The splash starts by a switch's Enter too (Space: the walk's); put-off work waits a frame.
TEST_F(MenuWindowTest, TheSplashStartsBySwitchAndPutOffWorkRunsAfterItsFirstFrame)
{
    program.state.NumeroRigheRegistro = 7;
    Form* splash = windows.show("FormAvvio");
    EXPECT_EQ(program.state.NumeroRigheRegistro, 0);
    auto* start = control<QPushButton>(splash, "Command1");
    start->setFocus();
    QTest::keyClick(start, Qt::Key_Return);
    EXPECT_EQ(loaded(), QStringList{"FormMenu"});
    unloadAll();
    QStringList done;
    windows.afterFirstFrame([&] { done << "font"; });
    windows.show("FormAvvio");
    EXPECT_TRUE(done.isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !done.isEmpty(); }, 30000));
}

// Each window's close box brings the unloaded menu back (their own buttons: the journeys').
TEST_F(MenuWindowTest, EveryWindowOfTheMenuBarLeadsBackToTheMenuByItsCloseBox)
{
    program.state.TieniTraccia = true;
    for (const auto& [entry, target] : {std::pair{"mnuInformazioni", "FormInfo"},
                                        {"mnuOpzioni", "FormConfigura"},
                                        {"mnuEserciziEseguiti", "FormEserciziEseguiti"}}) {
        SCOPED_TRACE(target);
        control<QAction>(showMenu(), entry)->trigger();
        ASSERT_EQ(loaded(), QStringList{target});
        EXPECT_EQ(closeByBox(windows.find(target)), QStringList{"FormMenu"});
        unloadAll();
    }
}

// With the mouse (or its keyboard) "ESCI" ends at once; while scanning only the pictures choose.
TEST_F(MenuWindowTest, LabelsChooseOnlyWithTheMouseWhilePicturesAlwaysChoose)
{
    for (int mode : {kModoMouse, kModoScansioneManuale, kModoScansioneAutomatica}) {
        SCOPED_TRACE(mode);
        const bool mouse = mode == kModoMouse;
        seams.programExit.requests = 0;
        FormMenu* menu = showMenu(mode);
        // The second half of the splash's double click chooses nothing where it lands.
        for (QWidget* exit : {menuButton(menu, 4), control(menu, "Image1", 4)})
            shakyClicks(exit, 2, false);
        EXPECT_EQ(seams.programExit.requests, 0);
        QTest::mouseClick(menuButton(menu, 4), Qt::LeftButton);
        EXPECT_EQ(seams.programExit.requests, mouse ? 1 : 0);
        if (mouse) {
            EXPECT_EQ(program.state.Registro[0][0], "ESCI");
            EXPECT_FALSE(scanTimer(menu)->isActive());
            EXPECT_EQ(loaded(), QStringList({"FormMenu"})); // no unload ran
        }
        QTest::mouseClick(control(menu, "Image1", 4), Qt::LeftButton);
        EXPECT_EQ(seams.programExit.requests, mouse ? 2 : 1);
        // Tab reaches the buttons and Return chooses, with the mouse's mode only.
        EXPECT_EQ(menuButton(menu, 0)->focusPolicy(), mouse ? Qt::TabFocus : Qt::NoFocus);
        QTest::keyClick(menuButton(menu, 4), Qt::Key_Return);
        EXPECT_EQ(seams.programExit.requests, mouse ? 3 : 1);
        unloadAll();
    }
}

// "ESCI" with words the disk refused asks: "No", the default, stays for the disk to be freed.
TEST_F(MenuWindowTest, LeavingWithWordsTheDiskRefusedAsksFirst)
{
    writeFile(env.root() + "/dati", "a file where the history's folder should be");
    SqlHistory history(env.root() + "/dati/storico.sqlite");
    for (const char* word : {"DADO", "DITO", "DAMA"})
        history.record(historyWord("Anna", word, {"1:D"}, 1));
    program.services.history = &history;
    FormMenu* menu = showMenu();
    seams.messages.answers = {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes};
    QTest::mouseClick(menuButton(menu, 4), Qt::LeftButton);
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].text, program.text("0249").arg(3));
    EXPECT_TRUE(seams.messages.shown[0].yesDestroys);
    EXPECT_EQ(seams.programExit.requests, 0);
    QTest::mouseClick(menuButton(menu, 4), Qt::LeftButton);
    EXPECT_EQ(seams.programExit.requests, 1);
    unloadAll();
    program.services.history = nullptr;
}

// The user list from a second user on, the default user named as a person reads it, the
// status line (a list's name: the configuration's test; a choice: the core's, the journeys').
TEST_F(MenuWindowTest, TheUsersAndTheirSettingsShapeTheMenu)
{
    env.writeProfile("_predefinito.INI", 6);
    program.state.UsaTutteLeImmagini = false;
    program.state.ListaInUso = "/media/chiavetta/perduta.txt"; // not found: told
    const auto status = [](const FormMenu* m) {
        return control(m, "StatusBar1")->findChild<QLabel*>()->text();
    };
    FormMenu* menu = showMenu();
    EXPECT_FALSE(userList(menu)->isVisibleTo(menu));
    EXPECT_EQ(status(menu), "lista in uso: perduta.txt" + program.text("0247"));
    unloadAll();
    // With no file of its own, the default user in force is still listed.
    QFile::remove(env.env().profiloPredefinito());
    env.writeProfile("mario.ini", 7);
    program.state.UsaTutteLeImmagini = true;
    menu = showMenu();
    QComboBox* users = userList(menu);
    EXPECT_TRUE(users->isVisible());
    // A switch held from the splash repeats: its repeats do not open the list.
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
    QCoreApplication::sendEvent(users, &held);
    EXPECT_FALSE(users->view()->isVisible());
    // Nor do the wheel or a key pressed by chance on the closed list choose another user.
    const QPointF middle = QRectF(users->rect()).center();
    QWheelEvent wheel(middle, users->mapToGlobal(middle), {}, {0, -120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(users, &wheel);
    for (Qt::Key key : {Qt::Key_M, Qt::Key_Down, Qt::Key_End})
        QTest::keyClick(users, key);
    EXPECT_EQ(users->currentData(), "_predefinito");
    QTest::keyClick(users, Qt::Key_Space); // a fresh press does
    EXPECT_TRUE(users->view()->isVisible());
    users->hidePopup();
    EXPECT_EQ(users->currentText(), "UTENTE PREDEFINITO");
    EXPECT_EQ(status(menu), "Usa tutte le immagini");
    // Chosen from a list in capitals, a child who writes in cursive sees the list in cursive.
    ProgramState luca;
    luca.CarattereLettere = kCorsivo;
    luca.MouseDiSistema = true;
    ASSERT_TRUE(SalvaProfilo(luca, env.env().cartellaUtenti() + "Luca B..ini"));
    unloadAll();
    users = userList(menu = showMenu());
    EXPECT_EQ(chooseUser(menu, "LUCA B."), "Luca B.");
    // Her system pointer on every button, and the pencil again for the child after her.
    const auto pointers = [&menu] {
        QList<Qt::CursorShape> shapes;
        for (int i = 0; i < kPulsantiMenu; ++i)
            shapes << menuButton(menu, i)->cursor().shape();
        return shapes;
    };
    EXPECT_EQ(pointers(), QList<Qt::CursorShape>(kPulsantiMenu, Qt::ArrowCursor));
    EXPECT_EQ(users->itemText(users->findData("mario")), "Mario");
    EXPECT_EQ(users->currentText(), "Luca B.");
    EXPECT_EQ(users->itemText(users->findData("_predefinito")), program.text("0241")); // no name
    chooseUser(menu, "Mario");
    EXPECT_EQ(pointers(), QList<Qt::CursorShape>(kPulsantiMenu, Qt::BitmapCursor));
}

QStringList entries(const FormMenu* menu)
{
    QStringList names;
    for (const QAction* entry : menu->findChildren<QAction*>("mnuLanguage"))
        names << entry->text() + (entry->isChecked() ? "*" : "");
    return names;
}

// The entries, a window loaded beside it, the choice kept, a desktop with no PDF viewer.
TEST_F(MenuWindowTest, ChoosingALanguageTranslatesTheOpenWindowsAndIsRemembered)
{
    FormMenu* menu = showMenu();
    Form* info = windows.load("FormInfo");
    EXPECT_EQ(entries(menu), QStringList({"English", "Italiano*"}));
    control<QAction>(menu, "mnuLanguage", 0)->trigger();
    EXPECT_EQ(entries(menu), QStringList({"English*", "Italiano"}));
    EXPECT_EQ(control<QPushButton>(info, "Command1")->text(), "Close");
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu", "FormInfo"})); // the manual: no window
    unloadAll();
    EXPECT_EQ(entries(showMenu()), QStringList({"English*", "Italiano"}));
    unloadAll();
    QFile::remove(env.env().programFile("lngortolino/LangSetting.ini"));
    menu = showMenu(); // no choice stored: the program's own Italian
    EXPECT_EQ(entries(menu), QStringList({"English", "Italiano*"}));
    EXPECT_TRUE(seams.messages.shown.empty());

    seams.documents.hasViewer = false; // a desktop with no PDF viewer: told, in Italian
    control<QAction>(menu, "mnuDocum")->trigger();
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_TRUE(seams.messages.shown[0].text.startsWith("Non si riesce ad aprire " +
                                                        env.env().programFolder + "/ortolino.pdf"));
    QWidget* credits = control(windows.load("FormInfo"), "Image1"); // by Tab and Enter too
    EXPECT_TRUE(credits->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(credits, Qt::Key_Return);
    ASSERT_EQ(seams.messages.shown.size(), 2u);
    EXPECT_TRUE(seams.messages.shown[1].text.contains("documento.pdf"));
}

class MenuScanWindowTest : public MenuWindowTest
{
protected:
    // The menu scanning by two switches (manual) or one: its own box focused, the other hidden.
    SwitchBox* scan(bool manual)
    {
        menu = showMenu(manual ? kModoScansioneManuale : kModoScansioneAutomatica);
        SwitchBox* box = switchBox(menu, manual);
        EXPECT_TRUE(box->isVisibleTo(menu));
        EXPECT_FALSE(switchBox(menu, !manual)->isVisibleTo(menu));
        EXPECT_EQ(menu->focusWidget(), box);
        return box;
    }
    FormMenu* menu = nullptr;
};

TEST_F(MenuScanWindowTest, ManualScanningMovesOnSpaceReleaseAndChoosesOnEnter)
{
    // Just back from the exercise by a switch's choice: presses are ignored for the set time.
    program.state.ignoreAfterChoiceMs = 1000;
    program.state.ultimaSceltaSensore = seams.clock.now;
    SwitchBox* box = scan(true);
    pressSwitch(box, Qt::Key_Return);
    EXPECT_EQ(loaded(), QStringList({"FormMenu"}));
    seams.clock.now += 1;
    userList(menu)->setFocus();
    menu->Timer1_Timer(); // the tick only brings the focus back
    EXPECT_EQ(menu->focusWidget(), box);
    EXPECT_EQ(redButtons(menu), QList<int>({0})); // lit at once
    QTest::keyPress(box, Qt::Key_Space);
    EXPECT_EQ(redButtons(menu), QList<int>({0})); // keys act on release
    // A held switch repeats (marked, or as plain pairs): only its ends count.
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
    // (the box's own wait for repeats: every exercise switch test)
    for (int i = 0; i < 5 && redButtons(menu) != QList<int>({4}); ++i)
        pressSwitch(box, Qt::Key_Space);
    pressSwitch(box, Qt::Key_Return); // Enter on "ESCI" asks first
    EXPECT_EQ(seams.programExit.requests, 0);
    seams.clock.now += 1;
    pressSwitch(box, Qt::Key_Return);
    EXPECT_EQ(seams.programExit.requests, 1);
}

TEST_F(MenuScanWindowTest, AutomaticScanningHoldsWhileASwitchIsDownAndChoosesOnSpaceRelease)
{
    SwitchBox* box = scan(false);
    EXPECT_EQ(std::tuple(redButtons(menu), scanTimer(menu)->isActive(), scanTimer(menu)->interval(),
                         scanTimer(menu)->timerType()),
              std::tuple(QList<int>(), true, 1000, Qt::PreciseTimer));
    menu->Timer1_Timer();
    menu->Timer1_Timer(); // button 2 lit
    QTest::keyPress(box, Qt::Key_Space);
    EXPECT_FALSE(scanTimer(menu)->isActive()); // held, and then the focus goes
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(box, &out);
    EXPECT_TRUE(scanTimer(menu)->isActive());
    EXPECT_EQ(loaded(), QStringList({"FormMenu"}));
    box->setFocus();
    QTest::keyPress(box, Qt::Key_Space);
    QTest::keyRelease(box, Qt::Key_Space);
    EXPECT_EQ(loaded(), QStringList({"FormMenu"})); // not before the repeat window
    box->deliverPendingRelease();
    EXPECT_EQ(loaded(), QStringList({"lettere"}));
    EXPECT_EQ(program.state.TipoEsercizio, 2);
}

// A press ends the pause on the first button without choosing; a mouse user: no sign, no light.
TEST_F(MenuScanWindowTest, TheScanPausesWithItsSignAndAChangeOfUserSetsItUpAgain)
{
    program.state.loopsBeforePause = 1;
    env.writeProfile("mario.ini", 5); // a mouse user
    SwitchBox* box = scan(false);
    QWidget* sign = control(menu, "LabelSegnale");
    const auto paused = [&] {
        return std::tuple(redButtons(menu), sign->isVisible(), scanTimer(menu)->isActive());
    };
    for (int i = 0; i < 6; ++i)
        menu->Timer1_Timer();
    EXPECT_EQ(paused(), std::tuple(QList<int>(), true, false));
    pressSwitch(box, Qt::Key_Space);
    EXPECT_EQ(paused(), std::tuple(QList<int>({1}), false, true));
    EXPECT_EQ(loaded(), QStringList({"FormMenu"}));
    for (int i = 0; i < 5; ++i)
        menu->Timer1_Timer();
    EXPECT_EQ(paused(), std::tuple(QList<int>(), true, false));
    EXPECT_EQ(chooseUser(menu, "MARIO"), "MARIO");
    EXPECT_EQ(paused(), std::tuple(QList<int>(), false, false));
}

// Each button heard as the scan reaches it, cut off by a choice; a step lasts the caption.
TEST_F(MenuScanWindowTest, AuditoryScanningSaysEachButtonAndStopsOnAChoice)
{
    program.state.auditoryScanning = true;
    program.state.confirmExit = false; // one choice of "ESCI" leaves
    QStringList& calls = seams.scanVoice.calls;
    SwitchBox* box = scan(false);
    QStringList captions;
    for (int i = 0; i < kPulsantiMenu; ++i)
        captions << spokenCaption(qobject_cast<ClickLabel*>(menuButton(menu, i))->text());
    EXPECT_EQ(captions.first(), "LETTERA INIZIALE");
    EXPECT_EQ(calls, QStringList{"prepare " + captions.join(u',')});
    calls.clear();
    seams.scanVoice.lengthMs = 1500;
    menu->Timer1_Timer();
    EXPECT_EQ(scanTimer(menu)->interval(), 1500 + kSpokenGapMs);
    menu->Timer1_Timer();
    pressSwitch(box, Qt::Key_Shift); // resumes, says nothing again
    menu->Timer1_Timer();
    menu->Timer1_Timer();
    pressSwitch(box, Qt::Key_Space); // "ESCI"
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
