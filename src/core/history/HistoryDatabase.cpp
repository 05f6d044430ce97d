#include "core/history/HistoryDatabase.h"

#include <algorithm>
#include <limits>
#include <map>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace ortolino {

namespace {

// Qt binds a null text as SQL NULL, which the NOT NULL columns refuse: a word
// left before any letter was chosen (its choices "") was lost whole.
QString notNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

// The schema, one step per version: step i brings version i to i + 1.
// Steps are never changed once shipped; a new version adds a step.
const char* const kVersion1[] = {
    // One row per word. Users are found by user_key (the name without letter
    // case) and time: the progress view reads one user's span.
    "CREATE TABLE words ("
    " id INTEGER PRIMARY KEY,"
    " ended_at INTEGER NOT NULL," // seconds since 1970 UTC
    " user_name TEXT NOT NULL,"
    " user_key TEXT NOT NULL,"
    " language TEXT NOT NULL,"
    " exercise INTEGER NOT NULL,"
    " word TEXT NOT NULL,"
    " blanks TEXT NOT NULL,"  // places in the word, "1;3"
    " choices TEXT NOT NULL," // letters chosen at each blank, "B,D,C;A"
    " wrong_letters INTEGER NOT NULL,"
    " help1 INTEGER NOT NULL,"
    " help2 INTEGER NOT NULL,"
    " help3 INTEGER NOT NULL,"
    " seconds REAL NOT NULL,"
    " input_mode INTEGER NOT NULL,"
    " finished INTEGER NOT NULL)",
    "CREATE INDEX words_by_user_and_time ON words (user_key, ended_at)",
};

// Version 2: every wrong letter on a row of its own, so that the confusion
// table is counted by the database instead of by reading every word.
const char* const kVersion2[] = {
    "CREATE TABLE wrong_letters ("
    " word_id INTEGER NOT NULL REFERENCES words (id),"
    " user_key TEXT NOT NULL,"
    " ended_at INTEGER NOT NULL,"
    " expected TEXT NOT NULL,"
    " chosen TEXT NOT NULL)",
    "CREATE INDEX wrong_letters_by_user_and_time ON wrong_letters (user_key, ended_at)",
    "CREATE INDEX wrong_letters_by_word ON wrong_letters (word_id)",
};

// Version 3: each word keeps its local day, counted once when it is written
// rather than at every reading, and indices that hold every column the
// progress view reads, so that a child's span is read from the index alone
// (100,000 words: from about 400 ms to a few tens). They replace the indices
// on user and time, whose columns they begin with.
const char* const kVersion3[] = {
    "ALTER TABLE words ADD COLUMN day TEXT", // local date, yyyy-MM-dd
    "UPDATE words SET day = date(ended_at, 'unixepoch', 'localtime')",
    "CREATE INDEX words_for_progress ON words (user_key, ended_at, day, finished,"
    " wrong_letters, help1, help2, help3, seconds, word)",
    "DROP INDEX words_by_user_and_time",
    "CREATE INDEX wrong_letters_for_progress ON wrong_letters"
    " (user_key, ended_at, expected, chosen)",
    "DROP INDEX wrong_letters_by_user_and_time",
};

// Version 4: indices in the order the progress view groups by (day, word,
// confusion), so that SQLite reads groups one after another instead of
// sorting a child's whole span first (100,000 words: from about 250 ms to
// under 100). A span's days bound the day index; the time still filters.
const char* const kVersion4[] = {
    "CREATE INDEX words_by_day ON words (user_key, day, ended_at, finished,"
    " wrong_letters, help1, help2, help3, seconds)",
    "CREATE INDEX words_by_word ON words (user_key, word, ended_at, help1, help2, help3,"
    " wrong_letters)",
    "CREATE INDEX words_by_user_and_time ON words (user_key, ended_at)",
    "DROP INDEX words_for_progress",
    "CREATE INDEX wrong_letters_by_confusion ON wrong_letters"
    " (user_key, expected, chosen, ended_at)",
    "DROP INDEX wrong_letters_for_progress",
};

// The local day of a time, as the words' day column holds it; times past
// any calendar's reach bound nothing.
QString dayOf(qint64 secondsSince1970)
{
    const QDate day = QDateTime::fromSecsSinceEpoch(secondsSince1970).date();
    return day.isValid() && day.year() <= 9999 ? day.toString(Qt::ISODate)
                                               : QStringLiteral("9999-12-31");
}

bool runAll(QSqlQuery& query, const auto& statements)
{
    for (const char* sql : statements)
        if (!query.exec(QString::fromLatin1(sql)))
            return false;
    return true;
}

bool run(QSqlQuery& query, const QString& sql)
{
    return query.exec(sql);
}

// Binds the user and the span of a query that names :user, :from, :to and
// :after (rows past it only).
QSqlQuery spanQuery(const QSqlDatabase& db, const QString& sql, const QString& user, TimeSpan span,
                    qint64 after)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(sql);
    query.bindValue(QStringLiteral(":user"), HistoryDatabase::userKey(user));
    query.bindValue(QStringLiteral(":from"), span.from);
    query.bindValue(QStringLiteral(":to"), span.to);
    query.bindValue(QStringLiteral(":after"),
                    span.thisRunOnly ? after : std::numeric_limits<qint64>::min());
    if (sql.contains(QLatin1String(":fromDay"))) {
        // A day to spare at each end: the day was written in the time zone
        // of its day, which need not be today's.
        constexpr qint64 kDay = 24 * 60 * 60;
        query.bindValue(QStringLiteral(":fromDay"), dayOf(span.from - kDay));
        query.bindValue(QStringLiteral(":toDay"), dayOf(span.to + kDay));
    }
    return query;
}

