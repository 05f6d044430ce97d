#include "core/history/SqlHistory.h"

#include "core/history/HistoryDatabase.h"

#include <QDateTime>

namespace ortolino {

SqlHistory::SqlHistory(const QString& path, SetAsideHandler onSetAside)
    : database_(std::make_unique<HistoryDatabase>(path)), onSetAside_(std::move(onSetAside)),
      sessionStart_(QDateTime::currentSecsSinceEpoch())
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
        worker_, [this] { database_.reset(); }, Qt::BlockingQueuedConnection);
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

void SqlHistory::record(const WordRecord& word)
{
    QMetaObject::invokeMethod(
        worker_,
        [this, word] {
            if (HistoryDatabase* db = ready())
                db->append(word);
        },
        Qt::QueuedConnection);
}

void SqlHistory::runAndWait(const std::function<void(HistoryDatabase&)>& work)
{
    QMetaObject::invokeMethod(
        worker_,
        [this, &work] {
            if (HistoryDatabase* db = ready())
                work(*db);
        },
        Qt::BlockingQueuedConnection);
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
    return done;
}

} // namespace ortolino
