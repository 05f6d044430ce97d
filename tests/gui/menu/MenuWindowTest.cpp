#include "gui/menu/MenuFixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

using namespace ortolino;
using namespace ortolino::test;

namespace {

using MenuWindowTest = MenuFixture;

// ---- hand-over ----

TEST_F(MenuWindowTest, TheMenuIsUnloadedForAnotherWindowAndComesBackFresh)
{
    QPointer<FormMenu> first = showMenu();
    EXPECT_EQ(first->geometry(), first->screen()->availableGeometry());
    control<QAction>(first, "mnuInformazioni")->trigger();
    settle();
    EXPECT_TRUE(first.isNull()); // unloaded, not hidden
    EXPECT_EQ(loadedNames(windows), QStringList({"FormInfo"}));
    windows.unload(windows.find("FormInfo")); // the close box leads back too
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
}

TEST_F(MenuWindowTest, AnExerciseButtonWritesTheLogAndHandsOverToTheExerciseWindow)
{
    program.state.CarattereLettere = kMinuscolo;
    program.state.NumeroRigheRegistro = 4;
    FormMenu* menu = showMenu();
    QTest::mouseClick(menuButton(menu, 1), Qt::LeftButton);
    settle();
    EXPECT_EQ(program.state.TipoEsercizio, 1);
    EXPECT_EQ(program.state.Registro[4][0], "una lettera nella parola"); // as displayed
    EXPECT_EQ(loadedNames(windows), QStringList({"lettere"}));
}

TEST_F(MenuWindowTest, WithoutAnExerciseWindowTheMenuStays)
{
    WindowManager bare(program);
    registerWindows(bare);
    auto* menu = qobject_cast<FormMenu*>(bare.show("FormMenu"));
    menu->AvviaEsercizi(0);
    settle();
    EXPECT_EQ(bare.loadedWindows().size(), 1);
}

TEST_F(MenuWindowTest, EsciEndsTheProgramAtOnce)
{
    FormMenu* menu = showMenu();
    QTest::mouseClick(menuButton(menu, 4), Qt::LeftButton);
    EXPECT_EQ(seams.programExit.requests, 1);
    EXPECT_EQ(program.state.Registro[0][0], "ESCI");
    EXPECT_FALSE(scanTimer(menu)->isActive());
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"})); // no unload handler ran
}

// ---- the user list ----

TEST_F(MenuWindowTest, TheCurrentUserIsSelectedSavedAndReadBackAtStartAndShownOnlyWithOthers)
{
    env.writeProfile("_predefinito.INI", 6);
    program.state.MassimoLettere = 8; // in force, not yet saved
    FormMenu* menu = showMenu();
    EXPECT_FALSE(userList(menu)->isVisibleTo(menu)); // a single user is not offered
    EXPECT_EQ(program.state.NomeUtente, "_PREDEFINITO");
    EXPECT_EQ(program.state.PercorsoProfilo, env.env().cartellaUtenti() + "_PREDEFINITO.ini");
    EXPECT_EQ(program.state.MassimoLettere, 8); // saved, then read back
    windows.unload(menu);
    settle();

    env.writeProfile("mario.ini", 7);
    menu = showMenu();
    EXPECT_TRUE(userList(menu)->isVisibleTo(menu));
    // The default user by a name a person reads; its profile keeps its file name.
    EXPECT_EQ(userList(menu)->currentText(), "UTENTE PREDEFINITO");
    EXPECT_EQ(userList(menu)->currentData(), "_PREDEFINITO");
    EXPECT_EQ(QDir(env.env().cartellaUtenti()).entryList(QDir::Files).size(), 2);
}

// What a change of user does to the settings and the log is the core's test.
TEST_F(MenuWindowTest, ChoosingAUserInTheListMakesItCurrent)
{
    env.writeProfile("mario.ini", 7);
    env.writeProfile("luca.ini", 8);
    program.state.CarattereLettere = kCorsivo;
    FormMenu* menu = showMenu();
    QComboBox* users = userList(menu);
    ASSERT_EQ(users->count(), 2);
    EXPECT_EQ(users->currentIndex(), -1);       // no entry is the current user
    const int index = users->findText("Mario"); // in the lettering's form
    ASSERT_GE(index, 0);
    users->setCurrentIndex(index);
    emit users->activated(index);
    EXPECT_EQ(program.state.NomeUtente, "Mario");
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
    EXPECT_EQ(userList(menu)->font().pointSizeF(), 14.0);
    windows.unload(menu);

    program.state.TieniTraccia = true;
    program.state.UsaTutteLeImmagini = true;
    menu = showMenu();
    EXPECT_TRUE(control<QAction>(menu, "mnuEserciziEseguiti")->isEnabled());
    EXPECT_EQ(control(menu, "StatusBar1")->findChild<QLabel*>()->text(), "Usa tutte le immagini");
}

// ---- mouse ----

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

TEST_F(MenuWindowTest, LabelsChooseOnlyWithTheMouseWhilePicturesAlwaysChoose)
{
    for (int mode : {kModoMouse, kModoScansioneManuale, kModoScansioneAutomatica}) {
        program.state.ModalitaInput = mode;
        seams.programExit.requests = 0;
        FormMenu* menu = showMenu();
        const QList<int> litBefore = redButtons(menu);
        moveOver(menuButton(menu, 3));
        if (mode != kModoMouse) {
            EXPECT_EQ(redButtons(menu), litBefore) << mode; // the scan owns the colours
        }
        QTest::mouseClick(menuButton(menu, 4), Qt::LeftButton);
        EXPECT_EQ(seams.programExit.requests, mode == kModoMouse ? 1 : 0) << mode;
        QTest::mouseClick(control(menu, "Image1", 4), Qt::LeftButton);
        EXPECT_EQ(seams.programExit.requests, mode == kModoMouse ? 2 : 1) << mode;
        windows.unload(menu);
        settle();
    }
}

// ---- menu bar ----

TEST_F(MenuWindowTest, SettingsAndReportLeadToTheirWindowsAndBack)
{
    program.state.TieniTraccia = true;
    for (const char* target : {"FormConfigura", "FormEserciziEseguiti"}) {
        FormMenu* menu = showMenu();
        const char* entry =
            QString(target) == "FormConfigura" ? "mnuOpzioni" : "mnuEserciziEseguiti";
        control<QAction>(menu, entry)->trigger();
        settle();
        ASSERT_EQ(loadedNames(windows), QStringList({target}));
        control<QAction>(windows.find(target), "mnuEsci")->trigger();
        settle();
        EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
        windows.unload(windows.find("FormMenu"));
        settle();
    }
}

TEST_F(MenuWindowTest, TheManualOfTheLanguageOpensFromTheProgramFolderAndTheMenuStays)
{
    FormMenu* menu = showMenu();
    for (const char* language : {"Italiano", "English"}) {
        program.language.CurrentLanguage = language;
        control<QAction>(menu, "mnuDocum")->trigger();
    }
    EXPECT_EQ(seams.documents.opened, QStringList({env.env().programFolder + "/ortolino.pdf",
                                                   env.env().programFolder + "/ortolino-en.pdf"}));
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
}

// ---- languages ----

QStringList entries(const FormMenu* menu)
{
    QStringList names;
    for (const QAction* entry : menu->findChildren<QAction*>("mnuLanguage"))
        names << entry->text() + (entry->isChecked() ? "*" : "");
    return names;
}

TEST_F(MenuWindowTest, ChoosingALanguageTranslatesEveryOpenWindowAndIsRemembered)
{
    program.state.ModalitaInput = kModoScansioneManuale;
    FormMenu* menu = showMenu();
    Form* info = windows.load("FormInfo");
    EXPECT_EQ(entries(menu), QStringList({"English", "Italiano*"}));
    EXPECT_EQ(caption(menuButton(menu, 0)), "LETTERA INIZIALE");

    control<QAction>(menu, "mnuLanguage", 0)->trigger();

    EXPECT_EQ(entries(menu), QStringList({"English*", "Italiano"}));
    EXPECT_EQ(caption(menuButton(menu, 0)), "FIRST LETTER");
    EXPECT_EQ(caption(menuButton(menu, 4)), "EXIT");
    EXPECT_EQ(control<QAction>(menu, "mnuOpzioni")->text(), "&Settings");
    EXPECT_EQ(control<QAction>(menu, "mnuLanguages")->text(), "&Language");
    EXPECT_EQ(control<QPushButton>(info, "Command1")->text(), "Close");
    EXPECT_EQ(program.state.ModalitaInput, kModoScansioneManuale); // the user's settings stay
    windows.unload(info);
    windows.unload(menu);
    settle();
    EXPECT_EQ(entries(showMenu()), QStringList({"English*", "Italiano"})); // the next start
}

TEST_F(MenuWindowTest, AMissingSettingFileChecksNoLanguage)
{
    QFile::remove(env.env().programFile("lngortolino/LangSetting.ini"));
    FormMenu* menu = showMenu();
    EXPECT_EQ(entries(menu), QStringList({"English", "Italiano"}));
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
    EXPECT_EQ(seams.messages.shown[0].title, "Ortolino");
    EXPECT_EQ(entries(menu), QStringList({"mnuLanguage 0"}));
    EXPECT_EQ(caption(menuButton(menu, 0)), "LETTERA INIZIALE"); // design texts stay
}

} // namespace
