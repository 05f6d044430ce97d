#include "core/app/SwitchSettingsFile.h"
#include "core/config/ConfigSettings.h"
#include "gui/config/ConfigFixture.h"
#include "gui/config/SwitchPanel.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/ShapeControl.h"
#include "gui/widgets/SwitchBox.h"

#include <QFile>
#include <QLocale>
#include <QScreen>
#include <QTimer>

using namespace ortolino;
using namespace ortolino::test;

namespace {

using ConfigWindowTest = ConfigFixture;

// ---- the way out ----

TEST_F(ConfigWindowTest, LeavingNeedsALetterAndAsksAboutFewerThanThree)
{
    ASSERT_NE(openConfig(), nullptr);
    EXPECT_EQ(config->geometry(), config->screen()->availableGeometry());
    const QString profile = env.env().profiloPredefinito();

    click("CommandDeselezionaTutte");
    leave();
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].text, program.text("0016"));
    EXPECT_EQ(seams.messages.shown[0].icon, Message::Icon::Critical);
    EXPECT_FALSE(QFile::exists(profile));

    tickOnly("ae");
    seams.messages.answers = {MessageBoxes::Answer::No};
    leave();
    EXPECT_EQ(seams.messages.shown.back().text, program.text("0017"));
    EXPECT_EQ(seams.messages.shown.back().buttons, Message::Buttons::YesNo);
    EXPECT_FALSE(QFile::exists(profile));
    EXPECT_TRUE(program.state.LettereAttive[2]); // "e" still from before

    leave(); // answered Yes
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
    const ProfileSettings saved = profileOf("_predefinito.INI");
    for (int i = 0; i < kNumeroTasti; ++i) {
        const QString letter = program.state.LettereTastiera[static_cast<size_t>(i + 1)];
        EXPECT_EQ(saved.LettereAttive[static_cast<size_t>(i)], letter == "a" || letter == "e");
    }

    // Three letters leave without a question; the close box leaves like "&Menu".
    openConfig();
    tickOnly("aeo");
    config->close();
    QTest::qWait(0);
    settle();
    EXPECT_EQ(seams.messages.shown.size(), 3u);
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
    EXPECT_TRUE(profileOf("_predefinito.INI").LettereAttive[8]); // "o"
}

TEST_F(ConfigWindowTest, TickedLettersSurviveOtherChoicesUntilMenu)
{
    openConfig();
    tickOnly("aeo");
    click("corsivo");
    click("Option4", 2);
    click("Check1");
    EXPECT_TRUE(button("Op_Lettere", 10)->isChecked()); // "a"
    EXPECT_FALSE(button("Op_Lettere", 3)->isChecked()); // "r"
    EXPECT_TRUE(program.state.LettereAttive[3]);        // not confirmed yet
    leave();
    EXPECT_FALSE(program.state.LettereAttive[3]);
    EXPECT_TRUE(program.state.LettereAttive[10]);
}

TEST_F(ConfigWindowTest, SettingsThatCannotBeKeptAreToldOnceAndTheWindowStillLeaves)
{
    QDir().mkpath(env.env().profiloPredefinito()); // a folder where the file should go
    openConfig();
    leave();
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_TRUE(seams.messages.shown[0].text.startsWith(program.text("0206")));
    EXPECT_TRUE(seams.messages.shown[0].text.endsWith(program.text("0211")));
}

// ---- program state to controls and back ----

TEST_F(ConfigWindowTest, TheControlsShowTheStateWhenTheWindowOpens)
{
    ProgramState& s = program.state;
    s.MassimoLettere = 7;
    s.CarattereLettere = kMinuscolo;
    s.UsaTutteLeImmagini = true;
    s.NomeUtente = "ANNA";
    openConfig();
    for (int i = 0; i < kOpzioniQuanteLettere; ++i)
        EXPECT_FALSE(button("OptionQuanteLettere", i)->isChecked());
    EXPECT_EQ(button("Op_Lettere", 0)->text(), "q");
    EXPECT_EQ(button("Op_Lettere", 25)->text(), "m");
    EXPECT_EQ(text("LabelListaInUso"), "");
    EXPECT_EQ(text("Label4"), "ANNA");
    EXPECT_TRUE(button("OptionUtente", 0)->isChecked());
    EXPECT_TRUE(find("FrameUtente")->isVisible());
    EXPECT_FALSE(find("FrameLettere")->isVisible());

    click("maiuscolo");
    EXPECT_EQ(button("Op_Lettere", 0)->text(), "Q");
    click("OptionQuanteLettere", 4);
    EXPECT_EQ(s.MassimoLettere, 3);
}