bool insertWrongLetters(QSqlQuery& query, qint64 wordId, const QString& userKey, qint64 endedAt,
                        const std::vector<BlankChoices>& blanks)
{
    for (const BlankChoices& blank : blanks) {
        for (const QString& letter : blank.chosen) {
            if (letter == blank.expected)
                continue;
            query.bindValue(0, wordId);
            query.bindValue(1, userKey);
            query.bindValue(2, endedAt);
            query.bindValue(3, blank.expected);
            query.bindValue(4, letter);
            if (!query.exec())
                return false;
        }
    }
    return true;
}

const QString kInsertWrongLetter =
    QStringLiteral("INSERT INTO wrong_letters (word_id, user_key, ended_at, expected, chosen)"
                   " VALUES (?, ?, ?, ?, ?)");

} // namespace

HistoryDatabase::HistoryDatabase(QString path)
    : path_(std::move(path)),
      connection_(
          QStringLiteral("ortolino-history-%1").arg(reinterpret_cast<quintptr>(this), 0, 16))
{
}

HistoryDatabase::~HistoryDatabase()
{
    close();
}

bool HistoryDatabase::connect()
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        db.setDatabaseName(path_);
        if (!db.open()) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connection_);
            return false;
        }
        QSqlQuery query(db);
        // WAL: a write costs no wait for readers and survives a killed
        // program whole or not at all; deleted words are overwritten, not
        // just unlinked, so a forgotten child is gone from the file.
        run(query, QStringLiteral("PRAGMA journal_mode = WAL"));
        run(query, QStringLiteral("PRAGMA synchronous = NORMAL"));
        run(query, QStringLiteral("PRAGMA secure_delete = ON"));
        run(query, QStringLiteral("PRAGMA busy_timeout = 2000"));
    }
    open_ = true;
    return true;
}

void HistoryDatabase::close()
{
    if (!QSqlDatabase::contains(connection_))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    open_ = false;
}

int HistoryDatabase::schemaVersion()
{
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

// True when SQLite cannot read the file as a database or finds it damaged.
bool HistoryDatabase::damaged()
{
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next())
        return true;
    return query.value(0).toString() != QLatin1String("ok");
}

bool HistoryDatabase::setAside()
{
    close();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = path_ + QStringLiteral(".danneggiato-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target =
            path_ + QStringLiteral(".danneggiato-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(path_, target))
        return false;
    // Its journal belongs to it: a new file must not replay it.
    for (const QString& suffix : {QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo::exists(path_ + suffix) && !QFile::rename(path_ + suffix, target + suffix))
            QFile::remove(path_ + suffix);
    }
    setAside_ = target;
    return true;
}

HistoryDatabase::Opened HistoryDatabase::open(int upToVersion)
{
    if (open_)
        return Opened::Ready;
    Opened outcome = Opened::Ready;
    if (!connect())
        return Opened::Failed;
    if (damaged()) {
        if (!setAside() || !connect())
            return Opened::Failed;
        outcome = Opened::SetAside;
    }
    const int version = schemaVersion();
    if (version < 0 || version > kSchemaVersion) {
        close(); // a newer program's file: kept as it is
        return Opened::Failed;
    }
    if (version < upToVersion && !migrate(version, upToVersion)) {
        close();
        return Opened::Failed;
    }
    // (Only the tests of the migration stop at an older schema.)
    if (upToVersion == kSchemaVersion && !noteThisRunsStart(false)) {
        close();
        return Opened::Failed;
    }
    return outcome;
}

// Forgetting a user may remove the highest rows, whose numbers SQLite then
// gives again: the session's start comes down with them.
bool HistoryDatabase::noteThisRunsStart(bool afterForgetting)
{
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!query.exec(QStringLiteral("SELECT (SELECT coalesce(max(id), 0) FROM words),"
                                   " (SELECT coalesce(max(rowid), 0) FROM wrong_letters)")) ||
        !query.next())
        return false;
    const qint64 lastWord = query.value(0).toLongLong();
    const qint64 lastLetter = query.value(1).toLongLong();
    lastWordBefore_ = afterForgetting ? std::min(lastWordBefore_, lastWord) : lastWord;
    lastLetterBefore_ = afterForgetting ? std::min(lastLetterBefore_, lastLetter) : lastLetter;
    return true;
}

bool HistoryDatabase::transaction(const std::function<bool()>& work)
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!open_ || !db.transaction())
        return false;
    if (work() && db.commit())
        return true;
    db.rollback();
    return false;
}

