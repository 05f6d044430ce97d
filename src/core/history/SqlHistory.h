#pragma once

#include "core/history/History.h"

#include <atomic>
#include <functional>
#include <memory>
#include <QObject>
#include <QString>
#include <QThread>

namespace ortolino {

class HistoryDatabase;

// The history kept in one SQLite file, worked on by a thread of its own: a
// word recorded by the exercise is handed over and written there, so the key
// that finished the word is repainted without waiting for the disk. Reading,
// exporting and forgetting wait for the writes handed over before them.
//
// A word the disk refuses (a full disk, a folder that cannot be written) is
// kept in memory and written with the next one, or before the next reading,
// so that nothing is lost while the program runs once the disk takes it.
//
// The file is opened on that thread when `prepare` asks or at the first use.
// A damaged file is set aside and a new one started; the handler given here is then
// told where the old one went, on the thread that made the history (where
// windows may speak to the user).
class SqlHistory final : public History
{
public:
    using SetAsideHandler = std::function<void(const QString& setAsidePath)>;

    // The history's file in the settings' data folder.
    static QString fileIn(const QString& cartellaDati)
    {
        return cartellaDati + QStringLiteral("storico.sqlite");
    }

    explicit SqlHistory(const QString& path, SetAsideHandler onSetAside = {});
    // Writes what was handed over, then closes the file.
    ~SqlHistory() override;
    SqlHistory(const SqlHistory&) = delete;
    SqlHistory& operator=(const SqlHistory&) = delete;

    // Opens the file ahead of its first use, without waiting: the program
    // asks once its first window is on screen, so that the start does not
    // share the processor with it.
    void prepare();

    void record(const WordRecord& word) override;
    std::optional<Progress> progress(const QString& user, TimeSpan span) override;
    std::optional<std::vector<WordRecord>> words(const QString& user, TimeSpan span) override;
    bool forget(const QString& user) override;
    int unwritten() override;

    // Waits until every word handed over so far is written.
    void flush();

private:
    // Runs the work on the history's thread and waits for it.
    void runAndWait(const std::function<void(HistoryDatabase&)>& work);
    // The database, opened (again after a failure) when needed.
    HistoryDatabase* ready();
    // Writes the words the disk refused before, in one transaction; they stay
    // for the next try while it refuses again.
    void writeUnwritten(HistoryDatabase* db);

    QThread thread_;
    QObject* worker_ = nullptr;                 // lives in thread_
    QObject notifier_;                          // lives in the thread that made the history
    std::unique_ptr<HistoryDatabase> database_; // used in thread_ only
    SetAsideHandler onSetAside_;
    std::vector<WordRecord> unwritten_; // used in thread_ only
    std::atomic<int> unwrittenCount_ = 0;
};

} // namespace ortolino
