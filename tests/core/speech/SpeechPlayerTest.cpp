// The two voices: the character's (SpeechPlayer: texts in order, the mouth
// following the sound) and auditory scanning's (ItemSpeech: short items made
// ahead and cut when the scan moves on), over one scripted synthesizer and
// one output the test plays by hand.
#include "core/speech/SpeechPlayer.h"

#include "core/speech/EspeakSynthesizer.h"
#include "core/speech/ItemSpeech.h"

#include <gtest/gtest.h>
#include <memory>
#include <QSignalSpy>
#include <QTest>

using namespace ortolino;

namespace {

constexpr int kRate = 1000; // one sample a millisecond keeps the sums easy

// Ten loud samples per character, each with its mouth shape, and `silence`
// samples before and after; notes "text/language" in `said`; fails on demand.
class LetterSynthesizer final : public Synthesizer
{
public:
    explicit LetterSynthesizer(std::shared_ptr<QStringList> said, int silence = 0,
                               bool works = true)
        : said_(std::move(said)), silence_(silence), works_(works)
    {
    }
    int sampleRate() const override { return kRate; }
    bool synthesize(const SpeechRequest& request, const Deliver& deliver, QString* error) override
    {
        if (!works_) {
            if (error)
                *error = QStringLiteral("no voice");
            return false;
        }
        QString text;
        for (const SpokenPart& part : request.parts)
            text += part.text;
        said_->append(text + QLatin1Char('/') + request.language);
        AudioChunk quiet;
        quiet.pcm = QByteArray(silence_ * 2, '\0');
        if (silence_ && !deliver(quiet))
            return true;
        qint64 at = silence_;
        for (QChar c : text) {
            AudioChunk chunk;
            chunk.pcm = QByteArray("\x00\x10", 2).repeated(10); // 4096: loud
            chunk.cues.append({at, mouthForLetter(c)});
            if (!deliver(chunk))
                return true;
            at += 10;
        }
        return !silence_ || deliver(quiet);
    }

private:
    std::shared_ptr<QStringList> said_;
    int silence_;
    bool works_;
};

// What the output was asked: "start", "write N" (samples), "stop", "finish".
struct Heard
{
    QStringList log;
    qint64 written = 0;
    qint64 played = 0; // moved by the test
    bool refuse = false;
};

class HeardOutput final : public PcmOutput
{
public:
    explicit HeardOutput(std::shared_ptr<Heard> heard) : h_(std::move(heard)) {}
    bool start(int) override
    {
        h_->log << QStringLiteral("start");
        h_->written = h_->played = 0;
        return !h_->refuse;
    }
    void write(const QByteArray& pcm) override
    {
        h_->log << QStringLiteral("write %1").arg(pcm.size() / 2);
        h_->written += pcm.size() / 2;
    }
    qint64 playedSamples() const override { return h_->played; }
    void stop() override { h_->log << QStringLiteral("stop"); }
    void finish() override { h_->log << QStringLiteral("finish"); }

private:
    std::shared_ptr<Heard> h_;
};

class SpeechPlayerTest : public ::testing::Test
{
protected:
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
    EXPECT_EQ(out->log.count("start"), 3);
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
    EXPECT_TRUE(out->log.contains("stop"));
    QTest::qWait(100);
    EXPECT_EQ(started->size(), 1);
    EXPECT_EQ(out->log.count("start"), 1);

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

class ItemSpeechTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SpeechAudio audio;
        audio.newOutput = [h = heard] { return std::make_unique<HeardOutput>(h); };
        speech = std::make_unique<ItemSpeech>(
            [s = said] { return std::make_unique<LetterSynthesizer>(s, 20); }, audio);
        setup.languageId = 1040;
    }
    // Lets the worker's audio arrive.
    void settle(const QString& item)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return speech->ready(item); }, 5000))
            << item.toStdString();
    }

    std::shared_ptr<QStringList> said = std::make_shared<QStringList>();
    std::shared_ptr<Heard> heard = std::make_shared<Heard>();
    std::unique_ptr<ItemSpeech> speech;
    ScanVoiceSetup setup;
};

