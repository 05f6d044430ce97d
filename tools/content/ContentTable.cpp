#include "ContentTable.h"

#include "core/lang/IniFile.h"
#include "core/platform/TextFiles.h"

#include <algorithm>
#include <QRegularExpression>
#include <QSet>

namespace ortolino::content {

namespace {

const QStringList kRowColumns = {QStringLiteral("artwork"), QStringLiteral("format"),
                                 QStringLiteral("theme"), QStringLiteral("default")};
const QLatin1String kLettersRule("letters<=");

struct TableLine
{
    int number = 0;
    QStringList fields;
};

// The non-comment lines of a tab-separated file, with their line numbers.
std::optional<std::vector<TableLine>> readTableLines(const QString& path, QString* error)
{
    const auto bytes = readFileBytes(path);
    if (!bytes) {
        *error = path + QStringLiteral(": cannot be read");
        return std::nullopt;
    }
    std::vector<TableLine> lines;
    const QStringList all = splitLines(decodeText(*bytes));
    for (int i = 0; i < all.size(); ++i) {
        const QString line = all[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        lines.push_back({i + 1, all[i].split(QLatin1Char('\t'))});
    }
    if (lines.empty()) {
        *error = path + QStringLiteral(": no header");
        return std::nullopt;
    }
    return lines;
}

QString where(const QString& path, const TableLine& line)
{
    return path + QLatin1Char(':') + QString::number(line.number) + QStringLiteral(": ");
}

// The row of one table line, or the reason it is not one.
std::optional<PictureRow> parseRow(const TableLine& line, qsizetype languages, QString* reason)
{
    if (line.fields.size() != languages + kRowColumns.size()) {
        *reason = QStringLiteral("expected %1 fields").arg(languages + kRowColumns.size());
        return std::nullopt;
    }
    PictureRow row;
    row.words = line.fields.mid(0, languages);
    for (const QString& word : row.words) {
        if (!isValidPictureWord(word)) {
            *reason = QStringLiteral("\"%1\" is not a valid picture word").arg(word);
            return std::nullopt;
        }
    }
    row.artwork = line.fields[languages];
    row.format = line.fields[languages + 1];
    row.theme = line.fields[languages + 2];
    const QString inDefault = line.fields[languages + 3];
    if (row.format != QLatin1String("jpg") && row.format != QLatin1String("gif")) {
        *reason = QStringLiteral("format must be jpg or gif");
        return std::nullopt;
    }
    if (row.artwork.isEmpty() || row.theme.isEmpty() ||
        (inDefault != QLatin1String("0") && inDefault != QLatin1String("1"))) {
        *reason = QStringLiteral("artwork and theme must be given, default must be 0 or 1");
        return std::nullopt;
    }
    row.inDefaultList = inDefault == QLatin1String("1");
    return row;
}

// The first word that names two pictures in one language, or "".
QString firstDuplicateWord(const WordTable& table)
{
    for (qsizetype language = 0; language < table.languages.size(); ++language) {
        QSet<QString> seen;
        for (const PictureRow& row : table.rows) {
            if (seen.contains(row.words[language]))
                return row.words[language];
            seen.insert(row.words[language]);
        }
    }
    return {};
}

bool isTheme(const WordTable& table, const QString& theme)
{
    return std::any_of(table.rows.begin(), table.rows.end(),
                       [&](const PictureRow& row) { return row.theme == theme; });
}

QStringList sorted(QStringList words)
{
    std::sort(words.begin(), words.end());
    return words;
}

} // namespace

bool isValidPictureWord(const QString& word)
{
    static const QRegularExpression letters(QStringLiteral("^[a-zàèéìòù]+$"));
    return word.size() <= kLunghezzaMassimaParola && letters.match(word).hasMatch();
}

std::optional<WordTable> readWordTable(const QString& path, QString* error)
{
    const auto lines = readTableLines(path, error);
    if (!lines)
        return std::nullopt;
    const QStringList header = lines->front().fields;
    WordTable table;
    table.languages = header.mid(0, header.size() - kRowColumns.size());
    if (table.languages.isEmpty() || header.mid(table.languages.size()) != kRowColumns) {
        *error = where(path, lines->front()) +
                 QStringLiteral("header must be the languages, then ") +
                 kRowColumns.join(QLatin1Char(' '));
        return std::nullopt;
    }
    for (auto line = lines->begin() + 1; line != lines->end(); ++line) {
        QString reason;
        auto row = parseRow(*line, table.languages.size(), &reason);
        if (!row) {
            *error = where(path, *line) + reason;
            return std::nullopt;
        }
        table.rows.push_back(*row);
    }
    if (const QString duplicate = firstDuplicateWord(table); !duplicate.isEmpty()) {
        *error = path + QStringLiteral(": \"%1\" names two pictures").arg(duplicate);
        return std::nullopt;
    }
    return table;
}

std::optional<std::vector<ListRule>> readListRules(const QString& path, const WordTable& table,
                                                   QString* error)
{
    const auto lines = readTableLines(path, error);
    if (!lines)
        return std::nullopt;
    if (lines->front().fields.mid(1) != table.languages) {
        *error = where(path, lines->front()) + QStringLiteral("header must be: selection, ") +
                 table.languages.join(QStringLiteral(", "));
        return std::nullopt;
    }
    std::vector<ListRule> rules;
    for (auto line = lines->begin() + 1; line != lines->end(); ++line) {
        if (line->fields.size() != table.languages.size() + 1) {
            *error = where(path, *line) + QStringLiteral("one selection and one file per language");
            return std::nullopt;
        }
        ListRule rule{line->fields.front(), line->fields.mid(1)};
        if (!rule.selection.startsWith(kLettersRule) && !isTheme(table, rule.selection)) {
            *error = where(path, *line) + QStringLiteral("no theme \"%1\"").arg(rule.selection);
            return std::nullopt;
        }
        rules.push_back(rule);
    }
    return rules;
}

std::optional<LanguageFolders> readLanguageFolders(const QString& dataFolder,
                                                   const QString& language)
{
    const auto document = IniDocument::load(dataFolder + QStringLiteral("/lngortolino/") +
                                            language + QStringLiteral(".lng"));
    if (!document)
        return std::nullopt;
    const QString strings = QStringLiteral("Strings");
    LanguageFolders folders{document->value(strings, QStringLiteral("0100")),
                            document->value(strings, QStringLiteral("0101")),
                            document->value(strings, QStringLiteral("0102"))};
    if (folders.pictures.isEmpty() || folders.lists.isEmpty() || folders.defaultList.isEmpty())
        return std::nullopt;
    return folders;
}

QStringList defaultListWords(const WordTable& table, int language)
{
    QStringList words;
    for (const PictureRow& row : table.rows) {
        if (row.inDefaultList)
            words.append(row.words[language]);
    }
    return sorted(words);
}

QStringList selectedWords(const WordTable& table, int language, const QString& selection)
{
    const bool byLength = selection.startsWith(kLettersRule);
    const int longest = byLength ? selection.mid(kLettersRule.size()).toInt() : 0;
    QStringList words;
    for (const PictureRow& row : table.rows) {
        const QString& word = row.words[language];
        if (byLength ? word.size() <= longest : row.theme == selection)
            words.append(word);
    }
    return sorted(words);
}

QByteArray listFileBytes(const QStringList& words)
{
    const QString text = words.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    return encodeWindows1252(text).value_or(text.toUtf8());
}

} // namespace ortolino::content
