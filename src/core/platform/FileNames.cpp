#include "core/platform/FileNames.h"

#include <QDir>
#include <QFileInfo>

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

} // namespace ortolino