TEST(TrimSilence, KeepsTheSoundWithAShortMarginAtEachEnd)
{
    const auto samples = [](std::initializer_list<int> values) {
        QByteArray pcm;
        for (int v : values) {
            const qint16 s = qint16(v);
            pcm.append(reinterpret_cast<const char*>(&s), 2);
        }
        return pcm;
    };
    // At 1000 samples a second the margin is 5 samples.
    const struct
    {
        QByteArray in, out;
    } cases[] = {
        {samples({0, 10, -10, 0}), {}},
        {samples({5000, 0, -5000}), samples({5000, 0, -5000})},
        {samples({0, 0, 0, 0, 0, 0, 0, 0, 900, -900, 0, 0, 0, 0, 0, 0, 0, 0}),
         samples({0, 0, 0, 0, 0, 900, -900, 0, 0, 0, 0, 0})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(trimSilence(c.in, 1000), c.out);
}

TEST_F(ItemSpeechTest, PreparedItemsAreHeardAtOnceAndTheirLengthIsKnown)
{
    speech->prepare(setup, {QStringLiteral("bi"), QStringLiteral("avanti")});
    settle(QStringLiteral("bi"));
    settle(QStringLiteral("avanti"));
    EXPECT_EQ(*said, (QStringList{QStringLiteral("bi/it"), QStringLiteral("avanti/it")}));

    // The output was opened (and left open) as the items were prepared. "bi":
    // 20 loud samples and a margin of 5 on each side.
    EXPECT_EQ(speech->speak(QStringLiteral("bi")), 30);
    EXPECT_EQ(heard->log, (QStringList{"start", "finish", "start", "write 30"}));
    EXPECT_EQ(speech->lengthMs(QStringLiteral("avanti")), 70);

    // Preparing the same items again synthesizes nothing more.
    speech->prepare(setup, {QStringLiteral("bi")});
    QTest::qWait(20);
    EXPECT_EQ(said->size(), 2);
}

TEST_F(ItemSpeechTest, AnItemStillSoundingIsCutAndOneHeardToTheEndIsNot)
{
    speech->prepare(setup, {QStringLiteral("a"), QStringLiteral("bi")});
    settle(QStringLiteral("a"));
    settle(QStringLiteral("bi"));
    heard->log.clear();

    speech->speak(QStringLiteral("a"));
    heard->played = 3; // of 20
    speech->speak(QStringLiteral("bi"));
    heard->played = heard->written; // heard whole
    speech->speak(QStringLiteral("a"));
    heard->played = 0;
    speech->stop();
    speech->stop(); // nothing left to cut
    EXPECT_EQ(heard->log, (QStringList{"start", "write 20", "stop", "start", "write 30", "finish",
                                       "start", "write 20", "stop"}));
}

TEST_F(ItemSpeechTest, AnItemNotReadyIsHeardWhenItArrivesUnlessTheScanHasMovedOn)
{
    // Estimated from its letters while it is being made.
    EXPECT_GT(speech->speak(QStringLiteral("ci")), 0);
    settle(QStringLiteral("ci"));
    EXPECT_EQ(heard->log, (QStringList{"start", "write 30"}));

    heard->log.clear();
    speech->speak(QStringLiteral("di"));
    speech->stop(); // the scan moved on before "di" was ready
    settle(QStringLiteral("di"));
    speech->speak(QStringLiteral("effe"));
    speech->speak(QStringLiteral("gi"));
    settle(QStringLiteral("effe"));
    settle(QStringLiteral("gi"));
    // "ci" was cut by the move; of the rest only "gi", the last reached, is heard.
    EXPECT_EQ(heard->log, (QStringList{"stop", "start", "write 30"}));
}

TEST_F(ItemSpeechTest, TheCueStyleMakesNoSpeechAndANewVoiceDropsTheOldAudio)
{
    speech->prepare(setup, {QStringLiteral("a")});
    settle(QStringLiteral("a"));

    ScanVoiceSetup cue = setup;
    cue.style = ScanSoundStyle::Cue;
    speech->prepare(cue, {QStringLiteral("bi")});
    heard->log.clear();
    EXPECT_FALSE(speech->ready(QStringLiteral("a")));
    EXPECT_EQ(speech->speak(QStringLiteral("bi")), ItemSpeech::kCueMs);
    EXPECT_EQ(heard->log,
              (QStringList{"start", QStringLiteral("write %1").arg(ItemSpeech::kCueMs)}));

    ScanVoiceSetup english = setup;
    english.languageId = 1033;
    speech->prepare(english, {QStringLiteral("bee")});
    settle(QStringLiteral("bee"));
    EXPECT_EQ(said->last(), QStringLiteral("bee/en-us"));
}

TEST_F(ItemSpeechTest, WithoutAnAudioDeviceItemsRunSilentlyWithTheirLength)
{
    heard->refuse = true;
    speech->prepare(setup, {QStringLiteral("a")});
    settle(QStringLiteral("a"));
    EXPECT_EQ(speech->speak(QStringLiteral("a")), 20);
    speech->speak(QStringLiteral("a"));
    EXPECT_EQ(heard->log, (QStringList{"start", "start", "start"}))
        << "nothing written to a refused output";

    ItemSpeech noAudio([] { return std::unique_ptr<Synthesizer>(); }, SpeechAudio());
    noAudio.prepare(setup, {QStringLiteral("acca")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return noAudio.ready(QStringLiteral("acca")); }, 5000));
    EXPECT_GT(noAudio.speak(QStringLiteral("acca")), 0) << "silence as long as the name";
    noAudio.stop();
}

TEST(ItemSpeechEspeak, LetterNamesAreShortAndStartAtOnce)
{
    if (!EspeakSynthesizer().available())
        GTEST_SKIP() << "espeak-ng is not installed";
    auto heard = std::make_shared<Heard>();
    SpeechAudio audio;
    audio.newOutput = [heard] { return std::make_unique<HeardOutput>(heard); };
    ItemSpeech speech([] { return std::make_unique<EspeakSynthesizer>(); }, audio);
    ScanVoiceSetup setup;
    setup.languageId = 1040;
    const QStringList names{QStringLiteral("a"), QStringLiteral("bi"), QStringLiteral("doppia vu")};
    speech.prepare(setup, names);
    for (const QString& name : names) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return speech.ready(name); }, 10000));
        const int ms = speech.lengthMs(name);
        EXPECT_GT(ms, 80) << name.toStdString();
        EXPECT_LT(ms, 1200) << name.toStdString();
    }
    EXPECT_LT(speech.lengthMs(QStringLiteral("bi")), speech.lengthMs(QStringLiteral("doppia vu")));
}

} // namespace
