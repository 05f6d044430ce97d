#pragma once

#include <array>
#include <QString>
#include <vector>

namespace ortolino {

struct ProgramState;
class RandomSource;

// The exercise kinds (TipoEsercizio), as the main-menu buttons number them.
namespace Esercizio {
inline constexpr int LetteraIniziale = 0;
inline constexpr int UnaLettera = 1;
inline constexpr int DueLettere = 2;
inline constexpr int TutteLettere = 3;
} // namespace Esercizio

// The active keys with their letter in both cases. A character matches key i
// when the key is active and the character is its letter in either case.
class ActiveKeys
{
public:
    explicit ActiveKeys(const ProgramState& state);
    bool isActive(int key) const { return keys_[static_cast<size_t>(key)].active; }
    bool matches(int key, QChar c) const;
    bool matchesAny(QChar c) const;

private:
    struct Key
    {
        bool active = false;
        QChar lower;
        QChar upper;
    };
    std::array<Key, 26> keys_{};
};

// A word of a turn with some of its positions blanked (ParolaMascherata).
// The blanks are positions, not "_" characters, so a word's own "_" or
// blank is never taken for a blank to fill.
class MaskedWord
{
public:
    explicit MaskedWord(QString word = {});

    const QString& word() const { return word_; }
    int size() const { return static_cast<int>(word_.size()); }
    bool isBlank(int position) const { return blank_[static_cast<size_t>(position)]; }
    int blanks() const { return blanks_; }
    int firstBlank() const; // -1 when the word is complete
    void blank(int position);
    void fill(int position);

    // Display format (caption of Label1): the word with kBlankMark at every blank.
    QString caption() const;
    static constexpr QStringView kBlankMark = u"_ ";

private:
    QString word_;
    std::vector<bool> blank_;
    int blanks_ = 0;
};

// Rnd × length + 1 rounded to the nearest whole number, a half going to the
// even neighbour: a position 1..length + 1 (the last matches nothing).
int posizioneCasuale(RandomSource& random, int length);

// Blanks the letters of the word by the rule of the kind (positions drawn
// from random for kinds 1 and 2). True when the turn may keep the word: at
// least one blank, exactly two for kind 2.
bool oscuraLettere(int kind, MaskedWord& word, const ActiveKeys& keys, RandomSource& random);

// True when some draw of random positions could make the kind keep the word.
bool parolaAdatta(int kind, const QString& word, const ActiveKeys& keys);

} // namespace ortolino
