// The content as Ortolino ships it: pictures, lists and letter names in every
// language, the cursive font, the feedback sounds and the credits.

#include "ContentTable.h"
#include "core/app/Profile.h"
#include "core/app/ProgramState.h"
#include "core/lang/IniFile.h"
#include "core/platform/Environment.h"
#include "core/platform/TextFiles.h"
#include "core/speech/WavFile.h"
#include "core/words/KeyCaptions.h"
#include "support/QtPrinters.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <QDir>
#include <QFontDatabase>
#include <QImageReader>
#include <QPainterPath>
#include <QRawFont>
#include <QSet>
#include <QtEndian>

using namespace ortolino;
using namespace ortolino::content;

namespace {

const QString kSourceData = QStringLiteral(ORTOLINO_SOURCE_DATA_DIR);
const QString kAssets = QStringLiteral(ORTOLINO_SOURCE_DATA_DIR "/../assets/pictures");

class ShippedContent : public ::testing::TestWithParam<QString>
{
protected:
    void SetUp() override
    {
        const auto found = readLanguageFolders(kSourceData, GetParam());
        ASSERT_TRUE(found.has_value()) << GetParam().toStdString();
        folders = *found;
        pictures =
            QDir(kSourceData + '/' + folders.pictures).entryInfoList(QDir::Files | QDir::Hidden);
    }

    QString listFolder() const { return kSourceData + '/' + folders.lists; }

    // Words of a list file, as the catalogue reads them (one per line here).
    QStringList listWords(const QString& name) const
    {
        const auto bytes = readFileBytes(listFolder() + '/' + name);
        if (!bytes)
            return {};
        QStringList words = splitLines(decodeText(*bytes));
        words.removeAll(QString());
        return words;
    }

