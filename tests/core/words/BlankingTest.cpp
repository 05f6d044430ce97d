#include "core/app/ProgramState.h"
#include "core/words/MaskedWord.h"
#include "support/Doubles.h"

#include <gtest/gtest.h>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// Keys whose letters are among `letters` active, keyboard captions as given.
ActiveKeys keysFor(const QString& letters, bool capitalKeys = false)
{
    ProgramState state;
    PreparaTastiera(state);
    for (int key = 0; key < kNumeroTasti; ++key) {
        QString& caption = state.LettereTastiera[static_cast<size_t>(key + 1)];
        if (capitalKeys)
            caption = caption.toUpper();
        state.LettereAttive[static_cast<size_t>(key)] = letters.contains(caption);
    }
    return ActiveKeys(state);
}

// A word fits a kind when enough of its letters are active; its draw may still drop it.
TEST(Blanking, EachKindBlanksItsLettersOrDropsTheWord)
{
    const struct
    {
        const char* active;
        int kind;
        const char* word;
        std::initializer_list<double> numbers;
        const char* caption; // "" = dropped
        bool fits;
    } cases[] = {
        // A first letter blanked, or the word dropped: the turn's test.
        {"c", Esercizio::LetteraIniziale, "cane", {}, "_ ane", true}, // any letter case
        {"s", Esercizio::LetteraIniziale, "SOLE", {}, "_ OLE", true},
        {"s", Esercizio::LetteraIniziale, "ESSE", {}, "", false},
        // One fresh position per active key, from the last key: c (key 21) at 1.
        {"acs", Esercizio::UnaLettera, "casa", {0.0}, "_ asa", true},
        // c misses (position 5), s misses (position 2 holds a), a hits position 2.
        {"acs", Esercizio::UnaLettera, "casa", {0.9, 0.3, 0.3}, "c_ sa", true},
        {"a", Esercizio::UnaLettera, "a", {0.5}, "", true}, // position 2 of a one-letter word
        {"a", Esercizio::UnaLettera, "a", {0.4}, "_ ", true},
        // Two different positions: s at 3, then s at 3 again and a at 1 (c) ...
        {"as", Esercizio::DueLettere, "casa", {0.5, 0.5, 0.0}, "", true},
        // ... or a at 2.
        {"as", Esercizio::DueLettere, "casa", {0.5, 0.5, 0.25}, "c_ _ a", true},
        {"s", Esercizio::DueLettere, "sole", {0.0, 0.0}, "", false},
        {"s", Esercizio::DueLettere, "esse", {0.25, 0.5}, "e_ _ e", true},
        {"as", Esercizio::TutteLettere, "casa", {}, "c_ _ _ ", true},
        {"as", Esercizio::TutteLettere, "ritmo", {}, "", false},
        {"as", Esercizio::TutteLettere, "", {}, "", false},
    };
    for (const auto& c : cases) {
        ScriptedRandom random(c.numbers);
        MaskedWord masked(QString::fromUtf8(c.word));
        const ActiveKeys keys = keysFor(c.active);
        const bool kept = oscuraLettere(c.kind, masked, keys, random);
        EXPECT_EQ(
            std::pair(kept ? masked.caption() : QString(), parolaAdatta(c.kind, c.word, keys)),
            std::pair(QString(c.caption), c.fits))
            << c.word << " " << c.kind;
    }
    // Capital key captions match lower-case words.
    ScriptedRandom random;
    MaskedWord cane("cane");
    ASSERT_TRUE(oscuraLettere(Esercizio::LetteraIniziale, cane, keysFor("C", true), random));
    EXPECT_EQ(cane.caption(), "_ ane");
    // A word's own underscore is no blank.
    MaskedWord underscore("x_y");
    underscore.blank(0);
    EXPECT_EQ(underscore.caption(), "_ _y");
    underscore.fill(0);
    EXPECT_EQ(std::tuple(underscore.firstBlank(), underscore.caption()),
              std::tuple(-1, QString("x_y")));
}

} // namespace
