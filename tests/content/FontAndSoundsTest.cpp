// The school cursive font, the two feedback sounds and the credits as Ortolino
// ships them.

#include "core/platform/TextFiles.h"
#include "core/speech/WavFile.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
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

TEST(Credits, TheFontsLicenceAndTheCreditsNameEverySource)
{
    const auto licence = ortolino::readFileBytes(kData + "/tratto1-OFL.txt");
    ASSERT_TRUE(licence.has_value());
    EXPECT_TRUE(licence->contains("SIL OPEN FONT LICENSE Version 1.1"));
    EXPECT_TRUE(licence->contains("Jean-Marie Douteau"));

    const auto bytes = ortolino::readFileBytes(kData + "/CREDITS.txt");
    ASSERT_TRUE(bytes.has_value());
    const QString credits = QString::fromUtf8(*bytes);
    EXPECT_EQ(credits.toUtf8(), *bytes) << "plain UTF-8";
    for (const char* needed :
         {"GNU General Public License", "Twemoji", "CC BY 4.0", "Ecolier Court",
          "Jean-Marie Douteau", "SIL Open Font License 1.1", "si.wav", "no.wav"})
        EXPECT_TRUE(credits.contains(QString::fromUtf8(needed))) << needed;
}

// The loudest sample between two sample indexes, scaled to 0..1.
double peak(const ortolino::PcmSound& sound, qint64 from, qint64 to)
{
    const auto* data = reinterpret_cast<const uchar*>(sound.data.constData());
    double loudest = 0;
    for (qint64 i = from; i < std::min(to, sound.frames() * sound.channels); ++i) {
        const double sample = sound.format == ortolino::PcmSound::Format::UInt8
                                  ? (data[i] - 128) / 128.0
                                  : qFromLittleEndian<qint16>(data + 2 * i) / 32768.0;
        loudest = std::max(loudest, std::abs(sample));
    }
    return loudest;
}

TEST(Sounds, AreShortFriendlyAndTheWrongOneIsTheGentler)
{
    std::map<QString, double> loudest;
    for (const char* name : {"si.wav", "no.wav"}) {
        SCOPED_TRACE(name);
        QString error;
        const auto wave = ortolino::readWavFile(kData + "/suoni/" + name, &error);
        ASSERT_TRUE(wave.has_value()) << error.toStdString();
        ASSERT_TRUE(wave->format == ortolino::PcmSound::Format::UInt8 ||
                    wave->format == ortolino::PcmSound::Format::Int16);
        EXPECT_TRUE(wave->channels == 1 || wave->channels == 2);
        EXPECT_TRUE(wave->sampleRate >= 8000 && wave->sampleRate <= 48000);
        EXPECT_GT(wave->seconds(), 0.15);
        EXPECT_LT(wave->seconds(), 1.0);
        const qint64 end = wave->frames() * wave->channels;
        loudest[name] = peak(*wave, 0, end);
        EXPECT_GT(loudest[name], 0.1) << "audible";
        EXPECT_LT(loudest[name], 0.9) << "no clipping, nothing startling";
        // Starts and ends softly: no click at either edge.
        const qint64 edge = wave->sampleRate * wave->channels / 500; // 2 ms
        EXPECT_LT(peak(*wave, 0, edge), loudest[name] / 4);
        EXPECT_LT(peak(*wave, end - edge, end), loudest[name] / 4);
    }
    EXPECT_LT(loudest["no.wav"], loudest["si.wav"]);
}

} // namespace
