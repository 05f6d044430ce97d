#include "core/config/ConfigSettings.h"
#include "gui/config/ConfigFixture.h"
#include "gui/widgets/FormTranslator.h"
#include "gui/widgets/ShapeControl.h"

#include <QScreen>

using namespace ortolino;
using namespace ortolino::test;

namespace {

using ConfigWindowTest = ConfigFixture;

// ---- the way out ----

TEST_F(ConfigWindowTest, LeavingNeedsALetterAndAsksAboutFewerThanThree)
{
    FormConfigura* config = openConfig();
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(config->geometry(), config->screen()->availableGeometry());
    const QString profile = env.env().profiloPredefinito();

    config->CommandDeselezionaTutte->click();
    config->mnuEsci->trigger();
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].text, program.text("0016"));
    EXPECT_EQ(seams.messages.shown[0].icon, Message::Icon::Critical);
    EXPECT_FALSE(QFile::exists(profile));

    tickOnly(config, "ae");
    seams.messages.answers = {MessageBoxes::Answer::No};
    config->mnuEsci->trigger();
    EXPECT_EQ(seams.messages.shown.back().text, program.text("0017"));
    EXPECT_EQ(seams.messages.shown.back().buttons, Message::Buttons::YesNo);
    EXPECT_FALSE(QFile::exists(profile));
    EXPECT_TRUE(program.state.LettereAttive[2]); // "e" still from before

    config->mnuEsci->trigger(); // answered Yes
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
    const ProgramState saved = profileOf("_predefinito.INI");
    for (int i = 0; i < kNumeroTasti; ++i) {
        const QString letter = program.state.LettereTastiera[static_cast<size_t>(i + 1)];
        EXPECT_EQ(saved.LettereAttive[static_cast<size_t>(i)], letter == "a" || letter == "e");
    }
}

TEST_F(ConfigWindowTest, ThreeLettersLeaveWithoutAQuestionAndTheCloseBoxLeavesTheSameWay)
{
    FormConfigura* config = openConfig();
    tickOnly(config, "aeo");
    config->close(); // the close box
    QTest::qWait(0);
    settle();
    EXPECT_TRUE(seams.messages.shown.empty());
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
    EXPECT_TRUE(QFile::exists(env.env().profiloPredefinito()));
}

TEST_F(ConfigWindowTest, TickedLettersSurviveOtherChoicesUntilMenu)
{
    FormConfigura* config = openConfig();
    tickOnly(config, "aeo");
    config->corsivo->click();
    config->Option4[2]->click();
    config->Check1->click();
    EXPECT_TRUE(config->Op_Lettere[10]->isChecked()); // "a"
    EXPECT_FALSE(config->Op_Lettere[3]->isChecked()); // "r"
    EXPECT_TRUE(program.state.LettereAttive[3]);      // not confirmed yet
    config->mnuEsci->trigger();
    EXPECT_FALSE(program.state.LettereAttive[3]);
    EXPECT_TRUE(program.state.LettereAttive[10]);
}

TEST_F(ConfigWindowTest, AProfileThatCannotBeWrittenKeepsTheWindowOpen)
{
    QDir().mkpath(env.env().profiloPredefinito()); // a folder where the file should go
    FormConfigura* config = openConfig();
    config->mnuEsci->trigger();
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormConfigura"}));
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_TRUE(seams.messages.shown[0].text.startsWith(program.text("0206")));
}