TEST_F(ConfigWindowTest, EachSwitchBoxSetsItsSettingAtOnce)
{
    struct Case
    {
        const char* box;
        bool ProgramState::*setting;
    };
    const Case cases[] = {{"CheckSalvaUtente", &ProgramState::TieniTraccia},
                          {"CheckSuoni", &ProgramState::SuoniAttivi},
                          {"CheckRiparti", &ProgramState::RipartiDallInizio},
                          {"CheckDisabilitaMousePersonalizzato", &ProgramState::MouseDiSistema},
                          {"Check1", &ProgramState::ParlatoAttivo},
                          {"CheckFesteggia", &ProgramState::celebration}};
    openConfig();
    for (const Case& c : cases) {
        for (bool checked : {true, false, true}) {
            button(c.box)->setChecked(checked);
            EXPECT_EQ(program.state.*c.setting, checked) << c.box;
        }
    }
}

TEST_F(ConfigWindowTest, TheInputModeShowsItsOwnControls)
{
    openConfig();
    QWidget* page = find("FramePunt");
    auto shown = [&] {
        auto visible = [&](const char* name) { return find(name)->isVisibleTo(page); };
        return VisibilitaInput{visible("CheckRiparti"), visible("CheckRiquadro"),
                               visible("ShapeRiquadro"),
                               visible("CheckDisabilitaMousePersonalizzato"), visible("HScroll3")};
    };
    EXPECT_EQ(shown(), (VisibilitaInput{false, false, false, true, false}));
    click("Option4", 1);
    EXPECT_EQ(shown(), (VisibilitaInput{true, true, false, false, false}));
    click("CheckRiquadro");
    EXPECT_EQ(shown(), (VisibilitaInput{true, true, true, false, false}));
    EXPECT_TRUE(find("HScrollRiquadro")->isVisibleTo(page));
    click("Option4", 2);
    EXPECT_EQ(shown(), (VisibilitaInput{true, true, true, false, true}));
    EXPECT_TRUE(find("Label7")->isVisibleTo(page));
    EXPECT_EQ(program.state.ModalitaInput, 2);
    EXPECT_TRUE(program.state.ConRiquadro);

    find<QScrollBar>("HScrollRiquadro")->setValue(20);
    EXPECT_EQ(program.state.SpessoreRiquadro, 20);
    EXPECT_EQ(find<ShapeControl>("ShapeRiquadro")->borderWidth(), 20);
}

TEST_F(ConfigWindowTest, ValuesOutsideTheBarsAreBroughtInsideButTheProfileWaits)
{
    ProgramState& s = program.state;
    s.ModalitaInput = 2;
    s.VelocitaScansione = 99; // a hand-edited profile
    s.VelocitaVoce = 1000;
    ASSERT_TRUE(SalvaProfilo(s, s.PercorsoProfilo));
    openConfig();
    EXPECT_EQ(find<QScrollBar>("HScroll3")->value(), 60);
    EXPECT_EQ(s.VelocitaScansione, 60);
    EXPECT_EQ(text("Label7"), testoVelocitaScansione(program.language, 60));
    EXPECT_EQ(find<QScrollBar>("HScroll1")->value(), 250);
    // The file keeps its value until the teacher saves (its reader clamps it).
    QFile file(env.env().cartellaUtenti() + "_predefinito.INI");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().split('\n').value(45), " 99 \r");

    find<QScrollBar>("HScroll3")->setValue(4);
    EXPECT_EQ(s.VelocitaScansione, 4);
    EXPECT_EQ(text("Label7"), testoVelocitaScansione(program.language, 4));
}

// ---- users ----

