#include "gui/config/ConfigFixture.h"
#include "gui/widgets/Colors.h"

#include <QGroupBox>

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
    FormConfigura* config = openConfig();
    config->corsivo->click();
    EXPECT_EQ(s.NomeFont, "Tratto1");
    EXPECT_EQ(config->Op_Lettere[0]->font().family(), "Tratto1");
    EXPECT_EQ(config->Op_Lettere[0]->text(), "q");

    seams.dialogs.fonts = {FontChoice{"DejaVu Serif", 36, true, false, false}};
    config->CommandSceltaFont->click();
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].text, program.text("0008") + "\n" + program.text("0009"));
    EXPECT_EQ(seams.messages.shown[0].icon, Message::Icon::Information);
    EXPECT_EQ(s.NomeFont, "Tratto1");
    EXPECT_EQ(s.NomeFontScelto, "DejaVu Serif");
    EXPECT_EQ(s.DimensioneFont, 36);
    EXPECT_TRUE(config->LabelFontSelezionato->font().bold());

    config->maiuscolo->click();
    EXPECT_EQ(s.NomeFont, "DejaVu Serif");
    EXPECT_EQ(config->Op_Lettere[0]->text(), "Q");
    EXPECT_EQ(config->LabelFontSelezionato->font().family(), "DejaVu Serif");

    config->CommandSceltaFont->click(); // cancelled
    EXPECT_EQ(s.DimensioneFont, 36);
    EXPECT_EQ(seams.messages.shown.size(), 1u);
}

TEST_F(AppearanceVoiceWindowTest, SystemColoursAlsoTurnOnTheSystemPointer)
{
    ProgramState& s = program.state;
    FormConfigura* config = openConfig();
    config->CheckImpostazioniSistema->click();
    EXPECT_TRUE(s.ColoriDiSistema);
    EXPECT_TRUE(s.MouseDiSistema);
    EXPECT_TRUE(config->CheckDisabilitaMousePersonalizzato->isChecked());
    EXPECT_FALSE(config->Frame6->isEnabled());
    config->CheckImpostazioniSistema->click();
    EXPECT_FALSE(s.ColoriDiSistema);
    EXPECT_TRUE(s.MouseDiSistema);
    EXPECT_TRUE(config->Frame6->isEnabled());
}

TEST_F(AppearanceVoiceWindowTest, AProfileWithSystemColoursChecksThePointerWhenShown)
{
    program.state.ColoriDiSistema = true;
    FormConfigura* config = openConfig();
    EXPECT_TRUE(program.state.MouseDiSistema);
    EXPECT_TRUE(config->CheckDisabilitaMousePersonalizzato->isChecked());
}

TEST_F(AppearanceVoiceWindowTest, TheColourButtonsTakeAChosenColourAndIgnoreACancel)
{
    ProgramState& s = program.state;
    FormConfigura* config = openConfig();
    EXPECT_FALSE(config->CommandSceltaColori->isEnabled()); // random colour by default
    config->OptionColoreCasualeFisso[1]->click();
    EXPECT_FALSE(s.ColoreCasuale);
    EXPECT_TRUE(config->CommandSceltaColori->isEnabled());

    const Colore before = s.ColoreSfondo;
    config->CommandSceltaColori->click(); // cancelled
    EXPECT_EQ(s.ColoreSfondo, before);
    seams.dialogs.colours = {0x00FF00};
    config->CommandSceltaColori->click();
    EXPECT_EQ(s.ColoreSfondo, 0x00FF00);
    EXPECT_EQ(background(config->FrameLettere), QColor(0, 255, 0));

    seams.dialogs.colours = {0x0000FF, 0xFF0000, 0x00FFFF, 0x123456};
    config->CommandSceltaColoreFont->click();
    config->CommandSceltaSfondoTesto->click();
    config->CommandSceltaColoreBottoni->click();
    config->CommandSceltaColoreBottoniSelezionati->click();
    EXPECT_EQ(s.ColoreFont, 0x0000FF);
    EXPECT_EQ(config->LabelFontSelezionato->palette().color(QPalette::WindowText),
              QColor(255, 0, 0));
    EXPECT_EQ(s.ColoreSfondoTesto, 0xFF0000);
    EXPECT_EQ(background(config->LabelFontSelezionato), QColor(0, 0, 255));
    EXPECT_EQ(s.ColoreBottoni, 0x00FFFF);
    EXPECT_EQ(background(config->CommandSceltaColoreBottoni), QColor(255, 255, 0));
    EXPECT_EQ(s.ColoreBottoneSelezionato, 0x123456);
    EXPECT_EQ(background(config->CommandSceltaColoreBottoniSelezionati), qtColor(0x123456));
}

// ---- voice and sounds ----

