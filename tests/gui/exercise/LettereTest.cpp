// The exercise window driven by mouse, keyboard and switches, and its life:
// activation, menus, closing, scaling, and the child's text and character.
#include "gui/exercise/lettere.h"

#include "core/exercise/Scanning.h"
#include "gui/character/CharacterAgent.h"
#include "gui/character/QtAudio.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/FittedText.h"
#include "gui/widgets/PictureBox.h"
#include "gui/widgets/ShapeControl.h"
#include "support/WindowFixture.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <QAction>
#include <QApplication>
#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QVariantAnimation>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// The exercise window on the shipped Italian language, with one picture ("_AVE":
// N is missing in the first kind), the letters E, A and N active, every seam a double.
class LettereTest : public WindowFixture
{
protected:
    LettereTest() : state(program.state)
    {
        windows.setHome({}); // closing goes nowhere, unless a test gives it a menu
        PreparaTastiera(state);
        program.language.CurrentLanguage = QStringLiteral("Italiano");
        state.CartellaImmagini = QStringLiteral("immagini");
        state.LinguaAgente = QStringLiteral("1040");
        state.MassimoLettere = 13;
        state.ColoreCasuale = false;
        random.seed(20240611);
        program.services.random = &random;
        writePicture(env, "immagini/nave.jpg");
        activate("ean");
    }
    ~LettereTest() override { unloadAll(); } // the windows draw from `random`

    void activate(const QString& letters)
    {
        for (size_t i = 0; i < state.LettereAttive.size(); ++i)
            state.LettereAttive[i] =
                letters.contains(state.LettereTastiera[i + 1], Qt::CaseInsensitive);
    }
    // A stand-in for the main menu, so that "&Esci" has somewhere to go.
    void registerMenu()
    {
        standIn(QStringLiteral("FormMenu"));
        windows.setHome(QStringLiteral("FormMenu"));
    }

    lettere* open() { return window = qobject_cast<lettere*>(windows.show("lettere")); }
    void close()
    {
        windows.unload(window); // nothing when it has gone already
        test::settle();
    }
    // Lets a switch's release become final (and the timers due meanwhile fire).
    static void settle()
    {
        QTest::qWait(SwitchKeys::kRepeatWindowMs + 20);
        QCoreApplication::processEvents();
    }

    QPushButton* key(int i) const { return test::control<QPushButton>(window, "tastiera", i); }
    QPushButton* avanti() const { return test::control<QPushButton>(window, "BottoneAvanti"); }
    QWidget* control(const char* name) const { return test::control(window, name); }
    QAction* action(const char* name) const { return test::control<QAction>(window, name); }
    QLabel* label(const char* name) const { return test::control<QLabel>(window, name); }
    QWidget* manualBox() const { return control("PictureScansioneManuale"); }
    QWidget* automaticBox() const { return control("PictureScansioneAutomatica"); }
    ShapeControl* frame() const { return window->findChild<ShapeControl*>("ShapeRiquadro"); }
    QString caption() const { return label("Label1")->text(); }
    QColor band() const { return label("Label1")->palette().color(QPalette::Window); }
    QString word() const { return state.ParoleDisponibili[size_t(state.IndiceParola)]; }
    QColor keyColour(int index) const { return key(index)->palette().color(QPalette::Button); }

    void switchClick(QWidget* target, Qt::Key key)
    {
        QTest::keyPress(target, key);
        QTest::keyRelease(target, key);
        settle();
    }
    void step() { switchClick(manualBox(), Qt::Key_Space); } // the manual scan's next key
    // The choosing switch: Enter on the manual box, Space on the automatic one.
    void chooseBySwitch()
    {
        const bool manual = state.ModalitaInput == kModoScansioneManuale;
        switchClick(manual ? manualBox() : automaticBox(), manual ? Qt::Key_Return : Qt::Key_Space);
    }
    // Moves the scan to a key by the mode's own step, and no further.
    void scanTo(int target)
    {
        for (int i = 0; i <= kNumeroTasti && window->TastoCorrente() != target; ++i)
            state.ModalitaInput == kModoScansioneManuale ? step() : window->Timer1_Timer();
    }
    // One letter chosen the way the mode in force chooses it.
    void choose(const QString& letter)
    {
        if (state.ModalitaInput == kModoMouse) {
            QTest::keyClick(window, letter.toLower().at(0).toLatin1());
            settle();
            return;
        }
        const auto& keys = state.LettereTastiera;
        scanTo(int(std::find(keys.begin() + 1, keys.end(), letter) - keys.begin()) - 1);
        chooseBySwitch();
    }
    // Chooses the letters still missing, in order: the caption has "_ " for a blank.
    void completeWord()
    {
        for (int tries = 0; tries < state.MassimoLettere && caption().contains('_'); ++tries) {
            const qsizetype blank = caption().indexOf('_'); // each earlier blank took two
            choose(QString(word()[blank - caption().left(blank).count('_')]));
        }
    }

