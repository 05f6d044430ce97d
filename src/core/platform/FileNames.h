#pragma once

#include <optional>
#include <QString>

namespace ortolino {

// The path of the entry whose name equals the last part of path without
// regard to letter case, as it is written on disk; the path itself when the
// folder holds no such entry. Folder parts are taken as they stand.
QString resolveCaseInsensitive(const QString& path);

// True when the name ends in the extension without regard to letter case
// (extension given with its dot, e.g. ".ini").
bool hasExtension(const QString& name, const QString& extension);

// What tells whether a file or folder has changed since it was read: its
// device, inode, size and modification time, and when the stamp was taken.
struct FileStamp
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = -1;
    qint64 takenNs = 0;

    // Nothing when the path names nothing.
    static std::optional<FileStamp> of(const QString& path);
    // True when `now` (a later stamp of the same path) shows it unchanged and
    // this stamp was taken well after the last change: the file system's
    // clock may be coarse (seconds on some, two on FAT), and a change in the
    // same tick as the reading would leave the time as it was.
    bool unchangedIn(const std::optional<FileStamp>& now) const;

    static constexpr qint64 kDoubtNs = 3'000'000'000;
};

} // namespace ortolino
