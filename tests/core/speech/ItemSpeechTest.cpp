#include "core/speech/ItemSpeech.h"

#include "core/speech/EspeakSynthesizer.h"

#include <gtest/gtest.h>
#include <memory>
#include <QTest>

using namespace ortolino;

namespace {

constexpr int kItemRate = 1000; // a sample a millisecond

// Each character: 10 loud samples; 20 silent ones before and after the item.
class LetterSynthesizer final : public Synthesizer
{
public:
    explicit LetterSynthesizer(std::shared_ptr<QStringList> said) : said_(std::move(said)) {}
    int sampleRate() const override { return kItemRate; }
    bool synthesize(const SpeechRequest& request, const Deliver& deliver, QString*) override
    {
        const QString text = request.parts.value(0).text;
        said_->append(text + QLatin1Char('/') + request.language);
        QByteArray pcm(20 * 2, '\0');
        for (qsizetype i = 0; i < text.size() * 10; ++i)
            pcm += QByteArray("\x00\x10", 2); // 4096: loud
        pcm += QByteArray(20 * 2, '\0');
        AudioChunk chunk;
        chunk.pcm = pcm;
        return deliver(chunk);
    }

private:
    std::shared_ptr<QStringList> said_;
};

struct Heard
{
    QStringList log; // "start", "write N", "stop", "finish"
    qint64 written = 0;
    qint64 played = 0;
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

class ItemSpeechTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SpeechAudio audio;
        audio.newOutput = [h = heard] { return std::make_unique<HeardOutput>(h); };
        speech = std::make_unique<ItemSpeech>(
            [s = said] { return std::make_unique<LetterSynthesizer>(s); }, audio);
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
