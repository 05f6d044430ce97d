#include "core/platform/FileNames.h"

#include <ctime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace ortolino {

QString resolveCaseInsensitive(const QString& path)
{
    if (QFileInfo::exists(path))
        return path;
    QFileInfo info(path);
    QDir folder = info.dir();
    const QString wanted = info.fileName();
    const QStringList entries =
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return path;
}

bool hasExtension(const QString& name, const QString& extension)
{
    return name.size() > extension.size() && name.endsWith(extension, Qt::CaseInsensitive);
}

std::optional<FileStamp> FileStamp::of(const QString& path)
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    struct stat info;
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    FileStamp stamp;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modifiedNs = qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    stamp.takenNs = qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
    return stamp;
}

bool FileStamp::unchangedIn(const std::optional<FileStamp>& now) const
{
    return now && now->device == device && now->inode == inode && now->size == size &&
           now->modifiedNs == modifiedNs && modifiedNs < takenNs - kDoubtNs;
}

} // namespace ortolino
