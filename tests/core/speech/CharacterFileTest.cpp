#include "core/speech/CharacterFile.h"

#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace ortolino;
using namespace ortolino::test;

namespace {

const char* const kGood = R"(; a test character
[character]
artwork = pic.svg
size = 100 x 120
[layers]
order = body, @pose, @eyes, @mouth
eyes.open = eo
eyes.closed = ec
mouth.rest = m0
mouth.closed = m1
mouth.small = m2
mouth.open = m3 + tongue
mouth.wide = m4
mouth.round = m5
pose.rest = arm
[animation Write]
frames = w1 + s1, w2
frame-ms = 100
loops = 3
)";

class CharacterFileTest : public ::testing::Test
{
protected:
    QString folder() const { return env.env().programFile("personaggi"); }
    QString write(const QString& name, const QByteArray& text) const
    {
        env.writeProgramFile("personaggi/" + name, text);
        env.writeProgramFile("personaggi/pic.svg", "<svg/>");
        return folder() + "/" + name;
    }
    std::optional<CharacterDefinition> read(const QByteArray& text, QString* error) const
    {
        return readCharacterFile(write("test.chr", text), error);
    }
    TestEnvironment env{TestEnvironment::Data::Empty};
};

TEST_F(CharacterFileTest, AGoodFileGivesItsLayersAndGestures)
{
    QString error;
    const auto d = read(kGood, &error);
    ASSERT_TRUE(d) << error.toStdString();
    EXPECT_EQ(std::tuple(d->name, d->size, d->balloonAnchor, d->artworkPath),
              std::tuple("Test", QSize(100, 120), QPoint(50, 20), folder() + "/pic.svg"));
    EXPECT_EQ(d->mouths[size_t(MouthShape::Open)], (QStringList{"m3", "tongue"}));
    ASSERT_TRUE(d->animations.contains("write"));
    const CharacterAnimation& write = d->animations["write"];
    EXPECT_EQ(write.frames, (QList<QStringList>{{"w1", "s1"}, {"w2"}}));
    EXPECT_EQ(write.durationMs(), 600);
    EXPECT_EQ(d->elementIds().size(), 14);

    // The largest size is drawn no larger than a screen shows, in proportion;
    // 10,000 frames of 5 s played 50 times last 2.5e9 ms, past an int.
    const QByteArray frames = "frames = a" + QByteArray(", a").repeated(9999);
    const auto big =
        read(QByteArray(kGood)
                 .replace("size = 100 x 120", "size = 4096 2048\nballoon-anchor = 2048 1024")
                 .replace("frames = w1 + s1, w2", frames)
                 .replace("frame-ms = 100", "frame-ms = 5000")
                 .replace("loops = 3", "loops = 50"),
             &error);
    ASSERT_TRUE(big) << error.toStdString();
    EXPECT_EQ(std::tuple(big->size, big->balloonAnchor, big->animations["write"].durationMs()),
              std::tuple(QSize(kCharacterMaxSide, kCharacterMaxSide / 2),
                         QPoint(kCharacterMaxSide / 2, kCharacterMaxSide / 4), 2'500'000'000LL));
}

TEST_F(CharacterFileTest, BrokenFilesGiveAReasonNotACharacter)
{
    const QByteArray good(kGood);
    const std::tuple<QByteArray, const char*> cases[] = {
        {"\x89PNG\r\n\x1a\n\0\0binary", "line 1"},
        {QByteArray(good).replace("size = 100 x 120", "size = big"), "line 4"},
        {QByteArray(good).replace("[layers]", "[colours]"), "unknown section"},
        {QByteArray(good).replace("frame-ms = 100", "frame-ms = 0"), "frame-ms"},
        {QByteArray(good).replace("mouth.round = m5\n", ""), "mouth.round"},
        {QByteArray(good).replace("@eyes, ", ""), "@eyes"},
        {QByteArray(good).replace("artwork = pic.svg", "artwork = missing.svg"), "missing"},
        {QByteArray(good).replace("loops = 3", "colour = red"), "colour"},
        {"", "needs artwork"},
    };
    for (const auto& [text, reason] : cases) {
        QString error;
        EXPECT_FALSE(read(text, &error)) << reason;
        EXPECT_TRUE(error.contains("test.chr") && error.contains(QLatin1String(reason)))
            << error.toStdString();
    }
    QString error;
    EXPECT_FALSE(readCharacterFile(folder() + "/nobody.chr", &error));
    EXPECT_TRUE(error.contains("cannot be read"));
}

// The window's test loads the shipped characters by name in any case.
TEST_F(CharacterFileTest, NamesComeFromTheFilesWhateverTheirCaseAndStayInTheFolder)
{
    write("mago blu.chr", kGood);
    write("PEEDY.CHR", kGood);
    write("notes.txt", "x");
    EXPECT_EQ(characterNames(folder()), (QStringList{"Mago Blu", "Peedy"}));
    EXPECT_EQ(characterFileFor(folder(), "peedy"), folder() + "/PEEDY.CHR");
    EXPECT_TRUE(characterFileFor(folder(), "../personaggi/peedy").isEmpty());
    EXPECT_TRUE(characterNames(folder() + "/none").isEmpty());
}

} // namespace