    ProgramState& state;
    SystemRandom random; // seeded: every run draws the same words
    RecordingAgent& agent = seams.agent;
    QPointer<lettere> window;
};

constexpr int kE = 2, kA = 10, kN = 24;

using LettereInputTest = LettereTest;

// Keys act on release; the mark stands out 3:1 with a dark outline. The frame
// goes round the marked key (grown by a third when asked) in the highlight's
// colour; the keys keep theirs.
TEST_F(LettereInputTest, TheMarkOrTheFrameShowsTheKeyTheManualScanStandsOn)
{
    state.ModalitaInput = kModoScansioneManuale;
    ASSERT_NE(open(), nullptr);
    EXPECT_FALSE(manualBox()->isHidden());
    EXPECT_TRUE(automaticBox()->isHidden());
    QTest::keyPress(manualBox(), Qt::Key_Space);
    EXPECT_EQ(keyColour(kE), qtColor(state.ColoreBottoni));
    QTest::keyRelease(manualBox(), Qt::Key_Space);
    settle();
    EXPECT_EQ(keyColour(kE), qtColor(state.ColoreBottoneSelezionato));
    EXPECT_EQ(keyColour(kN), qtColor(state.ColoreBottoni));
    EXPECT_GE(contrastRatio(storedColor(keyColour(kE)), storedColor(keyColour(kN))), 3.0);
    auto edge = [&](int i) { return key(i)->grab().toImage().pixelColor(1, key(i)->height() / 2); };
    EXPECT_LT(edge(kE).lightness(), 40);
    EXPECT_GT(edge(kN).lightness(), 60);
    close();

    state.ConRiquadro = true;
    state.SpessoreRiquadro = 6;
    ASSERT_NE(open(), nullptr);
    // It starts on E, the first key shown, not on the hidden Q (Enter chose it once).
    EXPECT_EQ(std::pair(window->TastoCorrente(), frame()->isHidden()), std::pair(kE, false));
    EXPECT_EQ(frame()->borderColor(), qtColor(state.ColoreBottoneSelezionato));
    const QRect marked = key(kE)->geometry();
    const QSize size = window->size();
    window->resize(size / 2);
    window->resize(size); // the frame follows its key through a resize
    EXPECT_EQ(frame()->geometry(), marked.adjusted(-6, -6, 6, 6));
    for (int i : {kE, kA, kN})
        EXPECT_EQ(keyColour(i), qtColor(state.ColoreBottoni));
    choose("N");
    EXPECT_EQ(frame()->geometry(), avanti()->geometry().adjusted(-6, -6, 6, 6));
    close();

    state.highlightColour = 0x00C000;
    state.enlargeHighlighted = true;
    for (const bool withFrame : {true, false}) {
        state.ConRiquadro = withFrame;
        ASSERT_NE(open(), nullptr);
        if (withFrame)
            step(); // off E, where the frame starts
        const QRect normal = key(kE)->geometry();
        const double letter = key(kE)->font().pointSizeF();
        for (int steps = withFrame ? 2 : 1; steps > 0; --steps)
            step(); // on E
        const QRect grown = key(kE)->geometry();
        EXPECT_NEAR(grown.width(), normal.width() * 4 / 3, 1);
        EXPECT_NEAR(grown.height(), normal.height() * 4 / 3, 1);
        EXPECT_LE((grown.center() - normal.center()).manhattanLength(), 1);
        EXPECT_DOUBLE_EQ(key(kE)->font().pointSizeF(), letter * 4 / 3) << "the letter grows too";
        if (withFrame) {
            EXPECT_EQ(frame()->borderColor(), QColor(0, 0xC0, 0));
            EXPECT_EQ(frame()->geometry(), grown.adjusted(-6, -6, 6, 6));
        }
        step(); // on A: E is back to its size
        EXPECT_EQ(std::pair(key(kE)->geometry(), key(kE)->font().pointSizeF()),
                  std::pair(normal, letter));
        window->resize(window->size() * 3 / 4); // grown again from its new size
        EXPECT_NEAR(key(kA)->width(), key(kN)->width() * 4 / 3, 1);
        EXPECT_TRUE(window->rect().contains(key(kA)->geometry()));
        close();
    }
}

