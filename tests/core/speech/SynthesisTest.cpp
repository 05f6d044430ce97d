#include "core/speech/EspeakSynthesizer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QtEndian>
#include <vector>

using namespace ortolino;

namespace {

struct Speech
{
    std::vector<qint16> samples;
    int rate = 0;
    double seconds() const { return rate ? double(samples.size()) / rate : 0.0; }
};

Speech synthesize(const QString& text, const QString& voice, const QString& language,
                  VoiceTone tone = {})
{
    EspeakSynthesizer synth;
    Speech speech;
    speech.rate = synth.sampleRate();
    QString error;
    const bool ok = synth.synthesize(
        {{{text, tone}}, voice, language},
        [&](const AudioChunk& chunk) {
            for (qint64 i = 0; i < chunk.samples(); ++i)
                speech.samples.push_back(qFromLittleEndian<qint16>(chunk.pcm.constData() + 2 * i));
            return true;
        },
        &error);
    EXPECT_TRUE(ok) << error.toStdString();
    return speech;
}

// Italian by its voice, English by its language alone.
TEST(EspeakSynthesis, SpeechIsHeardAndSlowsWithTheSpeed)
{
    const QString text = QStringLiteral("Questa è la mia voce. Puoi modificarla con le barre.");
    const Speech normal = synthesize(text, "it", "it", {130, 100});
    for (const Speech& s :
         {normal, synthesize("Well done! Now write the word map.", {}, "en-us")}) {
        EXPECT_GT(s.seconds(), 1.0);
        EXPECT_LT(s.seconds(), 6.0);
        EXPECT_GT(*std::max_element(s.samples.begin(), s.samples.end()), 3000) << "not silence";
    }
    EXPECT_GT(synthesize(text, "it", "it", {50, 100}).seconds(), normal.seconds() * 1.3);
}

TEST(EspeakSynthesis, AnUnknownVoiceFallsBackToTheLanguageAndStoppingEndsTheSpeech)
{
    EspeakSynthesizer synth;
    ASSERT_TRUE(synth.available()) << synth.error().toStdString();
    for (const char* known : {"it", "IT+f3", "Italian"})
        EXPECT_TRUE(synth.hasVoice(known)) << known;
    const QString guid = QStringLiteral("7EF71701-A92D-11d1-B17B-0020AFED142E");
    EXPECT_FALSE(synth.hasVoice(guid));
    EXPECT_FALSE(synth.hasVoice(""));

    const Speech fallback = synthesize("ciao", guid, "it");
    EXPECT_GT(fallback.seconds(), 0.2);
    EXPECT_NEAR(fallback.seconds(), synthesize("ciao", "it", "it").seconds(), 0.05);

    int chunks = 0; // stopping early ends the synthesis
    EXPECT_TRUE(synth.synthesize(
        {{{QStringLiteral("Una frase lunga, molto lunga, lunghissima."), {}}}, "it", "it"},
        [&](const AudioChunk&) { return ++chunks < 2; }, nullptr));
    EXPECT_EQ(chunks, 2);
}

TEST(SilentSynthesis, LastsLongEnoughToRead)
{
    qint64 samples = 0;
    SilentSynthesizer().synthesize(
        {{{QStringLiteral("mamma"), {}}}, {}, {}},
        [&](const AudioChunk& c) {
            samples += c.samples();
            return true;
        },
        nullptr);
    EXPECT_GE(samples, SilentSynthesizer::kSampleRate); // at least a second
    // 300,000 letters at the lowest speed: over 50,000 s, past an int of ms.
    EXPECT_EQ(SilentSynthesizer::durationMs(QString(300000, 'a'), 50),
              (500 + 70 * 300000LL) * 130 / 50);
}

} // namespace
