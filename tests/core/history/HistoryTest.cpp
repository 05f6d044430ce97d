#include "core/history/HistoryDatabase.h"
#include "core/history/SqlHistory.h"
#include "core/platform/TextFiles.h"
#include "support/HistoryWords.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// Noon of a local day, so that the day's grouping does not depend on the zone.
qint64 noon(int year, int month, int day)
{
    return QDateTime(QDate(year, month, day), QTime(12, 0)).toSecsSinceEpoch();
}

// Every word written in these tests.
const TimeSpan kEver{0, noon(2030, 1, 1)};

QByteArray bytesOf(const QString& path)
{
    return readFileBytes(path).value_or(QByteArray());
}

// Days (or weeks, months) as "first day finished/without error".
QStringList barsOf(const std::vector<DayCount>& counts)
{
    QStringList bars;
    for (const DayCount& bar : counts)
        bars << QStringLiteral("%1 %2/%3")
                    .arg(bar.day.toString(Qt::ISODate))
                    .arg(bar.finished)
                    .arg(bar.withoutError);
    return bars;
}

// Runs one statement on the file as another program would.
void runSql(const QString& path, const QString& statement)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "by hand");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(statement));
    }
    QSqlDatabase::removeDatabase("by hand");
}

class HistoryTest : public ::testing::Test
{
protected:
    QString path() const { return env.root() + "/dati/storico.sqlite"; }
    TestEnvironment env{TestEnvironment::Data::Empty};
};

// A user is found in any letter case; a forgotten one's words leave the files too.
TEST_F(HistoryTest, WordsComeBackAsWrittenAndAForgottenUserLeavesNoTrace)
{
    {
        HistoryDatabase db(path());
        ASSERT_EQ(db.open(), HistoryDatabase::Opened::Ready);
        const std::vector<WordRecord> written = {
            historyWord("Anna", "CANE", {"1:BDC"}, noon(2026, 3, 2), true, {1, 1, 0}),
            historyWord("Anna", "GATTO", {"2:A", "4:PT"}, noon(2026, 3, 2) + 60, true, {1, 0, 0}),
            historyWord("Anna", "MELA", {"3:"}, noon(2026, 3, 3), false), // left untouched
        };
        ASSERT_TRUE(db.append(written[0]));
        ASSERT_TRUE(db.append({written[1], written[2]}));
        ASSERT_TRUE(db.append(historyWord("Zeno", "ZAINO", {"1:SZ"}, noon(2026, 3, 2))));
        const auto read = db.words("ANNA", kEver);
        ASSERT_TRUE(read);
        EXPECT_EQ(*read, written);

        ASSERT_TRUE(db.forget("ZENO"));
        EXPECT_EQ(std::tuple(db.words("Zeno", kEver)->size(), db.words("Anna", kEver)->size(),
                             db.progress("Zeno", kEver)->confusions.size()),
                  std::tuple(0u, 3u, 0u));
    }
    for (const QString& file : {path(), path() + "-wal"})
        for (const char* trace : {"Zeno", "ZAINO"})
            EXPECT_FALSE(bytesOf(file).contains(trace)) << trace << " in " << file.toStdString();
}

