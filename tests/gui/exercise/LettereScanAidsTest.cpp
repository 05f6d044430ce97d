// What helps a child follow the scan in the exercise window: auditory
// scanning (each key heard by its letter's name as the scan reaches it,
// "avanti" by its caption, cut off by a choice) and the compact keyboard.
#include "gui/exercise/LettereFixture.h"

#include <QTimer>

using namespace ortolino;
using namespace ortolino::test;

namespace {

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

// Manual: each step is heard, a choice cuts the voice; automatic: a step
// lasts as long as the name takes, the cue style is asked for; nothing is
// heard when it is off or without scanning.
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

// The compact keyboard: only the active letters, alphabetically, row by row,
// inside the keyboard's area (left of "avanti"), none overlapping, bigger than
// the design's keys when few.
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

// Starting again after a right letter goes to the compact keyboard's first
// key, not to the design's keys 0 and 25 (M here, in the middle of the layout).
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
