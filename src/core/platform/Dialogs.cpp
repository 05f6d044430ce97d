#include "core/platform/Dialogs.h"

#include <QFileInfo>

namespace ortolino {

QString withDefaultExtension(const QString& path, const QString& defaultExtension)
{
    if (path.isEmpty() || defaultExtension.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + defaultExtension;
}

} // namespace ortolino
