// The content as Ortolino ships it: pictures, lists and letter names in every
// language, the cursive font and the feedback sounds.

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

TEST_P(ShippedContent, EveryPictureIsACatalogueWordWithAShowablePicture)
{
    ASSERT_GE(pictures.size(), 100);
    QSet<QString> extensions;
    QSet<QString> words;
    for (const QFileInfo& picture : pictures) {
        const QString word = picture.completeBaseName();
        SCOPED_TRACE(picture.filePath().toStdString());
        EXPECT_FALSE(words.contains(word)) << "one word, two pictures";
        words.insert(word);
        extensions.insert(picture.suffix());

        QImageReader reader(picture.filePath());
        EXPECT_EQ(reader.format(), picture.suffix() == "jpg" ? "jpeg" : "gif");
        EXPECT_FALSE(reader.read().isNull()) << reader.errorString().toStdString();
    }
    EXPECT_EQ(extensions, (QSet<QString>{"jpg", "gif"}));
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

// The loudest sample, scaled to 0..1.
double peak(const PcmSound& sound)
{
    const auto* data = reinterpret_cast<const uchar*>(sound.data.constData());
    double loudest = 0;
    for (qint64 i = 0; i < sound.frames() * sound.channels; ++i) {
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
        EXPECT_GT(wave->seconds(), 0.15);
        EXPECT_LT(wave->seconds(), 1.0);
        loudest[name] = peak(*wave);
        EXPECT_GT(loudest[name], 0.1) << "audible";
        EXPECT_LT(loudest[name], 0.9) << "no clipping, nothing startling";
    }
    EXPECT_LT(loudest["no.wav"], loudest["si.wav"]);
}

} // namespace
