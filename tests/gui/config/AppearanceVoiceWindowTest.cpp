#include "gui/config/ConfigFixture.h"
#include "gui/widgets/Colors.h"

#include <QLocale>

using namespace ortolino;
using namespace ortolino::test;

namespace {

using AppearanceVoiceWindowTest = ConfigFixture;

constexpr int kTabVoce = 3;

// ---- appearance ----

TEST_F(AppearanceVoiceWindowTest, CursiveUsesTheHandwritingFaceAndPrintRestoresTheChosenOne)
{
    ProgramState& s = program.state;
    s.NomeFontScelto = "Verdana";
    openConfig();
    click("corsivo");
    EXPECT_EQ(button("Op_Lettere", 0)->font().family(), "Tratto1");
    EXPECT_EQ(button("Op_Lettere", 0)->text(), "q");

    seams.dialogs.fonts = {FontChoice{"DejaVu Serif", 36, true, false, false}};
    click("CommandSceltaFont");
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].text, program.text("0008") + "\n" + program.text("0009"));
    EXPECT_EQ(s.NomeFont, "Tratto1");
    EXPECT_EQ(s.DimensioneFont, 36);
    EXPECT_TRUE(find("LabelFontSelezionato")->font().bold());

    click("maiuscolo");
    EXPECT_EQ(button("Op_Lettere", 0)->text(), "Q");
    EXPECT_EQ(find("LabelFontSelezionato")->font().family(), "DejaVu Serif");

    click("CommandSceltaFont"); // cancelled
    EXPECT_EQ(s.DimensioneFont, 36);
    EXPECT_EQ(seams.messages.shown.size(), 1u);
}

TEST_F(AppearanceVoiceWindowTest, SystemColoursAlsoTurnOnTheSystemPointer)
{
    ProgramState& s = program.state;
    s.ColoriDiSistema = true; // a profile with system colours checks the pointer when shown
    openConfig();
    EXPECT_TRUE(s.MouseDiSistema);
    EXPECT_TRUE(button("CheckDisabilitaMousePersonalizzato")->isChecked());
    EXPECT_FALSE(find("Frame6")->isEnabled());

    click("CheckImpostazioniSistema");
    click("CheckDisabilitaMousePersonalizzato");
    EXPECT_FALSE(s.ColoriDiSistema);
    EXPECT_FALSE(s.MouseDiSistema);
    EXPECT_TRUE(find("Frame6")->isEnabled());
    click("CheckImpostazioniSistema");
    EXPECT_TRUE(s.ColoriDiSistema);
    EXPECT_TRUE(s.MouseDiSistema);
    EXPECT_TRUE(button("CheckDisabilitaMousePersonalizzato")->isChecked());
}

