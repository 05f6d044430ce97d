#include "core/speech/CharacterFile.h"
#include "core/speech/Synthesizer.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace ortolino;
using namespace ortolino::test;

namespace {

QByteArray characterFile(const QByteArray& size, const QByteArray& gesture)
{
    return "[character]\nartwork = pic.svg\n" + size +
           "\n[layers]\norder = @pose, @eyes, @mouth\neyes.open = e\neyes.closed = c\n"
           "mouth.rest = m\nmouth.closed = m\nmouth.small = m\nmouth.open = m\n"
           "mouth.wide = m\nmouth.round = m\npose.rest = p\n[animation write]\n" +
           gesture + "\n";
}

TEST(CharacterLimits, SizesAndDurationsStayWithinWhatAScreenAndAnIntHold)
{
    TestEnvironment env(TestEnvironment::Data::Empty);
    env.writeProgramFile("personaggi/pic.svg", "<svg/>");
    const QString path = env.env().programFile("personaggi/test.chr");

    // The largest size the format allows is drawn no larger than a screen
    // shows, in proportion, its balloon anchor moved with it.
    writeFile(path, characterFile("size = 4096 2048\nballoon-anchor = 2048 1024", "frames = a"));
    auto d = readCharacterFile(path, nullptr);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->size, QSize(kCharacterMaxSide, kCharacterMaxSide / 2));
    EXPECT_EQ(d->balloonAnchor, QPoint(kCharacterMaxSide / 2, kCharacterMaxSide / 4));

    // 10,000 frames of 5 s played 50 times: 2.5e9 ms, past an int.
    QByteArray frames = "frames = a";
    for (int i = 1; i < 10000; ++i)
        frames += ", a";
    writeFile(path, characterFile("size = 100 100", frames + "\nframe-ms = 5000\nloops = 50"));
    d = readCharacterFile(path, nullptr);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->animations["write"].durationMs(), 2'500'000'000LL);
}

TEST(SilentSynthesisLimits, ALongTextLastsPastAnInt)
{
    // 300,000 letters at the lowest speed: over 50,000 s, past an int of ms.
    EXPECT_EQ(SilentSynthesizer::durationMs(QString(300000, 'a'), 50),
              (500 + 70 * 300000LL) * 130 / 50);
}

} // namespace
