// The exercise window driven by mouse, keyboard and switches: its keys, marks,
// frame, timer and scanning aids (the scan's rules and a held switch are the core's).
#include "core/config/ConfigSettings.h"
#include "core/words/MaskedWord.h"
#include "gui/exercise/LettereFixture.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/ShapeControl.h"

#include <QElapsedTimer>
#include <QTimer>

using namespace ortolino;
using namespace ortolino::test;

namespace {

constexpr int kQ = 0, kE = 2, kA = 10, kN = 24;

class LettereInputTest : public LettereTest
{
protected:
    QTimer* timer1() const { return window->findChild<QTimer*>("Timer1"); }
    QWidget* manualBox() const { return switchBox(kModoScansioneManuale); }
    ShapeControl* frame() const { return window->findChild<ShapeControl*>("ShapeRiquadro"); }
    const RigaRegistro& row() const
    {
        return state.Registro[static_cast<size_t>(state.NumeroRigheRegistro)];
    }
};

// A word completed by switch is logged as done and leaves the mark on "avanti",
// whose choice goes on (the kinds' blanks are the core's, the mouse the journeys').
TEST_F(LettereInputTest, AWordCompletedBySwitchLeavesTheMarkOnAvanti)
{
    addPicture("pane.jpg");
    activate("eanp");
    state.TipoEsercizio = Esercizio::TutteLettere; // several blanks, several choices
    // The test steps the scan itself; at the slowest pace a loaded machine cannot.
    state.VelocitaScansione = kBarraScansione.maximum;
    for (int mode : {kModoScansioneManuale, kModoScansioneAutomatica}) {
        state.ModalitaInput = mode;
        ASSERT_NE(open(), nullptr);
        ASSERT_GE(missingLetters().size(), 2);
        completeWord();
        EXPECT_EQ(caption(), word()) << mode;
        EXPECT_EQ(row()[2], "Fatto");
        EXPECT_EQ(avanti()->palette().color(QPalette::Button),
                  qtColor(state.ColoreBottoneSelezionato));
        chooseBySwitch();
        EXPECT_FALSE(avanti()->isEnabled());
        EXPECT_TRUE(caption().contains('_'));
        close();
    }
}

TEST_F(LettereInputTest, ClickedKeysAreJudgedAndEnterOnAvantiGoesOn)
{
    ASSERT_NE(open(), nullptr); // typed letters: the journeys' and the core's
    QTest::mouseClick(key(kE), Qt::LeftButton);
    EXPECT_EQ(state.NumeroErrati, 1);
    QTest::mouseClick(key(kN), Qt::LeftButton);
    EXPECT_EQ(caption(), "NAVE");
    EXPECT_TRUE(avanti()->hasFocus());
    QTest::keyClick(avanti(), Qt::Key_Return);
    EXPECT_FALSE(avanti()->isEnabled());
    EXPECT_EQ(caption(), "_ AVE");
}

// Keys act on release; the mark's colour stands out 3:1 with a dark outline;
// a click chooses nothing while scanning.
TEST_F(LettereInputTest, ManualScanMarksTheKeyOnTheSwitchesRelease)
{
    state.ModalitaInput = kModoScansioneManuale;
    ASSERT_NE(open(), nullptr);
    EXPECT_TRUE(timer1()->isActive()); // it only keeps the focus on the box
    EXPECT_FALSE(manualBox()->isHidden());
    EXPECT_TRUE(switchBox(kModoScansioneAutomatica)->isHidden());
    const int before = window->TastoCorrente();
    QTest::keyPress(manualBox(), Qt::Key_Space);
    EXPECT_EQ(window->TastoCorrente(), before);
    QTest::keyRelease(manualBox(), Qt::Key_Space);
    settle();
    EXPECT_EQ(window->TastoCorrente(), kE);
    EXPECT_EQ(keyColour(kE), qtColor(state.ColoreBottoneSelezionato));
    EXPECT_EQ(keyColour(kN), qtColor(state.ColoreBottoni));
    EXPECT_GE(contrastRatio(storedColor(keyColour(kE)), storedColor(keyColour(kN))), 3.0);
    auto edge = [&](int index) {
        const QImage image = key(index)->grab().toImage();
        return image.pixelColor(1, image.height() / 2);
    };
    EXPECT_LT(edge(kE).lightness(), 40);
    EXPECT_GT(edge(kN).lightness(), 60);
    QTest::mouseClick(key(kN), Qt::LeftButton);
    EXPECT_EQ(state.NumeroEsatti + state.NumeroErrati, 0);
}

// The frame goes round the marked key (hidden on a hidden one) in the highlight's
// colour, round the key grown by a third when asked; the keys keep their colour.
TEST_F(LettereInputTest, TheFrameGoesRoundTheMarkedKeyGrownWhenAsked)
{
    state.ModalitaInput = kModoScansioneManuale;
    state.ConRiquadro = true;
    state.SpessoreRiquadro = 6;
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(window->TastoCorrente(), kQ);
    EXPECT_TRUE(frame()->isHidden()); // it stands on Q, whose key is hidden
    EXPECT_EQ(frame()->borderColor(), qtColor(state.ColoreBottoneSelezionato));
    switchClick(manualBox(), Qt::Key_Space);
    EXPECT_FALSE(frame()->isHidden());
    EXPECT_EQ(frame()->geometry(), key(kE)->geometry().adjusted(-6, -6, 6, 6));
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
        const QRect normal = key(kE)->geometry();
        switchClick(manualBox(), Qt::Key_Space); // on E
        const QRect grown = key(kE)->geometry();
        EXPECT_NEAR(grown.width(), normal.width() * 4 / 3, 1);
        EXPECT_NEAR(grown.height(), normal.height() * 4 / 3, 1);
        EXPECT_LE((grown.center() - normal.center()).manhattanLength(), 1);
        if (withFrame) {
            EXPECT_EQ(frame()->borderColor(), QColor(0, 0xC0, 0));
            EXPECT_EQ(frame()->geometry(), grown.adjusted(-6, -6, 6, 6));
        }
        switchClick(manualBox(), Qt::Key_Space); // on A: E is back to its size
        EXPECT_EQ(key(kE)->geometry(), normal);
        window->resize(window->size() * 3 / 4); // grown again from its new size
        EXPECT_NEAR(key(kA)->width(), key(kN)->width() * 4 / 3, 1);
        EXPECT_TRUE(window->rect().contains(key(kA)->geometry()));
        close();
    }
}

