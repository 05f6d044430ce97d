// The configuration window, every tab: what a teacher changes reaches the
// right user's profile, and only a deliberate choice changes the user.
#include "core/app/Profile.h"
#include "core/app/SwitchSettingsFile.h"
#include "core/config/ConfigSettings.h"
#include "core/history/SqlHistory.h"
#include "core/platform/Colore.h"
#include "core/platform/TextFiles.h"
#include "gui/config/FormConfigura.h"
#include "gui/config/SwitchPanel.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/FittedText.h"
#include "gui/widgets/ShapeControl.h"
#include "support/HistoryWords.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

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

    ~ConfigWindowTest() override { QApplication::setPalette(desktop); }

    RecordingAgent& agent = seams.agent;
    FormConfigura* config = nullptr;                  // the window openConfig opened
    const QPalette desktop = QApplication::palette(); // a test may darken it
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
    EXPECT_EQ(seams.messages.shown[0].icon, Message::Icon::Critical);
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
    EXPECT_EQ(text("Label7"), "Velocità scansione: 1,00 secondi"); // never the machine's "1.00"
    click("OptionQuanteLettere", 4);
    EXPECT_EQ(s.MassimoLettere, 3);
    // Tab stops at each group's chosen option, not at its first or last one.
    click("OptionQuanteLettere", 1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(config));
    find<QTabBar>("TabStrip1")->setCurrentIndex(1);
    find("Op_Lettere", 0)->setFocus();
    for (QWidget* chosen : {find("OptionQuanteLettere", 1), find("minuscolo")}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget(), chosen);
    }
    const std::pair<const char*, bool ProgramState::*> boxes[] = {
        {"CheckSalvaUtente", &ProgramState::TieniTraccia},
        {"CheckSuoni", &ProgramState::SuoniAttivi},
        {"CheckRiparti", &ProgramState::RipartiDallInizio},
        {"Check1", &ProgramState::ParlatoAttivo},
        {"CheckFesteggia", &ProgramState::celebration}};
    for (const auto& [box, setting] : boxes) {
        for (bool checked : {true, false}) {
            button(box)->setChecked(checked);
            EXPECT_EQ(s.*setting, checked) << box;
        }
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
    EXPECT_EQ(text("Label4"), "ANNA");
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
    EXPECT_EQ(text("Label4"), program.text("0241"));
    EXPECT_FALSE(find("CommandEliminaUtente")->isEnabled());
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
    EXPECT_EQ(text("Label4"), "Marco");
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

// Each mode shows its own controls; the switch tab's timing is tried on the sample row.
TEST_F(ConfigWindowTest, TheSwitchTabSetsTheChildsTimingAndChoicesAndLetsThemBeTried)
{
    openConfig();
    auto* tabs = find<QTabBar>("TabStrip1");
    // The pointer tab's controls, and the automatic scan's bars on the switch tab.
    auto visible = [&] {
        return std::tuple(
            VisibilitaInput{shown("FramePunt", "CheckRiparti"), shown("FramePunt", "CheckRiquadro"),
                            shown("FramePunt", "ShapeRiquadro"),
                            shown("FramePunt", "CheckDisabilitaMousePersonalizzato"),
                            shown("FramePunt", "HScroll3")},
            shown("FrameSensori", "HScrollPrimo"), shown("FrameSensori", "HScrollGiri"));
    };
    EXPECT_EQ(visible(),
              std::tuple(VisibilitaInput{false, false, false, true, false}, false, false));
    EXPECT_FALSE(tabs->isTabVisible(5));
    settle();
    EXPECT_EQ(tabs->tabRect(4).right(), tabs->width() - 1); // five tabs fill the strip
    click("Option4", 1);
    EXPECT_EQ(visible(),
              std::tuple(VisibilitaInput{true, true, false, false, false}, false, false));
    ASSERT_TRUE(tabs->isTabVisible(5));
    EXPECT_FALSE(shown("FrameSensori", "CommandColoreRiquadro")); // no frame, no frame colour
    click("CheckRiquadro");
    EXPECT_TRUE(shown("FrameSensori", "CheckColoreRiquadro")); // at once, with the frame
    EXPECT_TRUE(shown("FrameSensori", "CommandColoreRiquadro"));
    find<QScrollBar>("HScrollRiquadro")->setValue(20);
    EXPECT_TRUE(program.state.ConRiquadro);
    EXPECT_EQ(program.state.SpessoreRiquadro, 20);
    EXPECT_EQ(find<ShapeControl>("ShapeRiquadro")->borderWidth(), 20);
    tabs->setCurrentIndex(5);
    EXPECT_TRUE(find("FrameSensori")->isVisible());
    click("Option4", 2);
    EXPECT_EQ(program.state.ModalitaInput, 2);
    EXPECT_EQ(visible(), std::tuple(VisibilitaInput{true, true, true, false, true}, true, true));
    EXPECT_TRUE(shown("FramePunt", "HScrollRiquadro"));
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
    EXPECT_EQ(text("LabelAccettazione"), "Pressione minima: 0,20 secondi (più breve non conta)");
    // The sample row, as the child's scan will go.
    SwitchPanel* panel = nullptr; // no QObject of its own: findChild cannot tell it
    for (QObject* child : config->children())
        panel = panel ? panel : dynamic_cast<SwitchPanel*>(child);
    ASSERT_NE(panel, nullptr);
    auto* timer = find<QTimer>("TimerProva");
    auto* box = find<SwitchBox>("PictureProva");
    auto lit = [&] {
        QList<int> marked;
        for (int i = 0; i < 5; ++i)
            if (background(find("TastoProva", i)) == qtColor(s.ColoreBottoneSelezionato))
                marked << i;
        return marked;
    };
    EXPECT_EQ(std::pair(timer->isActive(), lit()), std::pair(true, QList<int>()));
    panel->tryTick();
    EXPECT_EQ(lit(), QList<int>({0}));
    EXPECT_EQ(timer->interval(), 2500); // the first key held two steps and a half
    panel->tryTick();
    QTest::keyPress(box, Qt::Key_Space); // held long enough (the rules are the menu scan's)
    seams.clock.now += 0.2;
    releaseSwitch(box, Qt::Key_Space);
    EXPECT_EQ(text("LabelEsitoProva"), program.text("0419").arg("B"));

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

// No caption, label, text box line, frame title or tab caption is cut, down to a
// 1366 x 768 screen at 200 % (683 x 384), where the design sizes ran under the controls below.
TEST_F(ConfigWindowTest, EveryCaptionReadsWholeOnASmallScreen)
{
    const auto shownWith = [&](QWidget* control, const QString& text) {
        return !text.isEmpty() && control->isVisibleTo(config);
    };
    for (const char* language : {"Italiano", "English"}) {
        program.language.CurrentLanguage = QString::fromLatin1(language);
        program.state.ModalitaInput = kModoScansioneManuale; // with the contrast warning
        program.state.ColoreBottoneSelezionato = 0xEEEEEE;
        ASSERT_NE(openConfig(), nullptr);
        click("CommandCreaLista"); // the list editor, with its count
        for (QFrame* page : config->findChildren<QFrame*>(QRegularExpression("^Frame")))
            page->show(); // every tab at once
        for (const QSize size : {QSize(1024, 768), QSize(800, 600), QSize(683, 384)}) {
            SCOPED_TRACE(std::string(language) + " " + std::to_string(size.width()));
            config->resize(size);
            for (QAbstractButton* caption : config->findChildren<QAbstractButton*>()) {
                if (!shownWith(caption, caption->text()) || qobject_cast<QToolButton*>(caption))
                    continue;
                const int needed =
                    qobject_cast<QPushButton*>(caption)
                        ? caption->fontMetrics().horizontalAdvance(caption->text()) + 6
                        : caption->sizeHint().width();
                EXPECT_LE(needed, caption->width()) << caption->objectName().toStdString();
            }
            for (QLabel* label : config->findChildren<QLabel*>()) {
                if (!shownWith(label, label->text()))
                    continue;
                const auto* fitted = qobject_cast<FittedLabel*>(label);
                const QRect needed =
                    QFontMetrics(fitted ? fitted->shownFont() : label->font())
                        .boundingRect(QRect(0, 0, label->width(), 10000),
                                      label->wordWrap() ? Qt::TextWordWrap : 0, label->text());
                EXPECT_LE(needed.width(), label->width()) << label->objectName().toStdString();
                EXPECT_LE(needed.height(), label->height()) << label->objectName().toStdString();
            }
            for (QGroupBox* frame : config->findChildren<QGroupBox*>()) {
                if (!shownWith(frame, frame->title()))
                    continue;
                const auto* fitted = qobject_cast<FittedGroupBox*>(frame);
                const QFontMetrics title(fitted ? fitted->titleFont() : frame->font());
                int firstControl = frame->height();
                for (QWidget* inside : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                    if (inside->isVisibleTo(frame))
                        firstControl = std::min(firstControl, inside->y());
                EXPECT_LE(title.height(), firstControl) << frame->objectName().toStdString();
                EXPECT_LE(title.horizontalAdvance(frame->title()), frame->width())
                    << frame->objectName().toStdString();
            }
            for (QLineEdit* box : config->findChildren<QLineEdit*>()) {
                const int frame =
                    box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
                if (box->isVisibleTo(config)) {
                    EXPECT_LE(QFontMetrics(box->font()).height(), box->height() - 2 * frame)
                        << box->objectName().toStdString();
                }
            }
            auto* tabs = find<QTabBar>("TabStrip1");
            const QFontMetrics tabFont(tabs->font());
            for (int i = 0; i < tabs->count(); ++i) {
                if (!tabs->isTabVisible(i))
                    continue;
                const QRect tab = tabs->tabRect(i);
                // A tab not chosen stands lower; the page's frame covers the last line.
                const int shift = i == tabs->currentIndex()
                                      ? 0
                                      : tabs->style()->pixelMetric(
                                            QStyle::PM_TabBarTabShiftVertical, nullptr, tabs);
                EXPECT_LE(tab.center().y() + tabFont.height() / 2 + shift, tabs->height() - 1)
                    << tabs->tabText(i).toStdString();
                EXPECT_LE(tabFont.horizontalAdvance(tabs->tabText(i)), tab.width())
                    << tabs->tabText(i).toStdString();
            }
        }
        leave();
    }
}

constexpr int kTabVoce = 3;

// Cursive uses the handwriting face, print the one chosen; each colour shows; a hard-to-see
// word or highlight is warned about; system colours bring the system pointer.
TEST_F(ConfigWindowTest, TheFontAndColourChoicesTakeWhatIsChosen)
{
    ProgramState& s = program.state;
    s.NomeFontScelto = "Verdana";
    openConfig();
    click("corsivo");
    EXPECT_EQ(button("Op_Lettere", 0)->font().family(), "Tratto1");
    EXPECT_EQ(button("Op_Lettere", 0)->text(), "q");
    seams.dialogs.fonts = {FontChoice{"DejaVu Serif", 300, true, false, false}};
    auto* fitted = find<FittedLabel>("LabelFontSelezionato");
    QString sampleFaceDuringNotice; // the notice says cursive stays: the sample too
    seams.messages.during = [&](const Message&) {
        sampleFaceDuringNotice = fitted->font().family();
    };
    click("CommandSceltaFont");
    EXPECT_EQ(messageTexts(), QStringList{program.text("0008") + "\n" + program.text("0009")});
    EXPECT_EQ(std::tuple(s.NomeFont, s.DimensioneFont, sampleFaceDuringNotice),
              std::tuple(QString("Tratto1"), 300, QString("Tratto1")));
    EXPECT_LT(fitted->shownFont().pointSizeF(), 100) << "shown whole, as the word will be";
    click("maiuscolo");
    EXPECT_EQ(button("Op_Lettere", 0)->text(), "Q");
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
    const QList<Colore> inForce = {s.ColoreSfondo, s.ColoreFont, s.ColoreSfondoTesto,
                                   s.ColoreBottoni, s.ColoreBottoneSelezionato};
    seams.dialogs.colours = {chosen.begin(), chosen.end()};
    for (const char* name :
         {"CommandSceltaColori", "CommandSceltaColoreFont", "CommandSceltaSfondoTesto",
          "CommandSceltaColoreBottoni", "CommandSceltaColoreBottoniSelezionati"})
        click(name);
    // Each dialog opened on the colour in force, the cancelled one too.
    EXPECT_EQ(seams.dialogs.colourStarts, QList<Colore>{before} + inForce);
    EXPECT_EQ((QList<Colore>{s.ColoreSfondo, s.ColoreFont, s.ColoreSfondoTesto, s.ColoreBottoni,
                             s.ColoreBottoneSelezionato}),
              chosen);
    QWidget* sample = find("LabelFontSelezionato");
    const QList<QColor> shown = {background(find("FrameLettere")),
                                 sample->palette().color(QPalette::WindowText), background(sample),
                                 background(find("CommandSceltaColoreBottoni")),
                                 background(find("CommandSceltaColoreBottoniSelezionati"))};
    for (qsizetype i = 0; i < chosen.size(); ++i)
        EXPECT_EQ(shown[i], qtColor(chosen[i])) << i;
    // A warning while the word's colour and its background are hard to tell apart.
    QWidget* readability = find("LabelAvvisoLeggibilita");
    EXPECT_FALSE(readability->isHidden()) << "red on blue";
    seams.dialogs.colours = {0xFFFFFF, 0xFFFFFF};
    click("CommandSceltaSfondoTesto");
    EXPECT_TRUE(readability->isHidden()) << "red on white";
    click("CommandSceltaColoreFont");
    EXPECT_FALSE(readability->isHidden()) << "white on white";
    EXPECT_EQ(text("LabelAvvisoLeggibilita"), program.text("0283").arg("1,0"));
    QWidget* warning = find("LabelAvvisoContrasto");
    click("Option4", 2);
    EXPECT_TRUE(warning->isHidden()) << "a dark mark on light keys";
    seams.dialogs.colours = {storedColor(qtColor(s.ColoreBottoni))};
    click("CommandSceltaColoreBottoniSelezionati");
    EXPECT_FALSE(warning->isHidden());
    EXPECT_EQ(text("LabelAvvisoContrasto"), program.text("0451").arg("1,0"));
    click("Option4", 0); // no scan, no highlight
    EXPECT_TRUE(warning->isHidden());
    unloadAll();
    s.ColoriDiSistema = true; // a profile with system colours checks the pointer when shown
    openConfig();
    EXPECT_TRUE(find("LabelAvvisoLeggibilita")->isHidden()) << "the desktop's colours";
    EXPECT_EQ(std::pair(s.MouseDiSistema, find("Frame6")->isEnabled()), std::pair(true, false));
    click("CheckImpostazioniSistema");
    click("CheckDisabilitaMousePersonalizzato");
    EXPECT_EQ(std::tuple(s.ColoriDiSistema, s.MouseDiSistema, find("Frame6")->isEnabled()),
              std::tuple(false, false, true));
    click("CheckImpostazioniSistema");
    EXPECT_EQ(
        std::pair(s.MouseDiSistema, button("CheckDisabilitaMousePersonalizzato")->isChecked()),
        std::pair(true, true));
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
    agent.calls.clear();
    tabs->setCurrentIndex(kTabVoce);
    EXPECT_EQ(items("List1") + items("List2"), // voices by name, whatever the engine's order
              (QStringList{"English (America)", "Italian", "Merlin", "Peedy"}));
    EXPECT_EQ(list("List2")->currentRow(), 0);
    EXPECT_EQ(agent.calls.first(), "Hide");
    EXPECT_TRUE(agent.calls.at(agent.calls.size() - 2).startsWith("Speak \\Spd=130\\\\Pit=100\\"));
    EXPECT_EQ(agent.calls.last(), "Show");
    // A voice this system lacks (a Windows one): the language's voice is shown, as it speaks.
    EXPECT_EQ(std::tuple(list("List1")->currentRow(), program.state.ModoVoce),
              std::tuple(1, ProgramState().ModoVoce));
    list("List1")->setCurrentRow(0);
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
    click("Check1");
    for (const char* name : {"CommandProvaVoce", "HScroll1", "HScroll2"})
        EXPECT_FALSE(find(name)->isEnabled()) << name;
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

// The teacher's folder, opened by its button (else its path told), gives its words to
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
    // On a dark desktop's lists (light text on dark grey) too.
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x2d, 0x2d, 0x2d));
    dark.setColor(QPalette::Text, Qt::white);
    QApplication::setPalette(dark);
    openConfig();
    const QString own = env.env().writableTwin("immagini");
    EXPECT_EQ(find("CommandImmaginiProprie")->toolTip(), own);
    click("CommandImmaginiProprie");
    EXPECT_EQ(seams.documents.opened, QStringList{own});
    seams.documents.hasViewer = false;
    click("CommandImmaginiProprie");
    writeFile(own + "/Mamma.gif", "picture");
    for (const char* other : {"papà.jpeg", "Nonna.PNG"}) // told, not left unseen
        writeFile(own + "/" + other, "picture");
    click("CommandCreaLista");
    EXPECT_TRUE(find("FrameCreaNuovaLista")->isVisible());
    EXPECT_EQ(items(kAvailable), QStringList({"CANE", "FARFALLA", "GATTO", "MAMMA"}));
    const auto marked = [this](const char* side, int row) {
        const QListWidgetItem* item = list(side)->item(row);
        const bool tipped = item->toolTip() == program.text("0222");
        EXPECT_EQ(item->font().italic(), tipped);
        EXPECT_GE(
            contrastRatio(item->foreground().color(), list(side)->palette().color(QPalette::Base)),
            4.5); // greyed when it cannot serve, still readable
        return tipped;
    };
    EXPECT_TRUE(marked(kAvailable, 1));
    EXPECT_FALSE(marked(kAvailable, 0));
    click("CommandSalvaLista"); // nothing on the list side
    EXPECT_EQ(messageTexts(), QStringList({program.text("0248").arg(own),
                                           program.text("0227").arg("Nonna.PNG, papà.jpeg"),
                                           program.text("0012")}));
    EXPECT_TRUE(seams.dialogs.fileRequests.empty());
    move(kAvailable, {"GATTO", "CANE", "FARFALLA"}, "Command1");
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
    EXPECT_EQ(seams.dialogs.fileRequests[1].initialFolder, env.env().programFile("liste/"));
    EXPECT_EQ(seams.dialogs.fileRequests[1].places, QStringList{listPath("")});
    const QString saved = listPath("animali.txt");
    EXPECT_EQ(program.state.ListaInUso, saved);
    EXPECT_EQ(text("LabelListaInUso"), "animali.txt"); // the name; the path in the tooltip
    EXPECT_EQ(find("LabelListaInUso")->toolTip(), saved);
    const size_t asked = seams.messages.shown.size();
    click("Command7"); // saved: closed without a question
    EXPECT_FALSE(find("FrameCreaNuovaLista")->isVisible());
    EXPECT_EQ(seams.messages.shown.size(), asked);
    // A word without a picture here is shown, marked, and kept by a save over its list.
    writeFile(saved, readFileBytes(saved).value() + "VOLPE\r\n");
    click("CommandModificaListaInUso");
    EXPECT_EQ(items(kInList), QStringList({"CANE", "GATTO", "VOLPE"}));
    EXPECT_EQ(items(kAvailable), QStringList({"FARFALLA", "MAMMA"}));
    EXPECT_FALSE(find("Picture1")->isVisible()); // the waiting notice went
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
    click("Check2");
    EXPECT_TRUE(program.state.UsaTutteLeImmagini);
    EXPECT_EQ(text("LabelListaInUso"), "");
    click("CommandCambiaListaInUso"); // cancelled
    EXPECT_EQ(messageTexts().last(), program.text("0011"));
    EXPECT_EQ(program.state.ListaInUso, saved);
    EXPECT_EQ(seams.dialogs.fileRequests.back().kind, Dialogs::Open);
    seams.dialogs.files = {listPath("frutta.txt")};
    click("CommandCambiaListaInUso");
    EXPECT_EQ(program.state.ListaInUso, listPath("frutta.txt"));
    EXPECT_EQ(text("LabelListaInUso"), "frutta.txt" + program.text("0247")); // no such file
    EXPECT_FALSE(button("Check2")->isChecked());
    EXPECT_FALSE(program.state.UsaTutteLeImmagini);
}

} // namespace
