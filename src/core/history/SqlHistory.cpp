#include "core/history/SqlHistory.h"

#include "core/history/HistoryDatabase.h"

namespace ortolino {

namespace {

// Words kept while the disk refuses them: weeks of a child's work, a few
// megabytes at most. Beyond it the oldest give way.
constexpr size_t kKeptUnwritten = 20000;

} // namespace

SqlHistory::SqlHistory(const QString& path, SetAsideHandler onSetAside)
    : database_(std::make_unique<HistoryDatabase>(path)), onSetAside_(std::move(onSetAside))
{
    thread_.setObjectName(QStringLiteral("history"));
    worker_ = new QObject;
    worker_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start(QThread::LowPriority);
}

void SqlHistory::prepare()
{
    QMetaObject::invokeMethod(
        worker_, [this] { ready(); }, Qt::QueuedConnection);
}

SqlHistory::~SqlHistory()
{
    // Queued after every write handed over, so they all run before the
    // close; the connection belongs to the history's thread and closes there.
    QMetaObject::invokeMethod(
        worker_,
        [this] {
            if (database_->isOpen())
                writeUnwritten(database_.get());
            database_.reset();
        },
        Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

HistoryDatabase* SqlHistory::ready()
{
    if (database_->isOpen())
        return database_.get();
    switch (database_->open()) {
    case HistoryDatabase::Opened::Ready:
        return database_.get();
    case HistoryDatabase::Opened::SetAside:
        if (onSetAside_) {
            const QString where = database_->setAsidePath();
            QMetaObject::invokeMethod(
                &notifier_, [this, where] { onSetAside_(where); }, Qt::QueuedConnection);
        }
        return database_.get();
    case HistoryDatabase::Opened::Failed:
        break;
    }
    return nullptr;
}

void SqlHistory::writeUnwritten(HistoryDatabase* db)
{
    if (!unwritten_.empty() && db != nullptr && db->append(unwritten_))
        unwritten_.clear();
    unwrittenCount_ = static_cast<int>(unwritten_.size());
}

void SqlHistory::record(const WordRecord& word)
{
    QMetaObject::invokeMethod(
        worker_,
        [this, word] {
            if (unwritten_.size() >= kKeptUnwritten)
                unwritten_.erase(unwritten_.begin());
            unwritten_.push_back(word);
            writeUnwritten(ready());
        },
        Qt::QueuedConnection);
}

void SqlHistory::runAndWait(const std::function<void(HistoryDatabase&)>& work)
{
    QMetaObject::invokeMethod(
        worker_,
        [this, &work] {
            HistoryDatabase* db = ready();
            writeUnwritten(db);
            if (db != nullptr)
                work(*db);
        },
        Qt::BlockingQueuedConnection);
}

int SqlHistory::unwritten()
{
    runAndWait([](HistoryDatabase&) {}); // tries the words the disk refused once more
    return unwrittenCount_;
}

void SqlHistory::flush()
{
    runAndWait([](HistoryDatabase&) {});
}

std::optional<Progress> SqlHistory::progress(const QString& user, TimeSpan span)
{
    std::optional<Progress> result;
    runAndWait([&](HistoryDatabase& db) { result = db.progress(user, span); });
    return result;
}

std::optional<std::vector<WordRecord>> SqlHistory::words(const QString& user, TimeSpan span)
{
    std::optional<std::vector<WordRecord>> result;
    runAndWait([&](HistoryDatabase& db) { result = db.words(user, span); });
    return result;
}

bool SqlHistory::forget(const QString& user)
{
    bool done = false;
    runAndWait([&](HistoryDatabase& db) { done = db.forget(user); });
    // Words the disk refused are forgotten too, written or not.
    QMetaObject::invokeMethod(
        worker_,
        [this, key = HistoryDatabase::userKey(user)] {
            std::erase_if(unwritten_, [&](const WordRecord& word) {
                return HistoryDatabase::userKey(word.user) == key;
            });
            unwrittenCount_ = static_cast<int>(unwritten_.size());
        },
        Qt::BlockingQueuedConnection);
    return done;
}

} // namespace ortolino
