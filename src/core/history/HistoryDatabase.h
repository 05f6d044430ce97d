#pragma once

#include "core/history/History.h"

#include <functional>
#include <QString>

namespace ortolino {

// The history's SQLite file through Qt SQL, used from one thread only. The
// schema carries its version (PRAGMA user_version) and is brought up to date
// step by step when the file is opened. Every write is one transaction: a
// program killed half-way leaves the file as it was before the word.
class HistoryDatabase
{
public:
    // The schema this program writes.
    static constexpr int kSchemaVersion = 4;

    explicit HistoryDatabase(QString path);
    ~HistoryDatabase();
    HistoryDatabase(const HistoryDatabase&) = delete;
    HistoryDatabase& operator=(const HistoryDatabase&) = delete;

    enum class Opened
    {
        Ready,
        SetAside, // the file was damaged: moved aside, a new one started
        Failed    // no history can be kept (a folder that cannot be written,
                  // or a file of a newer program, which is left alone)
    };
    // Opens the file (made with its folders when missing) and brings its
    // schema up to date. A file that SQLite cannot read, or whose check
    // fails, is renamed "<name>.danneggiato-<date and time>" and a new one
    // started. Opening an open database does nothing.
    Opened open(int upToVersion = kSchemaVersion);
    bool isOpen() const { return open_; }
    // Where the damaged file went, after Opened::SetAside.
    const QString& setAsidePath() const { return setAside_; }
    int schemaVersion();

    bool append(const WordRecord& word);
    bool append(const std::vector<WordRecord>& words); // one transaction
    std::optional<Progress> progress(const QString& user, TimeSpan span);
    std::optional<std::vector<WordRecord>> words(const QString& user, TimeSpan span);
    // Removes the user's words; their bytes are overwritten, in the file and
    // in its journal.
    bool forget(const QString& user);

    void close();

    // The user as the history keys it: letter case does not count.
    static QString userKey(const QString& user) { return user.toCaseFolded(); }

private:
    bool migrate(int from, int to);
    bool damaged();
    bool setAside();
    bool connect();
    bool transaction(const std::function<bool()>& work);
    bool insert(const WordRecord& word);
    bool checkpoint();
    bool noteThisRunsStart(bool afterForgetting);

    QString path_;
    QString connection_;
    QString setAside_;
    bool open_ = false;
    // The last rows written before this run: the session's words and wrong
    // letters come after them (SQLite numbers new rows past the highest). The
    // letters have a mark of their own, their rowid, rather than their word's
    // id: the confusions are read from an index alone, which holds the rowid
    // and not word_id.
    qint64 lastWordBefore_ = 0;
    qint64 lastLetterBefore_ = 0;
};

} // namespace ortolino
