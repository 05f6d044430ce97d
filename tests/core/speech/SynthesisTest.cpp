#include "core/speech/EspeakSynthesizer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <QtEndian>
#include <vector>

using namespace ortolino;

namespace {

struct Speech
{
    std::vector<qint16> samples;
    QList<MouthCue> cues;
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
            speech.cues.append(chunk.cues);
            return true;
        },
        &error);
    EXPECT_TRUE(ok) << error.toStdString();
    return speech;
}

// The median fundamental frequency of the voiced stretches, by autocorrelation.
double fundamental(const Speech& s)
{
    constexpr size_t window = 1024;
    std::vector<double> found;
    for (size_t at = 0; at + window < s.samples.size(); at += window / 2) {
        double energy = 0;
        for (size_t i = 0; i < window; ++i)
            energy += double(s.samples[at + i]) * s.samples[at + i];
        if (energy / window < 1e6)
            continue; // silence or a quiet consonant
        int bestLag = 0;
        double best = 0;
        for (int lag = s.rate / 450; lag <= s.rate / 60; ++lag) {
            double c = 0;
            for (size_t i = 0; i + lag < window; ++i)
                c += double(s.samples[at + i]) * s.samples[at + i + lag];
            if (c > best) {
                best = c;
                bestLag = lag;
            }
        }
        if (bestLag > 0)
            found.push_back(double(s.rate) / bestLag);
    }
    if (found.empty())
        return 0;
    std::nth_element(found.begin(), found.begin() + found.size() / 2, found.end());
    return found[found.size() / 2];
}

TEST(EspeakSynthesis, ItalianAndEnglishGiveAudioWithAMovingMouth)
{
    for (const auto& [text, language] :
         {std::pair{"Brava! Devi scrivere la parola cane.", "it"},
          std::pair{"Well done! Now write the word map.", "en-us"}}) {
        const Speech s = synthesize(QString::fromUtf8(text), {}, QString::fromLatin1(language));
        EXPECT_GT(s.seconds(), 1.0) << language;
        EXPECT_LT(s.seconds(), 6.0) << language;
        const auto peak = std::max_element(s.samples.begin(), s.samples.end());
        ASSERT_NE(peak, s.samples.end());
        EXPECT_GT(*peak, 3000) << "not silence";
        ASSERT_GT(s.cues.size(), 10);
        EXPECT_TRUE(std::is_sorted(s.cues.begin(), s.cues.end(),
                                   [](auto& a, auto& b) { return a.sample < b.sample; }));
        EXPECT_TRUE(std::any_of(s.cues.begin(), s.cues.end(),
                                [](auto& c) { return c.shape == MouthShape::Open; }));
        EXPECT_TRUE(std::any_of(s.cues.begin(), s.cues.end(),
                                [](auto& c) { return c.shape == MouthShape::Closed; }));
    }
}

TEST(EspeakSynthesis, AHigherSpeedIsShorterAndAHigherPitchSoundsHigher)
{
    const QString text = QStringLiteral("Questa è la mia voce. Puoi modificarla con le barre.");
    const Speech slow = synthesize(text, "it", "it", {50, 100});
    const Speech normal = synthesize(text, "it", "it", {130, 100});
    const Speech fast = synthesize(text, "it", "it", {250, 100});
    EXPECT_GT(slow.seconds(), normal.seconds() * 1.3);
    EXPECT_GT(normal.seconds(), fast.seconds() * 1.3);

    const double low = fundamental(synthesize(text, "it", "it", {130, 50}));
    const double mid = fundamental(synthesize(text, "it", "it", {130, 100}));
    const double high = fundamental(synthesize(text, "it", "it", {130, 400}));
    EXPECT_GT(low, 60);
    EXPECT_GT(mid, low * 1.05);
    EXPECT_GT(high, mid * 1.3);
}

TEST(EspeakSynthesis, AnUnknownVoiceFallsBackToTheLanguage)
{
    const Speech guid = synthesize("ciao", "7EF71701-A92D-11d1-B17B-0020AFED142E", "it");
    const Speech italian = synthesize("ciao", "it", "it");
    EXPECT_GT(guid.seconds(), 0.2);
    EXPECT_NEAR(guid.seconds(), italian.seconds(), 0.05);
}

