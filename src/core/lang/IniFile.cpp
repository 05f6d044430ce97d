#include "core/lang/IniFile.h"

#include "core/platform/FileNames.h"
#include "core/platform/TextFiles.h"

#include <mutex>
#include <QFileInfo>

namespace ortolino {

namespace {

bool isSectionLine(const QString& trimmed)
{
    return trimmed.startsWith(QLatin1Char('['));
}

QString sectionName(const QString& trimmed)
{
    qsizetype end = trimmed.indexOf(QLatin1Char(']'));
    return trimmed.mid(1, end < 0 ? -1 : end - 1).trimmed();
}

// Key and value of a "key=value" line; nothing for other lines.
std::optional<std::pair<QString, QString>> keyValue(const QString& line)
{
    qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0 || line.trimmed().startsWith(QLatin1Char(';')))
        return std::nullopt;
    return std::make_pair(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString withoutQuotes(const QString& value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

std::optional<IniDocument> IniDocument::load(const QString& path)
{
    std::optional<QByteArray> bytes = readFileBytes(path, kIniDimensioneMassima);
    if (!bytes)
        return std::nullopt;
    return fromBytes(*bytes);
}

IniDocument IniDocument::fromBytes(const QByteArray& bytes)
{
    IniDocument document;
    document.large_ = bytes.size() > kIniLimiteLettura;
    document.lines_ = splitLines(decodeText(bytes));
    return document;
}

QString IniDocument::value(const QString& section, const QString& key) const
{
    return large_ ? valueByLineScan(key) : valueByIniRules(section, key);
}

QString IniDocument::valueByIniRules(const QString& section, const QString& key) const
{
    bool inSection = false;
    for (const QString& line : lines_) {
        QString trimmed = line.trimmed();
        if (isSectionLine(trimmed)) {
            if (inSection)
                break; // only the first section of that name counts
            inSection = sameName(sectionName(trimmed), section);
            continue;
        }
        if (!inSection)
            continue;
        if (auto pair = keyValue(line); pair && sameName(pair->first, key))
            return withoutQuotes(pair->second).left(kIniLunghezzaMassima);
    }
    return {};
}

QString IniDocument::valueByLineScan(const QString& key) const
{
    for (const QString& line : lines_) {
        if (!line.startsWith(key))
            continue;
        // Past the key and the one character of the "=" come the quoted value:
        // the first and the last character are dropped whatever they are.
        QString rest = line.mid(key.size() + 1);
        return rest.size() < 2 ? QString() : rest.mid(1, rest.size() - 2);
    }
    return {};
}

std::shared_ptr<const IniDocument> readIniDocument(const QString& path)
{
    struct Read
    {
        std::mutex mutex;
        QString path;
        std::optional<FileStamp> stamp; // taken before the file was read
        std::shared_ptr<const IniDocument> document;
    };
    static Read read;
    std::lock_guard lock(read.mutex);
    if (path == read.path && read.stamp && read.stamp->unchangedIn(FileStamp::of(path)))
        return read.document;
    read.path = path;
    read.stamp = FileStamp::of(path);
    std::optional<IniDocument> document = IniDocument::load(path);
    read.document = document ? std::make_shared<const IniDocument>(std::move(*document)) : nullptr;
    return read.document;
}

std::optional<QString> MLSReadIniString(const QString& file, const QString& section,
                                        const QString& key)
{
    std::optional<IniDocument> document = IniDocument::load(file);
    if (!document)
        return std::nullopt;
    return document->value(section, key);
}

int MLSWriteIniString(const QString& file, const QString& section, const QString& key,
                      const QString& value)
{
    QStringList lines;
    if (std::optional<QByteArray> bytes = readFileBytes(file, kIniDimensioneMassima))
        lines = splitLines(decodeText(*bytes));
    else if (QFileInfo(file).exists() || QFileInfo(file).isSymLink())
        return 0;

    const QString newLine = key + QLatin1Char('=') + value;
    qsizetype sectionStart = -1;
    qsizetype insertAt = -1; // after the last non-empty line of the section
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString trimmed = lines[i].trimmed();
        if (isSectionLine(trimmed)) {
            if (sectionStart >= 0)
                break;
            if (sameName(sectionName(trimmed), section)) {
                sectionStart = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (auto pair = keyValue(lines[i]); pair && sameName(pair->first, key)) {
            lines[i] = newLine;
            insertAt = -1;
            break;
        }
        if (!trimmed.isEmpty())
            insertAt = i + 1;
    }
    if (sectionStart < 0) {
        lines << QLatin1Char('[') + section + QLatin1Char(']') << newLine;
    } else if (insertAt >= 0) {
        lines.insert(insertAt, newLine);
    }
    QString text = lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    return writeFileAtomically(file, text.toUtf8()) ? 1 : 0;
}

} // namespace ortolino
