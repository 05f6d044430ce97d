// The configuration window's appearance, voice and word-list tabs.
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
    EXPECT_EQ(messageTexts(), QStringList{program.text("0008") + "\n" + program.text("0009")});
    EXPECT_EQ(s.NomeFont, "Tratto1");
    EXPECT_EQ(s.DimensioneFont, 36);

    click("maiuscolo");
    EXPECT_EQ(button("Op_Lettere", 0)->text(), "Q");
    EXPECT_EQ(find("LabelFontSelezionato")->font().family(), "DejaVu Serif");
    click("CommandSceltaFont"); // cancelled
    EXPECT_EQ(s.DimensioneFont, 36);
}

TEST_F(AppearanceVoiceWindowTest, SystemColoursAlsoTurnOnTheSystemPointer)
{
    ProgramState& s = program.state;
    s.ColoriDiSistema = true; // a profile with system colours checks the pointer when shown
    openConfig();
    EXPECT_TRUE(s.MouseDiSistema);
    EXPECT_FALSE(find("Frame6")->isEnabled());
    click("CheckImpostazioniSistema");
    click("CheckDisabilitaMousePersonalizzato");
    EXPECT_FALSE(s.ColoriDiSistema);
    EXPECT_FALSE(s.MouseDiSistema);
    EXPECT_TRUE(find("Frame6")->isEnabled());
    click("CheckImpostazioniSistema");
    EXPECT_TRUE(s.MouseDiSistema);
    EXPECT_TRUE(button("CheckDisabilitaMousePersonalizzato")->isChecked());
}