TEST_F(AppearanceVoiceWindowTest, TurningSpeechOffDisablesTheVoiceControls)
{
    FormConfigura* config = openConfig();
    EXPECT_TRUE(config->CommandProvaVoce->isEnabled());
    config->Check1->click();
    EXPECT_FALSE(program.state.ParlatoAttivo);
    for (QWidget* control : std::initializer_list<QWidget*>{config->CommandProvaVoce,
                                                            config->HScroll1, config->HScroll2})
        EXPECT_FALSE(control->isEnabled());
    config->CheckSuoni->click();
    EXPECT_FALSE(program.state.SuoniAttivi);
}

TEST_F(AppearanceVoiceWindowTest, TheSpeechBarsSetTheVoiceAndTheTestSpeaksWithIt)
{
    FormConfigura* config = openConfig();
    EXPECT_EQ(config->Label1->text(), program.text("0014") + "130");
    EXPECT_EQ(config->Label2->text(), program.text("0015") + "100");
    config->HScroll1->setValue(200);
    EXPECT_EQ(program.state.VelocitaVoce, 200);
    EXPECT_EQ(config->Label1->text(), program.text("0025") + "200");
    EXPECT_EQ(config->ParametriVoce, "\\Spd=200\\\\Pit=100\\");
    config->HScroll2->setValue(150);
    EXPECT_EQ(config->Label2->text(), program.text("0026") + "150");
    agent.calls.clear();
    config->CommandProvaVoce->click();
    EXPECT_EQ(agent.calls, QStringList({"Speak \\Spd=200\\\\Pit=150\\" + program.text("0022")}));
}

TEST_F(AppearanceVoiceWindowTest, TheVoiceTabListsVoicesAndCharactersAndShowsTheCharacter)
{
    program.state.NomeAgente = "Merlin";
    agent.characters = {"merlin", "PEEDY"};
    FormConfigura* config = openConfig();
    for (int pass = 0; pass < 2; ++pass) {
        config->TabStrip1->setCurrentIndex(kTabVoce);
        EXPECT_EQ(config->List1->count(), 2);
        ASSERT_EQ(config->List2->count(), 2);
        config->TabStrip1->setCurrentIndex(0);
    }
    agent.calls.clear();
    config->TabStrip1->setCurrentIndex(kTabVoce);
    EXPECT_EQ(config->List2->item(0)->text(), "Merlin");
    EXPECT_EQ(config->List2->item(1)->text(), "Peedy");
    EXPECT_EQ(config->List2->currentRow(), 0);
    EXPECT_TRUE(config->FrameVoce->isVisible());
    EXPECT_EQ(agent.calls.first(), "Hide");
    EXPECT_TRUE(agent.calls.at(agent.calls.size() - 2).startsWith("Speak \\Spd=130\\\\Pit=100\\"));
    EXPECT_EQ(agent.calls.last(), "Show");

    config->List1->setCurrentRow(1);
    EXPECT_EQ(program.state.ModoVoce, "{en-US}");
    EXPECT_EQ(agent.calls.last(), "setTTSModeID {en-US}");

    config->List2->setCurrentRow(1);
    EXPECT_EQ(program.state.NomeAgente, "Peedy");
    EXPECT_EQ(config->personaggio()->name(), "PEEDY");
    // (200, 150) from the window's corner, which covers the screen from its top left.
    EXPECT_TRUE(agent.calls.contains(
        QStringLiteral("MoveTo %1 %2").arg(config->x() + 200).arg(150 - config->y())));
    EXPECT_EQ(agent.calls.last(), "Show");

    config->TabStrip1->setCurrentIndex(1);
    EXPECT_EQ(agent.calls.last(), "Hide");
}

TEST_F(AppearanceVoiceWindowTest, ACharacterThatCannotBeLoadedLeavesTheOneBefore)
{
    FormConfigura* config = openConfig();
    config->TabStrip1->setCurrentIndex(kTabVoce);
    agent.characters = {"Merlin"}; // Peedy went away meanwhile
    config->List2->setCurrentRow(1);
    EXPECT_EQ(messageTexts(), QStringList({program.text("0207") + "\nPeedy"}));
    EXPECT_EQ(program.state.NomeAgente, "Merlin");
    EXPECT_EQ(config->personaggio()->name(), "Merlin");
    EXPECT_EQ(config->List2->currentRow(), 0);
}

TEST_F(AppearanceVoiceWindowTest, WithoutACharacterComponentTheWindowStillWorks)
{
    Services services = seams.services();
    services.agent = nullptr;
    Program bare{env.env(), services};
    bare.state = program.state;
    WindowManager bareWindows(bare);
    registerWindows(bareWindows);
    auto* config = qobject_cast<FormConfigura*>(bareWindows.show("FormConfigura"));
    ASSERT_NE(config, nullptr);
    config->TabStrip1->setCurrentIndex(kTabVoce);
    EXPECT_EQ(config->List1->count(), 0);
    EXPECT_EQ(config->List2->count(), 0);
    config->CommandProvaVoce->click();
    config->mnuEsci->trigger();
    settle();
    EXPECT_EQ(bareWindows.loadedWindows().size(), 1); // the menu
}

} // namespace
