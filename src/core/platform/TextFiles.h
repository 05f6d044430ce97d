#pragma once

#include <optional>
#include <QByteArray>
#include <QString>

namespace ortolino {

// Text of a file's bytes: UTF-8 (a byte-order mark is dropped) when the bytes
// are valid UTF-8, otherwise Windows-1252, so that files made on Windows read.
QString decodeText(const QByteArray& bytes);

// Text of Windows-1252 bytes.
QString decodeWindows1252(const QByteArray& bytes);

// Windows-1252 bytes of a text, or nothing when a character does not fit.
std::optional<QByteArray> encodeWindows1252(const QString& text);

// The whole content of a file, or nothing when it cannot be read.
std::optional<QByteArray> readFileBytes(const QString& path);

// Writes a file whole through a temporary file renamed over the old one, so a
// crash or a full disk never leaves half a file. False when anything failed.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

// Splits a text into lines, accepting CR LF, LF and a lone CR.
QStringList splitLines(const QString& text);

} // namespace ortolino