using LettereScanAidsTest = LettereTest;

// Each step heard, cut by a choice; an automatic step lasts as long as the name;
// nothing heard when off or without scanning.
TEST_F(LettereScanAidsTest, EachKeyAndAvantiAreHeardAsTheScanReachesThemAndAChoiceCutsThem)
{
    QStringList& calls = seams.scanVoice.calls;
    const auto heard = [&] { return std::exchange(calls, {}); };
    state.auditoryScanning = true;
    state.ModalitaInput = kModoScansioneManuale;
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(heard(), QStringList{"prepare e,a,enne,avanti"});
    EXPECT_EQ(std::pair(seams.scanVoice.prepared.style, seams.scanVoice.prepared.languageId),
              std::pair(ScanSoundStyle::Name, 1040));
    choose("N"); // Space, Space, Space, Enter: the word is complete, the mark on "avanti"
    EXPECT_EQ(heard(), (QStringList{"speak e", "speak a", "speak enne", "stop", "speak avanti"}));
    EXPECT_EQ(avanti()->palette().color(QPalette::Button), qtColor(state.ColoreBottoneSelezionato));
    chooseBySwitch(); // the next word
    EXPECT_EQ(heard(), (QStringList{"stop", "speak enne"})) << "the scan stands on N again";
    close();
    EXPECT_EQ(heard(), QStringList{"stop"});

    state.ModalitaInput = kModoScansioneAutomatica;
    state.auditoryStyle = AuditoryStyle::Cue;
    ASSERT_NE(open(), nullptr);
    const auto* timer = window->findChild<QTimer*>("Timer1");
    EXPECT_EQ(std::pair(seams.scanVoice.prepared.style, timer->timerType()),
              std::pair(ScanSoundStyle::Cue, Qt::PreciseTimer));
    calls.clear();
    seams.scanVoice.lengthMs = 2000;
    // The real timer takes the first step at the pace the core sets (a second
    // at the default four; the pace's table and its bounds are the core's).
    // Its pace is read off the timer; the clock only shows the step is not
    // taken early, as a loaded machine may take it late.
    EXPECT_EQ(std::pair(timer->isActive(), timer->interval()), std::pair(true, 1000));
    QElapsedTimer clock;
    clock.start();
    // (QTRY_COMPARE would only leave the test quietly: no gtest failure.)
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->TastoCorrente() == kE; }, 10000));
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_EQ(timer->interval(), 2000 + kSpokenGapMs);
    choose("N"); // by the timer's steps
    EXPECT_EQ(heard(), (QStringList{"speak e", "speak a", "speak enne", "stop", "speak avanti"}));
    close();

    heard();
    for (const int mode : {kModoMouse, kModoScansioneManuale}) {
        state.ModalitaInput = mode;
        state.auditoryScanning = mode == kModoMouse;
        ASSERT_NE(open(), nullptr);
        completeWord();
        close();
    }
    EXPECT_EQ(calls, QStringList());
}

