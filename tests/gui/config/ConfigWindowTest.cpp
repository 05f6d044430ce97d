// The configuration window's way out, letters, users, input mode and switch
// tab: what a teacher changes reaches the right user's profile, and only a
// deliberate choice changes the user.
#include "core/app/SwitchSettingsFile.h"
#include "core/config/ConfigSettings.h"
#include "core/history/SqlHistory.h"
#include "gui/config/ConfigFixture.h"
#include "gui/config/SwitchPanel.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/ShapeControl.h"
#include "support/HistoryWords.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>

using namespace ortolino;
using namespace ortolino::test;

namespace {

using ConfigWindowTest = ConfigFixture;

// ---- the way out and the letters ----

// No letter: refused. Fewer than three: asked. Ticks wait for "&Menu" (or
// the close box), whatever else is chosen meanwhile.
TEST_F(ConfigWindowTest, LeavingNeedsALetterAndAsksAboutFewerThanThree)
{
    ASSERT_NE(openConfig(), nullptr);
    const QString profile = env.env().profiloPredefinito();
    click("CommandDeselezionaTutte");
    leave();
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].text, program.text("0016"));
    EXPECT_EQ(seams.messages.shown[0].icon, Message::Icon::Critical);
    EXPECT_FALSE(QFile::exists(profile));

    tickOnly("ae");
    click("corsivo");
    click("Option4", 2);
    click("Check1");
    EXPECT_TRUE(button("Op_Lettere", 10)->isChecked()); // "a"
    EXPECT_TRUE(program.state.LettereAttive[3]);        // "r": not confirmed yet
    seams.messages.answers = {MessageBoxes::Answer::No};
    leave();
    EXPECT_EQ(seams.messages.shown.back().text, program.text("0017"));
    EXPECT_EQ(seams.messages.shown.back().buttons, Message::Buttons::YesNo);
    EXPECT_FALSE(QFile::exists(profile));
    EXPECT_TRUE(program.state.LettereAttive[3]);

    leave(); // answered Yes
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
    const ProfileSettings saved = profileOf("_predefinito.INI");
    for (int i = 0; i < kNumeroTasti; ++i) {
        const QString letter = program.state.LettereTastiera[static_cast<size_t>(i + 1)];
        EXPECT_EQ(saved.LettereAttive[static_cast<size_t>(i)], letter == "a" || letter == "e");
    }

    openConfig(); // three letters leave without a question, by the close box too
    tickOnly("aeo");
    config->close();
    QTest::qWait(0);
    settle();
    EXPECT_EQ(seams.messages.shown.size(), 3u);
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
    EXPECT_TRUE(profileOf("_predefinito.INI").LettereAttive[8]); // "o"
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

TEST_F(ConfigWindowTest, TheControlsShowTheStateAndEachSetsItsSettingAtOnce)
{
    ProgramState& s = program.state;
    s.MassimoLettere = 7; // no option of its own
    s.CarattereLettere = kMinuscolo;
    s.NomeUtente = "ANNA";
    s.ModalitaInput = kModoScansioneAutomatica;
    s.VelocitaScansione = 99; // a hand-edited profile
    s.VelocitaVoce = 1000;
    ASSERT_TRUE(SalvaProfilo(s, s.PercorsoProfilo));
    openConfig();
    for (int i = 0; i < kOpzioniQuanteLettere; ++i)
        EXPECT_FALSE(button("OptionQuanteLettere", i)->isChecked());
    EXPECT_EQ(button("Op_Lettere", 0)->text(), "q");
    EXPECT_EQ(text("Label4"), "ANNA");
    EXPECT_TRUE(button("OptionUtente", 0)->isChecked());
    EXPECT_TRUE(find("FrameUtente")->isVisible());
    // Values outside the bars are brought inside; the file keeps its value
    // until the teacher saves (its reader clamps it).
    EXPECT_EQ(find<QScrollBar>("HScroll3")->value(), 60);
    EXPECT_EQ(s.VelocitaScansione, 60);
    EXPECT_EQ(text("Label7"), testoVelocitaScansione(program.language, 60));
    EXPECT_EQ(find<QScrollBar>("HScroll1")->value(), 250);
    QFile file(env.env().cartellaUtenti() + "_predefinito.INI");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().split('\n').value(45), " 99 \r");

    find<QScrollBar>("HScroll3")->setValue(4);
    EXPECT_EQ(s.VelocitaScansione, 4);
    EXPECT_EQ(text("Label7"), testoVelocitaScansione(program.language, 4));
    click("maiuscolo");
    EXPECT_EQ(button("Op_Lettere", 0)->text(), "Q");
    click("OptionQuanteLettere", 4);
    EXPECT_EQ(s.MassimoLettere, 3);
    const std::pair<const char*, bool ProgramState::*> boxes[] = {
        {"CheckSalvaUtente", &ProgramState::TieniTraccia},
        {"CheckSuoni", &ProgramState::SuoniAttivi},
        {"CheckRiparti", &ProgramState::RipartiDallInizio},
        {"CheckDisabilitaMousePersonalizzato", &ProgramState::MouseDiSistema},
        {"Check1", &ProgramState::ParlatoAttivo},
        {"CheckFesteggia", &ProgramState::celebration}};
    for (const auto& [box, setting] : boxes) {
        for (bool checked : {true, false, true}) {
            button(box)->setChecked(checked);
            EXPECT_EQ(s.*setting, checked) << box;
        }
    }
}

