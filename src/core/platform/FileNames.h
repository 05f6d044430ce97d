#pragma once

#include <QString>

namespace ortolino {

// The path of the entry whose name equals the last part of path without
// regard to letter case, as it is written on disk; the path itself when the
// folder holds no such entry. Folder parts are taken as they stand.
QString resolveCaseInsensitive(const QString& path);

// True when the name ends in the extension without regard to letter case
// (extension given with its dot, e.g. ".ini").
bool hasExtension(const QString& name, const QString& extension);

} // namespace ortolino
