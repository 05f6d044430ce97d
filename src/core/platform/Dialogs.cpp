#include "core/platform/Dialogs.h"

#include "core/platform/FileNames.h"

#include <QFileInfo>

namespace ortolino {

QString withDefaultExtension(const QString& path, const QString& defaultExtension)
{
    if (path.isEmpty() || defaultExtension.isEmpty() ||
        hasExtension(QFileInfo(path).fileName(), QLatin1Char('.') + defaultExtension))
        return path;
    return path + QLatin1Char('.') + defaultExtension;
}

} // namespace ortolino
