#include "core/platform/TextFiles.h"
#include "core/speech/WavFile.h"
#include "gui/character/AnimatedCharacter.h"
#include "gui/character/BalloonWindow.h"
#include "gui/character/CharacterAgent.h"
#include "gui/character/CharacterWindow.h"
#include "gui/character/QtAudio.h"
#include "program/LateAudio.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QMediaDevices>
#include <QPainter>
#include <QPixmap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace ortolino;
using namespace ortolino::test;

namespace {

const auto noDevice = [] { return QAudioDevice(); };
const auto hasDevice = [] { return !QMediaDevices::defaultAudioOutput().isNull(); };

class CharacterTest : public ::testing::Test
{
protected:
    // Tests never need a sound card; where one is asked for it is the real one.
    CharacterAgentOptions options(bool realAudio = false)
    {
        return {.espeakDataFolder = {},
                .audio = realAudio ? qtSpeechAudio() : qtSpeechAudio(noDevice)};
    }
    QString folder() const { return env.env().programFile("personaggi"); }
    std::unique_ptr<AnimatedCharacter> load(const QString& name, CharacterAgentOptions o)
    {
        CharacterAgent agent(folder(), o);
        QString error;
        std::unique_ptr<Personaggio> loaded = agent.Load(name, &error);
        EXPECT_TRUE(loaded) << error.toStdString();
        return std::unique_ptr<AnimatedCharacter>(
            dynamic_cast<AnimatedCharacter*>(loaded.release()));
    }
    static bool balloonShows(const AnimatedCharacter& c)
    {
        return QTest::qWaitFor([&] { return c.balloon()->isVisible(); }, 2000);
    }

    TestEnvironment env;
};

// A missing character gives an error; espeak-ng, slow to start, starts on prepare (not with the
// agent) and is heard. Without voice data there are no voices, yet the character shows its text.
TEST_F(CharacterTest, TheAgentStartsSpeechLateListsWhatItFindsAndRefusesBrokenCharacters)
{
    const bool startedBefore = EspeakSynthesizer::libraryStarted();
    CharacterAgent agent(folder(), options(hasDevice()));
    EXPECT_EQ(EspeakSynthesizer::libraryStarted(), startedBefore);
    agent.prepare();
    EXPECT_TRUE(QTest::qWaitFor([] { return EspeakSynthesizer::libraryStarted(); }, 5000));

    QString error;
    for (const char* name : {"Genie", ""}) {
        error.clear();
        EXPECT_EQ(agent.Load(name, &error), nullptr) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
    }

    std::unique_ptr<Personaggio> loaded = agent.Load("Merlin", &error);
    auto* merlin = dynamic_cast<AnimatedCharacter*>(loaded.get());
    ASSERT_TRUE(merlin) << error.toStdString();
    merlin->Show();
    merlin->Speak("Ciao! Scrivi la parola.");
    QSignalSpy finished(merlin->speech(), &SpeechPlayer::utteranceFinished);
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished.size() == 1; }, 15000));
    const QString silent = merlin->speech()->lastError();
    EXPECT_TRUE(hasDevice() ? silent.isEmpty() : silent.startsWith("no audio device"))
        << silent.toStdString();
    // A device still listed whose sound server has gone refuses to play: as none.
    auto unheard = load("Merlin", {{}, {qtSpeechAudio(noDevice).newOutput, [] { return true; }}});
    ASSERT_TRUE(unheard);
    EXPECT_FALSE(unheard->Speak("ciao"));
    EXPECT_TRUE(unheard->lastError().startsWith("no audio device"));

    QTemporaryDir noVoices;
    const CharacterAgentOptions o{noVoices.path(), qtSpeechAudio(noDevice)};
    EXPECT_TRUE(CharacterAgent(folder(), o).voices().isEmpty());
    auto peedy = load("Peedy", o);
    ASSERT_TRUE(peedy);
    peedy->Show();
    EXPECT_FALSE(peedy->Speak("ciao"));
    EXPECT_TRUE(peedy->lastError().contains("espeak-ng"));
    ASSERT_TRUE(balloonShows(*peedy));
    EXPECT_EQ(peedy->balloon()->text(), "ciao");
}