bool HistoryDatabase::migrate(int from, int to)
{
    return transaction([&] {
        QSqlQuery query(QSqlDatabase::database(connection_, false));
        for (int version = from; version < to; ++version) {
            if (version == 0) {
                if (!runAll(query, kVersion1))
                    return false;
            } else if (version == 1) {
                if (!runAll(query, kVersion2))
                    return false;
                // The wrong letters of the words kept so far.
                QSqlQuery rows(QSqlDatabase::database(connection_, false));
                rows.setForwardOnly(true);
                if (!rows.exec(QStringLiteral(
                        "SELECT id, user_key, ended_at, word, blanks, choices FROM words")))
                    return false;
                QSqlQuery insert(QSqlDatabase::database(connection_, false));
                insert.prepare(kInsertWrongLetter);
                while (rows.next()) {
                    const auto blanks =
                        blanksFromText(rows.value(3).toString(), rows.value(4).toString(),
                                       rows.value(5).toString());
                    if (!insertWrongLetters(insert, rows.value(0).toLongLong(),
                                            rows.value(1).toString(), rows.value(2).toLongLong(),
                                            blanks))
                        return false;
                }
            } else if (version == 2) {
                if (!runAll(query, kVersion3))
                    return false;
            } else if (version == 3) {
                if (!runAll(query, kVersion4))
                    return false;
            }
        }
        return run(query, QStringLiteral("PRAGMA user_version = %1").arg(to));
    });
}

bool HistoryDatabase::insert(const WordRecord& word)
{
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO words (ended_at, user_name, user_key, language, exercise, word, blanks,"
        " choices, wrong_letters, help1, help2, help3, seconds, input_mode, finished, day)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QString key = userKey(word.user);
    const QVariantList values = {
        word.endedAt,
        notNull(word.user),
        notNull(key),
        notNull(word.language),
        word.exercise,
        notNull(word.word),
        notNull(positionsText(word.blanks)),
        notNull(choicesText(word.blanks)),
        word.wrongLetters(),
        word.helps[0],
        word.helps[1],
        word.helps[2],
        word.seconds,
        word.inputMode,
        word.finished ? 1 : 0,
        QDateTime::fromSecsSinceEpoch(word.endedAt).date().toString(Qt::ISODate)};
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec())
        return false;
    const qint64 id = query.lastInsertId().toLongLong();
    QSqlQuery wrong(db);
    wrong.prepare(kInsertWrongLetter);
    return insertWrongLetters(wrong, id, key, word.endedAt, word.blanks);
}

bool HistoryDatabase::append(const WordRecord& word)
{
    return transaction([&] { return insert(word); });
}

bool HistoryDatabase::append(const std::vector<WordRecord>& words)
{
    return transaction([&] {
        for (const WordRecord& word : words)
            if (!insert(word))
                return false;
        return true;
    });
}

