#include "core/app/Program.h"
#include "core/exercise/ModuloSuoni.h"
#include "core/speech/PcmOutput.h"
#include "core/speech/WavFile.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// `v` as `bytes` little-endian bytes.
QByteArray le(quint32 v, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out += char((v >> (8 * i)) & 0xFF);
    return out;
}

QByteArray samples16(std::initializer_list<qint16> values)
{
    QByteArray out;
    for (qint16 v : values)
        out += le(quint16(v), 2);
    return out;
}

// A WAVE file of a format we do not write ourselves, with a chunk to skip before it.
QByteArray wave(quint16 code, int channels, int rate, int bits, const QByteArray& data)
{
    const QByteArray fmt = le(code, 2) + le(channels, 2) + le(rate, 4) +
                           le(rate * channels * bits / 8, 4) + le(channels * bits / 8, 2) +
                           le(bits, 2);
    return "RIFF....WAVELIST" + le(4, 4) + "INFOfmt " + le(fmt.size(), 4) + fmt + "data" +
           le(data.size(), 4) + data;
}

TEST(WavFile, PcmFormatsDecodeIntoPlayableSamples)
{
    using F = PcmSound::Format;
    const QByteArray pcm = samples16({0, 1000, -1000, 32767});
    const std::tuple<QByteArray, PcmSound::Format, int, int, QByteArray> cases[] = {
        {encodeWav16(pcm, 22050, 1), F::Int16, 22050, 1, pcm},
        // 24-bit samples widen to 32 bits with the same value scale.
        {wave(1, 1, 44100, 24, QByteArray("\x01\x02\x03\xff\xff\x7f", 6)), F::Int32, 44100, 1,
         QByteArray("\x00\x01\x02\x03\x00\xff\xff\x7f", 8)},
    };
    for (const auto& [file, format, rate, channels, data] : cases) {
        const auto sound = decodeWav(file, nullptr);
        ASSERT_TRUE(sound) << rate;
        EXPECT_EQ(std::tuple(sound->format, sound->sampleRate, sound->channels, sound->data),
                  std::tuple(format, rate, channels, data));
    }
}

TEST(WavFile, DamagedOrForeignFilesAreRefusedOrCut)
{
    // A data chunk claiming more than there is keeps the whole frames present.
    QByteArray cut = encodeWav16(samples16({1, 2, 3, 4}), 8000, 2);
    cut.chop(3);
    const auto kept = decodeWav(cut, nullptr);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->frames(), 1);

    for (const QByteArray& bad :
         {QByteArray(), QByteArray("RIFF"), QByteArray("RIFF\0\0\0\0AVI LIST", 16),
          wave(2, 1, 8000, 4, "xx"), wave(1, 1, 8000, 12, "xx"), wave(1, 0, 8000, 16, "xx"),
          wave(1, 1, 8000, 16, ""), encodeWav16({}, 8000, 1).left(36)}) {
        QString error;
        EXPECT_FALSE(decodeWav(bad, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    QString error;
    EXPECT_FALSE(readWavFile("/no/such/file.wav", &error));
    EXPECT_TRUE(error.contains("cannot read"));
}

// When each sound plays is the exercise's test; here: which file, and no player.
TEST(Sounds, TheFileIsFoundInAnyLetterCaseAndAMissingPlayerIsNoFault)
{
    TestEnvironment env{TestEnvironment::Data::Empty};
    TestServices seams;
    Program program{env.env(), seams.services()};
    program.state.ParlatoAttivo = false;
    env.writeProgramFile("suoni/SI.WAV", encodeWav16(samples16({1, 2}), 8000, 1));
    EXPECT_TRUE(SuonoGiusto(program));
    EXPECT_TRUE(SuonoSbagliato(program)); // a missing file is the player's to report
    EXPECT_EQ(seams.sounds.played, (QStringList{env.env().programFile("suoni/SI.WAV"),
                                                env.env().programFile("suoni/no.wav")}));
    program.services.sounds = nullptr;
    EXPECT_FALSE(SuonoGiusto(program));
}

} // namespace

// A cut word ends in a fade made of what would have followed: the wave goes on
// from where it was, dies away within the fade, and each channel keeps its own.
TEST(Pcm, ACutFadesTheWaveThatWouldHaveFollowedToSilence)
{
    const int rate = 22050;
    for (const int channels : {1, 2}) {
        QByteArray wave; // 440 Hz; the second channel the first's opposite
        for (int i = 0; i < rate / 10; ++i) {
            const auto s = qint16(12000 * std::sin(2 * M_PI * 440 * i / rate));
            wave += channels == 2 ? samples16({s, qint16(-s)}) : samples16({s});
        }
        for (const qint64 asked : {qint64(220), qint64(5000)}) {
            SCOPED_TRACE(testing::Message() << channels << " channels, " << asked << " asked");
            const QByteArray faded = fadedStart(wave, channels, asked);
            const auto* in = reinterpret_cast<const qint16*>(wave.constData());
            const auto* out = reinterpret_cast<const qint16*>(faded.constData());
            const qint64 frames = faded.size() / (2 * channels);
            ASSERT_EQ(frames, std::min<qint64>(asked, rate / 10));
            int largestStep = std::abs(out[0] - in[0]);
            for (qint64 f = 1; f < frames; ++f) {
                largestStep =
                    std::max(largestStep, std::abs(out[f * channels] - out[(f - 1) * channels]));
                EXPECT_TRUE(channels == 1 || out[f * 2 + 1] == -out[f * 2]) << f;
            }
            EXPECT_LT(largestStep, 1600) << "the wave's own largest step is about 1,500";
            EXPECT_LT(std::abs(out[(frames - 1) * channels]), 12000 / 100);
        }
    }
}
