// The main menu with the splash before it and the information window beside
// it: hand-overs, the user list, the pointer, the menu bar, the languages and
// the scan by one or two switches. Which button the scan visits and the
// timing rules are the core's tests; here: the switch boxes, the keys' press
// and release, the timer, the pause sign and the spoken captions.
#include "core/app/Informazioni.h"
#include "gui/menu/FormAvvio.h"
#include "gui/menu/FormMenu.h"
#include "gui/widgets/ClickLabel.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/SwitchBox.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// The real windows with a stand-in exercise window named "lettere".
class MenuFixture : public WindowFixture
{
protected:
    explicit MenuFixture(TestEnvironment::Data data = TestEnvironment::Data::Shipped)
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
};

// The buttons shown red.
QList<int> redButtons(const FormMenu* menu)
{
    QList<int> red;
    for (int i = 0; i < kPulsantiMenu; ++i) {
        if (background(control(menu, "Command1", i)) == QColor(255, 0, 0))
            red << i;
    }
    return red;
}

QWidget* menuButton(const FormMenu* menu, int index)
{
    return control(menu, "Command1", index);
}
QComboBox* userList(const FormMenu* menu)
{
    return control<QComboBox>(menu, "Combo1");
}
QTimer* scanTimer(const FormMenu* menu)
{
    return control<QTimer>(menu, "Timer1");
}
SwitchBox* switchBox(const FormMenu* menu, bool manual)
{
    return control<SwitchBox>(menu,
                              manual ? "PictureScansioneManuale" : "PictureScansioneAutomatica");
}

using MenuWindowTest = MenuFixture;

// The pointer moves over a control (without a pressed button).
void moveOver(QWidget* widget)
{
    const QPointF centre = QRectF(widget->rect()).center();
    QMouseEvent move(QEvent::MouseMove, centre, widget->mapToGlobal(centre), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

bool coversTheScreen(const QWidget* window)
{
    return window->geometry() == window->screen()->availableGeometry();
}

// The splash starts by Enter or Space (a switch user's keys), empties the log
// and hands over to the menu; what start-up put off runs after the splash's
// first frame, or before the next window at the latest.
TEST_F(MenuWindowTest, TheSplashStartsBySwitchAndPutOffWorkRunsAfterItsFirstFrame)
{
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        program.state.NumeroRigheRegistro = 7;
        QPointer<Form> splash = windows.show("FormAvvio");
        EXPECT_TRUE(coversTheScreen(splash));
        EXPECT_EQ(program.state.NumeroRigheRegistro, 0);
        auto* start = control<QPushButton>(splash, "Command1");
        start->setFocus();
        QTest::keyClick(start, key);
        settle();
        EXPECT_TRUE(splash.isNull()) << key;
        EXPECT_EQ(loadedNames(windows), QStringList{"FormMenu"});
        unloadAll();
    }

    QStringList done;
    windows.afterFirstFrame([&] { done << "font"; });
    windows.show("FormAvvio");
    EXPECT_TRUE(done.isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !done.isEmpty(); }, 5000));
    unloadAll();
    WindowManager again(program);
    registerWindows(again);
    again.afterFirstFrame([&] { done << "speech"; });
    again.show("FormAvvio");
    EXPECT_EQ(done, QStringList{"font"});
    again.show("FormMenu");
    EXPECT_EQ(done, (QStringList{"font", "speech"}));
    for (Form* form : again.loadedWindows())
        again.unload(form);
    settle();
}

// Every window the menu leads to: the menu is unloaded (not hidden), and the
// window's way out (its button, "Esci" or the close box) brings it back.
TEST_F(MenuWindowTest, EveryWindowOfTheMenuBarLeadsBackToTheMenu)
{
    program.state.TieniTraccia = true;
    const struct
    {
        const char* entry;
        const char* target;
        const char* way; // "" for the close box
    } cases[] = {{"mnuInformazioni", "FormInfo", "Command1"},
                 {"mnuInformazioni", "FormInfo", ""},
                 {"mnuOpzioni", "FormConfigura", "mnuEsci"},
                 {"mnuOpzioni", "FormConfigura", ""},
                 {"mnuEserciziEseguiti", "FormEserciziEseguiti", "mnuEsci"},
                 {"mnuEserciziEseguiti", "FormEserciziEseguiti", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.target) + " " + c.way);
        QPointer<FormMenu> menu = showMenu();
        EXPECT_TRUE(coversTheScreen(menu));
        control<QAction>(menu, c.entry)->trigger();
        settle();
        EXPECT_TRUE(menu.isNull());
        ASSERT_EQ(loadedNames(windows), QStringList{c.target});
        Form* form = windows.find(c.target);
        EXPECT_TRUE(coversTheScreen(form));
        QObject* way = *c.way ? control<QObject>(form, c.way) : nullptr;
        if (auto* action = qobject_cast<QAction*>(way))
            action->trigger();
        else if (auto* button = qobject_cast<QAbstractButton*>(way))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            form->close();
        QTest::qWait(0);
        settle();
        EXPECT_EQ(loadedNames(windows), QStringList{"FormMenu"});
        unloadAll();
    }
}

