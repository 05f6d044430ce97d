#pragma once

#include <optional>
#include <QByteArray>
#include <QString>

namespace ortolino {

// Text of a file's bytes: UTF-16 or UTF-32 when they begin with its byte-order
// mark; UTF-8 (a byte-order mark is dropped) when the bytes are valid UTF-8;
// otherwise Windows-1252, so that files made on Windows read.
QString decodeText(const QByteArray& bytes);

// Text of Windows-1252 bytes.
QString decodeWindows1252(const QByteArray& bytes);

// Windows-1252 bytes of a text, or nothing when a character does not fit.
std::optional<QByteArray> encodeWindows1252(const QString& text);

// The whole content of a plain file of at most maxBytes bytes, or nothing
// when it cannot be read, is larger, or is not a plain file: a pipe, a device
// or a folder is refused at once, without waiting on it. Each reader of the
// program passes the limit of its kind of file.
inline constexpr qint64 kFileMaxBytes = 64 * 1024 * 1024;
std::optional<QByteArray> readFileBytes(const QString& path, qint64 maxBytes = kFileMaxBytes);

// Writes a file whole through a temporary file beside it ("name.XXXXXX"),
// flushed to the disk and then renamed over the old one, so a crash or a full
// disk leaves either the old file or the new one, never half a file. False,
// with the old file untouched, when anything failed. A link is followed: the
// file it points to is the one replaced.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

// As writeFileAtomically, but a file that already holds exactly these bytes is
// left untouched and counts as written: settings that did not change are
// "saved" even where the folder cannot be written (read-only, a full disk).
bool writeFileUnlessSame(const QString& path, const QByteArray& bytes);

// Keeps the file at `path` beside itself as "name.ext.<suffix>" (then
// "name.ext.2.<suffix>", "name.ext.3.<suffix>", ... so that no copy kept
// before is replaced, in any letter case) and returns the path kept; empty
// when it could not be kept. A hard link when the file system allows one (no
// bytes read, whatever the size or permissions), a copy otherwise. A link in
// `path` is followed: the file it points to is the one kept.
QString keepBeside(const QString& path, const QString& suffix);

// Removes what a save killed half way left behind in a folder: temporary
// files named "name.ext.XXXXXX" (the name of a file of that folder, a dot and
// six letters or digits). Returns how many were removed.
int removeStaleTemporaryFiles(const QString& folder);

// Splits a text into lines, accepting CR LF, LF and a lone CR.
QStringList splitLines(const QString& text);

// A text as one field of a line of a profile or a word list. Their readers end
// an unquoted field at a comma, skip the blanks before it and read a field that
// starts with a quote up to the next quote: a text holding a comma or starting
// with a blank or a quote is written between quotes, and then cannot hold one.
bool fieldNeedsQuotes(const QString& text);
QString asField(const QString& text);

} // namespace ortolino