TEST_F(ConfigWindowTest, ChoosingAUserSavesTheOneBeforeAndLoadsTheChosenOne)
{
    writeProfile("anna.ini", 6);
    writeProfile("Luca.INI", 4);
    writeProfile("_predefinito.ini", 5);
    openConfig();
    click("OptionQuanteLettere", 3); // 13 letters for the default user

    click("OptionUtente", 1);
    QListWidget* users = list("ListModificaUtente");
    ASSERT_EQ(users->count(), 2);
    EXPECT_EQ(users->item(0)->text(), "ANNA");
    EXPECT_EQ(users->item(1)->text(), "LUCA");

    users->setCurrentRow(0);
    EXPECT_EQ(profileOf("_predefinito.ini").MassimoLettere, 13);
    EXPECT_EQ(program.state.NomeUtente, "ANNA");
    EXPECT_EQ(text("Label4"), "ANNA");
    EXPECT_EQ(program.state.MassimoLettere, 6);
    EXPECT_TRUE(button("OptionQuanteLettere", 2)->isChecked());

    click("OptionQuanteLettere", 0);
    users->setCurrentRow(1);
    EXPECT_EQ(profileOf("anna.ini").MassimoLettere, 4);
    EXPECT_EQ(program.state.MassimoLettere, 4); // Luca's own
    EXPECT_EQ(program.state.PercorsoProfilo, env.env().cartellaUtenti() + "LUCA.ini");

    click("OptionUtente", 0); // the default user, not read back
    EXPECT_EQ(program.state.NomeUtente, "_predefinito");
    EXPECT_FALSE(find("CheckSalvaUtente")->isVisible());
    EXPECT_FALSE(users->isVisible());
}

TEST_F(ConfigWindowTest, ANewUserTypedThenMenuIsCreatedWithTheSettingsInHand)
{
    program.state.TieniTraccia = true;
    program.state.MassimoLettere = 6;
    openConfig();
    click("OptionUtente", 2);
    EXPECT_FALSE(program.state.TieniTraccia);
    QTest::keyClicks(find("TextNuovoUtente"), "Marco");
    EXPECT_EQ(text("Label4"), "Marco");
    EXPECT_EQ(program.state.NomeUtente, "Marco");
    leave();
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
    const ProfileSettings marco = profileOf("Marco.ini");
    EXPECT_EQ(marco.MassimoLettere, 6);
    EXPECT_FALSE(marco.TieniTraccia);
    EXPECT_TRUE(profileOf("_predefinito.INI").TieniTraccia); // saved when "Nuovo utente" was chosen
}

TEST_F(ConfigWindowTest, NamesThatCannotNameAProfileAreRefused)
{
    openConfig();
    click("OptionUtente", 2);
    auto* name = find<QLineEdit>("TextNuovoUtente");
    QTest::keyClicks(name, "Ma/rco");
    EXPECT_EQ(messageTexts(), QStringList({program.text("0204")}));
    EXPECT_EQ(name->text(), "Marco"); // the slash was refused
    EXPECT_EQ(program.state.NomeUtente, "Marco");

    name->setText("../../fuori");
    name->setText(QStringLiteral("a\tb"));
    EXPECT_EQ(seams.messages.shown.size(), 3u);
    EXPECT_EQ(program.state.NomeUtente, "Marco");

    name->setText("   "); // blanks change nothing
    EXPECT_EQ(program.state.NomeUtente, "Marco");
    leave(); // but a new user needs a name, and the teacher is told how to go back
    const QString said = seams.messages.shown.back().text;
    EXPECT_EQ(said, program.text("0208"));
    EXPECT_TRUE(said.contains(button("OptionUtente", 0)->text())) << said.toStdString();
    EXPECT_TRUE(said.contains(button("OptionUtente", 1)->text()));
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormConfigura"}));
    EXPECT_EQ(QDir(env.env().cartellaUtenti()).entryList(QDir::Files),
              QStringList({"_predefinito.INI"}));
    EXPECT_EQ(QDir(env.env().cartellaOrtolino()).entryList(QDir::Files), QStringList());
}