TEST_F(MenuWindowTest, AnExerciseButtonWritesTheLogAndHandsOverToTheExerciseWindow)
{
    program.state.CarattereLettere = kMinuscolo;
    program.state.NumeroRigheRegistro = 4;
    QTest::mouseClick(menuButton(showMenu(), 1), Qt::LeftButton);
    settle();
    EXPECT_EQ(program.state.TipoEsercizio, 1);
    EXPECT_EQ(program.state.Registro[4][0], "una lettera nella parola"); // as displayed
    EXPECT_EQ(loadedNames(windows), QStringList({"lettere"}));

    WindowManager bare(program); // without an exercise window the menu stays
    registerWindows(bare);
    qobject_cast<FormMenu*>(bare.show("FormMenu"))->AvviaEsercizi(0);
    settle();
    EXPECT_EQ(bare.loadedWindows().size(), 1);
    bare.unload(bare.loadedWindows().front());
}

// The pointer leaves exactly one button red with the mouse; "ESCI" ends the
// program at once. While scanning a label neither lights nor chooses (the
// scan owns them), its picture still chooses.
TEST_F(MenuWindowTest, LabelsLightAndChooseOnlyWithTheMouseWhilePicturesAlwaysChoose)
{
    for (int mode : {kModoMouse, kModoScansioneManuale, kModoScansioneAutomatica}) {
        SCOPED_TRACE(mode);
        const bool mouse = mode == kModoMouse;
        seams.programExit.requests = 0;
        FormMenu* menu = showMenu(mode);
        const QList<int> litBefore = redButtons(menu);
        EXPECT_EQ(litBefore.isEmpty(), mode != kModoScansioneManuale);
        moveOver(menuButton(menu, 3));
        EXPECT_EQ(redButtons(menu), mouse ? QList<int>({3}) : litBefore);
        if (mouse) {
            moveOver(control(menu, "Image1", 0));
            EXPECT_EQ(redButtons(menu), QList<int>({0}));
            moveOver(menu->centralWidget());
            EXPECT_TRUE(redButtons(menu).isEmpty());
        }
        QTest::mouseClick(menuButton(menu, 4), Qt::LeftButton);
        EXPECT_EQ(seams.programExit.requests, mouse ? 1 : 0);
        if (mouse) {
            EXPECT_EQ(program.state.Registro[0][0], "ESCI");
            EXPECT_FALSE(scanTimer(menu)->isActive());
            EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"})); // no unload ran
        }
        QTest::mouseClick(control(menu, "Image1", 4), Qt::LeftButton);
        EXPECT_EQ(seams.programExit.requests, mouse ? 2 : 1);
        unloadAll();
    }
}

// The user list, offered once there is a second user, names the default user
// as a person reads it; a choice makes the user current (what that does to
// the settings and the log is the core's test).
TEST_F(MenuWindowTest, TheUserListIsOfferedWithASecondUserAndItsChoiceIsTheUserInForce)
{
    env.writeProfile("_predefinito.INI", 6);
    program.state.MassimoLettere = 8; // in force, not yet saved
    FormMenu* menu = showMenu();
    EXPECT_FALSE(userList(menu)->isVisibleTo(menu));
    EXPECT_EQ(program.state.MassimoLettere, 8); // saved, then read back
    unloadAll();

    env.writeProfile("mario.ini", 7);
    QComboBox* users = userList(showMenu());
    EXPECT_TRUE(users->isVisible());
    EXPECT_EQ(users->currentText(), "UTENTE PREDEFINITO");
    EXPECT_EQ(users->currentData(), "_PREDEFINITO"); // its profile keeps its file name
    const int mario = users->findText("MARIO");
    users->setCurrentIndex(mario);
    emit users->activated(mario);
    EXPECT_EQ(program.state.NomeUtente, "MARIO");
    EXPECT_EQ(program.state.MassimoLettere, 7);
}