TEST_F(HistoryTest, ProgressCountsTotalsDaysConfusionsAndTheWordsThatNeededHelp)
{
    HistoryDatabase db(path());
    ASSERT_EQ(db.open(), HistoryDatabase::Opened::Ready);
    const qint64 day1 = noon(2026, 3, 2);
    const qint64 day2 = noon(2026, 3, 4);
    ASSERT_TRUE(db.append({
        historyWord("Anna", "DADO", {"1:BD", "3:BD"}, day1, true, {2, 0, 0}), // b for d twice
        historyWord("Anna", "PERA", {"1:QP"}, day1, true, {1, 0, 0}),         // q for p
        historyWord("Anna", "dado", {"1:bd"}, day1, true, {1, 0, 0}),   // the same, in lower case
        historyWord("Anna", "DITO", {"1:BBBD"}, day2, true, {1, 1, 1}), // b for d three times
        historyWord("Anna", "MELA", {"1:M"}, day2, true),               // first try
        historyWord("Anna", "NASO", {"1:M"}, day2, false),              // abandoned
    }));

    const auto progress = db.progress("anna", kEver);
    ASSERT_TRUE(progress);
    const ProgressTotals& t = progress->totals;
    EXPECT_EQ(std::tuple(t.words, t.finished, t.firstTry, t.helps, t.seconds),
              std::tuple(6, 5, 1, 7, 6 * 12.5));

    EXPECT_EQ(barsOf(progress->days), QStringList({"2026-03-02 3/0", "2026-03-04 2/1"}));

    EXPECT_EQ(progress->confusions,
              (std::vector<Confusion>{{"D", "B", 6}, {"N", "M", 1}, {"P", "Q", 1}}));

    // MELA and NASO needed none; DADO and dado are one word, ahead of DITO by name.
    QStringList helped; // word: helps, wrong letters
    for (const HelpedWord& w : progress->mostHelped)
        helped << QString("%1: %2, %3").arg(w.word).arg(w.helps).arg(w.wrongLetters);
    EXPECT_EQ(helped, QStringList({"DADO: 3, 3", "DITO: 3, 3", "PERA: 1, 1"}));
}

// A period counts back from now, but "all" and the session (this run's words, whatever the clock).
TEST_F(HistoryTest, APeriodKeepsOnlyItsWords)
{
    const qint64 now = noon(2026, 3, 31);
    {
        HistoryDatabase earlier(path()); // the program's earlier runs
        ASSERT_EQ(earlier.open(), HistoryDatabase::Opened::Ready);
        ASSERT_TRUE(earlier.append({
            historyWord("Anna", "CANE", {"1:DC"}, now - 60),            // today
            historyWord("Anna", "CANE", {"1:C"}, now - 6 * 24 * 3600),  // within a week
            historyWord("Anna", "CANE", {"1:C"}, now - 8 * 24 * 3600),  // within a month
            historyWord("Anna", "CANE", {"1:C"}, now - 31 * 24 * 3600), // earlier
            historyWord("Anna", "CANE", {"1:C"}, now + 24 * 3600),      // a clock set back since
            historyWord("Anna", "CANE", {"1:C"}, noon(2037, 1, 1)),     // a clock years ahead
        }));
    }
    // This run began with a flat battery's clock, which the network put right.
    HistoryDatabase db(path());
    ASSERT_EQ(db.open(), HistoryDatabase::Opened::Ready);
    ASSERT_TRUE(db.append({historyWord("Anna", "MELA", {"1:BM"}, noon(2000, 1, 1)),
                           historyWord("Anna", "MELA", {"1:BM"}, now - 30)}));
    for (const auto& [period, words] :
         {std::pair{Period::Session, 2}, {Period::Week, 3}, {Period::Month, 4}, {Period::All, 8}})
        EXPECT_EQ(db.progress("Anna", spanOf(period, now))->totals.words, words)
            << static_cast<int>(period);
    const TimeSpan session = spanOf(Period::Session, now);
    EXPECT_EQ(db.progress("Anna", session)->confusions, (std::vector<Confusion>{{"M", "B", 2}}));
    EXPECT_EQ(db.words("Anna", session)->size(), 2u);
    // Forgetting frees the highest rows' numbers: the next words are still this run's.
    ASSERT_TRUE(db.forget("Anna"));
    ASSERT_TRUE(db.append(historyWord("Anna", "CANE", {"1:DC"}, now)));
    const auto afterForgetting = db.progress("Anna", session);
    EXPECT_EQ(std::pair(afterForgetting->totals.words, afterForgetting->confusions.size()),
              std::pair(1, size_t{1}));
}

