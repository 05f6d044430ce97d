#include "core/platform/Dialogs.h"

#include "core/platform/TextFiles.h"

#include <QFileInfo>

namespace ortolino {

QString BytesToString(const QByteArray& bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    return decodeWindows1252(end < 0 ? bytes : bytes.left(end));
}

QString withDefaultExtension(const QString& path, const QString& defaultExtension)
{
    if (path.isEmpty() || defaultExtension.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + defaultExtension;
}

} // namespace ortolino