// The balloon shows the shown half of a map tag (where it stands on a stage: LettereTest).
TEST_F(CharacterTest, TheCharacterShowsAndHidesAndSoDoesItsBalloon)
{
    auto merlin = load("merlin", options());
    ASSERT_TRUE(merlin);
    EXPECT_EQ(merlin->name(), "Merlin");
    EXPECT_FALSE(merlin->window()->isVisible());
    EXPECT_TRUE(merlin->Show());
    // Never above other programs, even before it belongs to a window.
    EXPECT_FALSE(merlin->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(merlin->Hide());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !merlin->window()->isVisible(); }, 2000));
    EXPECT_TRUE(merlin->Show());
    EXPECT_TRUE(merlin->window()->isVisible());

    EXPECT_FALSE(merlin->Play("dance")); // a gesture the character lacks
    // A long text (cut when done with): a loaded machine cannot outrun the checks.
    const QString sentence = "Devi scrivere la parola cane, lettera per lettera, con calma";
    // No sound card here: the speech runs silently, and says so.
    EXPECT_FALSE(merlin->Speak("\\Spd=130\\\\Pit=100\\\\Map=\"" + sentence + "\"=\"mostrato\"\\"));
    EXPECT_FALSE(merlin->lastError().isEmpty());
    ASSERT_TRUE(balloonShows(*merlin));
    EXPECT_EQ(merlin->balloon()->text(), "mostrato");
    EXPECT_TRUE(merlin->StopAll());
    EXPECT_FALSE(merlin->balloon()->isVisible());
    EXPECT_FALSE(merlin->speech()->isSpeaking());

    // Turned off, or with nothing to show, the balloon stays away.
    for (const auto& [style, text] :
         {std::pair{0, QString("ciao")},
          {Personaggio::kBalloonOn, "\\Map=\"" + sentence + "\"=\"\"\\"}}) {
        merlin->setBalloonStyle(style);
        merlin->Speak(text);
        QTest::qWait(200);
        EXPECT_TRUE(merlin->speech()->isSpeaking());
        EXPECT_FALSE(merlin->balloon()->isVisible());
        merlin->StopAll();
    }
}

// Laid out just as wide as its widest line, the balloon's text once wrapped again and overran.
TEST_F(CharacterTest, TheBalloonsTextStaysInsideItsBubbleOnATightStage)
{
    QWidget stage;
    stage.resize(800, 600);
    BalloonWindow balloon;
    stageOn(&balloon, &stage);
    balloon.setBalloonFont(QFont(QStringLiteral("Arial"), 28));
    const QString greeting = "CIAO! GUARDA LA FIGURA E SCRIVI LE LETTERE CHE MANCANO.";
    for (const QString& text : {greeting, greeting.toLower(), QStringLiteral("CASA")}) {
        for (const int width : {162, 200, 240}) {
            balloon.setArea(QRect(0, 0, width, 298));
            balloon.present(text, QRect(0, 106, 170, 192), QPoint(85, 136));
            QPixmap canvas(balloon.size()); // a pixmap lays text out as the screen does
            QPainter painter(&canvas);
            painter.setFont(balloon.shownFont());
            QRect drawn;
            painter.drawText(balloon.textArea(), Qt::TextWordWrap | Qt::AlignCenter, text, &drawn);
            EXPECT_LE(drawn.height(), balloon.textArea().height())
                << text.toStdString() << " at " << width;
        }
    }
}

// Without a device or a file a sound fails cleanly; with one (CI's null sink) it plays, a second
// cutting the first. The audio module opens on first use; without it all is silent, nothing fails.
TEST(SoundPlayer, PlaysThroughTheLateModulesDeviceOrFailsCleanlyWithoutOne)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath("si.wav");
    writeFile(wav, encodeWav16(QByteArray(8000, '\x10'), 8000, 1));
    QtSoundPlayer silent(noDevice);
    EXPECT_FALSE(silent.play(wav));
    EXPECT_EQ(silent.lastError(), "no audio device");
    EXPECT_FALSE(silent.play(dir.filePath("missing.wav")));

    QtSoundPlayer real;
    EXPECT_EQ(real.play(wav), hasDevice()) << real.lastError().toStdString();
    EXPECT_EQ(real.play(wav), hasDevice());
    QTest::qWait(50);

    LateAudio audio(LateAudio::modulePathFor(ORTOLINO_BIN_DIR));
    const SpeechAudio speech = audio.speechAudio();
    EXPECT_FALSE(audio.loaded());
    EXPECT_EQ(speech.hasDevice(), hasDevice());
    EXPECT_TRUE(audio.loaded());
    EXPECT_NE(speech.newOutput(), nullptr);
    EXPECT_FALSE(audio.play("/nonexistent/si.wav"));

    LateAudio missing("/nonexistent/ortolino_audio.so");
    EXPECT_FALSE(missing.play("/nonexistent/si.wav"));
    EXPECT_FALSE(missing.speechAudio().hasDevice());
    EXPECT_EQ(missing.speechAudio().newOutput(), nullptr);
    EXPECT_FALSE(missing.loaded());
}

} // namespace
