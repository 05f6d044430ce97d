#include "gui/menu/FormAvvio.h"
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

TEST_F(MenuWindowTest, TheSplashHandsOverToAFreshMenuEachTime)
{
    auto* splash = qobject_cast<FormAvvio*>(windows.show("FormAvvio"));
    ASSERT_NE(splash, nullptr);
    QTest::keyClick(splash->Command1, Qt::Key_Space);
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
    QPointer<FormMenu> first = qobject_cast<FormMenu*>(windows.find("FormMenu"));
    EXPECT_EQ(first->geometry(), first->screen()->availableGeometry());

    first->mnuInformazioni->trigger();
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
    QTest::mouseClick(menu->Command1[1], Qt::LeftButton);
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
    QTest::mouseClick(menu->Command1[4], Qt::LeftButton);
    EXPECT_EQ(seams.programExit.requests, 1);
    EXPECT_EQ(program.state.Registro[0][0], "ESCI");
    EXPECT_FALSE(menu->Timer1->isActive());
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"})); // no unload handler ran
}

// ---- the user list ----

TEST_F(MenuWindowTest, TheCurrentUserIsSelectedSavedAndReadBackAtStart)
{
    writeProfile("_predefinito.INI", 6);
    writeProfile("mario.ini", 7);
    program.state.MassimoLettere = 9; // in force, not yet saved
    FormMenu* menu = showMenu();
    EXPECT_TRUE(menu->Combo1->isVisibleTo(menu));
    EXPECT_EQ(menu->Combo1->currentText(), "_PREDEFINITO");
    EXPECT_EQ(program.state.NomeUtente, "_PREDEFINITO");
    EXPECT_EQ(program.state.PercorsoProfilo, env.env().cartellaUtenti() + "_PREDEFINITO.ini");
    EXPECT_EQ(program.state.MassimoLettere, 9); // saved, then read back
    EXPECT_EQ(QDir(env.env().cartellaUtenti()).entryList(QDir::Files).size(), 2);
}

TEST_F(MenuWindowTest, ChoosingAUserInEachLettering)
{
    struct Case
    {
        QString lettering, shown;
    };
    for (const Case& c :
         {Case{kMaiuscolo, "MARIO"}, Case{kCorsivo, "Mario"}, Case{kMinuscolo, "mario"}}) {
        writeProfile("mario.ini", 7);
        writeProfile("luca.ini", 8);
        program.state.NomeUtente = "_predefinito";
        program.state.PercorsoProfilo = env.env().profiloPredefinito();
        program.state.CarattereLettere = c.lettering;
        program.state.NumeroRigheRegistro = 2;
        program.state.Registro[2][0] = "LETTERA INIZIALE";
        FormMenu* menu = showMenu();
        ASSERT_EQ(menu->Combo1->count(), 2);
        EXPECT_EQ(menu->Combo1->currentIndex(), -1); // no entry is the current user
        const int index = menu->Combo1->findText(c.shown);
        ASSERT_GE(index, 0) << c.shown.toStdString();
        menu->Combo1->setCurrentIndex(index);
        emit menu->Combo1->activated(index);
        EXPECT_EQ(program.state.NomeUtente, c.shown);
        EXPECT_EQ(program.state.PercorsoProfilo, env.env().cartellaUtenti() + c.shown + ".ini");
        EXPECT_EQ(program.state.MassimoLettere, 7);
        EXPECT_EQ(program.state.NumeroRigheRegistro, 0);
        EXPECT_TRUE(program.state.Registro[2][0].isEmpty());
        windows.unload(menu);
        settle();
        QDir(env.env().cartellaUtenti()).removeRecursively();
        QDir().mkpath(env.env().cartellaUtenti());
    }
}

TEST_F(MenuWindowTest, ChoosingTheSameUserAgainKeepsTheLog)
{
    writeProfile("mario.ini", 7);
    writeProfile("luca.ini", 8);
    program.state.NomeUtente = "MARIO";
    FormMenu* menu = showMenu();
    program.state.NumeroRigheRegistro = 2;
    program.state.MassimoLettere = 3;
    emit menu->Combo1->activated(menu->Combo1->currentIndex());
    EXPECT_EQ(program.state.NumeroRigheRegistro, 2);
    EXPECT_EQ(program.state.MassimoLettere, 3);
}

TEST_F(MenuWindowTest, ASingleUserIsHiddenButStillApplied)
{
    writeProfile("_predefinito.INI", 6);
    program.state.MassimoLettere = 8;
    FormMenu* menu = showMenu();
    EXPECT_FALSE(menu->Combo1->isVisibleTo(menu));
    EXPECT_EQ(program.state.NomeUtente, "_PREDEFINITO");
    ProfileSettings saved;
    LeggiProfilo(saved, env.env().profiloPredefinito(), QString());
    EXPECT_EQ(saved.MassimoLettere, 8); // the settings in force were saved
}

