#pragma once

#include <optional>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace ortolino::content {

// One picture of the word table: its word in each language and its artwork.
struct PictureRow
{
    QStringList words; // one per language, in the order of WordTable::languages
    QString artwork;   // base name of the SVG file in the artwork folder
    QString format;    // "jpg" or "gif": the picture rule looks for both
    QString theme;     // e.g. "animali": themed lists pick rows by it
    bool inDefaultList = false;
};

// The table every shipped picture and word list is made from
// (assets/pictures/words.tsv): a header naming the language files, then one
// row per picture. Lines starting with "#" and empty lines are comments.
struct WordTable
{
    QStringList languages; // names of the language files without ".lng"
    std::vector<PictureRow> rows;
};

// An extra word list: which rows it takes (a theme, or "letters<=N" for the
// words of at most N letters in each language) and its file name per language.
struct ListRule
{
    QString selection;
    QStringList fileNames; // one per language
};

// Names the language file gives the content folders (keys "0100" to "0102").
struct LanguageFolders
{
    QString pictures;
    QString lists;
    QString defaultList;
};

// Longest word the program ever admits ("più lettere" stores 13).
inline constexpr int kLunghezzaMassimaParola = 13;

// True for a word that can name a picture file and be drawn by an exercise:
// 1 to 13 lower-case letters, accented Italian vowels included, nothing else.
bool isValidPictureWord(const QString& word);

// The tables, or nothing with the reason (file and line) in *error.
std::optional<WordTable> readWordTable(const QString& path, QString* error);
std::optional<std::vector<ListRule>> readListRules(const QString& path, const WordTable& table,
                                                   QString* error);

// The folders of one language, read from data/lngortolino/<language>.lng.
std::optional<LanguageFolders> readLanguageFolders(const QString& dataFolder,
                                                   const QString& language);

// Words of the default list, and of an extra list, in one language, sorted.
QStringList defaultListWords(const WordTable& table, int language);
QStringList selectedWords(const WordTable& table, int language, const QString& selection);

// A word-list file: one word per line, each ended by CR LF; Windows-1252 when
// every character fits, otherwise UTF-8.
QByteArray listFileBytes(const QStringList& words);

} // namespace ortolino::content