    LanguageFolders folders;
    QFileInfoList pictures; // each named by its word
};

// The words come in every length and start with every vowel.
TEST_P(ShippedContent, EveryPictureIsACatalogueWordWithAShowablePicture)
{
    ASSERT_GE(pictures.size(), 100);
    QSet<QString> extensions;
    std::map<int, int> byLength;
    std::map<QChar, int> byInitial;
    QSet<QString> words;
    for (const QFileInfo& picture : pictures) {
        const QString word = picture.completeBaseName();
        ++byLength[std::min<int>(word.size(), 7)];
        ++byInitial[word.front()];
        SCOPED_TRACE(picture.filePath().toStdString());
        EXPECT_FALSE(words.contains(word)) << "one word, two pictures";
        words.insert(word);
        extensions.insert(picture.suffix());

        QImageReader reader(picture.filePath());
        EXPECT_EQ(reader.format(), picture.suffix() == "jpg" ? "jpeg" : "gif");
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_TRUE(image.width() >= 300 && image.width() <= 500 &&
                    image.height() == image.width());
        for (QRgb corner : {image.pixel(1, 1), image.pixel(image.width() - 2, image.height() - 2)})
            EXPECT_TRUE(qRed(corner) > 245 && qGreen(corner) > 245 && qBlue(corner) > 245)
                << "no white background";
    }
    EXPECT_EQ(extensions, (QSet<QString>{"jpg", "gif"}));
    for (int length : {3, 4, 5, 6, 7})
        EXPECT_GE(byLength[length], 10) << "words of " << length << (length == 7 ? "+" : "");
    for (QChar vowel : QStringLiteral("aeiou"))
        EXPECT_GE(byInitial[vowel], 2) << "words starting with " << QString(vowel).toStdString();
}

// Letters a word has among the default active letters, counted per occurrence.
int activeLetters(const QString& word, const ProgramState& state)
{
    int count = 0;
    for (QChar letter : word) {
        for (int key = 0; key < kNumeroTasti; ++key)
            count += state.LettereAttive[key] && state.LettereTastiera[key + 1] == letter ? 1 : 0;
    }
    return count;
}

TEST_P(ShippedContent, EveryListWordHasAPictureAndTheDefaultsFindWordsForEachExercise)
{
    const QStringList lists = QDir(listFolder()).entryList({"*.txt"}, QDir::Files);
    ASSERT_TRUE(lists.contains(folders.defaultList));
    EXPECT_GE(lists.size(), 4) << "the default list and at least three themed lists";
    QSet<QString> pictureWords;
    for (const QFileInfo& picture : pictures)
        pictureWords.insert(picture.completeBaseName().toLower());
    for (const QString& list : lists) {
        SCOPED_TRACE(list.toStdString());
        const QByteArray bytes = readFileBytes(listFolder() + '/' + list).value();
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')) << "every line ends with CR LF";
        const QStringList words = listWords(list);
        EXPECT_FALSE(words.isEmpty());
        for (const QString& word : words)
            EXPECT_TRUE(pictureWords.contains(word.toLower())) << word.toStdString();
    }

    // The default settings find words for every exercise kind.
    ProgramState state;
    Environment env;
    ImpostaValoriPredefiniti(state, percorsoListaPredefinita(env, state));
    PreparaTastiera(state);
    int initial = 0, two = 0;
    for (const QString& word : listWords(folders.defaultList)) {
        if (word.size() > state.MassimoLettere)
            continue;
        initial += activeLetters(word.left(1), state) > 0 ? 1 : 0;
        two += activeLetters(word, state) >= 2 ? 1 : 0;
    }
    EXPECT_GE(initial, 20) << "first letter missing";
    EXPECT_GE(two, 30) << "two letters missing";
}

TEST_P(ShippedContent, ShippedFilesAreTheOnesTheWordTableMakes)
{
    const QString built = QStringLiteral(ORTOLINO_BUILD_DATA_DIR);
    EXPECT_EQ(QDir(built + '/' + folders.pictures).entryList(QDir::Files).size(), pictures.size());
    EXPECT_TRUE(QFile::exists(built + '/' + folders.lists + '/' + folders.defaultList));
    QString error;
    const auto table = readWordTable(kAssets + "/words.tsv", &error);
    ASSERT_TRUE(table.has_value()) << error.toStdString();
    const auto rules = readListRules(kAssets + "/lists.tsv", *table, &error);
    ASSERT_TRUE(rules.has_value()) << error.toStdString();
    const int language = int(table->languages.indexOf(GetParam()));
    ASSERT_GE(language, 0);

    QStringList expected;
    for (const PictureRow& row : table->rows)
        expected.append(row.words[language] + QLatin1Char('.') + row.format);
    expected.sort();
    EXPECT_EQ(QDir(kSourceData + '/' + folders.pictures).entryList(QDir::Files | QDir::Hidden),
              expected)
        << "run: cmake --build build --target content";

    const auto listBytes = [&](const QString& name) {
        return readFileBytes(listFolder() + '/' + name).value_or(QByteArray());
    };
    EXPECT_EQ(listBytes(folders.defaultList), listFileBytes(defaultListWords(*table, language)));
    for (const ListRule& rule : *rules) {
        EXPECT_EQ(listBytes(rule.fileNames[language]),
                  listFileBytes(selectedWords(*table, language, rule.selection)))
            << rule.fileNames[language].toStdString();
    }
}

// Auditory scanning says each key by its letter's name: all 26, none twice.
TEST_P(ShippedContent, EveryLetterHasADistinctNameForTheEar)
{
    const auto document = IniDocument::load(kSourceData + QStringLiteral("/lngortolino/") +
                                            GetParam() + QStringLiteral(".lng"));
    ASSERT_TRUE(document.has_value());
    const QString names = document->value(QStringLiteral("Strings"), kLetterNamesKey);
    QSet<QString> distinct;
    for (char16_t letter = u'a'; letter <= u'z'; ++letter) {
        const QString name = letterName(names, QString(QChar(letter)));
        EXPECT_FALSE(name.isEmpty());
        distinct.insert(name);
    }
    EXPECT_EQ(distinct.size(), 26) << names.toStdString();
    EXPECT_EQ(names.count(u'|'), 25);
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedContent,
                         ::testing::Values(QStringLiteral("Italiano"), QStringLiteral("English")),
                         [](const auto& info) { return info.param.toStdString(); });

TEST(Tratto1, LoadsAsFamilyTratto1WithEveryLetterItalianNeeds)
{
    const QString path = kSourceData + "/tratto1.ttf";
    const int id = QFontDatabase::addApplicationFont(path);
    ASSERT_NE(id, -1);
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(id).contains("Tratto1"));
    QFontDatabase::removeApplicationFont(id);

    const QRawFont font(path, 48);
    ASSERT_TRUE(font.isValid());
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
    const QByteArray licence = readFileBytes(kSourceData + "/tratto1-OFL.txt").value_or("");
    for (const char* needed : {"SIL OPEN FONT LICENSE Version 1.1", "Jean-Marie Douteau"})
        EXPECT_TRUE(licence.contains(needed)) << needed;
    const QByteArray credits = readFileBytes(kSourceData + "/CREDITS.txt").value_or("");
    EXPECT_EQ(QString::fromUtf8(credits).toUtf8(), credits) << "plain UTF-8";
    for (const char* needed :
         {"GNU General Public License", "Twemoji", "CC BY 4.0", "Ecolier Court",
          "Jean-Marie Douteau", "SIL Open Font License 1.1", "si.wav", "no.wav"})
        EXPECT_TRUE(credits.contains(needed)) << needed;
}

// The loudest sample between two sample indexes, scaled to 0..1.
double peak(const PcmSound& sound, qint64 from, qint64 to)
{
    const auto* data = reinterpret_cast<const uchar*>(sound.data.constData());
    double loudest = 0;
    for (qint64 i = from; i < std::min(to, sound.frames() * sound.channels); ++i) {
        const double sample = sound.format == PcmSound::Format::UInt8
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
        const auto wave = readWavFile(kSourceData + "/suoni/" + name, &error);
        ASSERT_TRUE(wave.has_value()) << error.toStdString();
        ASSERT_TRUE(wave->format == PcmSound::Format::UInt8 ||
                    wave->format == PcmSound::Format::Int16);
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