TEST_F(LettereInputTest, AutomaticScanTakesOneStepPerSecondAtFour)
{
    state.ModalitaInput = kModoScansioneAutomatica;
    state.VelocitaScansione = 4;
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(timer1()->timerType(), Qt::PreciseTimer);
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(window->TastoCorrente(), kE, 1500);
    const qint64 first = clock.elapsed();
    QTRY_COMPARE_WITH_TIMEOUT(window->TastoCorrente(), kA, 1500);
    EXPECT_NEAR(double(first), 1000.0, 250.0);
    EXPECT_NEAR(double(clock.elapsed() - first), 1000.0, 250.0);
    close();

    state.VelocitaScansione = 1000; // a hand-edited profile: held to 15 s
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(timer1()->interval(), 15000);
}

class LettereScanAidsTest : public LettereTest
{
protected:
    LettereScanAidsTest()
    {
        state.TipoEsercizio = 0; // "_AVE": N is missing
        state.auditoryScanning = true;
    }
    QStringList& calls = seams.scanVoice.calls;
};

// Each step heard, cut by a choice; an automatic step lasts as long as the name;
// nothing heard when off or without scanning.
TEST_F(LettereScanAidsTest, EachKeyAndAvantiAreHeardAsTheScanReachesThemAndAChoiceCutsThem)
{
    state.ModalitaInput = kModoScansioneManuale;
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(calls, QStringList{"prepare e,a,enne,avanti"});
    EXPECT_EQ(seams.scanVoice.prepared.style, ScanSoundStyle::Name);
    EXPECT_EQ(seams.scanVoice.prepared.languageId, state.LinguaAgente.toInt());
    calls.clear();
    choose("N"); // Space, Space, Space, Enter: the word is complete
    EXPECT_EQ(calls, (QStringList{"speak e", "speak a", "speak enne", "stop", "speak avanti"}));
    calls.clear();
    chooseBySwitch(); // the next word
    EXPECT_EQ(calls, (QStringList{"stop", "speak enne"})) << "the scan stands on N again";
    calls.clear();
    close();
    EXPECT_EQ(calls, QStringList{"stop"});

    state.ModalitaInput = kModoScansioneAutomatica;
    state.VelocitaScansione = 4; // 1 s
    state.auditoryStyle = AuditoryStyle::Cue;
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(seams.scanVoice.prepared.style, ScanSoundStyle::Cue);
    calls.clear();
    auto* timer = window->findChild<QTimer*>("Timer1");
    seams.scanVoice.lengthMs = 2000;
    window->Timer1_Timer();
    EXPECT_EQ(timer->interval(), 2000 + kSpokenGapMs);
    seams.scanVoice.lengthMs = 300;
    window->Timer1_Timer();
    EXPECT_EQ(timer->interval(), 1000);
    window->Timer1_Timer();
    chooseBySwitch(); // N chosen
    EXPECT_EQ(calls, (QStringList{"speak e", "speak a", "speak enne", "stop", "speak avanti"}));
    close();

    calls.clear();
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
// overlapping, bigger than the design's keys when few; the scan follows them.
TEST_F(LettereScanAidsTest, TheCompactKeyboardShowsOnlyTheActiveLettersInOrder)
{
    const struct
    {
        const char* letters;
        double minimumGrowth; // key area against the design key's
    } cases[] = {{"aen", 8.0}, {"abcdefghilmn", 2.0}, {"abcdefghijklmnopqrstuvwxyz", 1.0}};
    state.auditoryScanning = false;
    state.ModalitaInput = kModoScansioneManuale;
    ASSERT_NE(open(), nullptr);
    const QSize designKey = key(0)->size();
    close();
    state.compactKeyboard = true;
    for (const auto& c : cases) {
        activate(c.letters);
        ASSERT_NE(open(), nullptr);
        QList<QPushButton*> shown;
        for (int i = 0; i < kNumeroTasti; ++i) {
            if (!key(i)->isHidden())
                shown << key(i);
        }
        ASSERT_EQ(shown.size(), qstrlen(c.letters));
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
        EXPECT_EQ(order, QString::fromLatin1(c.letters));
        QString scanned; // the scan follows the layout, round and round
        for (qsizetype i = 0; i <= order.size(); ++i) {
            switchClick(switchBox(kModoScansioneManuale), Qt::Key_Space);
            scanned += key(window->TastoCorrente())->text().toLower();
        }
        EXPECT_EQ(scanned, order + order.front());
        EXPECT_GE(double(shown[0]->width()) * shown[0]->height(),
                  c.minimumGrowth * 0.95 * designKey.width() * designKey.height())
            << c.letters;
        close();
    }
}

// Starting again goes to the compact keyboard's first key, not the design's
// keys 0 and 25 (M here, in the middle of the layout).
TEST_F(LettereScanAidsTest, StartingAgainAfterAChoiceGoesToTheCompactKeyboardsFirstKey)
{
    activate("aemn"); // the layout: A E M N; "_AVE" wants N
    state.compactKeyboard = true;
    state.RipartiDallInizio = true;
    state.auditoryScanning = false;
    for (const int mode : {kModoScansioneManuale, kModoScansioneAutomatica}) {
        state.ModalitaInput = mode;
        ASSERT_NE(open(), nullptr);
        choose("N");
        EXPECT_TRUE(avanti()->isEnabled());
        if (mode == kModoScansioneAutomatica) {
            chooseBySwitch(); // avanti
            window->Timer1_Timer();
        }
        EXPECT_EQ(key(window->TastoCorrente())->text().toLower(), "a") << mode;
        close();
    }
}

} // namespace
