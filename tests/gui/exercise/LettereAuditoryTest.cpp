// Auditory scanning in the exercise window: each key is heard by its letter's
// name as the scan reaches it, "avanti" by its caption; a choice cuts it off.
#include "gui/exercise/LettereFixture.h"

#include <QTest>
#include <QTimer>

using namespace ortolino;
using namespace ortolino::test;

namespace {

class LettereAuditoryTest : public LettereTest
{
protected:
    LettereAuditoryTest()
    {
        addPicture("nave.jpg");
        activate("ean");
        state.TipoEsercizio = 0; // "_AVE": N is missing
        state.auditoryScanning = true;
    }
    QTimer* timer1() const { return window->findChild<QTimer*>("Timer1"); }
    QStringList& calls = seams.scanVoice.calls;
};

TEST_F(LettereAuditoryTest, ManualScanSaysEachKeyAndAvantiAndStopsOnEachChoice)
{
    state.ModalitaInput = kModoScansioneManuale;
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(calls, QStringList{"prepare e,a,enne,avanti"});
    EXPECT_EQ(seams.scanVoice.prepared.style, ScanSoundStyle::Name);
    EXPECT_EQ(seams.scanVoice.prepared.languageId, state.LinguaAgente.toInt());
    calls.clear();

    chooseByManualScan("N"); // Space, Space, Space, Enter: the word is complete
    EXPECT_EQ(calls, (QStringList{"speak e", "speak a", "speak enne", "stop", "speak avanti"}));
    calls.clear();
    switchClick(control("PictureScansioneManuale"), Qt::Key_Return); // the next word
    EXPECT_EQ(calls, (QStringList{"stop", "speak enne"})) << "the scan stands on N again";
    calls.clear();
    close();
    EXPECT_EQ(calls, QStringList{"stop"});
}

TEST_F(LettereAuditoryTest, AutomaticStepsLastAsLongAsTheNameAndAChoiceCutsIt)
{
    state.ModalitaInput = kModoScansioneAutomatica;
    state.VelocitaScansione = 4; // 1 s
    state.auditoryStyle = AuditoryStyle::Cue;
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(seams.scanVoice.prepared.style, ScanSoundStyle::Cue);
    calls.clear();

    seams.scanVoice.lengthMs = 2000;
    window->Timer1_Timer();
    EXPECT_EQ(timer1()->interval(), 2000 + ScanVoice::kGapMs);
    seams.scanVoice.lengthMs = 300;
    window->Timer1_Timer();
    EXPECT_EQ(timer1()->interval(), 1000);
    window->Timer1_Timer();
    switchClick(control("PictureScansioneAutomatica"), Qt::Key_Space); // N chosen
    EXPECT_EQ(calls, (QStringList{"speak e", "speak a", "speak enne", "stop", "speak avanti"}));
}

TEST_F(LettereAuditoryTest, NothingIsHeardWhenItIsOffOrWithoutScanning)
{
    for (const int mode : {kModoMouse, kModoScansioneManuale}) {
        state.ModalitaInput = mode;
        state.auditoryScanning = mode == kModoMouse;
        ASSERT_NE(open(), nullptr);
        completeWord();
        close();
    }
    EXPECT_EQ(calls, QStringList());
}

} // namespace
