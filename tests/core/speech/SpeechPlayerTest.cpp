#include "core/speech/SpeechPlayer.h"

#include <gtest/gtest.h>
#include <memory>
#include <QSignalSpy>
#include <QTest>

using namespace ortolino;

namespace {

constexpr int kRate = 1000; // one sample a millisecond keeps the sums easy

// Ten samples per character, the mouth open on every vowel; fails on demand.
class FakeSynthesizer final : public Synthesizer
{
public:
    explicit FakeSynthesizer(bool works = true) : works_(works) {}
    int sampleRate() const override { return kRate; }
    bool synthesize(const SpeechRequest& request, const Deliver& deliver, QString* error) override
    {
        if (!works_) {
            if (error)
                *error = QStringLiteral("no voice");
            return false;
        }
        qint64 at = 0;
        for (const SpokenPart& part : request.parts) {
            for (QChar c : part.text) {
                AudioChunk chunk;
                chunk.pcm = QByteArray(20, '\x01');
                chunk.cues.append({at, mouthForLetter(c)});
                if (!deliver(chunk))
                    return true;
                at += 10;
            }
        }
        return true;
    }

private:
    bool works_;
};

// An output whose playing position the test moves by hand.
class ManualOutput final : public PcmOutput
{
public:
    struct State
    {
        qint64 written = 0;
        qint64 played = 0;
        int starts = 0;
        int stops = 0;
        bool refuse = false;
    };
    explicit ManualOutput(std::shared_ptr<State> state) : s_(std::move(state)) {}
    bool start(int) override
    {
        ++s_->starts;
        s_->written = s_->played = 0;
        return !s_->refuse;
    }
    void write(const QByteArray& pcm) override { s_->written += pcm.size() / 2; }
    qint64 playedSamples() const override { return s_->played; }
    void stop() override { ++s_->stops; }

private:
    std::shared_ptr<State> s_;
};

class SpeechPlayerTest : public ::testing::Test
{
protected:
    void make(bool synthWorks = true)
    {
        player = std::make_unique<SpeechPlayer>(std::make_unique<FakeSynthesizer>(synthWorks),
                                                std::make_unique<ManualOutput>(out));
        started = std::make_unique<QSignalSpy>(player.get(), &SpeechPlayer::utteranceStarted);
        finished = std::make_unique<QSignalSpy>(player.get(), &SpeechPlayer::utteranceFinished);
    }
    // Waits until the current utterance is all synthesized, then plays it out.
    bool playOut(qint64 samples)
    {
        if (!QTest::qWaitFor([&] { return out->written == samples; }, 2000))
            return false;
        out->played = samples;
        const int before = int(finished->size());
        return QTest::qWaitFor([&] { return finished->size() > before; }, 2000);
    }
    QStringList startedTexts() const
    {
        QStringList texts;
        for (const QList<QVariant>& args : *started)
            texts << args.at(0).toString();
        return texts;
    }

    std::shared_ptr<ManualOutput::State> out = std::make_shared<ManualOutput::State>();
    std::unique_ptr<SpeechPlayer> player;
    std::unique_ptr<QSignalSpy> started;
    std::unique_ptr<QSignalSpy> finished;
};

TEST_F(SpeechPlayerTest, SpeakReturnsAtOnceAndTextsPlayInOrder)
{
    make();
    player->speak(parseSpeechTags("uno"));
    player->speak(parseSpeechTags("\\Map=\"due\"=\"2\"\\"));
    player->speak(parseSpeechTags("tre"));
    EXPECT_TRUE(player->isSpeaking());
    EXPECT_EQ(player->queued(), 2);
    EXPECT_EQ(out->written, 0); // nothing synthesized yet: speak did not wait
    EXPECT_EQ(startedTexts(), QStringList{"uno"});

    ASSERT_TRUE(playOut(30));
    EXPECT_EQ(startedTexts(), (QStringList{"uno", "2"}));
    ASSERT_TRUE(playOut(30));
    ASSERT_TRUE(playOut(30));
    EXPECT_EQ(startedTexts(), (QStringList{"uno", "2", "tre"}));
    EXPECT_EQ(finished->size(), 3);
    EXPECT_FALSE(player->isSpeaking());
    EXPECT_EQ(out->starts, 3);
}

TEST_F(SpeechPlayerTest, TheMouthFollowsThePlayingPosition)
{
    make();
    player->speak(parseSpeechTags("mao"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return out->written == 30; }, 2000));
    for (const auto& [played, shape] :
         {std::pair{0, MouthShape::Closed}, std::pair{10, MouthShape::Open},
          std::pair{25, MouthShape::Round}}) {
        out->played = played;
        EXPECT_TRUE(QTest::qWaitFor([&] { return player->mouth() == shape; }, 1000)) << played;
    }
}

TEST_F(SpeechPlayerTest, StopAllEmptiesTheQueueAndCutsTheCurrentText)
{
    make();
    player->speak(parseSpeechTags("una frase"));
    player->speak(parseSpeechTags("un'altra"));
    player->speak(parseSpeechTags("e l'ultima"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return out->written > 0; }, 2000));
    player->stopAll();
    EXPECT_FALSE(player->isSpeaking());
    EXPECT_EQ(player->queued(), 0);
    EXPECT_EQ(player->mouth(), MouthShape::Rest);
    EXPECT_GE(out->stops, 1);
    QTest::qWait(100);
    EXPECT_EQ(started->size(), 1);
    EXPECT_EQ(out->starts, 1);

    // The player goes on with what comes next.
    player->speak(parseSpeechTags("ancora"));
    EXPECT_TRUE(playOut(60));
    EXPECT_EQ(startedTexts(), (QStringList{"una frase", "ancora"}));
}

TEST_F(SpeechPlayerTest, WithoutVoiceOrDeviceTheTextRunsSilently)
{
    make(/*synthWorks=*/false);
    out->refuse = true;
    player->speak(parseSpeechTags("ciao"));
    EXPECT_EQ(startedTexts(), QStringList{"ciao"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !player->lastError().isEmpty(); }, 2000));
    EXPECT_EQ(player->lastError(), "no voice");
    EXPECT_EQ(out->written, 0); // the refusing device got nothing
    // The silent stand-in lasts at least a second, then ends by itself.
    EXPECT_TRUE(player->isSpeaking());
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished->size() == 1; }, 4000));
}

TEST_F(SpeechPlayerTest, ATextThatSaysNothingStillShowsAndEnds)
{
    make();
    player->speak(parseSpeechTags("\\Spd=200\\")); // says and shows nothing
    player->speak(parseSpeechTags("\\Map=\"\"=\"guarda\"\\"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return startedTexts().contains("guarda"); }, 2000));
    EXPECT_EQ(finished->size(), 1);
    // "guarda" stays up for a readable time (silence), then ends.
    ASSERT_TRUE(QTest::qWaitFor([&] { return out->written >= kRate; }, 2000));
    out->played = out->written;
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished->size() == 2; }, 2000));
}

} // namespace