TEST_F(ConfigWindowTest, TheInputModeShowsItsOwnControls)
{
    openConfig();
    auto visible = [&] {
        return VisibilitaInput{shown("FramePunt", "CheckRiparti"),
                               shown("FramePunt", "CheckRiquadro"),
                               shown("FramePunt", "ShapeRiquadro"),
                               shown("FramePunt", "CheckDisabilitaMousePersonalizzato"),
                               shown("FramePunt", "HScroll3")};
    };
    EXPECT_EQ(visible(), (VisibilitaInput{false, false, false, true, false}));
    click("Option4", 1);
    EXPECT_EQ(visible(), (VisibilitaInput{true, true, false, false, false}));
    click("CheckRiquadro");
    click("Option4", 2);
    EXPECT_EQ(visible(), (VisibilitaInput{true, true, true, false, true}));
    EXPECT_TRUE(shown("FramePunt", "HScrollRiquadro"));
    EXPECT_EQ(program.state.ModalitaInput, 2);
    EXPECT_TRUE(program.state.ConRiquadro);
    find<QScrollBar>("HScrollRiquadro")->setValue(20);
    EXPECT_EQ(program.state.SpessoreRiquadro, 20);
    EXPECT_EQ(find<ShapeControl>("ShapeRiquadro")->borderWidth(), 20);
}

// ---- users ----

// LUCA in force, ANNA beside him: focus alone chooses nobody; a choice saves
// the user being left (ticks included) and shows the chosen one's settings.
TEST_F(ConfigWindowTest, ChoosingAUserSavesTheOneBeforeAndLoadsTheChosenOne)
{
    env.writeProfile("anna.ini", 6);
    env.writeProfile("luca.ini", 4);
    env.writeProfile("_predefinito.INI", 3);
    program.state.NomeUtente = "LUCA";
    program.state.PercorsoProfilo = env.env().cartellaUtenti() + "luca.ini";
    LeggiProfilo(program.state, program.state.PercorsoProfilo, QString());
    openConfig();
    click("OptionUtente", 1);
    QListWidget* users = list("ListModificaUtente");
    ASSERT_EQ(users->count(), 2);
    EXPECT_EQ(users->item(0)->text(), "ANNA");
    EXPECT_EQ(users->selectedItems(), QList<QListWidgetItem*>{users->item(1)});
    QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(users, &tabbedIn);
    EXPECT_EQ(program.state.NomeUtente, "LUCA");

    button("Op_Lettere", 0)->setChecked(true); // q, ticked for LUCA
    QTest::keyClick(users, Qt::Key_Up);        // a keyboard move of the selection chooses
    EXPECT_EQ(program.state.NomeUtente, "ANNA");
    EXPECT_EQ(text("Label4"), "ANNA");
    EXPECT_EQ(program.state.MassimoLettere, 6);
    EXPECT_TRUE(button("OptionQuanteLettere", 2)->isChecked());
    EXPECT_FALSE(button("Op_Lettere", 0)->isChecked()); // ANNA's own letters
    EXPECT_TRUE(profileOf("luca.ini").LettereAttive[0]);

    click("OptionQuanteLettere", 3); // 13 letters for ANNA
    users->setCurrentRow(1);
    EXPECT_EQ(profileOf("anna.ini").MassimoLettere, 13);
    EXPECT_EQ(program.state.MassimoLettere, 4);

    click("OptionUtente", 0); // the default user, its own settings
    EXPECT_EQ(program.state.NomeUtente, "_predefinito");
    EXPECT_EQ(program.state.MassimoLettere, 3);
    EXPECT_TRUE(button("OptionQuanteLettere", 4)->isChecked());
    EXPECT_EQ(profileOf("luca.ini").MassimoLettere, 4);
    EXPECT_FALSE(find("CheckSalvaUtente")->isVisible());
    EXPECT_FALSE(users->isVisible());
}

