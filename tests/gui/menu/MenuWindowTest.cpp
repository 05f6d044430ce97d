// The main menu with the splash before it and the information window beside
// it: hand-overs, the user list, the pointer, the menu bar and the languages.
#include "core/app/Informazioni.h"
#include "gui/menu/FormAvvio.h"
#include "gui/menu/MenuFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

using namespace ortolino;
using namespace ortolino::test;

namespace {

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

// ---- hand-over ----

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

// ---- the pointer ----

TEST_F(MenuWindowTest, MovingThePointerLeavesExactlyOneButtonRed)
{
    FormMenu* menu = showMenu();
    EXPECT_TRUE(redButtons(menu).isEmpty());
    moveOver(menuButton(menu, 0));
    EXPECT_EQ(redButtons(menu), QList<int>({0}));
    moveOver(control(menu, "Image1", 3));
    EXPECT_EQ(redButtons(menu), QList<int>({3}));
    moveOver(menuButton(menu, 4));
    EXPECT_EQ(redButtons(menu), QList<int>({4}));
    moveOver(menu->centralWidget());
    EXPECT_TRUE(redButtons(menu).isEmpty());
}

// "ESCI" ends the program at once with the mouse; while scanning, its label
// neither lights nor chooses (the scan owns them), its picture still does.
TEST_F(MenuWindowTest, LabelsChooseOnlyWithTheMouseWhilePicturesAlwaysChoose)
{
    for (int mode : {kModoMouse, kModoScansioneManuale, kModoScansioneAutomatica}) {
        SCOPED_TRACE(mode);
        const bool mouse = mode == kModoMouse;
        seams.programExit.requests = 0;
        FormMenu* menu = showMenu(mode);
        const QList<int> litBefore = redButtons(menu);
        moveOver(menuButton(menu, 3));
        if (!mouse) {
            EXPECT_EQ(redButtons(menu), litBefore);
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

// ---- the user list and the user's settings ----

// What a change of user does to the settings and the log is the core's test.
TEST_F(MenuWindowTest, TheUserListIsOfferedWithASecondUserAndItsChoiceIsTheUserInForce)
{
    env.writeProfile("_predefinito.INI", 6);
    program.state.MassimoLettere = 8; // in force, not yet saved
    FormMenu* menu = showMenu();
    EXPECT_FALSE(userList(menu)->isVisibleTo(menu));
    EXPECT_EQ(program.state.NomeUtente, "_PREDEFINITO");
    EXPECT_EQ(program.state.MassimoLettere, 8); // saved, then read back
    unloadAll();

    env.writeProfile("mario.ini", 7);
    QComboBox* users = userList(showMenu());
    EXPECT_TRUE(users->isVisible());
    // The default user by a name a person reads; its profile keeps its file name.
    EXPECT_EQ(users->currentText(), "UTENTE PREDEFINITO");
    EXPECT_EQ(users->currentData(), "_PREDEFINITO");
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

// ---- documents and languages ----

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

} // namespace