TEST_F(HistoryTest, AFileOfTheFirstSchemaIsBroughtUpToDateWithItsWords)
{
    {
        HistoryDatabase first(path());
        ASSERT_EQ(first.open(1), HistoryDatabase::Opened::Ready);
    }
    // A word as the first schema kept it.
    runSql(path(),
           "INSERT INTO words (ended_at, user_name, user_key, language, exercise, word,"
           " blanks, choices, wrong_letters, help1, help2, help3, seconds, input_mode, finished)"
           " VALUES (1770000000, 'Anna', 'anna', 'Italiano', 3, 'DADO', '1;3', 'B,D;P,B,D', 3,"
           " 2, 1, 0, 20, 0, 1)");

    HistoryDatabase db(path());
    ASSERT_EQ(db.open(), HistoryDatabase::Opened::Ready);
    EXPECT_EQ(db.schemaVersion(), HistoryDatabase::kSchemaVersion);
    const auto progress = db.progress("Anna", kEver);
    ASSERT_TRUE(progress);
    EXPECT_EQ(progress->confusions, (std::vector<Confusion>{{"D", "B", 2}, {"D", "P", 1}}));
    const auto words = db.words("Anna", kEver);
    ASSERT_EQ(words->size(), 1u);
    EXPECT_EQ(words->at(0).blanks,
              (std::vector<BlankChoices>{{1, "D", {"B", "D"}}, {3, "D", {"P", "B", "D"}}}));
}

TEST_F(HistoryTest, ADamagedFileIsSetAsideWholeAndANewerProgramsFileLeftAlone)
{
    // A real history whose pages are then overwritten past the header.
    {
        HistoryDatabase db(path());
        ASSERT_EQ(db.open(), HistoryDatabase::Opened::Ready);
        std::vector<WordRecord> many(300, historyWord("Anna", "CANE", {"1:BC"}, noon(2026, 3, 2)));
        ASSERT_TRUE(db.append(many));
    }
    QByteArray damagedPages = bytesOf(path());
    ASSERT_GT(damagedPages.size(), 8192);
    for (qsizetype i = 4096; i < damagedPages.size(); i += 7)
        damagedPages[i] = char(0x5A);
    QFile::remove(path() + "-wal");
    QFile::remove(path() + "-shm");

    // (A file that is not a database at all: the threaded history's test.)
    writeFile(path(), damagedPages);
    {
        HistoryDatabase db(path());
        ASSERT_EQ(db.open(), HistoryDatabase::Opened::SetAside);
        EXPECT_EQ(bytesOf(db.setAsidePath()), damagedPages); // kept as it was
        EXPECT_TRUE(db.append(historyWord("Anna", "CANE", {"1:C"}, noon(2026, 3, 2))));
        EXPECT_EQ(db.words("Anna", kEver)->size(), 1u);
    }
    // A file of a newer program is left alone, not set aside.
    runSql(path(), "PRAGMA user_version = 99");
    const QByteArray newer = bytesOf(path());
    const QStringList files = QDir(env.root() + "/dati").entryList(QDir::Files);
    HistoryDatabase db(path());
    EXPECT_EQ(db.open(), HistoryDatabase::Opened::Failed);
    EXPECT_FALSE(db.append(historyWord("Anna", "CANE", {"1:C"}, 1)));
    EXPECT_EQ(bytesOf(path()), newer);
    EXPECT_EQ(QDir(env.root() + "/dati").entryList(QDir::Files), files);
}

