// The character's voice and the scan's, over a scripted synthesizer and a hand-played output.
#include "core/speech/SpeechPlayer.h"

#include "core/speech/ItemSpeech.h"
#include "core/speech/Synthesizer.h"

#include <gtest/gtest.h>
#include <memory>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace ortolino;

namespace {

constexpr int kRate = 1000; // one sample a millisecond keeps the sums easy

// Ten loud samples a character, each with its mouth shape, between `silence`
// quiet samples; notes "text/language" in `said`; fails unless `works`.
struct LetterSynthesizer final : Synthesizer
{
    LetterSynthesizer(std::shared_ptr<QStringList> said, int silence, bool works = true)
        : said(std::move(said)), silence(silence), works(works)
    {
    }
    int sampleRate() const override { return kRate; }
    bool synthesize(const SpeechRequest& request, const Deliver& deliver, QString* error) override
    {
        if (!works && error)
            *error = QStringLiteral("no voice");
        QString text;
        for (const SpokenPart& part : request.parts)
            text += part.text;
        said->append(text + QLatin1Char('/') + request.language);
        const AudioChunk quiet{QByteArray(silence * 2, '\0'), {}};
        if (!works || (silence && !deliver(quiet)))
            return works;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QByteArray loud = QByteArray("\x00\x10", 2).repeated(10); // 4096
            if (!deliver({loud, {{silence + 10 * i, mouthForLetter(text[i])}}}))
                return true;
        }
        return !silence || deliver(quiet);
    }
    std::shared_ptr<QStringList> said;
    int silence;
    bool works;
};

// What the output was asked: "start", "write N" (samples), "stop", "finish".
struct Heard
{
    QStringList log;
    qint64 written = 0;
    qint64 played = 0; // moved by the test
    bool refuse = false;
    bool failed = false; // its sound server went away
};

struct HeardOutput final : PcmOutput
{
    explicit HeardOutput(std::shared_ptr<Heard> heard) : h(std::move(heard)) {}
    bool start(int) override
    {
        h->log << "start";
        h->written = h->played = 0;
        return !h->refuse;
    }
    void write(const QByteArray& pcm) override
    {
        h->log << QStringLiteral("write %1").arg(pcm.size() / 2);
        h->written += pcm.size() / 2;
    }
    qint64 playedSamples() const override { return h->played; }
    void stop() override { h->log << "stop"; }
    void finish() override { h->log << "finish"; }
    bool failed() const override { return h->failed; }
    std::shared_ptr<Heard> h;
};

class SpeechPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override { make(); }
    void make(bool synthWorks = true)
    {
        player =
            std::make_unique<SpeechPlayer>(std::make_unique<LetterSynthesizer>(said, 0, synthWorks),
                                           std::make_unique<HeardOutput>(out));
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

    std::shared_ptr<QStringList> said = std::make_shared<QStringList>();
    std::shared_ptr<Heard> out = std::make_shared<Heard>();
    std::unique_ptr<SpeechPlayer> player;
    std::unique_ptr<QSignalSpy> started, finished;
};

TEST_F(SpeechPlayerTest, SpeakReturnsAtOnceAndTextsPlayInOrderEvenThoseWithNothingToSay)
{
    player->speak(parseSpeechTags("mao"));
    player->speak(parseSpeechTags("\\Map=\"due\"=\"2\"\\"));
    player->speak(parseSpeechTags("tre"));
    EXPECT_EQ(std::tuple(player->queued(), out->written, startedTexts()),
              std::tuple(2, 0, QStringList{"mao"})); // nothing synthesized: speak did not wait

    for (int text = 0; text < 3; ++text)
        ASSERT_TRUE(playOut(30)) << text;
    EXPECT_EQ(std::tuple(startedTexts(), player->isSpeaking(), out->log.count("start")),
              std::tuple(QStringList{"mao", "2", "tre"}, false, 3));

    player->speak(parseSpeechTags("\\Spd=200\\")); // says and shows nothing, yet ends
    player->speak(parseSpeechTags("\\Map=\"\"=\"guarda\"\\"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return startedTexts().contains("guarda"); }, 2000));
    EXPECT_EQ(finished->size(), 4);
    // "guarda" stays up for a readable time (silence), then ends.
    ASSERT_TRUE(QTest::qWaitFor([&] { return out->written >= kRate; }, 2000));
    out->played = out->written;
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished->size() == 5; }, 2000));
}