TEST_F(AppearanceVoiceWindowTest, TheColourButtonsTakeAChosenColourAndIgnoreACancel)
{
    ProgramState& s = program.state;
    openConfig();
    EXPECT_FALSE(find("CommandSceltaColori")->isEnabled()); // random colour by default
    click("OptionColoreCasualeFisso", 1);
    EXPECT_FALSE(s.ColoreCasuale);
    EXPECT_TRUE(find("CommandSceltaColori")->isEnabled());

    const Colore before = s.ColoreSfondo;
    click("CommandSceltaColori"); // cancelled
    EXPECT_EQ(s.ColoreSfondo, before);
    seams.dialogs.colours = {0x00FF00};
    click("CommandSceltaColori");
    EXPECT_EQ(s.ColoreSfondo, 0x00FF00);
    EXPECT_EQ(background(find("FrameLettere")), QColor(0, 255, 0));

    seams.dialogs.colours = {0x0000FF, 0xFF0000, 0x00FFFF, 0x123456};
    for (const char* name : {"CommandSceltaColoreFont", "CommandSceltaSfondoTesto",
                             "CommandSceltaColoreBottoni", "CommandSceltaColoreBottoniSelezionati"})
        click(name);
    QWidget* sample = find("LabelFontSelezionato");
    EXPECT_EQ(s.ColoreFont, 0x0000FF);
    EXPECT_EQ(sample->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(s.ColoreSfondoTesto, 0xFF0000);
    EXPECT_EQ(background(sample), QColor(0, 0, 255));
    EXPECT_EQ(s.ColoreBottoni, 0x00FFFF);
    EXPECT_EQ(background(find("CommandSceltaColoreBottoni")), QColor(255, 255, 0));
    EXPECT_EQ(s.ColoreBottoneSelezionato, 0x123456);
    EXPECT_EQ(background(find("CommandSceltaColoreBottoniSelezionati")), qtColor(0x123456));
}

TEST_F(AppearanceVoiceWindowTest, AHighlightThatHardlyStandsOutIsWarnedAboutWhileScanning)
{
    openConfig();
    QWidget* warning = find("LabelAvvisoContrasto");
    click("Option4", 2);
    EXPECT_TRUE(warning->isHidden()) << "the defaults stand out by 3:1";
    seams.dialogs.colours = {storedColor(qtColor(program.state.ColoreBottoni))};
    click("CommandSceltaColoreBottoniSelezionati");
    EXPECT_FALSE(warning->isHidden());
    EXPECT_EQ(text("LabelAvvisoContrasto"),
              program.text("0451").arg(QLocale().toString(1.0, 'f', 1)));
    click("Option4", 0); // no scan, no highlight
    EXPECT_TRUE(warning->isHidden());
}

// ---- voice and sounds ----

TEST_F(AppearanceVoiceWindowTest, TheSpeechBarsSetTheVoiceTheTestSpeaksWithItAndSpeechOffStopsThem)
{
    openConfig();
    EXPECT_EQ(text("Label1"), program.text("0014") + "130");
    EXPECT_EQ(text("Label2"), program.text("0015") + "100");
    find<QScrollBar>("HScroll1")->setValue(200);
    EXPECT_EQ(program.state.VelocitaVoce, 200);
    EXPECT_EQ(text("Label1"), program.text("0025") + "200");
    find<QScrollBar>("HScroll2")->setValue(150);
    EXPECT_EQ(text("Label2"), program.text("0026") + "150");
    agent.calls.clear();
    click("CommandProvaVoce");
    EXPECT_EQ(agent.calls, QStringList({"Speak \\Spd=200\\\\Pit=150\\" + program.text("0022")}));

    click("Check1");
    for (const char* name : {"CommandProvaVoce", "HScroll1", "HScroll2"})
        EXPECT_FALSE(find(name)->isEnabled()) << name;
}

TEST_F(AppearanceVoiceWindowTest, TheVoiceTabListsVoicesAndCharactersAndShowsTheCharacter)
{
    program.state.NomeAgente = "Merlin";
    agent.characters = {"merlin", "PEEDY"};
    openConfig();
    auto* tabs = find<QTabBar>("TabStrip1");
    for (int pass = 0; pass < 2; ++pass) { // shown again, the lists are not doubled
        tabs->setCurrentIndex(kTabVoce);
        EXPECT_EQ(list("List1")->count(), 2);
        ASSERT_EQ(list("List2")->count(), 2);
        tabs->setCurrentIndex(0);
    }
    agent.calls.clear();
    tabs->setCurrentIndex(kTabVoce);
    EXPECT_EQ(list("List2")->item(0)->text(), "Merlin");
    EXPECT_EQ(list("List2")->item(1)->text(), "Peedy");
    EXPECT_EQ(list("List2")->currentRow(), 0);
    EXPECT_TRUE(find("FrameVoce")->isVisible());
    EXPECT_EQ(agent.calls.first(), "Hide");
    EXPECT_TRUE(agent.calls.at(agent.calls.size() - 2).startsWith("Speak \\Spd=130\\\\Pit=100\\"));
    EXPECT_EQ(agent.calls.last(), "Show");

    list("List1")->setCurrentRow(1);
    EXPECT_EQ(program.state.ModoVoce, "{en-US}");
    EXPECT_EQ(agent.calls.last(), "setTTSModeID {en-US}");

    list("List2")->setCurrentRow(1);
    EXPECT_EQ(program.state.NomeAgente, "Peedy");
    EXPECT_EQ(config->personaggio()->name(), "PEEDY");
    // (200, 150) from the window's corner, which covers the screen from its top left.
    EXPECT_TRUE(agent.calls.contains(
        QStringLiteral("MoveTo %1 %2").arg(config->x() + 200).arg(150 - config->y())));
    EXPECT_EQ(agent.calls.last(), "Show");

    tabs->setCurrentIndex(1);
    EXPECT_EQ(agent.calls.last(), "Hide");
}

TEST_F(AppearanceVoiceWindowTest, ACharacterThatCannotBeLoadedLeavesTheOneBefore)
{
    openConfig();
    find<QTabBar>("TabStrip1")->setCurrentIndex(kTabVoce);
    agent.characters = {"Merlin"}; // Peedy went away meanwhile
    list("List2")->setCurrentRow(1);
    EXPECT_EQ(messageTexts(), QStringList({program.text("0207") + "\nPeedy"}));
    EXPECT_EQ(program.state.NomeAgente, "Merlin");
    EXPECT_EQ(config->personaggio()->name(), "Merlin");
    EXPECT_EQ(list("List2")->currentRow(), 0);
}

TEST_F(AppearanceVoiceWindowTest, WithoutACharacterComponentTheWindowStillWorks)
{
    Services services = seams.services();
    services.agent = nullptr;
    Program bare{env.env(), services};
    bare.state = program.state;
    WindowManager bareWindows(bare);
    registerWindows(bareWindows);
    config = qobject_cast<FormConfigura*>(bareWindows.show("FormConfigura"));
    ASSERT_NE(config, nullptr);
    find<QTabBar>("TabStrip1")->setCurrentIndex(kTabVoce);
    EXPECT_EQ(list("List1")->count(), 0);
    EXPECT_EQ(list("List2")->count(), 0);
    click("CommandProvaVoce");
    leave();
    settle();
    EXPECT_EQ(bareWindows.loadedWindows().size(), 1); // the menu
}

} // namespace