std::optional<Progress> HistoryDatabase::progress(const QString& user, TimeSpan span)
{
    if (!open_)
        return std::nullopt;
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    const QString inSpan = QStringLiteral(
        " WHERE user_key = :user AND ended_at >= :from AND ended_at < :to AND rowid > :after");
    Progress progress;

    // The totals are the sums of the days: one reading of the span.
    QSqlQuery days = spanQuery(
        db,
        QStringLiteral(
            "SELECT day, count(*), total(finished), total(finished AND wrong_letters = 0),"
            " total(help1 + help2 + help3), total(seconds) FROM words") +
            inSpan +
            QStringLiteral(" AND day >= :fromDay AND day <= :toDay GROUP BY day ORDER BY day"),
        user, span, lastWordBefore_);
    if (!days.exec())
        return std::nullopt;
    ProgressTotals& totals = progress.totals;
    while (days.next()) {
        const QDate day = QDate::fromString(days.value(0).toString(), Qt::ISODate);
        const int finished = days.value(2).toInt();
        const int withoutError = days.value(3).toInt();
        progress.days.push_back({day, finished, withoutError});
        totals.words += days.value(1).toInt();
        totals.finished += finished;
        totals.firstTry += withoutError;
        totals.helps += days.value(4).toInt();
        totals.seconds += days.value(5).toDouble();
    }

    // Words and letters are kept in the lettering they were shown in: a
    // child moved from capitals to lower case meets the same D and DADO, so
    // they are counted together, in capitals (SQLite's upper() knows ASCII only).
    QSqlQuery confusions =
        spanQuery(db,
                  QStringLiteral("SELECT expected, chosen, count(*) FROM wrong_letters") + inSpan +
                      QStringLiteral(" GROUP BY expected, chosen"),
                  user, span, lastLetterBefore_);
    if (!confusions.exec())
        return std::nullopt;
    std::map<std::pair<QString, QString>, int> confused;
    while (confusions.next())
        confused[{confusions.value(0).toString().toUpper(),
                  confusions.value(1).toString().toUpper()}] += confusions.value(2).toInt();
    for (const auto& [letters, times] : confused)
        progress.confusions.push_back({letters.first, letters.second, times});
    std::stable_sort(progress.confusions.begin(), progress.confusions.end(),
                     [](const Confusion& a, const Confusion& b) { return a.times > b.times; });

    QSqlQuery helped =
        spanQuery(db,
                  QStringLiteral("SELECT word, count(*), total(help1 + help2 + help3),"
                                 " total(wrong_letters) FROM words") +
                      inSpan + QStringLiteral(" GROUP BY word"),
                  user, span, lastWordBefore_);
    if (!helped.exec())
        return std::nullopt;
    std::map<QString, HelpedWord> words;
    while (helped.next()) {
        const QString word = helped.value(0).toString().toUpper();
        HelpedWord& counted = words.try_emplace(word, HelpedWord{word}).first->second;
        counted.shown += helped.value(1).toInt();
        counted.helps += helped.value(2).toInt();
        counted.wrongLetters += helped.value(3).toInt();
    }
    for (const auto& [word, counted] : words) {
        if (counted.helps > 0)
            progress.mostHelped.push_back(counted);
    }
    std::stable_sort(progress.mostHelped.begin(), progress.mostHelped.end(),
                     [](const HelpedWord& a, const HelpedWord& b) {
                         return std::pair(a.helps, a.wrongLetters) >
                                std::pair(b.helps, b.wrongLetters);
                     });
    const auto kept = static_cast<size_t>(Progress::kMostHelped);
    if (progress.mostHelped.size() > kept)
        progress.mostHelped.resize(kept);

    QSqlQuery last(db);
    last.prepare(QStringLiteral("SELECT coalesce(max(ended_at), 0) FROM words WHERE user_key = ?"));
    last.addBindValue(userKey(user));
    if (!last.exec() || !last.next())
        return std::nullopt;
    progress.lastWordAt = last.value(0).toLongLong();
    return progress;
}

std::optional<std::vector<WordRecord>> HistoryDatabase::words(const QString& user, TimeSpan span)
{
    if (!open_)
        return std::nullopt;
    QSqlQuery query = spanQuery(
        QSqlDatabase::database(connection_, false),
        QStringLiteral("SELECT ended_at, user_name, language, exercise, word, blanks, choices,"
                       " help1, help2, help3, seconds, input_mode, finished FROM words"
                       " WHERE user_key = :user AND ended_at >= :from AND ended_at < :to"
                       " AND id > :after ORDER BY ended_at, id"),
        user, span, lastWordBefore_);
    if (!query.exec())
        return std::nullopt;
    std::vector<WordRecord> words;
    while (query.next()) {
        WordRecord word;
        word.endedAt = query.value(0).toLongLong();
        word.user = query.value(1).toString();
        word.language = query.value(2).toString();
        word.exercise = query.value(3).toInt();
        word.word = query.value(4).toString();
        word.blanks =
            blanksFromText(word.word, query.value(5).toString(), query.value(6).toString());
        word.helps = {query.value(7).toInt(), query.value(8).toInt(), query.value(9).toInt()};
        word.seconds = query.value(10).toDouble();
        word.inputMode = query.value(11).toInt();
        word.finished = query.value(12).toBool();
        words.push_back(word);
    }
    return words;
}

bool HistoryDatabase::forget(const QString& user)
{
    return transaction([&] {
               QSqlQuery query(QSqlDatabase::database(connection_, false));
               for (const QString& table :
                    {QStringLiteral("wrong_letters"), QStringLiteral("words")}) {
                   query.prepare(QStringLiteral("DELETE FROM %1 WHERE user_key = ?").arg(table));
                   query.addBindValue(userKey(user));
                   if (!query.exec())
                       return false;
               }
               return true;
           }) &&
           noteThisRunsStart(true) && checkpoint();
}

// Copies the journal into the file and empties it, so that the old pages of
// forgotten words are gone from the journal too.
bool HistoryDatabase::checkpoint()
{
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    return query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}

} // namespace ortolino
