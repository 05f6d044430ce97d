#include "core/exercise/CompactKeyboard.h"

#include <gtest/gtest.h>

using namespace ortolino;

namespace {

// The design keyboard's area and keys, in twips.
const QRect kArea(480, 5880, 7095, 1695);
const QSize kKey(615, 495);
constexpr int kGap = 105;

ProgramState withActive(const QString& letters)
{
    ProgramState state;
    PreparaTastiera(state);
    for (int key = 0; key < kNumeroTasti; ++key)
        state.LettereAttive[static_cast<size_t>(key)] = letters.contains(
            state.LettereTastiera[static_cast<size_t>(key + 1)], Qt::CaseInsensitive);
    return state;
}

QString lettersOf(const ProgramState& state, const std::vector<int>& keys)
{
    QString letters;
    for (int key : keys)
        letters += state.LettereTastiera[static_cast<size_t>(key + 1)].toLower();
    return letters;
}

TEST(CompactKeyboard, OnlyTheActiveLettersAlphabeticallyOrByFrequency)
{
    const ProgramState state = withActive("qzeanb");
    const QString frequency = "eaionlrtscdpumvghfbqzjkwxy";
    EXPECT_EQ(lettersOf(state, compactKeyOrder(state, CompactOrder::Alphabetical, frequency)),
              "abenqz");
    EXPECT_EQ(lettersOf(state, compactKeyOrder(state, CompactOrder::Frequency, frequency)),
              "eanbqz");
    // A frequency list without some letters (a damaged language file) puts
    // them last, alphabetically; an empty one gives the alphabet.
    EXPECT_EQ(lettersOf(state, compactKeyOrder(state, CompactOrder::Frequency, "nq")), "nqabez");
    EXPECT_EQ(lettersOf(state, compactKeyOrder(state, CompactOrder::Frequency, "")), "abenqz");
}

TEST(CompactKeyboard, KeysInsideTheAreaWithoutOverlapAndBiggerWhenFew)
{
    const struct
    {
        int count;
        double minimumGrowth; // key area against the design key's
    } cases[] = {{3, 8.0}, {12, 2.0}, {26, 1.0}, {1, 8.0}};
    for (const auto& c : cases) {
        const std::vector<QRect> keys = compactKeyboardLayout(c.count, kArea, kKey, kGap);
        ASSERT_EQ(int(keys.size()), c.count);
        for (size_t i = 0; i < keys.size(); ++i) {
            EXPECT_TRUE(kArea.contains(keys[i])) << c.count << " keys, key " << i;
            EXPECT_EQ(keys[i].size(), keys[0].size());
            for (size_t j = i + 1; j < keys.size(); ++j)
                EXPECT_FALSE(keys[i].intersects(keys[j])) << c.count << ": " << i << ", " << j;
            // Row by row, left to right: the order the scan follows.
            if (i > 0) {
                const QRect& before = keys[i - 1];
                EXPECT_TRUE(keys[i].top() > before.top() ||
                            (keys[i].top() == before.top() && keys[i].left() > before.left()));
            }
        }
        const double growth =
            double(keys[0].width()) * keys[0].height() / (double(kKey.width()) * kKey.height());
        EXPECT_GE(growth, c.minimumGrowth) << c.count << " keys";
    }
    EXPECT_TRUE(compactKeyboardLayout(0, kArea, kKey, kGap).empty());
}

} // namespace