TEST_F(MenuWindowTest, TheUsersSettingsShapeTheMenu)
{
    program.state.CarattereLettere = kCorsivo;
    program.state.TieniTraccia = false;
    program.state.UsaTutteLeImmagini = false;
    program.state.ListaInUso = "C:\\Ortolino\\liste\\animali.txt";
    FormMenu* menu = showMenu();
    EXPECT_EQ(caption(menuButton(menu, 0)), "lettera iniziale");
    EXPECT_EQ(caption(menuButton(menu, 2)), "DUE LETTERE NELLA PAROLA"); // never changed
    EXPECT_FALSE(control<QAction>(menu, "mnuEserciziEseguiti")->isEnabled());
    const QLabel* status = control(menu, "StatusBar1")->findChild<QLabel*>();
    EXPECT_EQ(status->text(), "lista in uso: animali.txt"); // the name; the path in the tooltip
    EXPECT_EQ(status->toolTip(), program.state.ListaInUso);
    unloadAll();

    program.state.TieniTraccia = true;
    program.state.UsaTutteLeImmagini = true;
    menu = showMenu();
    EXPECT_TRUE(control<QAction>(menu, "mnuEserciziEseguiti")->isEnabled());
    EXPECT_EQ(control(menu, "StatusBar1")->findChild<QLabel*>()->text(), "Usa tutte le immagini");
}

// The manual of the language in force and, from the information window's
// picture, the program's document; the information lines are the language's.
TEST_F(MenuWindowTest, TheManualAndTheDocumentOpenFromTheProgramFolder)
{
    FormMenu* menu = showMenu();
    for (const char* language : {"Italiano", "English"}) {
        program.language.CurrentLanguage = language;
        control<QAction>(menu, "mnuDocum")->trigger();
    }
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
    Form* info = windows.show("FormInfo");
    EXPECT_TRUE(control<QLabel>(info, "Label1")->text().startsWith("Software by\n"));
    EXPECT_EQ(control<QLabel>(info, "Label3")->text().count('\n'), 2); // three lines
    EXPECT_EQ(control<QLabel>(info, "Label4")->text(), righeLingua(program.language));
    EXPECT_TRUE(control<QLabel>(info, "Label4")->text().startsWith(program.text("9996")));
    QTest::mouseClick(control(info, "Image1"), Qt::LeftButton);
    const QString folder = env.env().programFolder;
    EXPECT_EQ(seams.documents.opened,
              QStringList({folder + "/ortolino.pdf", folder + "/ortolino-en.pdf",
                           folder + "/documento.pdf"}));
}

QStringList entries(const FormMenu* menu)
{
    QStringList names;
    for (const QAction* entry : menu->findChildren<QAction*>("mnuLanguage"))
        names << entry->text() + (entry->isChecked() ? "*" : "");
    return names;
}

// Every window's texts in each language are the program tests'; here: the
// entries, a window already loaded, and the choice kept for the next start.
TEST_F(MenuWindowTest, ChoosingALanguageTranslatesTheOpenWindowsAndIsRemembered)
{
    FormMenu* menu = showMenu();
    Form* info = windows.load("FormInfo");
    EXPECT_EQ(entries(menu), QStringList({"English", "Italiano*"}));
    control<QAction>(menu, "mnuLanguage", 0)->trigger();
    EXPECT_EQ(entries(menu), QStringList({"English*", "Italiano"}));
    EXPECT_EQ(caption(menuButton(menu, 0)), "FIRST LETTER");
    EXPECT_EQ(control<QPushButton>(info, "Command1")->text(), "Close");
    unloadAll();
    EXPECT_EQ(entries(showMenu()), QStringList({"English*", "Italiano"}));
    unloadAll();

    QFile::remove(env.env().programFile("lngortolino/LangSetting.ini"));
    EXPECT_EQ(entries(showMenu()), QStringList({"English", "Italiano"}));
    EXPECT_TRUE(seams.messages.shown.empty());
}

class EmptyLanguageFolderTest : public MenuFixture
{
protected:
    EmptyLanguageFolderTest() : MenuFixture(TestEnvironment::Data::Empty) {}
};

TEST_F(EmptyLanguageFolderTest, SaysSoOnceAndKeepsTheDesignEntry)
{
    FormMenu* menu = showMenu();
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].text, "Non è presente alcun file di linguaggio!");
    EXPECT_EQ(entries(menu), QStringList({"mnuLanguage 0"}));
    EXPECT_EQ(caption(menuButton(menu, 0)), "LETTERA INIZIALE"); // design texts stay
}

using MenuScanWindowTest = MenuFixture;

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

// After the set rounds the scan pauses with its sign (the timing rules, too
// short a press among them, are the core's); a press starts it again on its
// first button without choosing; a change of user sets the scan up for that user.
TEST_F(MenuScanWindowTest, TheScanPausesWithItsSignAndAChangeOfUserSetsItUpAgain)
{
    program.state.loopsBeforePause = 1;
    FormMenu* menu = showMenu(kModoScansioneAutomatica);
    QWidget* sign = control(menu, "LabelSegnale");
    for (int i = 0; i < 6; ++i)
        menu->Timer1_Timer();
    EXPECT_TRUE(redButtons(menu).isEmpty());
    EXPECT_TRUE(sign->isVisible());
    EXPECT_FALSE(scanTimer(menu)->isActive());
    pressSwitch(switchBox(menu, false), Qt::Key_Space);
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
