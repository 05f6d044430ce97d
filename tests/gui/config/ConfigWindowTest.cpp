// The configuration window, every tab: what a teacher changes reaches the
// right user's profile, and only a deliberate choice changes the user.
#include "core/app/Profile.h"
#include "core/app/SwitchSettingsFile.h"
#include "core/history/SqlHistory.h"
#include "core/platform/Colore.h"
#include "core/platform/TextFiles.h"
#include "gui/config/FormConfigura.h"
#include "gui/widgets/Colors.h"
#include "support/HistoryWords.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// The real configuration window and the real menu it leads back to.
class ConfigWindowTest : public WindowFixture
{
protected:
    ConfigWindowTest()
    {
        QDir().mkpath(env.env().cartellaUtenti());
        ProgramState& s = program.state;
        PreparaTastiera(s);
        s.PercorsoProfilo = env.env().profiloPredefinito();
        s.LinguaAgente = QStringLiteral("1040");
        s.CartellaImmagini = QStringLiteral("immagini");
        s.CartellaListe = QStringLiteral("liste");
        s.ListaInUso = env.env().programFile(QStringLiteral("liste/predefinita.txt"));
    }

    FormConfigura* openConfig()
    {
        return config = qobject_cast<FormConfigura*>(windows.show("FormConfigura"));
    }

    template <typename Control = QWidget> Control* find(const char* name, int index = -1) const
    {
        return control<Control>(config, name, index);
    }
    QAbstractButton* button(const char* name, int index = -1) const
    {
        return find<QAbstractButton>(name, index);
    }
    QListWidget* list(const char* name) const { return find<QListWidget>(name); }
    QString text(const char* name) const { return find<QLabel>(name)->text(); }
    void click(const char* name, int index = -1) const { button(name, index)->click(); }
    // "&Menu"; returns the windows loaded then.
    QStringList leave()
    {
        control<QAction>(config, "mnuEsci")->trigger();
        return loaded();
    }
    bool shown(const char* page, const char* name, int index = -1) const
    {
        return find(name, index)->isVisibleTo(find(page));
    }

    ProfileSettings profileOf(const QString& fileName) const
    {
        ProfileSettings read;
        LeggiProfilo(read, env.env().cartellaUtenti() + fileName, QString());
        return read;
    }

    QStringList items(const char* name) const
    {
        QStringList texts;
        for (int i = 0; i < list(name)->count(); ++i)
            texts << list(name)->item(i)->text();
        return texts;
    }

    // Ticks exactly the letters given (keyboard letters, lower case).
    void tickOnly(const QString& letters) const
    {
        click("CommandDeselezionaTutte");
        for (int i = 0; i < kNumeroTasti; ++i)
            button("Op_Lettere", i)
                ->setChecked(letters.contains(button("Op_Lettere", i)->text().toLower()));
    }

    RecordingAgent& agent = seams.agent;
    FormConfigura* config = nullptr; // the window openConfig opened
};

// No letter: refused; fewer than three: asked. Ticks wait for "&Menu" or the
// close box, whatever else is chosen meanwhile.
TEST_F(ConfigWindowTest, LeavingNeedsALetterAndAsksAboutFewerThanThree)
{
    ASSERT_NE(openConfig(), nullptr);
    const QString profile = env.env().profiloPredefinito();
    click("CommandDeselezionaTutte");
    leave();
    ASSERT_EQ(messageTexts(), QStringList{program.text("0016")});
    EXPECT_FALSE(QFile::exists(profile));
    tickOnly("ae");
    click("corsivo");
    click("Option4", 2);
    click("Check1");
    seams.messages.answers = {MessageBoxes::Answer::No};
    leave();
    EXPECT_EQ(seams.messages.shown.back().text, program.text("0017"));
    EXPECT_EQ(seams.messages.shown.back().buttons, Message::Buttons::YesNo);
    EXPECT_FALSE(QFile::exists(profile));
    EXPECT_EQ(leave(), QStringList({"FormMenu"})); // answered Yes
    auto ticked = program.state.LettereAttive;
    ticked.fill(false);
    ticked[10] = ticked[2] = true; // a, e
    EXPECT_EQ(profileOf("_predefinito.INI").LettereAttive, ticked);
    openConfig(); // three letters leave without a question, by the close box too
    tickOnly("aeo");
    EXPECT_EQ(closeByBox(config), QStringList({"FormMenu"}));
    EXPECT_EQ(seams.messages.shown.size(), 3u);
    EXPECT_TRUE(profileOf("_predefinito.INI").LettereAttive[8]); // "o"
}

