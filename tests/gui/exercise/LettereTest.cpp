// The exercise window driven by mouse, keyboard and switches: its marks, voice, text and life.
#include "gui/exercise/lettere.h"

#include "core/exercise/Scanning.h"
#include "gui/character/CharacterAgent.h"
#include "gui/character/QtAudio.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/ShapeControl.h"
#include "support/WindowFixture.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QAction>
#include <QAudioDevice>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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

// Keys act on release; the mark stands out 3:1. The frame goes round the marked key.
TEST_F(LettereTest, TheMarkOrTheFrameShowsTheKeyTheManualScanStandsOn)
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
    close();

    state.ConRiquadro = true;
    state.SpessoreRiquadro = 6;
    ASSERT_NE(open(), nullptr);
    // It starts on E, the first key shown, not on the hidden Q (Enter chose it once).
    EXPECT_EQ(std::pair(window->TastoCorrente(), frame()->isHidden()), std::pair(kE, false));
    EXPECT_EQ(frame()->geometry(), key(kE)->geometry().adjusted(-6, -6, 6, 6));
    choose("N");
    EXPECT_EQ(frame()->geometry(), avanti()->geometry().adjusted(-6, -6, 6, 6));
}

// Each step heard, cut by a choice; an automatic step lasts as long as the name.
TEST_F(LettereTest, EachKeyAndAvantiAreHeardAsTheScanReachesThemAndAChoiceCutsThem)
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
    calls.clear();
    seams.scanVoice.lengthMs = 2000;
    // The real timer takes the first step at the core's pace (a second at the default four).
    EXPECT_EQ(std::pair(timer->isActive(), timer->interval()), std::pair(true, 1000));
    // (QTRY_COMPARE would only leave the test quietly: no gtest failure.)
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->TastoCorrente() == kE; }, 10000));
    EXPECT_EQ(timer->interval(), 2000 + kSpokenGapMs);
    choose("N"); // by the timer's steps
    EXPECT_EQ(heard(), (QStringList{"speak e", "speak a", "speak enne", "stop", "speak avanti"}));
}

// Only the active letters, alphabetically, inside the keyboard's area, none
// overlapping; the scan follows them, and starting again goes to their first
// key, not the design's key 0 (a fault once).
TEST_F(LettereTest, TheCompactKeyboardShowsOnlyTheActiveLettersInOrder)
{
    state.ModalitaInput = kModoScansioneManuale;
    state.compactKeyboard = true;
    state.RipartiDallInizio = true;
    for (const char* letters : {"aen", "abcdefghijklmnopqrstuvwxyz"}) {
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
        close();
    }
}

// A shaking hand's double or triple click is judged once (the second half of
// the menu's double click not at all), a typed key again once its release was
// lost; without a character the balloon helps; "Azzera conteggio" resets.
TEST_F(LettereTest, WithoutACharacterTheBalloonHelpsAndTheCountersReset)
{
    agent.characters.clear();
    ASSERT_NE(open(), nullptr);
    EXPECT_TRUE(control("Picture1")->isHidden()); // the waiting notice is gone
    for (size_t i = 0; i < kNumeroTasti; ++i)
        EXPECT_EQ(std::pair(key(int(i))->text(), key(int(i))->isHidden()),
                  std::pair(state.LettereTastiera[i + 1], !state.LettereAttive[i]));
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
TEST_F(LettereTest, EsciAndTheCloseBoxLeadBackToTheMenuAndOpeningAgainStartsAfresh)
{
    standIn(QStringLiteral("FormMenu")); // so that leaving has somewhere to go
    windows.setHome(QStringLiteral("FormMenu"));
    ASSERT_NE(open(), nullptr);
    agent.calls.clear();
    window->close();
    settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(agent.calls, QStringList{"StopAll"});
    EXPECT_EQ(loadedNames(windows), QStringList{"FormMenu"});
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
    QTest::qWait(1);
    settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(windows.find("FormMenu")->isVisible());
}

// Seen with or without sound, and the next word may follow at once.
TEST_F(LettereTest, AFinishedWordIsPraisedWithoutHoldingTheNextOneBack)
{
    state.SuoniAttivi = false;
    ASSERT_NE(open(), nullptr);
    const QColor plain = band();
    completeWord();
    EXPECT_TRUE(avanti()->isEnabled());
    EXPECT_NE(band(), plain); // the flash
    EXPECT_EQ(agent.calls.filter("Play").last(), "Play cheer");
    choose("A"); // on the finished word, during its flash: no second praise
    EXPECT_EQ(agent.calls.filter("Play cheer").size(), 1);
    QTest::keyClick(avanti(), Qt::Key_Return);
    completeWord(); // the next word, during the flash: the band still comes back
    EXPECT_TRUE(QTest::qWaitFor([&] { return band() == plain; }, 10000)) << "the praise ends";
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

// Every letter inside its box with a margin, in print and cursive, at every size.
TEST_F(LettereTest, TheChildsTextFollowsTheWindowAndStaysInsideItsBoxes)
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
                EXPECT_TRUE(box.adjusted(margin, margin, -margin, -margin).contains(ink));
                // The letters fill their keys, not a corner (a cursive a is a third of an l).
                EXPECT_GT(ink.height(), box.height() / 5);
            }
            for (QLabel* text : {word, hint}) {
                SCOPED_TRACE(text->objectName().toStdString());
                const QRect ink = inkOf(text);
                ASSERT_FALSE(ink.isEmpty());
                EXPECT_TRUE(text->rect().adjusted(3, 3, -3, -3).contains(ink));
            }
        }
        close();
    }
}

// The character and balloon belong to the window and stand in its free area:
// never over the child's work or the menu bar.
TEST_F(LettereTest, TheCharacterAndItsBalloonCoverNothingOfTheWork)
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
        }
        close();
    }
}

// One switch leaves through the "menu" target confirmed (the rule's timing is
// the core's; here the target, its question and the hand-over to the menu).
TEST_F(LettereTest, OneSwitchLeavesTheExerciseThroughTheMenuTargetConfirmed)
{
    standIn(QStringLiteral("FormMenu")); // so that leaving has somewhere to go
    windows.setHome(QStringLiteral("FormMenu"));
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
}

} // namespace
