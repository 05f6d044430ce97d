// The pictures and word lists as Ortolino ships them, in every language:
// each picture is a word the catalogue can draw and a picture it can show,
// each list word finds its picture, the default settings find words for every
// exercise kind, and the shipped files are the ones the word table makes.

#include "ContentTable.h"
#include "core/app/Profile.h"
#include "core/app/ProgramState.h"
#include "core/lang/IniFile.h"
#include "core/platform/Environment.h"
#include "core/platform/TextFiles.h"
#include "core/words/KeyCaptions.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <map>
#include <QDir>
#include <QImageReader>
#include <QSet>

using namespace ortolino;
using namespace ortolino::content;

namespace {

const QString kSourceData = QStringLiteral(ORTOLINO_SOURCE_DATA_DIR);
const QString kAssets = QStringLiteral(ORTOLINO_SOURCE_DATA_DIR "/../assets/pictures");

struct Picture
{
    QString word; // the file name without its extension
    QString extension;
    QString path;
};

class ShippedContent : public ::testing::TestWithParam<QString>
{
protected:
    void SetUp() override
    {
        const auto found = readLanguageFolders(kSourceData, GetParam());
        ASSERT_TRUE(found.has_value()) << GetParam().toStdString();
        folders = *found;
        const QDir dir(kSourceData + QLatin1Char('/') + folders.pictures);
        for (const QFileInfo& file : dir.entryInfoList(QDir::Files | QDir::Hidden))
            pictures.push_back({file.completeBaseName(), file.suffix(), file.filePath()});
    }

    QString listFolder() const { return kSourceData + QLatin1Char('/') + folders.lists; }

    // Words of a list file, as the catalogue reads them (one per line here).
    QStringList listWords(const QString& name) const
    {
        const auto bytes = readFileBytes(listFolder() + QLatin1Char('/') + name);
        if (!bytes)
            return {};
        QStringList words = splitLines(decodeText(*bytes));
        words.removeAll(QString());
        return words;
    }

    LanguageFolders folders;
    std::vector<Picture> pictures;
};

bool isWhite(QRgb pixel)
{
    return qRed(pixel) > 245 && qGreen(pixel) > 245 && qBlue(pixel) > 245;
}

// Every picture names a catalogue word and can be shown; the words come in
// every length and start with every vowel.
TEST_P(ShippedContent, EveryPictureIsACatalogueWordWithAShowablePicture)
{
    ASSERT_GE(pictures.size(), 100u);
    std::map<QString, int> extensions;
    std::map<int, int> byLength;
    std::map<QChar, int> byInitial;
    QSet<QString> words;
    for (const Picture& picture : pictures) {
        ++byLength[std::min<int>(picture.word.size(), 7)];
        ++byInitial[picture.word.front()];
        SCOPED_TRACE(picture.path.toStdString());
        EXPECT_TRUE(picture.extension == "jpg" || picture.extension == "gif");
        EXPECT_TRUE(isValidPictureWord(picture.word));
        EXPECT_FALSE(words.contains(picture.word)) << "one word, two pictures";
        words.insert(picture.word);
        ++extensions[picture.extension];

        QImageReader reader(picture.path);
        EXPECT_EQ(reader.format(), picture.extension == "jpg" ? "jpeg" : "gif");
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_TRUE(image.width() >= 300 && image.width() <= 500 &&
                    image.height() == image.width());
        for (QPoint corner : {QPoint(1, 1), QPoint(image.width() - 2, image.height() - 2)})
            EXPECT_TRUE(isWhite(image.pixel(corner))) << "no white background";
    }
    EXPECT_GE(extensions["jpg"], 1);
    EXPECT_GE(extensions["gif"], 1);
    for (int length : {3, 4, 5, 6, 7})
        EXPECT_GE(byLength[length], 10) << "words of " << length << (length == 7 ? "+" : "");
    for (QChar vowel : QStringLiteral("aeiou"))
        EXPECT_GE(byInitial[vowel], 2) << "words starting with " << QString(vowel).toStdString();
}

TEST_P(ShippedContent, EveryListWordHasAPicture)
{
    const QStringList lists = QDir(listFolder()).entryList({"*.txt"}, QDir::Files);
    ASSERT_TRUE(lists.contains(folders.defaultList));
    EXPECT_GE(lists.size(), 4) << "the default list and at least three themed lists";
    QSet<QString> pictureWords;
    for (const Picture& picture : pictures)
        pictureWords.insert(picture.word.toLower());
    for (const QString& list : lists) {
        SCOPED_TRACE(list.toStdString());
        const QByteArray bytes = readFileBytes(listFolder() + QLatin1Char('/') + list).value();
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')) << "every line ends with CR LF";
        const QStringList words = listWords(list);
        EXPECT_FALSE(words.isEmpty());
        for (const QString& word : words)
            EXPECT_TRUE(pictureWords.contains(word.toLower())) << word.toStdString();
    }
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

TEST_P(ShippedContent, DefaultSettingsFindWordsForEveryExerciseKind)
{
    ProgramState state;
    Environment env;
    ImpostaValoriPredefiniti(state, percorsoListaPredefinita(env, state));
    PreparaTastiera(state);
    int initial = 0;
    int two = 0;
    for (const QString& word : listWords(folders.defaultList)) {
        if (word.size() > state.MassimoLettere)
            continue;
        initial += activeLetters(word.left(1), state) > 0 ? 1 : 0;
        two += activeLetters(word, state) >= 2 ? 1 : 0;
    }
    EXPECT_GE(initial, 20) << "first letter missing";
    EXPECT_GE(two, 30) << "two letters missing";
}

// The shipped files are the ones the word table makes, and the build tree
// holds them.
TEST_P(ShippedContent, ShippedFilesAreTheOnesTheWordTableMakes)
{
    const QString built = QStringLiteral(ORTOLINO_BUILD_DATA_DIR);
    EXPECT_EQ(QDir(built + QLatin1Char('/') + folders.pictures).entryList(QDir::Files).size(),
              qsizetype(pictures.size()));
    EXPECT_TRUE(QFile::exists(built + QLatin1Char('/') + folders.lists + QLatin1Char('/') +
                              folders.defaultList));
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
    QStringList shipped;
    for (const Picture& picture : pictures)
        shipped.append(picture.word + QLatin1Char('.') + picture.extension);
    expected.sort();
    shipped.sort();
    EXPECT_EQ(shipped, expected) << "run: cmake --build build --target content";

    const auto listBytes = [&](const QString& name) {
        return readFileBytes(listFolder() + QLatin1Char('/') + name).value_or(QByteArray());
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

} // namespace
