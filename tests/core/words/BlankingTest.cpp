#include "core/app/ProgramState.h"
#include "core/words/MaskedWord.h"
#include "support/Doubles.h"

#include <gtest/gtest.h>

using namespace ortolino;
using namespace ortolino::test;

namespace {

class BlankingTest : public ::testing::Test
{
protected:
    BlankingTest() { PreparaTastiera(state); }

    void activate(const QString& letters)
    {
        for (int key = 0; key < kNumeroTasti; ++key)
            state.LettereAttive[static_cast<size_t>(key)] =
                letters.contains(state.LettereTastiera[static_cast<size_t>(key + 1)]);
    }

    // The caption after blanking word by kind with the scripted numbers, or
    // "dropped" when the kind does not keep the word.
    QString blank(int kind, const QString& word, std::initializer_list<double> numbers)
    {
        ScriptedRandom random(numbers);
        MaskedWord masked(word);
        const bool kept = oscuraLettere(kind, masked, ActiveKeys(state), random);
        return kept ? masked.caption() : QStringLiteral("dropped");
    }

    ProgramState state;
};

TEST(RandomPosition, RoundsHalvesToTheEvenNeighbour)
{
    const auto position = [](double rnd, int length) {
        ScriptedRandom random{rnd};
        return posizioneCasuale(random, length);
    };
    EXPECT_EQ(position(0.0, 5), 1);
    EXPECT_EQ(position(0.5, 1), 2);   // 1.5
    EXPECT_EQ(position(0.5, 3), 2);   // 2.5
    EXPECT_EQ(position(0.125, 4), 2); // 1.5
    EXPECT_EQ(position(0.625, 4), 4); // 3.5
    EXPECT_EQ(position(0.3, 4), 2);   // 2.2
    EXPECT_EQ(position(0.99, 4), 5);  // past the word: matches nothing
}

TEST_F(BlankingTest, KindZeroBlanksAnActiveFirstLetter)
{
    activate("c");
    EXPECT_EQ(blank(Esercizio::LetteraIniziale, "cane", {}), "_ ane");
    EXPECT_EQ(blank(Esercizio::LetteraIniziale, "gatto", {}), "dropped");
    EXPECT_EQ(blank(Esercizio::LetteraIniziale, "CANE", {}), "_ ANE"); // any letter case
}

TEST_F(BlankingTest, KindOneTriesOneFreshPositionPerActiveKeyFromTheLast)
{
    activate("acs");
    // c (key 21) first: position 1 holds c.
    EXPECT_EQ(blank(Esercizio::UnaLettera, "casa", {0.0}), "_ asa");
    // c misses (position 5), s misses (position 2 holds a), a hits position 2.
    EXPECT_EQ(blank(Esercizio::UnaLettera, "casa", {0.9, 0.3, 0.3}), "c_ sa");
    activate("a");
    EXPECT_EQ(blank(Esercizio::UnaLettera, "a", {0.5}),
              "dropped"); // position 2 of a one-letter word
    EXPECT_EQ(blank(Esercizio::UnaLettera, "a", {0.4}), "_ ");
}

TEST_F(BlankingTest, KindTwoNeedsTwoDifferentPositions)
{
    activate("as");
    // First pass: s at 3. Second pass: s draws 3 again (already blank), a draws 1 (c).
    EXPECT_EQ(blank(Esercizio::DueLettere, "casa", {0.5, 0.5, 0.0}), "dropped");
    // Second pass: s draws 3 again, a draws 2.
    EXPECT_EQ(blank(Esercizio::DueLettere, "casa", {0.5, 0.5, 0.25}), "c_ _ a");
    activate("s");
    EXPECT_EQ(blank(Esercizio::DueLettere, "sole", {0.0, 0.0}), "dropped");
}

TEST_F(BlankingTest, KindThreeBlanksEveryActiveLetter)
{
    activate("as");
    EXPECT_EQ(blank(Esercizio::TutteLettere, "casa", {}), "c_ _ _ ");
    EXPECT_EQ(blank(Esercizio::TutteLettere, "CASA", {}), "C_ _ _ ");
    EXPECT_EQ(blank(Esercizio::TutteLettere, "ritmo", {}), "dropped");
}

TEST(MaskedWordTest, AWordsOwnUnderscoreIsNoBlank)
{
    MaskedWord word("x_y");
    word.blank(0);
    EXPECT_EQ(word.caption(), "_ _y");
    word.fill(0);
    EXPECT_EQ(word.firstBlank(), -1);
    EXPECT_EQ(word.caption(), "x_y");
}

TEST_F(BlankingTest, UpperCaseKeysMatchLowerCaseWords)
{
    for (QString& letter : state.LettereTastiera)
        letter = letter.toUpper();
    activate("C");
    EXPECT_EQ(blank(Esercizio::LetteraIniziale, "cane", {}), "_ ane");
}

TEST_F(BlankingTest, AWordFitsAKindWhenEnoughOfItsLettersAreActive)
{
    activate("s");
    const ActiveKeys keys(state);
    EXPECT_TRUE(parolaAdatta(Esercizio::LetteraIniziale, "SOLE", keys));
    EXPECT_FALSE(parolaAdatta(Esercizio::LetteraIniziale, "ESSE", keys));
    EXPECT_TRUE(parolaAdatta(Esercizio::UnaLettera, "casa", keys));
    EXPECT_FALSE(parolaAdatta(Esercizio::DueLettere, "sole", keys));
    EXPECT_TRUE(parolaAdatta(Esercizio::DueLettere, "esse", keys));
    EXPECT_FALSE(parolaAdatta(Esercizio::TutteLettere, "", keys));
}

} // namespace
