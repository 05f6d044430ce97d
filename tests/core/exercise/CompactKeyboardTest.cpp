#include "core/exercise/CompactKeyboard.h"

#include <gtest/gtest.h>

using namespace ortolino;

namespace {

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

// The keys' layout (inside the area, none overlapping, in scan order, bigger
// when few) is the exercise window's test, on the real keys
// (tests/gui/exercise/LettereScanAidsTest); here the order's edge cases.
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

} // namespace