TEST_F(MenuWindowTest, TheUsersSettingsShapeTheMenu)
{
    program.state.CarattereLettere = kCorsivo;
    program.state.TieniTraccia = false;
    program.state.UsaTutteLeImmagini = false;
    program.state.ListaInUso = "/liste/animali.txt";
    FormMenu* menu = showMenu();
    EXPECT_EQ(menu->Command1[0]->text(), "lettera iniziale");
    EXPECT_EQ(menu->Command1[2]->text(), "DUE LETTERE NELLA PAROLA"); // never changed
    EXPECT_FALSE(menu->mnuEserciziEseguiti->isEnabled());
    EXPECT_EQ(menu->StatusBar1Panel->text(), "lista in uso: /liste/animali.txt");
    EXPECT_EQ(menu->Combo1->font().pointSizeF(), 14.0);
    windows.unload(menu);

    program.state.TieniTraccia = true;
    program.state.UsaTutteLeImmagini = true;
    menu = showMenu();
    EXPECT_TRUE(menu->mnuEserciziEseguiti->isEnabled());
    EXPECT_EQ(menu->StatusBar1Panel->text(), "Usa tutte le immagini");
}

// ---- mouse ----

TEST_F(MenuWindowTest, MovingThePointerLeavesExactlyOneButtonRed)
{
    FormMenu* menu = showMenu();
    EXPECT_TRUE(redButtons(menu).isEmpty());
    moveOver(menu->Command1[0]);
    EXPECT_EQ(redButtons(menu), QList<int>({0}));
    moveOver(menu->Image1[3]);
    EXPECT_EQ(redButtons(menu), QList<int>({3}));
    moveOver(menu->Command1[4]);
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
        moveOver(menu->Command1[3]);
        if (mode != kModoMouse) {
            EXPECT_EQ(redButtons(menu), litBefore) << mode; // the scan owns the colours
        }
        QTest::mouseClick(menu->Command1[4], Qt::LeftButton);
        EXPECT_EQ(seams.programExit.requests, mode == kModoMouse ? 1 : 0) << mode;
        QTest::mouseClick(menu->Image1[4], Qt::LeftButton);
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
        (QString(target) == "FormConfigura" ? menu->mnuOpzioni : menu->mnuEserciziEseguiti)
            ->trigger();
        settle();
        ASSERT_EQ(loadedNames(windows), QStringList({target}));
        windows.find(target)->findChild<QAction*>(QStringLiteral("mnuEsci"))->trigger();
        settle();
        EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
        windows.unload(windows.find("FormMenu"));
        settle();
    }
}

TEST_F(MenuWindowTest, TheManualOpensFromTheProgramFolderAndTheMenuStays)
{
    FormMenu* menu = showMenu();
    menu->mnuDocum->trigger();
    EXPECT_EQ(seams.documents.opened, QStringList({env.env().programFolder + "/ortolino.pdf"}));
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
}

// ---- languages ----

QStringList entries(const FormMenu* menu)
{
    QStringList names;
    for (const QAction* entry : menu->mnuLanguage)
        names << entry->text() + (entry->isChecked() ? "*" : "");
    return names;
}

TEST_F(MenuWindowTest, ChoosingALanguageTranslatesEveryOpenWindowAndIsRemembered)
{
    program.state.ModalitaInput = kModoScansioneManuale;
    FormMenu* menu = showMenu();
    Form* info = windows.load("FormInfo");
    EXPECT_EQ(entries(menu), QStringList({"English", "Italiano*"}));
    EXPECT_EQ(menu->Command1[0]->text(), "LETTERA INIZIALE");

    menu->mnuLanguage[0]->trigger();

    EXPECT_EQ(entries(menu), QStringList({"English*", "Italiano"}));
    EXPECT_EQ(menu->Command1[0]->text(), "FIRST LETTER");
    EXPECT_EQ(menu->Command1[4]->text(), "EXIT");
    EXPECT_EQ(menu->mnuOpzioni->text(), "&Settings");
    EXPECT_EQ(menu->mnuLanguages->title(), "Language");
    EXPECT_EQ(info->findChild<QPushButton*>("Command1")->text(), "Close");
    EXPECT_EQ(program.state.ModalitaInput, kModoScansioneManuale); // the user's settings stay
    EXPECT_EQ(program.state.CartellaImmagini, "pictures");

    Language next(env.env());
    next.readCurrentLanguageSetting();
    EXPECT_EQ(next.CurrentLanguage, "English");
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
    EXPECT_EQ(menu->Command1[0]->text(), "LETTERA INIZIALE"); // design texts stay
}

} // namespace
