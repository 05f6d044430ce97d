#pragma once

#include <memory>
#include <optional>
#include <QString>
#include <QStringList>

namespace ortolino {

// Files up to this many bytes are read by INI rules; larger ones by a plain
// scan for the first line that starts with the key, whatever its section.
inline constexpr qint64 kIniLimiteLettura = 64000;
// Larger files are not settings or language files: they read as unreadable.
inline constexpr qint64 kIniDimensioneMassima = 1024 * 1024;
// Longest value the INI rules return.
inline constexpr int kIniLunghezzaMassima = 511;

// A settings file read once, for many lookups by the rules of MLSReadIniString.
class IniDocument
{
public:
    // Nothing when the file does not exist or cannot be read.
    static std::optional<IniDocument> load(const QString& path);
    // A file's bytes as read.
    static IniDocument fromBytes(const QByteArray& bytes);

    QString value(const QString& section, const QString& key) const;

private:
    QString valueByIniRules(const QString& section, const QString& key) const;
    QString valueByLineScan(const QString& key) const;

    QStringList lines_;
    bool large_ = false;
};

// The file read once per process and read again only when it has changed
// since (the language file is asked for a handful of texts at start-up and
// by every window); nullptr when it is missing or unreadable.
std::shared_ptr<const IniDocument> readIniDocument(const QString& path);

// Value of a key: "" when it is missing; nothing when the file is missing.
std::optional<QString> MLSReadIniString(const QString& file, const QString& section,
                                        const QString& key);

// Creates the file, section or key as needed and replaces an existing value.
// Non-zero on success. The file is rewritten whole and atomically; one that
// exists but cannot be read is left alone (zero), so nothing of it is lost.
int MLSWriteIniString(const QString& file, const QString& section, const QString& key,
                      const QString& value);

} // namespace ortolino