// Only the active letters, alphabetically, inside the keyboard's area, none
// overlapping, bigger when few; the scan follows them, and starting again goes
// to their first key, not the design's key 0 (a fault once).
TEST_F(LettereScanAidsTest, TheCompactKeyboardShowsOnlyTheActiveLettersInOrder)
{
    state.ModalitaInput = kModoScansioneManuale;
    ASSERT_NE(open(), nullptr);
    const QSize designKey = key(0)->size();
    close();
    state.compactKeyboard = true;
    state.RipartiDallInizio = true;
    // The least growth of the key area against the design key's.
    for (const auto& [letters, minimumGrowth] :
         {std::pair{"aen", 8.0}, {"abcdefghilmn", 2.0}, {"abcdefghijklmnopqrstuvwxyz", 1.0}}) {
        activate(letters);
        ASSERT_NE(open(), nullptr);
        QList<QPushButton*> shown = window->findChildren<QPushButton*>("tastiera");
        shown.removeIf([](QPushButton* k) { return k->isHidden(); });
        ASSERT_EQ(shown.size(), qstrlen(letters));
        std::sort(shown.begin(), shown.end(), [](QPushButton* a, QPushButton* b) {
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
        });
        QString order;
        const QRect area = window->centralWidget()->rect();
        for (QPushButton* k : shown) {
            order += k->text().toLower();
            EXPECT_TRUE(area.contains(k->geometry()));
            EXPECT_LT(k->geometry().right(), avanti()->x()) << "left of avanti";
            for (QPushButton* other : shown)
                EXPECT_TRUE(k == other || !k->geometry().intersects(other->geometry()));
        }
        EXPECT_EQ(order, QString::fromLatin1(letters));
        QString scanned; // the scan follows the layout, round and round
        for (qsizetype i = 0; i <= order.size(); ++i) {
            step();
            scanned += key(window->TastoCorrente())->text().toLower();
        }
        EXPECT_EQ(scanned, order + order.front());
        choose("N"); // "_AVE" completed
        EXPECT_EQ(key(window->TastoCorrente())->text().toLower(), order.front());
        EXPECT_GE(double(shown[0]->width()) * shown[0]->height(),
                  minimumGrowth * 0.95 * designKey.width() * designKey.height())
            << letters;
        close();
    }
}

using LettereLifeTest = LettereTest;