// Deleting a user takes a Yes: then the profile (whatever its letter case),
// the switch settings and the history go, and the default user is shown. A
// profile that cannot be removed is told and the user stays.
TEST_F(ConfigWindowTest, DeletingAUserRemovesItsFilesAndHistoryAfterAYes)
{
    SqlHistory history{SqlHistory::fileIn(env.env().cartellaDati())};
    program.services.history = &history;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    history.record(historyWord("Luca", "DADO", {"1:BD"}, now));
    history.record(historyWord("Anna", "MELA", {"1:M"}, now));
    env.writeProfile("anna.ini", 6);
    env.writeProfile("Luca.INI", 4);
    const QString side = switchSettingsPath(env.env(), env.env().cartellaUtenti() + "Luca.INI");
    ASSERT_TRUE(writeSwitchSettings(SwitchSettings(), side));
    ASSERT_TRUE(QDir(env.env().cartellaUtenti()).mkdir("Pia.ini")); // a folder: stays
    openConfig();
    EXPECT_FALSE(find("CommandEliminaUtente")->isVisible()); // never the default user
    click("OptionUtente", 1);
    QListWidget* users = list("ListModificaUtente");
    ASSERT_EQ(users->count(), 3);

    users->setCurrentRow(1); // LUCA
    seams.messages.answers = {MessageBoxes::Answer::No};
    click("CommandEliminaUtente");
    EXPECT_TRUE(seams.messages.shown.back().text.contains("LUCA"));
    EXPECT_EQ(seams.messages.shown.back().buttons, Message::Buttons::YesNo);
    EXPECT_TRUE(QFile::exists(env.env().cartellaUtenti() + "Luca.INI"));
    EXPECT_EQ(program.state.NomeUtente, "LUCA");

    click("CommandEliminaUtente"); // answered Yes
    EXPECT_FALSE(QFile::exists(env.env().cartellaUtenti() + "Luca.INI"));
    EXPECT_FALSE(QFile::exists(side));
    EXPECT_TRUE(history.words("LUCA", TimeSpan{0, now + 1})->empty());
    EXPECT_EQ(history.words("Anna", TimeSpan{0, now + 1})->size(), 1u);
    EXPECT_EQ(program.state.NomeUtente, "_predefinito");
    EXPECT_EQ(text("Label4"), program.text("0241"));
    EXPECT_FALSE(find("CommandEliminaUtente")->isEnabled());
    ASSERT_EQ(users->count(), 2);
    EXPECT_EQ(users->item(0)->text(), "ANNA");

    users->setCurrentRow(1); // PIA, a folder
    const qsizetype before = seams.messages.shown.size();
    click("CommandEliminaUtente");
    ASSERT_EQ(seams.messages.shown.size(), before + 2);
    EXPECT_EQ(seams.messages.shown.back().text, program.text("0311").arg("PIA"));
    EXPECT_EQ(program.state.NomeUtente, "PIA");
    EXPECT_EQ(users->count(), 2);
    leave();
    settle();
    EXPECT_FALSE(QFile::exists(env.env().cartellaUtenti() + "LUCA.ini")); // not written again
    program.services.history = nullptr;
}

