// The school cursive font, the two feedback sounds and the credits as Ortolino
// ships them.

#include "core/platform/TextFiles.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <QFontDatabase>
#include <QPainterPath>
#include <QRawFont>
#include <QtEndian>

namespace {

const QString kData = QStringLiteral(ORTOLINO_SOURCE_DATA_DIR);

TEST(Tratto1, LoadsAsFamilyTratto1WithEveryLetterItalianNeeds)
{
    const QString path = kData + "/tratto1.ttf";
    const int id = QFontDatabase::addApplicationFont(path);
    ASSERT_NE(id, -1);
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(id).contains("Tratto1"));
    QFontDatabase::removeApplicationFont(id);

    const QRawFont font(path, 48);
    ASSERT_TRUE(font.isValid());
    EXPECT_EQ(font.familyName(), "Tratto1");
    QString letters;
    for (char c = 'a'; c <= 'z'; ++c)
        letters += QString(QChar(c)) + QChar(c).toUpper();
    letters += QStringLiteral("àèéìòùÀÈÉÌÒÙ");
    for (QChar letter : letters) {
        SCOPED_TRACE(QString(letter).toStdString());
        ASSERT_TRUE(font.supportsCharacter(letter));
        const QList<quint32> glyphs = font.glyphIndexesForString(QString(letter));
        ASSERT_EQ(glyphs.size(), 1);
        EXPECT_FALSE(font.pathForGlyph(glyphs.front()).isEmpty()) << "a glyph without outline";
    }
}

TEST(Tratto1, ComesWithItsLicence)
{
    const auto licence = ortolino::readFileBytes(kData + "/tratto1-OFL.txt");
    ASSERT_TRUE(licence.has_value());
    EXPECT_TRUE(licence->contains("SIL OPEN FONT LICENSE Version 1.1"));
    EXPECT_TRUE(licence->contains("Jean-Marie Douteau"));
}

TEST(Credits, NameEverySourceAndItsLicence)
{
    const auto bytes = ortolino::readFileBytes(kData + "/CREDITS.txt");
    ASSERT_TRUE(bytes.has_value());
    const QString credits = QString::fromUtf8(*bytes);
    EXPECT_EQ(credits.toUtf8(), *bytes) << "plain UTF-8";
    for (const char* needed :
         {"GNU General Public License", "Twemoji", "CC BY 4.0", "Ecolier Court",
          "Jean-Marie Douteau", "SIL Open Font License 1.1", "si.wav", "no.wav"})
        EXPECT_TRUE(credits.contains(QString::fromUtf8(needed))) << needed;
}

// The PCM samples of a WAV file, scaled to -1..1, with its rate.
struct Wave
{
    int rate = 0;
    int channels = 0;
    std::vector<double> samples; // interleaved
    double seconds() const { return double(samples.size()) / channels / rate; }
};

// Reads a RIFF WAVE file of 8- or 16-bit integer PCM; nothing if it is not one.
std::optional<Wave> decodeWave(const QByteArray& bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    Wave wave;
    int bits = 0;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = qFromLittleEndian<quint32>(data + at + 4);
        const qsizetype body = at + 8;
        if (body + size > bytes.size())
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            if (qFromLittleEndian<quint16>(data + body) != 1) // integer PCM
                return std::nullopt;
            wave.channels = qFromLittleEndian<quint16>(data + body + 2);
            wave.rate = int(qFromLittleEndian<quint32>(data + body + 4));
            bits = qFromLittleEndian<quint16>(data + body + 14);
        } else if (id == "data" && wave.channels > 0 && wave.rate > 0) {
            if (bits == 16) {
                for (qsizetype i = 0; i + 1 < size; i += 2)
                    wave.samples.push_back(qFromLittleEndian<qint16>(data + body + i) / 32768.0);
            } else if (bits == 8) {
                for (qsizetype i = 0; i < size; ++i)
                    wave.samples.push_back((data[body + i] - 128) / 128.0);
            }
            return wave.samples.empty() ? std::nullopt : std::optional(wave);
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

double peak(const std::vector<double>& samples, size_t from, size_t to)
{
    double loudest = 0;
    for (size_t i = from; i < std::min(to, samples.size()); ++i)
        loudest = std::max(loudest, std::abs(samples[i]));
    return loudest;
}

TEST(Sounds, AreShortFriendlyAndDecode)
{
    for (const char* name : {"si.wav", "no.wav"}) {
        SCOPED_TRACE(name);
        const auto bytes = ortolino::readFileBytes(kData + "/suoni/" + name);
        ASSERT_TRUE(bytes.has_value());
        const auto wave = decodeWave(*bytes);
        ASSERT_TRUE(wave.has_value()) << "not a PCM wave file";
        EXPECT_TRUE(wave->channels == 1 || wave->channels == 2);
        EXPECT_TRUE(wave->rate >= 8000 && wave->rate <= 48000);
        EXPECT_GT(wave->seconds(), 0.15);
        EXPECT_LT(wave->seconds(), 1.0);
        const double loudest = peak(wave->samples, 0, wave->samples.size());
        EXPECT_GT(loudest, 0.1) << "audible";
        EXPECT_LT(loudest, 0.9) << "no clipping, nothing startling";
        // Starts and ends softly: no click at either edge.
        const size_t edge = size_t(wave->rate * wave->channels / 500); // 2 ms
        EXPECT_LT(peak(wave->samples, 0, edge), loudest / 4);
        EXPECT_LT(peak(wave->samples, wave->samples.size() - edge, wave->samples.size()),
                  loudest / 4);
    }
}

TEST(Sounds, TheWrongSoundIsGentlerThanTheRightOne)
{
    const auto right = decodeWave(ortolino::readFileBytes(kData + "/suoni/si.wav").value());
    const auto wrong = decodeWave(ortolino::readFileBytes(kData + "/suoni/no.wav").value());
    ASSERT_TRUE(right && wrong);
    EXPECT_LT(peak(wrong->samples, 0, wrong->samples.size()),
              peak(right->samples, 0, right->samples.size()));
}

} // namespace