// Each colour button takes a chosen colour (a cancel changes nothing) and
// shows it; a highlight that hardly stands out is warned about while scanning.
TEST_F(AppearanceVoiceWindowTest, TheColourButtonsTakeAChosenColourAndWarnAboutAWeakHighlight)
{
    ProgramState& s = program.state;
    openConfig();
    EXPECT_FALSE(find("CommandSceltaColori")->isEnabled()); // random colour by default
    click("OptionColoreCasualeFisso", 1);
    EXPECT_FALSE(s.ColoreCasuale);
    const Colore before = s.ColoreSfondo;
    click("CommandSceltaColori"); // cancelled
    EXPECT_EQ(s.ColoreSfondo, before);
    seams.dialogs.colours = {0x00FF00, 0x0000FF, 0xFF0000, 0x00FFFF, 0x123456};
    for (const char* name :
         {"CommandSceltaColori", "CommandSceltaColoreFont", "CommandSceltaSfondoTesto",
          "CommandSceltaColoreBottoni", "CommandSceltaColoreBottoniSelezionati"})
        click(name);
    QWidget* sample = find("LabelFontSelezionato");
    EXPECT_EQ(s.ColoreSfondo, 0x00FF00);
    EXPECT_EQ(background(find("FrameLettere")), QColor(0, 255, 0));
    EXPECT_EQ(s.ColoreFont, 0x0000FF);
    EXPECT_EQ(sample->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(s.ColoreSfondoTesto, 0xFF0000);
    EXPECT_EQ(background(sample), QColor(0, 0, 255));
    EXPECT_EQ(s.ColoreBottoni, 0x00FFFF);
    EXPECT_EQ(background(find("CommandSceltaColoreBottoni")), QColor(255, 255, 0));
    EXPECT_EQ(background(find("CommandSceltaColoreBottoniSelezionati")), qtColor(0x123456));

    QWidget* warning = find("LabelAvvisoContrasto");
    click("Option4", 2);
    EXPECT_TRUE(warning->isHidden()) << "a dark mark on light keys";
    seams.dialogs.colours = {storedColor(qtColor(s.ColoreBottoni))};
    click("CommandSceltaColoreBottoniSelezionati");
    EXPECT_FALSE(warning->isHidden());
    EXPECT_EQ(text("LabelAvvisoContrasto"),
              program.text("0451").arg(QLocale().toString(1.0, 'f', 1)));
    click("Option4", 0); // no scan, no highlight
    EXPECT_TRUE(warning->isHidden());
}

// ---- voice ----

TEST_F(AppearanceVoiceWindowTest, TheSpeechBarsSetTheVoiceTheTestSpeaksWithItAndSpeechOffStopsThem)
{
    openConfig();
    EXPECT_EQ(text("Label1"), program.text("0014") + "130");
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

// The voice tab lists voices and characters once however often it is shown,
// shows the character, and keeps the one before when another cannot load.
TEST_F(AppearanceVoiceWindowTest, TheVoiceTabListsVoicesAndCharactersAndShowsTheCharacter)
{
    program.state.NomeAgente = "Merlin";
    agent.characters = {"merlin", "PEEDY"};
    openConfig();
    auto* tabs = find<QTabBar>("TabStrip1");
    tabs->setCurrentIndex(kTabVoce);
    tabs->setCurrentIndex(0);
    agent.calls.clear();
    tabs->setCurrentIndex(kTabVoce);
    EXPECT_EQ(list("List1")->count(), 2);
    ASSERT_EQ(list("List2")->count(), 2);
    EXPECT_EQ(list("List2")->item(1)->text(), "Peedy");
    EXPECT_EQ(list("List2")->currentRow(), 0);
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

    tabs->setCurrentIndex(kTabVoce);
    agent.characters = {"PEEDY"}; // Merlin went away meanwhile
    list("List2")->setCurrentRow(0);
    EXPECT_EQ(messageTexts(), QStringList({program.text("0207") + "\nMerlin"}));
    EXPECT_EQ(program.state.NomeAgente, "Peedy");
    EXPECT_EQ(list("List2")->currentRow(), 1);
}

TEST_F(AppearanceVoiceWindowTest, WithoutACharacterComponentTheWindowStillWorks)
{
    program.services.agent = nullptr;
    openConfig();
    find<QTabBar>("TabStrip1")->setCurrentIndex(kTabVoce);
    EXPECT_EQ(list("List1")->count(), 0);
    EXPECT_EQ(list("List2")->count(), 0);
    click("CommandProvaVoce");
    leave();
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList{"FormMenu"});
}

// ---- word lists ----

class ListEditorWindowTest : public ConfigFixture
{
protected:
    ListEditorWindowTest()
    {
        for (const char* name : {"cane.jpg", "Gatto.GIF", "sole.png", "farfalla.jpg"})
            env.writeProgramFile(QStringLiteral("immagini/") + name, "picture");
        QDir().mkpath(env.env().programFile("liste"));
    }

    QStringList wordsOf(const char* name) const
    {
        QStringList words;
        for (int i = 0; i < list(name)->count(); ++i)
            words << list(name)->item(i)->text();
        return words;
    }

    // Selects the words given on one side and moves them with its arrow.
    void move(const char* from, const QStringList& words, const char* arrow) const
    {
        QListWidget* side = list(from);
        for (int i = 0; i < side->count(); ++i)
            side->item(i)->setSelected(words.contains(side->item(i)->text()));
        click(arrow);
    }

    QString listPath(const QString& name) const { return env.env().programFile("liste/" + name); }
};

constexpr const char* kAvailable = "ListImmaginiDisponibili";
constexpr const char* kInList = "ListImmaginiDaUtilizzare";

// Which words fit the user is the core's test; here: the marks and the count
// follow the words across, the saved list is the list in use, and the editor
// reads it back.
TEST_F(ListEditorWindowTest, ANewListIsMadeSavedAndReadBackAsTheListInUse)
{
    program.state.MassimoLettere = 5; // FARFALLA will never be given
    openConfig();
    click("CommandCreaLista");
    EXPECT_TRUE(find("FrameCreaNuovaLista")->isVisible());
    EXPECT_EQ(wordsOf(kAvailable), QStringList({"CANE", "FARFALLA", "GATTO"}));
    const auto marked = [this](const char* side, int row) {
        const QListWidgetItem* item = list(side)->item(row);
        const bool tipped = item->toolTip() == program.text("0222");
        EXPECT_EQ(item->font().italic(), tipped);
        return tipped;
    };
    EXPECT_TRUE(marked(kAvailable, 1));
    EXPECT_FALSE(marked(kAvailable, 0));
    click("CommandSalvaLista"); // nothing on the list side
    EXPECT_EQ(messageTexts(), QStringList({program.text("0012")}));
    EXPECT_TRUE(seams.dialogs.fileRequests.empty());

    move(kAvailable, {"GATTO", "CANE", "FARFALLA"}, "Command1");
    EXPECT_TRUE(marked(kInList, 1));
    EXPECT_EQ(text("LabelParoleAdatte"), program.text("0221").arg(2).arg(3));
    move(kInList, {"FARFALLA"}, "Command2");
    EXPECT_TRUE(marked(kAvailable, 0));
    EXPECT_EQ(wordsOf(kInList), QStringList({"CANE", "GATTO"}));

    seams.dialogs.files = {listPath("animali")};
    click("CommandSalvaLista");
    ASSERT_EQ(seams.dialogs.fileRequests.size(), 1u);
    const auto& request = seams.dialogs.fileRequests[0];
    EXPECT_EQ(request.kind, Dialogs::Save);
    EXPECT_EQ(request.initialFolder, env.env().programFile("liste/"));
    EXPECT_EQ(request.defaultExtension, "txt");
    const QString saved = listPath("animali.txt");
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(program.state.ListaInUso, saved);
    EXPECT_EQ(text("LabelListaInUso"), "animali.txt"); // the name; the path in the tooltip
    EXPECT_EQ(find("LabelListaInUso")->toolTip(), saved);

    click("Command7");
    EXPECT_FALSE(find("FrameCreaNuovaLista")->isVisible());
    click("CommandModificaListaInUso");
    EXPECT_EQ(wordsOf(kInList), QStringList({"CANE", "GATTO"}));
    EXPECT_EQ(wordsOf(kAvailable), QStringList({"FARFALLA"}));
    EXPECT_FALSE(find("Picture1")->isVisible()); // the waiting notice went
    click("CommandSvuotaLista");
    EXPECT_EQ(wordsOf(kAvailable).size(), 3);
    seams.dialogs.files = {QString()}; // cancelled: the list in use stays
    click("CommandSalvaLista");
    EXPECT_EQ(program.state.ListaInUso, saved);
}

TEST_F(ListEditorWindowTest, AListThatCannotBeWrittenLeavesTheListInUseAlone)
{
    QDir().mkpath(listPath("cartella.txt")); // a folder where the file should go
    const QString before = program.state.ListaInUso;
    openConfig();
    click("CommandCreaLista");
    move(kAvailable, {"CANE"}, "Command1");
    seams.dialogs.files = {listPath("cartella.txt")};
    click("CommandSalvaLista");
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_TRUE(seams.messages.shown[0].text.startsWith(program.text("0205")));
    EXPECT_EQ(program.state.ListaInUso, before);
}

// A list chosen is the list in use instead of every picture; a cancel keeps
// the one before; the teacher can go back to every picture.
TEST_F(ListEditorWindowTest, AChosenListIsTheListInUseAndACancelKeepsTheOneBefore)
{
    program.state.UsaTutteLeImmagini = true;
    const QString before = program.state.ListaInUso;
    openConfig();
    EXPECT_TRUE(button("Check2")->isChecked());
    click("CommandCambiaListaInUso"); // cancelled
    EXPECT_EQ(messageTexts(), QStringList({program.text("0011")}));
    EXPECT_EQ(program.state.ListaInUso, before);
    EXPECT_EQ(seams.dialogs.fileRequests.at(0).kind, Dialogs::Open);

    seams.dialogs.files = {listPath("frutta.txt")};
    click("CommandCambiaListaInUso");
    EXPECT_EQ(program.state.ListaInUso, listPath("frutta.txt"));
    EXPECT_EQ(text("LabelListaInUso"), "frutta.txt");
    EXPECT_FALSE(button("Check2")->isChecked());
    EXPECT_FALSE(program.state.UsaTutteLeImmagini);
    click("Check2");
    EXPECT_TRUE(program.state.UsaTutteLeImmagini);
    EXPECT_EQ(text("LabelListaInUso"), "");
}

} // namespace