// A new user needs a name that can name a profile (refused at once, the
// teacher told); it starts with the settings in hand, tracking off.
TEST_F(ConfigWindowTest, ANewUserNeedsAProperNameAndTakesTheSettingsInHand)
{
    program.state.TieniTraccia = true;
    program.state.MassimoLettere = 6;
    openConfig();
    click("OptionUtente", 2);
    EXPECT_FALSE(program.state.TieniTraccia);
    leave(); // no name yet: the teacher is told how to go back
    ASSERT_EQ(messageTexts(), QStringList{program.text("0208")});
    EXPECT_TRUE(messageTexts()[0].contains(button("OptionUtente", 0)->text()));
    EXPECT_TRUE(messageTexts()[0].contains(button("OptionUtente", 1)->text()));
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormConfigura"}));

    auto* name = find<QLineEdit>("TextNuovoUtente");
    QTest::keyClicks(name, "Ma/rco");
    EXPECT_EQ(messageTexts().last(), program.text("0204"));
    EXPECT_EQ(name->text(), "Marco"); // the slash was refused
    name->setText("../../fuori");
    name->setText(QStringLiteral("a\tb"));
    name->setText("   "); // blanks change nothing, nor are they told
    EXPECT_EQ(seams.messages.shown.size(), 4u);
    EXPECT_EQ(program.state.NomeUtente, "Marco");
    EXPECT_EQ(text("Label4"), "Marco");
    name->setText("Marco");
    leave();
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
    EXPECT_EQ(QDir(env.env().cartellaUtenti()).entryList(QDir::Files),
              QStringList({"_predefinito.INI", "Marco.ini"}));
    EXPECT_EQ(QDir(env.env().cartellaOrtolino()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(profileOf("Marco.ini").MassimoLettere, 6);
    EXPECT_FALSE(profileOf("Marco.ini").TieniTraccia);
    EXPECT_TRUE(profileOf("_predefinito.INI").TieniTraccia); // saved when "Nuovo utente" was chosen
}

// ---- the switch tab ----

// Shown only while scanning, the automatic scan's bars only in automatic
// scanning; each control sets its setting at once, the sample row scans with
// the timing on the screen, and the side file gets it at "&Menu".
TEST_F(ConfigWindowTest, TheSwitchTabSetsTheChildsTimingAndLetsItBeTried)
{
    openConfig();
    auto* tabs = find<QTabBar>("TabStrip1");
    EXPECT_FALSE(tabs->isTabVisible(5));
    click("Option4", 1);
    ASSERT_TRUE(tabs->isTabVisible(5));
    tabs->setCurrentIndex(5);
    EXPECT_TRUE(find("FrameSensori")->isVisible());
    EXPECT_FALSE(shown("FrameSensori", "HScrollPrimo"));
    EXPECT_FALSE(shown("FrameSensori", "HScrollGiri"));
    click("Option4", 2);
    EXPECT_TRUE(shown("FrameSensori", "HScrollPrimo"));
    EXPECT_TRUE(shown("FrameSensori", "HScrollGiri"));

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

    // The sample row, as the child's scan will go.
    SwitchPanel* panel = nullptr; // no QObject of its own: findChild cannot tell it
    for (QObject* child : config->children())
        panel = panel ? panel : dynamic_cast<SwitchPanel*>(child);
    ASSERT_NE(panel, nullptr);
    auto* timer = find<QTimer>("TimerProva");
    auto* box = find<SwitchBox>("PictureProva");
    auto lit = [&] {
        QList<int> marked;
        for (int i = 0; i < 5; ++i) {
            if (background(find("TastoProva", i)) == qtColor(s.ColoreBottoneSelezionato))
                marked << i;
        }
        return marked;
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
        releaseSwitch(box, Qt::Key_Space);
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
    const ProgramState& s = program.state;
    EXPECT_FALSE(shown("FrameSensori", "OptionAscolto", 1));
    click("CheckAscolto");
    EXPECT_TRUE(s.auditoryScanning);
    ASSERT_TRUE(shown("FrameSensori", "OptionAscolto", 1));
    click("OptionAscolto", 1);
    EXPECT_EQ(s.auditoryStyle, AuditoryStyle::Cue);

    click("CheckIngrandisci");
    EXPECT_TRUE(s.enlargeHighlighted);
    EXPECT_FALSE(shown("FrameSensori", "CommandColoreRiquadro")); // no frame, no frame colour
    program.state.ConRiquadro = true;
    click("CheckTastieraCompatta"); // shows the whole state again
    EXPECT_TRUE(s.compactKeyboard);
    ASSERT_TRUE(shown("FrameSensori", "CommandColoreRiquadro"));
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