TEST_F(SpeechPlayerTest, StopAllEmptiesTheQueueAndCutsTheCurrentText)
{
    for (const char* text : {"una frase", "un'altra", "e l'ultima"})
        player->speak(parseSpeechTags(text));
    ASSERT_TRUE(QTest::qWaitFor([&] { return out->written > 0; }, 2000));
    player->stopAll();
    EXPECT_EQ(std::tuple(player->isSpeaking(), player->queued(), player->mouth(), out->log.last()),
              std::tuple(false, 0, MouthShape::Rest, "stop"));
    player->speak(parseSpeechTags("ancora")); // the player goes on with what comes next
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
    // The refusing device got nothing; the silent stand-in ends by itself.
    EXPECT_EQ(std::tuple(player->lastError(), out->written, player->isSpeaking()),
              std::tuple("no voice", 0, true));
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished->size() == 1; }, 4000));

    // A suspended device is given up after the stall; the rest runs on the clock, its full length.
    make();
    out->refuse = false;
    player->speak(parseSpeechTags(QString(60, QLatin1Char('a'))));
    ASSERT_TRUE(QTest::qWaitFor([&] { return out->written == 600; }, 2000));
    QElapsedTimer stalled;
    stalled.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished->size() == 1; }, 8000));
    EXPECT_GE(stalled.elapsed(), SpeechPlayer::kStallMs + 400);
    EXPECT_EQ(out->log.mid(out->log.lastIndexOf("start")).count("stop"), 1);
}

class ItemSpeechTest : public ::testing::Test
{
protected:
    ItemSpeechTest()
    {
        SpeechAudio audio;
        audio.newOutput = [h = heard] { return std::make_unique<HeardOutput>(h); };
        speech = std::make_unique<ItemSpeech>(
            [s = said] { return std::make_unique<LetterSynthesizer>(s, 20); }, audio);
        setup.languageId = 1040;
    }
    // Lets the worker's audio arrive.
    void settle(std::initializer_list<QString> items)
    {
        for (const QString& item : items)
            ASSERT_TRUE(QTest::qWaitFor([&] { return speech->ready(item); }, 5000))
                << item.toStdString();
    }

    std::shared_ptr<QStringList> said = std::make_shared<QStringList>();
    std::shared_ptr<Heard> heard = std::make_shared<Heard>();
    std::unique_ptr<ItemSpeech> speech;
    ScanVoiceSetup setup;
};

TEST_F(ItemSpeechTest, PreparedItemsAreHeardAtOnceCutOnlyWhileSoundingAndDroppedByANewSetup)
{
    speech->prepare(setup, {"a", "avanti"});
    settle({"a", "avanti"});
    EXPECT_EQ(*said, (QStringList{"a/it", "avanti/it"}));
    // The silence trimmed to a margin of 5 samples on each side of the 60 loud ones.
    EXPECT_EQ(speech->lengthMs("avanti"), 70);
    speech->prepare(setup, {"a"}); // prepared already: synthesizes nothing more
    QTest::qWait(20);

    // The output was opened (and left open) as the items were prepared.
    EXPECT_EQ(speech->speak("a"), 20);
    heard->played = heard->written; // heard whole
    speech->speak("avanti");
    heard->played = 3;
    speech->speak("a");
    heard->played = 0;
    speech->stop();
    speech->stop(); // nothing left to cut
    EXPECT_EQ(heard->log, (QStringList{"start", "finish", "start", "write 20", "finish", "start",
                                       "write 70", "stop", "start", "write 20", "stop"}));
    EXPECT_EQ(said->size(), 2);

    // A new setup drops the old audio; the cue style makes no speech, only its sound.
    ScanVoiceSetup cue = setup;
    cue.style = ScanSoundStyle::Cue;
    speech->prepare(cue, {"bi"});
    heard->log.clear();
    EXPECT_FALSE(speech->ready("a"));
    EXPECT_EQ(speech->speak("bi"), ItemSpeech::kCueMs);
    EXPECT_EQ(heard->log,
              (QStringList{"start", QStringLiteral("write %1").arg(ItemSpeech::kCueMs)}));
}

TEST_F(ItemSpeechTest, AnItemNotReadyIsHeardWhenItArrivesUnlessTheScanHasMovedOn)
{
    EXPECT_GT(speech->speak("ci"), 0); // estimated from its letters while it is made
    settle({"ci"});
    EXPECT_EQ(heard->log, (QStringList{"start", "write 30"}));

    heard->log.clear();
    speech->speak("di");
    speech->stop(); // the scan moved on before "di" was ready
    settle({"di"});
    speech->speak("effe");
    speech->speak("gi");
    settle({"effe", "gi"});
    // "ci" was cut by the move; of the rest only "gi", the last reached, is heard.
    EXPECT_EQ(heard->log, (QStringList{"stop", "start", "write 30"}));
}

TEST_F(ItemSpeechTest, WithoutAnAudioDeviceItemsRunSilentlyWithTheirLength)
{
    heard->refuse = true;
    speech->prepare(setup, {"a"});
    settle({"a"});
    EXPECT_EQ(speech->speak("a"), 20);
    speech->speak("a");
    EXPECT_EQ(heard->log, (QStringList{"start", "start", "start"}))
        << "nothing written to a refused output";

    ItemSpeech noVoice([] { return std::unique_ptr<Synthesizer>(); }, SpeechAudio());
    noVoice.prepare(setup, {"acca"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return noVoice.ready("acca"); }, 5000));
    EXPECT_GT(noVoice.speak("acca"), 0) << "silence as long as the name";
    noVoice.stop();
}

} // namespace