// The switch tab: shown only while scanning, the automatic scan's bars only in
// automatic scanning; each control sets its setting at once, the sample row
// scans with the timing on the screen, and the side file gets it at "&Menu".
TEST_F(ConfigWindowTest, TheSwitchTabSetsTheChildsTimingAndLetsItBeTried)
{
    openConfig();
    auto* tabs = find<QTabBar>("TabStrip1");
    EXPECT_FALSE(tabs->isTabVisible(5));
    click("Option4", 1);
    ASSERT_TRUE(tabs->isTabVisible(5));
    EXPECT_EQ(tabs->tabText(5), "Sensori");
    tabs->setCurrentIndex(5);
    QWidget* page = find("FrameSensori");
    EXPECT_TRUE(page->isVisible());
    EXPECT_FALSE(find("HScrollPrimo")->isVisibleTo(page));
    EXPECT_FALSE(find("HScrollGiri")->isVisibleTo(page));
    click("Option4", 2);
    EXPECT_TRUE(find("HScrollPrimo")->isVisibleTo(page));
    EXPECT_TRUE(find("HScrollGiri")->isVisibleTo(page));

    find<QScrollBar>("HScrollAccettazione")->setValue(4);
    find<QScrollBar>("HScrollIgnora")->setValue(5);
    find<QScrollBar>("HScrollPrimo")->setValue(5);
    find<QScrollBar>("HScrollGiri")->setValue(2);
    click("CheckMenuEsercizio");
    click("CheckConfermaEsci");
    const ProgramState& s = program.state;
    EXPECT_EQ(s.acceptanceMs, 200);
    EXPECT_EQ(s.ignoreAfterChoiceMs, 500);
    EXPECT_EQ(s.firstItemSteps, 2.5);
    EXPECT_EQ(s.loopsBeforePause, 2);
    EXPECT_TRUE(s.backToMenuTarget);
    EXPECT_FALSE(s.confirmExit);
    EXPECT_EQ(text("LabelAccettazione"),
              program.text("0411").arg(QLocale::system().toString(0.2, 'f', 2)));
    EXPECT_EQ(text("LabelGiri"), program.text("0414").arg(2));

    // The sample row, as the child's scan will go.
    SwitchPanel* panel = nullptr;
    for (QObject* child : config->children()) {
        if (auto* found = dynamic_cast<SwitchPanel*>(child))
            panel = found;
    }
    ASSERT_NE(panel, nullptr);
    auto* timer = find<QTimer>("TimerProva");
    auto* box = find<SwitchBox>("PictureProva");
    auto lit = [&] {
        QList<int> red;
        for (int i = 0; i < 5; ++i) {
            if (background(find("TastoProva", i)) == qtColor(s.ColoreBottoneSelezionato))
                red << i;
        }
        return red;
    };
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(lit().isEmpty());
    panel->tryTick();
    EXPECT_EQ(lit(), QList<int>({0}));
    EXPECT_EQ(timer->interval(), 2500); // the first key held two steps and a half
    panel->tryTick();
    EXPECT_EQ(lit(), QList<int>({1}));
    EXPECT_EQ(timer->interval(), 1000);
    auto press = [&](double seconds) {
        QTest::keyPress(box, Qt::Key_Space);
        seams.clock.now += seconds;
        QTest::keyRelease(box, Qt::Key_Space);
        box->deliverPendingRelease();
    };
    press(0.1); // too short
    EXPECT_TRUE(text("LabelEsitoProva").isEmpty());
    press(0.2);
    EXPECT_EQ(text("LabelEsitoProva"), program.text("0419").arg("B"));

    leave();
    SwitchSettings saved;
    readSwitchSettings(saved, env.env().cartellaAccesso() + "_predefinito.INI");
    EXPECT_EQ(saved, static_cast<const SwitchSettings&>(s));
}

// The other choices of the switch tab, each shown only where it applies.
TEST_F(ConfigWindowTest, TheSwitchTabHoldsTheVoiceTheHighlightAndTheKeyboardChoices)
{
    program.state.ModalitaInput = kInputScansioneManuale;
    openConfig();
    find<QTabBar>("TabStrip1")->setCurrentIndex(5);
    QWidget* page = find("FrameSensori");
    const ProgramState& s = program.state;
    auto shown = [&](const char* name, int index = -1) {
        return find(name, index)->isVisibleTo(page);
    };
    EXPECT_FALSE(shown("OptionAscolto", 1));
    click("CheckAscolto");
    EXPECT_TRUE(s.auditoryScanning);
    ASSERT_TRUE(shown("OptionAscolto", 1));
    click("OptionAscolto", 1);
    EXPECT_EQ(s.auditoryStyle, AuditoryStyle::Cue);

    click("CheckIngrandisci");
    EXPECT_TRUE(s.enlargeHighlighted);
    EXPECT_FALSE(shown("CommandColoreRiquadro")); // no frame, no frame colour
    program.state.ConRiquadro = true;
    click("CheckTastieraCompatta"); // shows the whole state again
    EXPECT_TRUE(s.compactKeyboard);
    ASSERT_TRUE(shown("CommandColoreRiquadro"));
    EXPECT_TRUE(button("CheckColoreRiquadro")->isChecked());
    seams.dialogs.colours.push_back(0x00FF00);
    click("CommandColoreRiquadro");
    EXPECT_EQ(s.highlightColour, 0x00FF00);
    EXPECT_FALSE(button("CheckColoreRiquadro")->isChecked());
    click("CheckColoreRiquadro");
    EXPECT_EQ(s.highlightColour, kHighlightAsMarkedKey);
    click("OptionOrdine", 1);
    EXPECT_EQ(s.compactOrder, CompactOrder::Frequency);
}

} // namespace
