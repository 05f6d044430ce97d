#pragma once

#include <array>
#include <optional>
#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace ortolino {

// One blank of a word: its place (1 = first letter) and every letter the
// child chose there, in order; when the blank was filled, the last one is
// the right letter.
struct BlankChoices
{
    int position = 0;
    QString expected;
    QStringList chosen;

    bool operator==(const BlankChoices&) const = default;
};

// One word of an exercise, written to the history when it is finished or
// abandoned (the exercise closed before its last blank was filled).
struct WordRecord
{
    qint64 endedAt = 0; // seconds since 1970-01-01 UTC
    QString user;
    QString language;
    int exercise = 0; // TipoEsercizio: 0 initial letter, 1 one, 2 two, 3 all letters
    QString word;
    std::vector<BlankChoices> blanks; // left to right
    // How often the first, second and third help was given in this word.
    std::array<int, 3> helps{};
    double seconds = 0;
    int inputMode = 0; // ModalitaInput
    bool finished = false;

    // Letters chosen that were not the one expected.
    int wrongLetters() const;
    int helpsGiven() const { return helps[0] + helps[1] + helps[2]; }

    bool operator==(const WordRecord&) const = default;
};

// The stretch of time the progress view looks at.
enum class Period
{
    Session, // the words this run of the program wrote
    Week,    // the last 7 days
    Month,   // the last 30 days
    All
};

// Seconds since 1970 UTC, from included, to excluded.
struct TimeSpan
{
    qint64 from = 0;
    qint64 to = 0;
    // Only the words written since the history was opened by this run of
    // the program. A session is not a stretch of the clock: a clock put
    // right while the program runs (a flat battery's year 2000 corrected by
    // the network) would otherwise pull in every word since 2000, or leave
    // out the words written after it was set back.
    bool thisRunOnly = false;
};

TimeSpan spanOf(Period period, qint64 now);

struct DayCount
{
    QDate day; // local date
    int finished = 0;
    int withoutError = 0; // finished with no wrong letter
};

struct Confusion
{
    QString expected;
    QString chosen;
    int times = 0;

    bool operator==(const Confusion&) const = default;
};

struct HelpedWord
{
    QString word;
    int shown = 0; // times the word was given
    int helps = 0;
    int wrongLetters = 0;
};

struct ProgressTotals
{
    int words = 0; // finished and abandoned
    int finished = 0;
    int firstTry = 0; // finished with no wrong letter
    int helps = 0;
    double seconds = 0; // all the words' time together

    double firstTryRate() const { return finished > 0 ? double(firstTry) / finished : 0; }
    double helpsPerWord() const { return words > 0 ? double(helps) / words : 0; }
    double secondsPerWord() const { return words > 0 ? seconds / words : 0; }
};

// What the progress view shows for one user over one span.
struct Progress
{
    ProgressTotals totals;
    std::vector<DayCount> days;         // oldest first, days without words left out
    std::vector<Confusion> confusions;  // most frequent first
    std::vector<HelpedWord> mostHelped; // most helps first, words that needed none left out
    qint64 lastWordAt = 0;              // the user's latest word, in the span or not; 0: none
    static constexpr int kMostHelped = 10;
};

// How long one bar of the progress chart lasts.
enum class BarLength
{
    Day,
    Week, // from Monday
    Month
};

// The bars of the progress chart: one a day while the days fit in `mostBars`,
// else one a week, else one a month (a term's days would leave each bar too
// narrow for its date). Each bar is dated by the first day of its week or
// month and adds up the days it holds; days without words stay left out.
struct ChartBars
{
    BarLength length = BarLength::Day;
    std::vector<DayCount> bars; // oldest first
};
ChartBars chartBars(const std::vector<DayCount>& days, size_t mostBars);

// The count axis: from 0 to `top` in round steps (1, 2, 5, 10, 20, 50, ...),
// at most five of them, so that every tick is a whole number of words.
struct CountScale
{
    int top = 1;
    int ticks = 2; // 0 and top included
};
CountScale countScale(int most);

// The lasting history of the exercises, per user. The exercise records into
// it; the progress view reads it. Users are matched regardless of letter
// case, as their profiles are. Every call may fail (no database, a disk that
// refuses): the exercise goes on regardless, and readers get nothing.
class History
{
public:
    virtual ~History() = default;
    // Takes the word and returns at once: the write happens elsewhere.
    virtual void record(const WordRecord& word) = 0;
    virtual std::optional<Progress> progress(const QString& user, TimeSpan span) = 0;
    // Oldest first.
    virtual std::optional<std::vector<WordRecord>> words(const QString& user, TimeSpan span) = 0;
    // Removes every word of the user; false when it could not be done.
    virtual bool forget(const QString& user) = 0;
    // Words recorded that the disk still refuses (full, or a folder that
    // cannot be written), after trying them once more: they are kept and
    // written with the next word.
    virtual int unwritten() { return 0; }
};

// The words of the CSV in the user's language.
struct CsvTexts
{
    // Column titles: date and time, user, language, exercise, word, blanks,
    // letters chosen, wrong letters, 1st, 2nd and 3rd help, seconds, input
    // mode, finished.
    QStringList titles;
    QStringList exercises;  // by TipoEsercizio
    QStringList inputModes; // by ModalitaInput
    QString yes;
    QString no;
};
inline constexpr int kCsvColumns = 14;

// The words as CSV for a spreadsheet: UTF-8 with a byte-order mark (so that
// spreadsheets take it for UTF-8), comma separated, CR LF, a header row, one
// word a line. Times are local, "yyyy-MM-dd HH:mm:ss"; blanks are "1;3"
// (places in the word) and their letters "B,D,C;A" (in the order chosen).
QByteArray historyCsv(const std::vector<WordRecord>& words, const CsvTexts& texts);

// Blanks as kept in the history and the CSV, and back. Parsing never fails:
// what cannot be read is left out.
QString positionsText(const std::vector<BlankChoices>& blanks);
QString choicesText(const std::vector<BlankChoices>& blanks);
std::vector<BlankChoices> blanksFromText(const QString& word, const QString& positions,
                                         const QString& choices);

} // namespace ortolino