TEST_F(ConfigWindowTest, TheControlsShowTheStateAndEachSetsItsSettingAtOnce)
{
    ProgramState& s = program.state;
    s.CarattereLettere = kMinuscolo;
    s.ModalitaInput = kModoScansioneAutomatica;
    s.VelocitaScansione = 99; // a hand-edited profile: brought inside the bar
    s.UsaTutteLeImmagini = true;
    ASSERT_TRUE(SalvaProfilo(s, s.PercorsoProfilo));
    openConfig();
    EXPECT_TRUE(button("Check2")->isChecked());
    EXPECT_EQ(find<QScrollBar>("HScroll3")->value(), 60);
    EXPECT_EQ(s.VelocitaScansione, 60);
    find<QScrollBar>("HScroll3")->setValue(4);
    EXPECT_EQ(s.VelocitaScansione, 4);
    // Tab reaches every bar, and Right raises it (a scroll bar's own keys lower it).
    for (QScrollBar* bar : config->findChildren<QScrollBar*>(QRegularExpression("^HScroll"))) {
        bar->setValue(bar->minimum());
        QTest::keyClick(bar, Qt::Key_Right);
        EXPECT_EQ(bar->value(), bar->minimum() + 1) << bar->objectName().toStdString();
        EXPECT_TRUE(bar->focusPolicy() & Qt::TabFocus) << bar->objectName().toStdString();
    }
    click("OptionQuanteLettere", 4);
    EXPECT_EQ(s.MassimoLettere, 3);
    const std::pair<const char*, bool ProgramState::*> boxes[] = {
        {"CheckSalvaUtente", &ProgramState::TieniTraccia},
        {"CheckSuoni", &ProgramState::SuoniAttivi},
        {"CheckRiparti", &ProgramState::RipartiDallInizio},
        {"Check1", &ProgramState::ParlatoAttivo},
        {"CheckFesteggia", &ProgramState::celebration}};
    for (const auto& [box, setting] : boxes)
        for (bool checked : {true, false}) {
            button(box)->setChecked(checked);
            EXPECT_EQ(s.*setting, checked) << box;
        }
}