// The window in the teacher's settings (the greeting and the character are the core's).
TEST_F(LettereLifeTest, ActivationCoversTheScreenInTheTeachersColoursAndPointer)
{
    ASSERT_NE(open(), nullptr);
    // (The offscreen platform then shifts the window by its frame margins.)
    EXPECT_EQ(window->size(), window->screen()->availableGeometry().size());
    // Covered again when the screen's area changes (a projector plugged in).
    window->resize(window->size() / 2);
    Q_EMIT window->screen()->availableGeometryChanged(window->screen()->availableGeometry());
    EXPECT_EQ(window->size(), window->screen()->availableGeometry().size());
    EXPECT_TRUE(control("Picture1")->isHidden()); // the waiting notice is gone
    for (size_t i = 0; i < kNumeroTasti; ++i)
        EXPECT_EQ(std::pair(key(int(i))->text(), key(int(i))->isHidden()),
                  std::pair(state.LettereTastiera[i + 1], !state.LettereAttive[i]));
    EXPECT_EQ(band(), qtColor(state.ColoreSfondoTesto));
    EXPECT_EQ(background(control("picAgent")), qtColor(state.ColoreSfondo));
    EXPECT_EQ(key(kE)->cursor().shape(), Qt::BitmapCursor); // the pencil on the keys
    EXPECT_EQ(avanti()->cursor().shape(), Qt::ArrowCursor);
    close();

    state.ColoriDiSistema = state.ColoreCasuale = state.MouseDiSistema = true;
    state.ParlatoAttivo = false;
    agent.calls.clear();
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(keyColour(kE), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(label("Label1")->palette().color(QPalette::WindowText),
              QApplication::palette().color(QPalette::WindowText));
    const QColor drawn = background(control("picAgent"));
    EXPECT_TRUE(std::any_of(tabellaColoriSfondo().begin(), tabellaColoriSfondo().end(),
                            [&](std::uint32_t c) { return qtColor(c) == drawn; }));
    EXPECT_EQ(background(window->centralWidget()), drawn);
    EXPECT_EQ(key(kE)->cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(agent.calls.contains("Show"));
}

// A shaking hand's double or triple click is judged once (the second half of
// the menu's double click not at all), a typed key again once its release was
// lost; without a character the balloon helps; "Azzera conteggio" resets.
TEST_F(LettereLifeTest, WithoutACharacterTheBalloonHelpsAndTheCountersReset)
{
    agent.characters.clear();
    ASSERT_NE(open(), nullptr);
    bool balloonShown = false;
    seams.waiter.during = [&](size_t, double) {
        balloonShown =
            label("LabelMerlino")->isVisible() && label("LabelMerlino")->text() == word();
    };
    shakyClicks(key(kE), 2, false);
    EXPECT_EQ(state.NumeroErrati, 0);
    shakyClicks(key(kE), 3); // typed letters: the journeys' and the core's
    EXPECT_TRUE(balloonShown);
    EXPECT_EQ(label("EtichettaErrati")->text(), "1");
    // A letter held while the "Colori" menu took the keyboard: its next press is new.
    QTest::keyPress(window, 'e');
    QMenu* colours = action("mnuColori")->menu();
    colours->popup(QPoint());
    colours->hide();
    QTest::keyPress(window, 'e');
    QTest::keyRelease(window, 'e');
    EXPECT_EQ(label("EtichettaErrati")->text(), "3");
    EXPECT_FALSE(control("ComandoIconaNo")->isHidden());
    action("mnuAzzera")->trigger();
    EXPECT_EQ(std::tuple(label("EtichettaErrati")->text(), state.NumeroErrati,
                         control("ComandoIconaSi")->isHidden(),
                         control("ComandoIconaNo")->isHidden()),
              std::tuple(QString("0"), 0, false, true));
    QTest::mouseClick(key(kN), Qt::LeftButton);
    EXPECT_EQ(std::pair(caption(), avanti()->hasFocus()), std::pair(QString("NAVE"), true));
    QTest::keyClick(avanti(), Qt::Key_Return); // Enter on "avanti" goes on
    EXPECT_EQ(std::pair(caption(), avanti()->isEnabled()), std::pair(QString("_ AVE"), false));
}

// "Esci" and the close box lead back to the menu and release the character;
// "Esci" during a help closes once the help is over.
TEST_F(LettereLifeTest, EsciAndTheCloseBoxLeadBackToTheMenuAndOpeningAgainStartsAfresh)
{
    registerMenu();
    ASSERT_NE(open(), nullptr);
    agent.calls.clear();
    window->close();
    settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(agent.calls, QStringList{"StopAll"});
    EXPECT_EQ(loadedNames(windows), QStringList{"FormMenu"});
    EXPECT_TRUE(windows.find("FormMenu")->isVisible());
    windows.unload(windows.find("FormMenu"));

    state.ParlatoAttivo = false;
    ASSERT_NE(open(), nullptr);
    bool aliveInsideTheWait = false;
    seams.waiter.during = [&](size_t, double) {
        action("mnuEsci")->trigger();
        settle();
        aliveInsideTheWait = !window.isNull() && !window->isVisible();
    };
    choose("E");                     // a wrong letter: the balloon help waits
    EXPECT_TRUE(aliveInsideTheWait); // hidden, unloaded, but not destroyed under its handler
    settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(windows.find("FormMenu")->isVisible());

    // Opening again resets the counters and the catalogue; with no word it goes back.
    state.ParlatoAttivo = true;
    seams.waiter.during = nullptr;
    ASSERT_NE(open(), nullptr);
    choose("E");
    choose("N");
    EXPECT_EQ(state.NumeroParole, 1);
    close();
    writePicture(env, "immagini/ape.jpg");
    agent.calls.clear();
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(std::tuple(state.NumeroParole, state.NumeroErrati, label("EtichettaErrati")->text(),
                         avanti()->isEnabled(), agent.calls.filter("Speak").size()),
              std::tuple(2, 0, QString("0"), false, 2)); // greeted again
    close();

    activate("");
    ASSERT_NE(open(), nullptr);
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_FALSE(window.isNull()); // closing waits for the event loop
    QTest::qWait(1);
    settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(windows.find("FormMenu")->isVisible());
}

// The picture keeps its proportions in colour or grey; only a picture that
// can be shown is given.
TEST_F(LettereLifeTest, ThePictureAndTheControlsKeepTheirProportions)
{
    writePicture(env, "immagini/nave.jpg", QSize(60, 20)); // three times as wide as high
    env.writeProgramFile("immagini/nano.jpg", "not a picture");
    ASSERT_NE(open(), nullptr);
    auto* picture = window->findChild<PictureBox*>("Image1");
    const QRect drawn = picture->pictureRect();
    EXPECT_NEAR(double(drawn.width()) / drawn.height(), 3.0, 0.1);
    EXPECT_TRUE(drawn.width() == picture->width() || drawn.height() == picture->height());
    EXPECT_TRUE(action("mnuCol")->isChecked());
    auto centre = [&] { return picture->grab().toImage().pixelColor(picture->rect().center()); };
    EXPECT_NE(centre().red(), centre().green());
    action("mnuGrigio")->trigger();
    EXPECT_FALSE(action("mnuCol")->isChecked());
    const QColor grey = centre();
    EXPECT_EQ(grey.red(), grey.green());
    EXPECT_EQ(grey.green(), grey.blue());
    action("mnuCol")->trigger();
    EXPECT_FALSE(picture->greyScale());

    // A file named as a picture that is none would leave a word without its picture.
    for (int turn = 0; turn < 8; ++turn) {
        ASSERT_EQ(word(), "NAVE") << turn;
        choose("N");
        QTest::mouseClick(avanti(), Qt::LeftButton);
    }
}

// Seen with or without sound, and the next word may follow at once.
TEST_F(LettereLifeTest, AFinishedWordIsPraisedWithoutHoldingTheNextOneBack)
{
    state.SuoniAttivi = false;
    ASSERT_NE(open(), nullptr);
    auto* tick = test::control<PictureBox>(window, "ComandoIconaSi");
    const QRect settled = tick->geometry();
    const QSize full = window->size();
    window->resize(full / 2);
    const QRect halved = tick->geometry();
    window->resize(full);
    const QColor plain = band();
    completeWord();
    EXPECT_TRUE(avanti()->isEnabled());
    EXPECT_NE(band(), plain); // the flash
    EXPECT_EQ(agent.calls.filter("Play").last(), "Play cheer");
    choose("A"); // on the finished word, during its flash: no second praise
    EXPECT_EQ(agent.calls.filter("Play cheer").size(), 1);
    QTest::keyClick(avanti(), Qt::Key_Return);
    completeWord(); // the next word, during the flash: the band still comes back
    // Early in the praise the tick stands grown (the moment is set, not awaited:
    // a loaded machine could skip past it).
    const auto animations = window->findChildren<QVariantAnimation*>();
    ASSERT_FALSE(animations.isEmpty());
    QVariantAnimation* growing = animations.last(); // the first praise's may wait to go
    growing->setCurrentTime(growing->duration() / 8);
    EXPECT_GT(tick->pictureRect().width(), settled.width() * 6 / 5);
    // The window resized during the praise: the tick settles where it now belongs.
    window->resize(full / 2);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return tick->geometry() == halved && band() == plain; }, 10000))
        << "the praise ends";

    // Without the celebration the next word is finished on a still screen.
    close();
    state.celebration = false;
    ASSERT_NE(open(), nullptr);
    agent.calls.clear();
    completeWord();
    EXPECT_TRUE(avanti()->isEnabled());
    EXPECT_EQ(band(), plain);
    EXPECT_TRUE(agent.calls.filter("Play cheer").isEmpty());
    QTest::qWait(100);
    EXPECT_EQ(control("ComandoIconaSi")->geometry(), settled);
}