TEST_F(HistoryTest, TheThreadedHistoryWritesInOrderSaysWhereADamagedFileWentAndStopsNothing)
{
    writeFile(path(), "not a database");
    QStringList setAside;
    Qt::HANDLE handlerThread = nullptr;
    {
        SqlHistory history(path(), [&](const QString& where) {
            setAside << where;
            handlerThread = QThread::currentThreadId();
        });
        for (int i = 0; i < 50; ++i)
            history.record(historyWord("Anna", "CANE", {"1:BC"}, noon(2026, 3, 2) + i));
        const auto progress = history.progress("Anna", kEver);
        ASSERT_TRUE(progress);
        EXPECT_EQ(progress->totals.words, 50);
        EXPECT_TRUE(history.forget("Anna"));
        history.record(historyWord("Anna", "CANE", {"1:C"}, noon(2026, 3, 2)));
        QCoreApplication::processEvents();
    } // the last word is written before the history closes
    ASSERT_EQ(setAside.size(), 1);
    EXPECT_EQ(handlerThread, QThread::currentThreadId());
    EXPECT_EQ(bytesOf(setAside[0]), QByteArray("not a database"));

    {
        HistoryDatabase db(path());
        ASSERT_EQ(db.open(), HistoryDatabase::Opened::Ready);
        EXPECT_EQ(db.words("Anna", kEver)->size(), 1u);
    }
    // An unwritable folder stops nothing: refused words wait, counted; forgetting forgets them too.
    QDir(env.root() + "/dati").removeRecursively();
    writeFile(env.root() + "/dati", "a file where the folder should be");
    SqlHistory unwritable(path());
    unwritable.record(historyWord("Anna", "CANE", {"1:C"}, 1));
    unwritable.record(historyWord("Bruno", "CANE", {"1:C"}, 1));
    EXPECT_EQ(unwritable.unwritten(), 2);
    EXPECT_FALSE(unwritable.forget("BRUNO"));
    EXPECT_EQ(unwritable.unwritten(), 1);
    QFile::remove(env.root() + "/dati");
    QDir().mkpath(env.root() + "/dati");
    EXPECT_EQ(unwritable.unwritten(), 0); // asked, it tries them again
    unwritable.record(historyWord("Anna", "DADO", {"1:D"}, 2));
    EXPECT_EQ(unwritable.words("Anna", {0, 3}).value_or(std::vector<WordRecord>()).size(), 2u);
}

// A term's bars are weeks from Monday, or months when weeks would be too many.
TEST(ChartTest, ATermsDaysAddUpToWeeksFromMondayOrToMonths)
{
    std::vector<DayCount> days; // the school days from Wednesday 16 September to 4 December
    for (QDate day(2026, 9, 16); day <= QDate(2026, 12, 4); day = day.addDays(1))
        if (day.dayOfWeek() <= 5)
            days.push_back({day, 2, 1});
    const ChartBars weeks = chartBars(days, 31);
    EXPECT_EQ(weeks.length, BarLength::Week);
    ASSERT_EQ(weeks.bars.size(), 12u);
    EXPECT_EQ(barsOf(weeks.bars).mid(0, 2), QStringList({"2026-09-14 6/3", "2026-09-21 10/5"}));
    EXPECT_EQ(barsOf(weeks.bars).back(), "2026-11-30 10/5");
    const ChartBars months = chartBars(days, 10);
    EXPECT_EQ(months.length, BarLength::Month);
    EXPECT_EQ(barsOf(months.bars), QStringList({"2026-09-01 22/11", "2026-10-01 44/22",
                                                "2026-11-01 42/21", "2026-12-01 8/4"}));
}

TEST(HistoryCsvTest, OneLinePerWordWithAHeaderAndFieldsQuotedWhereNeeded)
{
    CsvTexts texts{
        {}, {"INITIAL", "ONE", "TWO", "ALL"}, {"mouse", "manual", "automatic"}, "yes", "no"};
    for (int i = 0; i < kCsvColumns; ++i)
        texts.titles << QStringLiteral("c%1").arg(i);
    texts.titles[4] = "word, as shown";
    WordRecord first =
        historyWord("Anna \"A\"", "PERCHÉ", {"1:QP", "6:É"}, noon(2026, 3, 2), true, {1, 0, 0});
    WordRecord second = historyWord("=SUM(A1)", "CANE", {"1:B"}, noon(2026, 3, 3), false);
    second.exercise = 7; // unknown kinds and modes are written as numbers
    second.inputMode = 9;

    const QByteArray csv = historyCsv({first, second}, texts);
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(
        QString::fromUtf8(csv.mid(3)).split("\r\n"),
        QStringList({"c0,c1,c2,c3,\"word, as shown\",c5,c6,c7,c8,c9,c10,c11,c12,c13",
                     "2026-03-02 12:00:00,\"Anna \"\"A\"\"\",Italiano,ONE,PERCHÉ,1;6,\"Q,P;É\","
                     "1,1,0,0,13,automatic,yes",
                     "2026-03-03 12:00:00,\"'=SUM(A1)\",Italiano,7,CANE,1,B,1,0,0,0,13,9,no", ""}));
}

} // namespace