// Focus alone chooses nobody; a choice saves the user left and shows the chosen
// one's settings. A Yes deletes profile (any case), side file and history, or tells why not.
TEST_F(ConfigWindowTest, ChoosingAndDeletingUsers)
{
    SqlHistory history{SqlHistory::fileIn(env.env().cartellaDati())};
    program.services.history = &history;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    history.record(historyWord("Luca", "DADO", {"1:BD"}, now));
    env.writeProfile("anna.ini", 6);
    env.writeProfile("Luca.INI", 4);
    env.writeProfile("_predefinito.INI", 3);
    const QString luca = env.env().cartellaUtenti() + "Luca.INI";
    const QString side = switchSettingsPath(env.env(), luca);
    ASSERT_TRUE(writeSwitchSettings(SwitchSettings(), side));
    ASSERT_TRUE(QDir(env.env().cartellaUtenti()).mkdir("Pia.ini")); // a folder: stays
    program.state.NomeUtente = "LUCA";
    program.state.PercorsoProfilo = luca;
    LeggiProfilo(program.state, luca, QString());
    openConfig();
    click("OptionUtente", 1);
    QListWidget* users = list("ListModificaUtente");
    ASSERT_EQ(items("ListModificaUtente"), (QStringList{"ANNA", "LUCA", "PIA"}));
    EXPECT_EQ(users->selectedItems(), QList<QListWidgetItem*>{users->item(1)});
    QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(users, &tabbedIn);
    EXPECT_EQ(program.state.NomeUtente, "LUCA");
    button("Op_Lettere", 0)->setChecked(true); // q, ticked for LUCA
    QTest::keyClick(users, Qt::Key_Up);        // a keyboard move of the selection chooses
    EXPECT_EQ(program.state.NomeUtente, "ANNA");
    EXPECT_TRUE(button("OptionQuanteLettere", 2)->isChecked());
    EXPECT_FALSE(button("Op_Lettere", 0)->isChecked()); // ANNA's own letters
    EXPECT_TRUE(profileOf("Luca.INI").LettereAttive[0]);
    click("OptionUtente", 0); // the default user, its own settings
    EXPECT_EQ(program.state.NomeUtente, "_predefinito");
    EXPECT_TRUE(button("OptionQuanteLettere", 4)->isChecked());
    for (const char* hidden : {"CheckSalvaUtente", "ListModificaUtente", "CommandEliminaUtente"})
        EXPECT_FALSE(find(hidden)->isVisible()) << hidden; // never the default user deleted
    click("OptionUtente", 1);
    users->setCurrentRow(1); // LUCA
    seams.messages.answers = {MessageBoxes::Answer::No};
    click("CommandEliminaUtente");
    const Message& question = seams.messages.shown.back();
    EXPECT_TRUE(question.text.contains("LUCA"));
    EXPECT_EQ(std::pair(question.buttons, question.yesDestroys),
              std::pair(Message::Buttons::YesNo, true));
    EXPECT_TRUE(QFile::exists(luca));
    EXPECT_EQ(program.state.NomeUtente, "LUCA");
    click("CommandEliminaUtente"); // answered Yes
    EXPECT_EQ(std::pair(QFile::exists(luca), QFile::exists(side)), std::pair(false, false));
    EXPECT_TRUE(history.words("LUCA", TimeSpan{0, now + 1})->empty());
    ASSERT_EQ(items("ListModificaUtente"), (QStringList{"ANNA", "PIA"}));
    users->setCurrentRow(1); // PIA, a folder
    const qsizetype before = seams.messages.shown.size();
    click("CommandEliminaUtente");
    EXPECT_EQ(messageTexts().mid(before + 1), QStringList{program.text("0311").arg("PIA")});
    EXPECT_EQ(program.state.NomeUtente, "PIA");
    EXPECT_EQ(items("ListModificaUtente"), (QStringList{"ANNA", "PIA"}));
    leave();
    EXPECT_FALSE(QFile::exists(env.env().cartellaUtenti() + "LUCA.ini")); // not written again
    program.services.history = nullptr;
}