TEST_F(ConfigWindowTest, EveryTextOfTheLanguageFileFindsItsControl)
{
    FormConfigura* config = openConfig();
    QFile file(env.env().programFile("lngortolino/Italiano.lng"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype start = text.indexOf("[FormConfigura]");
    const qsizetype end = text.indexOf("\n[", start);
    QStringList missing;
    int checked = 0;
    for (const QString& line : text.mid(start, end - start).split('\n').mid(1)) {
        const QString key = line.left(line.indexOf('=')).trimmed();
        const QString control = key.left(key.indexOf('.'));
        if (key.isEmpty() || control == "FormConfigura" || key.startsWith("TabStrip1.TabCaption"))
            continue;
        const QString name = control.left(control.indexOf('('));
        const int index =
            control.contains('(') ? control.mid(name.size() + 1).chopped(1).toInt() : -1;
        bool found = false;
        for (QObject* candidate : config->findChildren<QObject*>(name))
            found = found || candidate->property("Index").toInt() == index ||
                    (index < 0 && !candidate->property("Index").isValid());
        if (!found)
            missing << key;
        ++checked;
    }
    EXPECT_GT(checked, 50);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();

    program.language.CurrentLanguage = "English";
    MLSLoadFormStrings(config, program.language);
    EXPECT_EQ(config->TabStrip1->tabText(3), "Voice and sounds");
}

// ---- program state to controls ----

TEST_F(ConfigWindowTest, TheControlsShowTheStateWhenTheWindowOpens)
{
    ProgramState& s = program.state;
    s.MassimoLettere = 7;
    s.CarattereLettere = kMinuscolo;
    s.UsaTutteLeImmagini = true;
    s.NomeUtente = "ANNA";
    FormConfigura* config = openConfig();
    for (QRadioButton* option : config->OptionQuanteLettere)
        EXPECT_FALSE(option->isChecked());
    EXPECT_EQ(config->Op_Lettere[0]->text(), "q");
    EXPECT_EQ(config->Op_Lettere[25]->text(), "m");
    EXPECT_EQ(config->LabelListaInUso->text(), "");
    EXPECT_EQ(config->Label4->text(), "ANNA");
    EXPECT_TRUE(config->OptionUtente[0]->isChecked());
    EXPECT_TRUE(config->FrameUtente->isVisible());
    EXPECT_FALSE(config->FrameLettere->isVisible());

    config->maiuscolo->click();
    EXPECT_EQ(config->Op_Lettere[0]->text(), "Q");
    config->OptionQuanteLettere[4]->click();
    EXPECT_EQ(s.MassimoLettere, 3);
    config->OptionQuanteLettere[3]->click();
    EXPECT_EQ(s.MassimoLettere, 13);
}

TEST_F(ConfigWindowTest, TheInputModeShowsItsOwnControls)
{
    FormConfigura* config = openConfig();
    auto visible = [config](QWidget* w) { return w->isVisibleTo(config->FramePunt); };
    auto shown = [&] {
        return VisibilitaInput{visible(config->CheckRiparti), visible(config->CheckRiquadro),
                               visible(config->ShapeRiquadro),
                               visible(config->CheckDisabilitaMousePersonalizzato),
                               visible(config->HScroll3)};
    };
    EXPECT_EQ(shown(), (VisibilitaInput{false, false, false, true, false}));
    config->Option4[1]->click();
    EXPECT_EQ(shown(), (VisibilitaInput{true, true, false, false, false}));
    config->CheckRiquadro->click();
    EXPECT_EQ(shown(), (VisibilitaInput{true, true, true, false, false}));
    EXPECT_TRUE(visible(config->HScrollRiquadro));
    config->Option4[2]->click();
    EXPECT_EQ(shown(), (VisibilitaInput{true, true, true, false, true}));
    EXPECT_EQ(visible(config->Label7), true);
    EXPECT_TRUE(visible(config->CommandSceltaColoreBottoniSelezionati));
    EXPECT_EQ(program.state.ModalitaInput, 2);
    EXPECT_TRUE(program.state.ConRiquadro);

    config->HScrollRiquadro->setValue(20);
    EXPECT_EQ(program.state.SpessoreRiquadro, 20);
    EXPECT_EQ(config->ShapeRiquadro->borderWidth(), 20);
}

TEST_F(ConfigWindowTest, TheScanSpeedLabelAndValuesOutsideTheBars)
{
    ProgramState& s = program.state;
    s.ModalitaInput = 2;
    s.VelocitaScansione = 99; // a hand-edited profile
    s.VelocitaVoce = 1000;
    ASSERT_TRUE(SalvaProfilo(s));
    FormConfigura* config = openConfig();
    EXPECT_EQ(config->HScroll3->value(), 60);
    EXPECT_EQ(s.VelocitaScansione, 60);
    EXPECT_EQ(config->Label7->text(), testoVelocitaScansione(60));
    EXPECT_EQ(config->HScroll1->value(), 250);
    EXPECT_EQ(profileOf("_predefinito.INI").VelocitaScansione, 99); // until the teacher saves

    config->HScroll3->setValue(4);
    const QString decimal = QLocale().decimalPoint();
    EXPECT_EQ(config->Label7->text(), "Velocità scansione: 1" + decimal + "00 secondi");
    config->HScroll3->setValue(60);
    EXPECT_EQ(config->Label7->text(), "Velocità scansione: 15" + decimal + "00 secondi");
    EXPECT_EQ(s.VelocitaScansione, 60);
}

// ---- users ----

TEST_F(ConfigWindowTest, ChoosingAUserSavesTheOneBeforeAndLoadsTheChosenOne)
{
    writeProfile("anna.ini", 6);
    writeProfile("Luca.INI", 4);
    writeProfile("_predefinito.ini", 5);
    FormConfigura* config = openConfig();
    config->OptionQuanteLettere[3]->click(); // 13 letters for the default user

    config->OptionUtente[1]->click();
    QStringList listed;
    for (int i = 0; i < config->ListModificaUtente->count(); ++i)
        listed << config->ListModificaUtente->item(i)->text();
    EXPECT_EQ(listed, QStringList({"ANNA", "LUCA"}));

    config->ListModificaUtente->setCurrentRow(0);
    EXPECT_EQ(profileOf("_predefinito.ini").MassimoLettere, 13);
    EXPECT_EQ(program.state.NomeUtente, "ANNA");
    EXPECT_EQ(config->Label4->text(), "ANNA");
    EXPECT_EQ(program.state.MassimoLettere, 6);
    EXPECT_TRUE(config->OptionQuanteLettere[2]->isChecked());

    config->OptionQuanteLettere[0]->click();
    config->ListModificaUtente->setCurrentRow(1);
    EXPECT_EQ(profileOf("anna.ini").MassimoLettere, 4);
    EXPECT_EQ(program.state.MassimoLettere, 4); // Luca's own
    EXPECT_EQ(program.state.PercorsoProfilo, env.env().cartellaUtenti() + "LUCA.ini");

    config->OptionUtente[0]->click(); // the default user, not read back
    EXPECT_EQ(program.state.NomeUtente, "_predefinito");
    EXPECT_FALSE(config->CheckSalvaUtente->isVisible());
    EXPECT_FALSE(config->ListModificaUtente->isVisible());
}

TEST_F(ConfigWindowTest, ANewUserTypedThenMenuIsCreatedWithTheSettingsInHand)
{
    program.state.TieniTraccia = true;
    program.state.MassimoLettere = 6;
    FormConfigura* config = openConfig();
    config->OptionUtente[2]->click();
    EXPECT_FALSE(program.state.TieniTraccia);
    QTest::keyClicks(config->TextNuovoUtente, "Marco");
    EXPECT_EQ(config->Label4->text(), "Marco");
    EXPECT_EQ(program.state.NomeUtente, "Marco");
    config->mnuEsci->trigger();
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
    const ProgramState marco = profileOf("Marco.ini");
    EXPECT_EQ(marco.MassimoLettere, 6);
    EXPECT_FALSE(marco.TieniTraccia);
    EXPECT_TRUE(profileOf("_predefinito.INI").TieniTraccia); // saved when "Nuovo utente" was chosen
}

TEST_F(ConfigWindowTest, NamesThatCannotNameAProfileAreRefused)
{
    FormConfigura* config = openConfig();
    config->OptionUtente[2]->click();
    QTest::keyClicks(config->TextNuovoUtente, "Ma/rco");
    EXPECT_EQ(messageTexts(), QStringList({program.text("0204")}));
    EXPECT_EQ(config->TextNuovoUtente->text(), "Marco"); // the slash was refused
    EXPECT_EQ(program.state.NomeUtente, "Marco");

    config->TextNuovoUtente->setText("../../fuori");
    config->TextNuovoUtente->setText(QStringLiteral("a\tb"));
    EXPECT_EQ(seams.messages.shown.size(), 3u);
    EXPECT_EQ(program.state.NomeUtente, "Marco");

    config->TextNuovoUtente->setText("   "); // blanks change nothing
    EXPECT_EQ(program.state.NomeUtente, "Marco");
    config->mnuEsci->trigger(); // but a new user needs a name
    EXPECT_EQ(seams.messages.shown.back().text, program.text("0204"));
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormConfigura"}));
    EXPECT_EQ(QDir(env.env().cartellaUtenti()).entryList(QDir::Files),
              QStringList({"_predefinito.INI"}));
    EXPECT_EQ(QDir(env.env().cartellaOrtolino()).entryList(QDir::Files), QStringList());
}

TEST_F(ConfigWindowTest, TheTrackingBoxSetsTheSwitchAtOnce)
{
    FormConfigura* config = openConfig();
    config->CheckSalvaUtente->click();
    EXPECT_TRUE(program.state.TieniTraccia);
    config->CheckSalvaUtente->click();
    EXPECT_FALSE(program.state.TieniTraccia);
}

} // namespace