TEST(EspeakSynthesis, VoicesAreListedWithTheirIdentifiers)
{
    EspeakSynthesizer synth;
    ASSERT_TRUE(synth.available()) << synth.error().toStdString();
    const QList<EspeakVoice> voices = synth.voices();
    EXPECT_TRUE(std::any_of(voices.begin(), voices.end(),
                            [](auto& v) { return v.file == "it" && v.name == "Italian"; }));
    EXPECT_TRUE(synth.hasVoice("it"));
    EXPECT_TRUE(synth.hasVoice("IT+f3"));
    EXPECT_TRUE(synth.hasVoice("Italian"));
    EXPECT_FALSE(synth.hasVoice("7EF71701-A92D-11d1-B17B-0020AFED142E"));
    EXPECT_FALSE(synth.hasVoice(""));
}

TEST(EspeakSynthesis, StoppingEarlyEndsTheSynthesis)
{
    EspeakSynthesizer synth;
    int chunks = 0;
    EXPECT_TRUE(synth.synthesize(
        {{{QStringLiteral("Una frase lunga, molto lunga, lunghissima."), {}}}, "it", "it"},
        [&](const AudioChunk&) { return ++chunks < 2; }, nullptr));
    EXPECT_EQ(chunks, 2);
}

TEST(EspeakSynthesis, WithoutVoiceDataNothingIsSynthesized)
{
    QTemporaryDir empty;
    EspeakSynthesizer synth(empty.path());
    EXPECT_FALSE(synth.available());
    EXPECT_FALSE(synth.error().isEmpty());
    EXPECT_TRUE(synth.voices().isEmpty());
    QString error;
    EXPECT_FALSE(synth.synthesize(
        {{{QStringLiteral("ciao"), {}}}, "it", "it"}, [](const AudioChunk&) { return true; },
        &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(SilentSynthesis, LastsLongEnoughToReadAndMovesTheMouth)
{
    SilentSynthesizer silent;
    qint64 samples = 0;
    QList<MouthCue> cues;
    silent.synthesize(
        {{{QStringLiteral("mamma"), {}}}, {}, {}},
        [&](const AudioChunk& c) {
            samples += c.samples();
            cues += c.cues;
            return true;
        },
        nullptr);
    EXPECT_GE(samples, SilentSynthesizer::kSampleRate); // at least a second
    EXPECT_EQ(mouthAt(cues, 0), MouthShape::Closed);    // m
    EXPECT_EQ(mouthAt(cues, samples), MouthShape::Rest);
    EXPECT_GT(SilentSynthesizer::durationMs("una frase lunga da leggere", 50),
              SilentSynthesizer::durationMs("una frase lunga da leggere", 250));
}

TEST(Mouth, PhonemesAndLettersGiveShapes)
{
    EXPECT_EQ(mouthForPhoneme(u"a"), MouthShape::Open);
    EXPECT_EQ(mouthForPhoneme(u"aI"), MouthShape::Open);
    EXPECT_EQ(mouthForPhoneme(u"E"), MouthShape::Wide);
    EXPECT_EQ(mouthForPhoneme(u"O"), MouthShape::Round);
    EXPECT_EQ(mouthForPhoneme(u"m"), MouthShape::Closed);
    EXPECT_EQ(mouthForPhoneme(u"t"), MouthShape::Small);
    EXPECT_EQ(mouthForPhoneme(u"_:"), MouthShape::Rest);
    EXPECT_EQ(mouthForLetter(u'È'), MouthShape::Wide);
    EXPECT_EQ(mouthForLetter(u'!'), MouthShape::Rest);
    const QList<MouthCue> cues{{100, MouthShape::Open}, {200, MouthShape::Round}};
    EXPECT_EQ(mouthAt(cues, 99), MouthShape::Rest);
    EXPECT_EQ(mouthAt(cues, 100), MouthShape::Open);
    EXPECT_EQ(mouthAt(cues, 5000), MouthShape::Round);
}

} // namespace