// The box of a widget's pixels that stand out from its white fill, inside its border.
QRect inkOf(QWidget* widget, int border = 3)
{
    const QImage image = widget->grab().toImage();
    QRect ink;
    for (int y = border; y < image.height() - border; ++y) {
        for (int x = border; x < image.width() - border; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (765 - c.red() - c.green() - c.blue() > 120) // distance from white
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// Every letter inside its box with a margin and roughly centred, in print and
// cursive, at every size; the word grows with the screen. Cursive is sized for
// the letters shown: a short "n" fills its box, "foca" keeps its size when f comes.
TEST_F(LettereLifeTest, TheChildsTextFollowsTheWindowAndStaysInsideItsBoxes)
{
    ASSERT_NE(QFontDatabase::addApplicationFont(ORTOLINO_SOURCE_DATA_DIR "/tratto1.ttf"), -1);
    const QString accented = QStringLiteral("àèéìòù");
    state.ColoreBottoni = 0xFFFFFF; // white keys, black letters
    state.ColoreSfondoTesto = 0xFFFFFF;
    state.ColoreFont = 0;
    activate("qwertyuiopasdfghjklzxcvbnm");
    // The keys show capitals or not, whatever the case in force.
    for (const auto& [carattere, face, capitals] : {std::tuple{"maiuscolo", "Arial", true},
                                                    {"minuscolo", "Arial", false},
                                                    {"corsivo", "Tratto1", false},
                                                    {"corsivo", "Tratto1", true}}) {
        state.CarattereLettere = carattere;
        state.NomeFont = face;
        ASSERT_NE(open(), nullptr);
        for (int i = 0; i < kNumeroTasti; ++i)
            key(i)->setText(capitals ? key(i)->text().toUpper() : key(i)->text().toLower());
        auto* word = label("Label1");
        auto* hint = label("LabelMerlino");
        word->setText((capitals ? accented.toUpper() : accented) + " " + caption());
        hint->setText(capitals ? "È" : "ù");
        hint->show();
        std::map<int, int> wordHeight;
        std::map<int, double> wordPoints;
        for (const QSize size : {QSize(800, 600), QSize(1280, 800), QSize(1920, 1080)}) {
            SCOPED_TRACE(testing::Message() << carattere << " " << face << " capitals " << capitals
                                            << ", " << size.width());
            window->resize(size);
            for (int i = 0; i < kNumeroTasti; ++i) {
                SCOPED_TRACE(key(i)->text().toStdString());
                const QRect box = key(i)->rect();
                const QRect ink = inkOf(key(i));
                ASSERT_FALSE(ink.isEmpty());
                const int margin = std::min(box.width(), box.height()) / 10;
                EXPECT_TRUE(box.adjusted(margin, margin, -margin, -margin).contains(ink))
                    << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height()
                    << " in " << box.width() << "x" << box.height();
                EXPECT_NEAR(ink.center().x(), box.center().x(), box.width() / 10 + 1);
                EXPECT_NEAR(ink.center().y(), box.center().y(), box.height() / 10 + 1);
                // The letters fill their keys, not a corner (a cursive a is a third of an l).
                EXPECT_GT(ink.height(), box.height() / 5);
            }
            for (QLabel* text : {word, hint}) {
                SCOPED_TRACE(text->objectName().toStdString());
                const QRect ink = inkOf(text);
                ASSERT_FALSE(ink.isEmpty());
                EXPECT_TRUE(text->rect().adjusted(3, 3, -3, -3).contains(ink));
            }
            wordHeight[size.width()] = inkOf(word).height();
            wordPoints[size.width()] = qobject_cast<FittedLabel*>(word)->shownFont().pointSizeF();
        }
        // 1.5 times (ink in whole pixels); 1.3 for accented cursive capitals, which fill the band.
        const double growth = face == QStringLiteral("Tratto1") && capitals ? 1.3 : 1.5;
        EXPECT_GE(wordPoints[1920], growth * wordPoints[1280]);
        EXPECT_GE(wordHeight[1920] + 2, growth * wordHeight[1280]);
        close();
    }

    activate("ean");           // in cursive, as the last case left it
    state.celebration = false; // no flash over the band
    ASSERT_NE(open(), nullptr);
    window->resize(1920, 1080);
    for (int wrong = 0; wrong < 3; ++wrong)
        choose("E");
    QLabel* hint = label("LabelMerlino");
    ASSERT_EQ(hint->text(), QStringLiteral("n"));
    const QRect letter = inkOf(hint, 4);
    EXPECT_GT(letter.height(), hint->height() / 4);
    EXPECT_TRUE(hint->rect().adjusted(4, 4, -4, -4).contains(letter));
    close();

    writePicture(env, "immagini/foca.jpg");
    activate("f");
    ASSERT_NE(open(), nullptr);
    window->resize(1280, 800);
    auto* word = qobject_cast<FittedLabel*>(label("Label1"));
    const auto shownPoints = [&] {
        const QRect ink = inkOf(word);
        EXPECT_TRUE(!ink.isEmpty() && word->rect().adjusted(3, 3, -3, -3).contains(ink));
        return word->shownFont().pointSizeF();
    };
    ASSERT_EQ(caption(), QStringLiteral("_ oca"));
    const double blanked = shownPoints();
    completeWord();
    ASSERT_EQ(caption(), QStringLiteral("foca"));
    EXPECT_DOUBLE_EQ(shownPoints(), blanked);
}

// The character and balloon belong to the window and stand in its free area:
// never over the child's work or the menu bar, nor any control over another.
TEST_F(LettereLifeTest, TheCharacterAndItsBalloonCoverNothingOfTheWork)
{
    CharacterAgent characters(
        env.env().programFile("personaggi"),
        {.espeakDataFolder = {}, .audio = qtSpeechAudio([] { return QAudioDevice(); })});
    program.services.agent = &characters;
    activate("qwertyuiopasdfghjklzxcvbnm");
    auto inWindow = [&](QWidget* w) { return QRect(w->mapTo(window, QPoint()), w->size()); };
    for (const QSize size : {QSize(1024, 768), QSize(1280, 800), QSize(1920, 1080)}) {
        SCOPED_TRACE(size.width());
        ASSERT_NE(open(), nullptr);
        window->resize(size);
        auto* balloon = window->findChild<QWidget*>("Balloon");
        auto* figure = window->findChild<QWidget*>("Personaggio");
        ASSERT_TRUE(balloon && figure);
        ASSERT_TRUE(QTest::qWaitFor([&] { return balloon->isVisible(); }, 10000));
        EXPECT_FALSE(balloon->isWindow()); // moves with the window, never above other programs
        EXPECT_FALSE(figure->isWindow());

        QList<QWidget*> work = {avanti(), window->menuBar()};
        for (const char* name : {"Picture2", "Label1", "Label3", "EtichettaEsatti", "Label2",
                                 "EtichettaErrati", "ComandoIconaSi"})
            work << control(name);
        for (int i = 0; i < kNumeroTasti; ++i)
            work << key(i);
        for (QWidget* part : work) {
            const std::string name = part->objectName().toStdString();
            EXPECT_FALSE(inWindow(balloon).intersects(inWindow(part))) << "balloon over " << name;
            EXPECT_FALSE(inWindow(figure).intersects(inWindow(part))) << "character over " << name;
            for (QWidget* other : work) { // nor does any control cover another
                EXPECT_TRUE(part == other || part->isHidden() || other->isHidden() ||
                            !inWindow(part).intersects(inWindow(other)))
                    << name << " " << other->objectName().toStdString() << controlIndex(other);
            }
        }
        close();
    }
}

// One switch leaves through the "menu" target confirmed (the rule's timing is
// the core's; here the target, its question and the hand-over to the menu).
TEST_F(LettereLifeTest, OneSwitchLeavesTheExerciseThroughTheMenuTargetConfirmed)
{
    registerMenu();
    state.backToMenuTarget = true;
    state.ModalitaInput = kModoScansioneManuale;
    ASSERT_NE(open(), nullptr);
    auto* target = test::control<QPushButton>(window, "BottoneMenu");
    EXPECT_EQ(std::pair(target->isVisible(), target->text()), std::pair(true, QString("menu")));
    scanTo(kTastoMenu);
    ASSERT_EQ(window->TastoCorrente(), kTastoMenu);
    chooseBySwitch();
    EXPECT_EQ(target->text(), program.text("0401")); // asks
    step();                                          // moving on asks no more
    EXPECT_EQ(target->text(), "menu");
    scanTo(kTastoMenu);
    chooseBySwitch();
    chooseBySwitch();
    settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(loadedNames(windows), QStringList{"FormMenu"});
    // Off (the default), or with the mouse: no such target.
    state.ModalitaInput = kModoMouse;
    ASSERT_NE(open(), nullptr);
    EXPECT_FALSE(window->findChild<QPushButton*>("BottoneMenu")->isVisible());
}

} // namespace