// A name that cannot name a profile is refused at once; the new user takes the settings.
TEST_F(ConfigWindowTest, ANewUserNeedsAProperNameAndTakesTheSettingsInHand)
{
    program.state.TieniTraccia = true;
    program.state.MassimoLettere = 6;
    openConfig();
    click("OptionUtente", 2);
    EXPECT_EQ(leave(), QStringList({"FormConfigura"})); // no name yet: told how to go back
    ASSERT_EQ(messageTexts(), QStringList{program.text("0208")});
    auto* name = find<QLineEdit>("TextNuovoUtente");
    QTest::keyClicks(name, "Ma/rco");
    EXPECT_EQ(messageTexts(), (QStringList{program.text("0208"), program.text("0204")}));
    EXPECT_EQ(name->text(), "Marco"); // the slash was refused
    name->setText("   ");             // blanks change nothing, nor are they told
    EXPECT_EQ(seams.messages.shown.size(), 2u);
    name->setText(" .Marco"); // a hidden profile once the blank is left out
    EXPECT_EQ(messageTexts(),
              (QStringList{program.text("0208"), program.text("0204"), program.text("0204")}));
    name->setText("Marco "); // the blanks around a name are not part of it
    EXPECT_EQ(leave(), QStringList({"FormMenu"}));
    EXPECT_EQ(QDir(env.env().cartellaUtenti()).entryList(QDir::Files),
              QStringList({"_predefinito.INI", "Marco.ini"}));
    EXPECT_EQ(QDir(env.env().cartellaOrtolino()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(profileOf("Marco.ini").MassimoLettere, 6);
    EXPECT_FALSE(profileOf("Marco.ini").TieniTraccia);
    EXPECT_TRUE(profileOf("_predefinito.INI").TieniTraccia); // saved when "Nuovo utente" was chosen

    // A name taken (any case, blanks) is never saved over; Marco stays as he was.
    openConfig();
    click("OptionUtente", 2);
    program.state.MassimoLettere = 3;
    find<QLineEdit>("TextNuovoUtente")->setText(" marco");
    EXPECT_EQ(leave(), QStringList({"FormMenu", "FormConfigura"}));
    EXPECT_EQ(messageTexts().last(), program.text("0224"));
    click("OptionUtente", 1);
    EXPECT_EQ(std::pair(program.state.NomeUtente, program.state.MassimoLettere),
              std::pair(QString("MARCO"), 6)); // as the menu's list gave him
    EXPECT_EQ(leave(), QStringList({"FormMenu"}));
    EXPECT_EQ(profileOf("Marco.ini").MassimoLettere, 6);
}

// The switch tab shows with a scan and sets the child's timing and choices.
TEST_F(ConfigWindowTest, TheSwitchTabSetsTheChildsTimingAndChoices)
{
    openConfig();
    auto* tabs = find<QTabBar>("TabStrip1");
    EXPECT_FALSE(tabs->isTabVisible(5));
    click("Option4", 1);
    ASSERT_TRUE(tabs->isTabVisible(5));
    click("CheckRiquadro");
    find<QScrollBar>("HScrollRiquadro")->setValue(20);
    EXPECT_TRUE(program.state.ConRiquadro);
    EXPECT_EQ(program.state.SpessoreRiquadro, 20);
    tabs->setCurrentIndex(5);
    click("Option4", 2);
    EXPECT_EQ(program.state.ModalitaInput, 2);
    for (const char* bar : {"HScroll3", "HScrollRiquadro"}) // the automatic scan's bars
        EXPECT_TRUE(shown("FramePunt", bar)) << bar;
    for (const char* bar : {"HScrollPrimo", "HScrollGiri"})
        EXPECT_TRUE(shown("FrameSensori", bar)) << bar;
    find<QScrollBar>("HScrollAccettazione")->setValue(4);
    find<QScrollBar>("HScrollIgnora")->setValue(5);
    find<QScrollBar>("HScrollPrimo")->setValue(5);
    find<QScrollBar>("HScrollGiri")->setValue(2);
    click("CheckMenuEsercizio");
    click("CheckConfermaEsci");
    const ProgramState& s = program.state;
    EXPECT_EQ(std::tuple(s.acceptanceMs, s.ignoreAfterChoiceMs, s.firstItemSteps,
                         s.loopsBeforePause, s.backToMenuTarget, s.confirmExit),
              std::tuple(200, 500, 2.5, 2, true, false));
    EXPECT_FALSE(shown("FrameSensori", "OptionAscolto", 1));
    click("CheckAscolto");
    EXPECT_TRUE(s.auditoryScanning);
    ASSERT_TRUE(shown("FrameSensori", "OptionAscolto", 1));
    click("OptionAscolto", 1);
    EXPECT_EQ(s.auditoryStyle, AuditoryStyle::Cue);
    click("CheckIngrandisci");
    EXPECT_TRUE(s.enlargeHighlighted);
    EXPECT_FALSE(shown("FrameSensori", "OptionOrdine", 1));
    click("CheckTastieraCompatta");
    EXPECT_TRUE(s.compactKeyboard);
    ASSERT_TRUE(shown("FrameSensori", "OptionOrdine", 1));
    click("OptionOrdine", 1);
    EXPECT_EQ(s.compactOrder, CompactOrder::Frequency);
    EXPECT_TRUE(button("CheckColoreRiquadro")->isChecked());
    seams.dialogs.colours.push_back(0x00FF00);
    click("CommandColoreRiquadro");
    EXPECT_EQ(s.highlightColour, 0x00FF00);
    EXPECT_FALSE(button("CheckColoreRiquadro")->isChecked());
    click("CheckColoreRiquadro");
    EXPECT_EQ(s.highlightColour, kHighlightAsMarkedKey);
}

constexpr int kTabVoce = 3;

// Cursive uses the handwriting face, print the one chosen; each colour is kept; a hard-to-see
// word or highlight is warned about; system colours bring the system pointer.
TEST_F(ConfigWindowTest, TheFontAndColourChoicesTakeWhatIsChosen)
{
    ProgramState& s = program.state;
    s.NomeFontScelto = "Verdana";
    openConfig();
    click("corsivo");
    seams.dialogs.fonts = {FontChoice{"DejaVu Serif", 300, true, false, false}};
    click("CommandSceltaFont");
    EXPECT_EQ(messageTexts(), QStringList{program.text("0008") + "\n" + program.text("0009")});
    EXPECT_EQ(std::tuple(s.NomeFont, s.DimensioneFont), std::tuple(QString("Tratto1"), 300));
    click("maiuscolo");
    EXPECT_EQ(find("LabelFontSelezionato")->font().family(), "DejaVu Serif");
    click("CommandSceltaFont"); // cancelled
    EXPECT_EQ(s.DimensioneFont, 300);
    // Each time the dialog opened on the print face, the size and the style in force.
    const FontChoice verdana{"Verdana", 28, false, false, false};
    EXPECT_EQ(seams.dialogs.fontStarts,
              (std::vector<FontChoice>{verdana, {"DejaVu Serif", 300, true, false, false}}));
    EXPECT_FALSE(find("CommandSceltaColori")->isEnabled()); // random colour by default
    click("OptionColoreCasualeFisso", 1);
    EXPECT_FALSE(s.ColoreCasuale);
    const Colore before = s.ColoreSfondo;
    click("CommandSceltaColori"); // cancelled
    EXPECT_EQ(s.ColoreSfondo, before);
    const QList<Colore> chosen = {0x00FF00, 0x0000FF, 0xFF0000, 0x00FFFF, 0x123456};
    seams.dialogs.colours = {chosen.begin(), chosen.end()};
    for (const char* name :
         {"CommandSceltaColori", "CommandSceltaColoreFont", "CommandSceltaSfondoTesto",
          "CommandSceltaColoreBottoni", "CommandSceltaColoreBottoniSelezionati"})
        click(name);
    EXPECT_EQ((QList<Colore>{s.ColoreSfondo, s.ColoreFont, s.ColoreSfondoTesto, s.ColoreBottoni,
                             s.ColoreBottoneSelezionato}),
              chosen);
    // A warning while the word's colour and its background are hard to tell apart.
    QWidget* readability = find("LabelAvvisoLeggibilita");
    EXPECT_FALSE(readability->isHidden()) << "red on blue";
    seams.dialogs.colours = {0xFFFFFF, 0xFFFFFF};
    click("CommandSceltaSfondoTesto");
    EXPECT_TRUE(readability->isHidden()) << "red on white";
    click("CommandSceltaColoreFont");
    EXPECT_FALSE(readability->isHidden()) << "white on white";
    QWidget* warning = find("LabelAvvisoContrasto");
    click("Option4", 2);
    EXPECT_TRUE(warning->isHidden()) << "a dark mark on light keys";
    seams.dialogs.colours = {storedColor(qtColor(s.ColoreBottoni))};
    click("CommandSceltaColoreBottoniSelezionati");
    EXPECT_FALSE(warning->isHidden());
    click("Option4", 0); // no scan, no highlight
    EXPECT_TRUE(warning->isHidden());
    unloadAll();
    s.ColoriDiSistema = true; // a profile with system colours checks the pointer when shown
    openConfig();
    EXPECT_TRUE(find("LabelAvvisoLeggibilita")->isHidden()) << "the desktop's colours";
    EXPECT_TRUE(s.MouseDiSistema);
}

// Voices and characters listed once however often the tab is shown; the one before
// kept when another cannot load; the bars set the test's voice.
TEST_F(ConfigWindowTest, TheVoiceTabListsVoicesAndCharactersAndTriesTheVoice)
{
    program.state.NomeAgente = "Merlin";
    agent.characters = {"merlin", "PEEDY"};
    openConfig();
    auto* tabs = find<QTabBar>("TabStrip1");
    tabs->setCurrentIndex(kTabVoce);
    tabs->setCurrentIndex(0);
    tabs->setCurrentIndex(kTabVoce);
    EXPECT_EQ(items("List1") + items("List2"), // voices by name, whatever the engine's order
              (QStringList{"English (America)", "Italian", "Merlin", "Peedy"}));
    // A voice this system lacks (a Windows one): the language's voice is shown, as it speaks.
    EXPECT_EQ(std::tuple(list("List1")->currentRow(), program.state.ModoVoce),
              std::tuple(1, ProgramState().ModoVoce));
    list("List1")->setCurrentRow(0);
    EXPECT_EQ(program.state.ModoVoce, "{en-US}");
    EXPECT_EQ(agent.calls.last(), "setTTSModeID {en-US}");
    list("List2")->setCurrentRow(1);
    EXPECT_EQ(program.state.NomeAgente, "Peedy");
    EXPECT_EQ(config->personaggio()->name(), "PEEDY");
    agent.characters = {"PEEDY"}; // Merlin went away meanwhile
    list("List2")->setCurrentRow(0);
    EXPECT_EQ(messageTexts(), QStringList({program.text("0207") + "\nMerlin"}));
    EXPECT_EQ(program.state.NomeAgente, "Peedy");
    EXPECT_EQ(list("List2")->currentRow(), 1);
    find<QScrollBar>("HScroll1")->setValue(200);
    find<QScrollBar>("HScroll2")->setValue(150);
    EXPECT_EQ(program.state.VelocitaVoce, 200);
    agent.calls.clear();
    click("CommandProvaVoce");
    EXPECT_EQ(agent.calls, QStringList({"Speak \\Spd=200\\\\Pit=150\\" + program.text("0022")}));
    agent.failing = {"Speak"}; // no sound output: the try says why it is silent
    click("CommandProvaVoce");
    EXPECT_EQ(messageTexts(),
              QStringList({program.text("0207") + "\nMerlin", program.text("0214")}));
}

// Settings that cannot be kept are told once.
TEST_F(ConfigWindowTest, WithoutACharacterComponentOrAProfileToWriteTheWindowStillWorks)
{
    program.services.agent = nullptr;
    QDir().mkpath(env.env().profiloPredefinito()); // a folder where the file should go
    openConfig();
    find<QTabBar>("TabStrip1")->setCurrentIndex(kTabVoce);
    EXPECT_EQ(items("List1") + items("List2"), QStringList());
    click("CommandProvaVoce");
    EXPECT_EQ(leave(), QStringList{"FormMenu"});
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_TRUE(seams.messages.shown[0].text.startsWith(program.text("0206")));
    EXPECT_TRUE(seams.messages.shown[0].text.endsWith(program.text("0211")));
}

constexpr const char* kAvailable = "ListImmaginiDisponibili";
constexpr const char* kInList = "ListImmaginiDaUtilizzare";

// The teacher's folder (its path told when it cannot be opened) gives its words to
// the list editor; marks and count follow the words across; the saved list is in use.
TEST_F(ConfigWindowTest, ANewListOfTheTeachersPicturesIsSavedAndReadBackAsTheListInUse)
{
    for (const char* name : {"cane.jpg", "Gatto.GIF", "sole.png", "farfalla.jpg"})
        env.writeProgramFile(QStringLiteral("immagini/") + name, "picture");
    QDir().mkpath(env.env().programFile("liste"));
    const auto listPath = [this](const QString& name) {
        return env.env().programFile("liste/" + name);
    };
    // Selects the words given on one side and moves them with its arrow.
    const auto move = [this](const char* from, const QStringList& words, const char* arrow) {
        for (int i = 0; i < list(from)->count(); ++i)
            list(from)->item(i)->setSelected(words.contains(list(from)->item(i)->text()));
        click(arrow);
    };
    program.state.MassimoLettere = 5; // FARFALLA will never be given
    openConfig();
    const QString own = env.env().writableTwin("immagini");
    seams.documents.hasViewer = false;
    click("CommandImmaginiProprie");
    writeFile(own + "/Mamma.gif", "picture");
    for (const char* other : {"papà.jpeg", "Nonna.PNG"}) // told, not left unseen
        writeFile(own + "/" + other, "picture");
    button("CommandCreaLista")->setFocus();
    click("CommandCreaLista");
    EXPECT_TRUE(find("FrameCreaNuovaLista")->isVisible());
    // The page under the editor takes no keys unseen, until the editor closes;
    // the focus goes into the editor and, once it is closed, back to the button.
    EXPECT_FALSE(button("CommandCreaLista")->isEnabled() || find("TabStrip1")->isEnabled());
    EXPECT_EQ(config->focusWidget(), list(kAvailable));
    EXPECT_EQ(items(kAvailable), QStringList({"CANE", "FARFALLA", "GATTO", "MAMMA"}));
    const auto marked = [this](const char* side, int row) {
        return list(side)->item(row)->toolTip() == program.text("0222");
    };
    EXPECT_TRUE(marked(kAvailable, 1));
    EXPECT_FALSE(marked(kAvailable, 0));
    click("CommandSalvaLista"); // nothing on the list side
    EXPECT_EQ(messageTexts(), QStringList({program.text("0248").arg(own),
                                           program.text("0227").arg("Nonna.PNG, papà.jpeg"),
                                           program.text("0012")}));
    EXPECT_TRUE(seams.dialogs.fileRequests.empty());
    move(kAvailable, {"CANE"}, "Command1");
    EXPECT_EQ(text("LabelParoleAdatte"), program.text("0215").arg(1).arg(1)); // singular
    move(kAvailable, {"GATTO", "FARFALLA"}, "Command1");
    EXPECT_TRUE(marked(kInList, 1));
    EXPECT_EQ(text("LabelParoleAdatte"), program.text("0221").arg(2).arg(3));
    move(kInList, {"FARFALLA"}, "Command2");
    EXPECT_TRUE(marked(kAvailable, 0));
    EXPECT_EQ(items(kInList), QStringList({"CANE", "GATTO"}));
    // An unsaved list is closed only on a yes, by "Chiudi" or by leaving.
    seams.messages.answers = {MessageBoxes::Answer::No, MessageBoxes::Answer::No};
    click("Command7");
    EXPECT_EQ(leave(), QStringList({"FormConfigura"}));
    EXPECT_EQ(messageTexts().mid(3), QStringList(2, program.text("0223")));
    EXPECT_TRUE(seams.messages.shown.back().yesDestroys);
    EXPECT_TRUE(find("FrameCreaNuovaLista")->isVisible());
    EXPECT_EQ(items(kInList), QStringList({"CANE", "GATTO"}));
    QDir().mkpath(listPath("cartella.txt")); // a folder where the file should go
    const QString before = program.state.ListaInUso;
    seams.dialogs.files = {listPath("cartella.txt"), listPath("animali")};
    click("CommandSalvaLista");
    EXPECT_TRUE(seams.messages.shown.back().text.startsWith(program.text("0205")));
    EXPECT_EQ(program.state.ListaInUso, before);
    click("CommandSalvaLista");
    ASSERT_EQ(seams.dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(seams.dialogs.fileRequests[1].kind, Dialogs::Save);
    const QString saved = listPath("animali.txt");
    EXPECT_EQ(program.state.ListaInUso, saved);
    EXPECT_EQ(text("LabelListaInUso"), "animali.txt");
    const size_t asked = seams.messages.shown.size();
    click("Command7"); // saved: closed without a question
    EXPECT_FALSE(find("FrameCreaNuovaLista")->isVisible());
    EXPECT_TRUE(config->focusWidget() == button("CommandCreaLista") &&
                find("TabStrip1")->isEnabled());
    EXPECT_EQ(seams.messages.shown.size(), asked);
    // A word without a picture here is shown, marked, and kept by a save over its list.
    writeFile(saved, readFileBytes(saved).value() + "VOLPE\r\n");
    click("CommandModificaListaInUso");
    EXPECT_EQ(items(kInList), QStringList({"CANE", "GATTO", "VOLPE"}));
    EXPECT_EQ(items(kAvailable), QStringList({"FARFALLA", "MAMMA"}));
    EXPECT_EQ(list(kInList)->item(2)->toolTip(), program.text("0225"));
    EXPECT_EQ(text("LabelParoleAdatte"), program.text("0221").arg(2).arg(3));
    seams.dialogs.files = {saved};
    click("CommandSalvaLista");
    EXPECT_EQ(readFileBytes(saved), QByteArray("CANE\r\nGATTO\r\nVOLPE\r\n"));
    click("CommandSvuotaLista");
    EXPECT_EQ(items(kAvailable), QStringList({"CANE", "FARFALLA", "GATTO", "MAMMA"}));
    seams.dialogs.files = {QString()}; // cancelled: the list in use stays
    click("CommandSalvaLista");
    EXPECT_EQ(program.state.ListaInUso, saved);
    // Every picture instead of the list; a list chosen is the list in use instead.
    seams.messages.answers = {MessageBoxes::Answer::Yes}; // the page is under the editor
    click("Command7");
    click("Check2");
    EXPECT_TRUE(program.state.UsaTutteLeImmagini);
    click("CommandCambiaListaInUso"); // cancelled
    EXPECT_EQ(messageTexts().last(), program.text("0011"));
    EXPECT_EQ(program.state.ListaInUso, saved);
    EXPECT_EQ(seams.dialogs.fileRequests.back().kind, Dialogs::Open);
    // A file that cannot be read is refused with a message, the list in use kept.
    seams.dialogs.files = {listPath("frutta.txt")};
    click("CommandCambiaListaInUso");
    EXPECT_EQ(messageTexts().last(), program.text("0228") + '\n' + listPath("frutta.txt"));
    EXPECT_EQ(program.state.ListaInUso, saved);
    writeFile(listPath("frutta.txt"), "MELA\r\n");
    seams.dialogs.files = {listPath("frutta.txt")};
    click("CommandCambiaListaInUso");
    EXPECT_EQ(program.state.ListaInUso, listPath("frutta.txt"));
    EXPECT_EQ(text("LabelListaInUso"), "frutta.txt");
    EXPECT_FALSE(button("Check2")->isChecked());
    EXPECT_FALSE(program.state.UsaTutteLeImmagini);
}

} // namespace
