#include "core/words/MaskedWord.h"

#include "core/app/ProgramState.h"
#include "core/platform/Random.h"

#include <algorithm>
#include <cmath>

namespace ortolino {

namespace {

// Kind 0: the first letter, when it is the letter of an active key.
void oscuraIniziale(MaskedWord& word, const ActiveKeys& keys)
{
    if (word.size() > 0 && keys.matchesAny(word.word()[0]))
        word.blank(0);
}

// One pass of kinds 1 and 2: keys 25 down to 0, each active key with a fresh
// random position, until one position holds its letter; that one is blanked.
void oscuraUnaPosizioneCasuale(MaskedWord& word, const ActiveKeys& keys, RandomSource& random)
{
    for (int key = kNumeroTasti - 1; key >= 0; --key) {
        if (!keys.isActive(key))
            continue;
        const int index = posizioneCasuale(random, word.size()) - 1;
        if (index < word.size() && !word.isBlank(index) && keys.matches(key, word.word()[index])) {
            word.blank(index);
            return;
        }
    }
}

// Kind 3: every occurrence of every active letter.
void oscuraTutte(MaskedWord& word, const ActiveKeys& keys)
{
    for (int index = 0; index < word.size(); ++index) {
        if (keys.matchesAny(word.word()[index]))
            word.blank(index);
    }
}

int roundHalfToEven(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower;
    auto result = static_cast<int>(lower);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0))
        ++result;
    return result;
}

} // namespace

ActiveKeys::ActiveKeys(const ProgramState& state)
{
    for (int key = 0; key < kNumeroTasti; ++key) {
        const QString& letter = state.LettereTastiera[static_cast<size_t>(key + 1)];
        Key& k = keys_[static_cast<size_t>(key)];
        k.active = state.LettereAttive[static_cast<size_t>(key)] && letter.size() == 1;
        if (k.active) {
            k.lower = letter[0].toLower();
            k.upper = letter[0].toUpper();
        }
    }
}

bool ActiveKeys::matches(int key, QChar c) const
{
    const Key& k = keys_[static_cast<size_t>(key)];
    return k.active && (c == k.lower || c == k.upper);
}

bool ActiveKeys::matchesAny(QChar c) const
{
    for (int key = 0; key < kNumeroTasti; ++key) {
        if (matches(key, c))
            return true;
    }
    return false;
}

MaskedWord::MaskedWord(QString word) : word_(std::move(word)), blank_(word_.size(), false) {}

int MaskedWord::firstBlank() const
{
    const auto found = std::find(blank_.begin(), blank_.end(), true);
    return found == blank_.end() ? -1 : static_cast<int>(found - blank_.begin());
}

void MaskedWord::blank(int position)
{
    if (!isBlank(position)) {
        blank_[static_cast<size_t>(position)] = true;
        ++blanks_;
    }
}

void MaskedWord::fill(int position)
{
    if (isBlank(position)) {
        blank_[static_cast<size_t>(position)] = false;
        --blanks_;
    }
}

QString MaskedWord::caption() const
{
    QString text;
    text.reserve(word_.size() + blanks_ * 2);
    for (int index = 0; index < size(); ++index) {
        if (isBlank(index))
            text += kBlankMark;
        else
            text += word_[index];
    }
    return text;
}

int posizioneCasuale(RandomSource& random, int length)
{
    const int position = roundHalfToEven(random.Rnd() * length + 1);
    return std::clamp(position, 1, length + 1); // a faulty source stays within the word
}

bool oscuraLettere(int kind, MaskedWord& word, const ActiveKeys& keys, RandomSource& random)
{
    switch (kind) {
    case Esercizio::UnaLettera:
        oscuraUnaPosizioneCasuale(word, keys, random);
        return word.blanks() > 0;
    case Esercizio::DueLettere:
        oscuraUnaPosizioneCasuale(word, keys, random);
        if (word.blanks() == 1)
            oscuraUnaPosizioneCasuale(word, keys, random);
        return word.blanks() == 2;
    case Esercizio::TutteLettere:
        oscuraTutte(word, keys);
        return word.blanks() > 0;
    default:
        oscuraIniziale(word, keys);
        return word.blanks() > 0;
    }
}

bool parolaAdatta(int kind, const QString& word, const ActiveKeys& keys)
{
    const auto matching = [&keys, &word] {
        return std::count_if(word.begin(), word.end(),
                             [&keys](QChar c) { return keys.matchesAny(c); });
    };
    switch (kind) {
    case Esercizio::UnaLettera:
    case Esercizio::TutteLettere:
        return matching() >= 1;
    case Esercizio::DueLettere:
        return matching() >= 2;
    default:
        return !word.isEmpty() && keys.matchesAny(word[0]);
    }
}

} // namespace ortolino
