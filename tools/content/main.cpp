// Renders Ortolino's pictures and writes its word lists from the word table:
//   ortolino_content <repository folder>
// reads assets/pictures/words.tsv, lists.tsv and the SVG artwork beside them,
// and rewrites, for each language of the table, its picture folder and its
// lists folder under data/ (folder names from the language file). Pictures no
// longer in the table are removed, so the folders hold exactly the table.

#include "ContentTable.h"
#include "core/platform/TextFiles.h"
#include "PictureRenderer.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

using namespace ortolino;
using namespace ortolino::content;

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

struct Folders
{
    QString assets; // assets/pictures
    QString data;   // data
};

void removeOldPictures(const QString& folder)
{
    QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral("*.jpg"), QStringLiteral("*.gif")}, QDir::Files))
        dir.remove(name);
}

bool renderPictures(const WordTable& table, const std::vector<LanguageFolders>& languages,
                    const Folders& folders)
{
    for (const LanguageFolders& language : languages) {
        QDir().mkpath(folders.data + QLatin1Char('/') + language.pictures);
        removeOldPictures(folders.data + QLatin1Char('/') + language.pictures);
    }
    for (const PictureRow& row : table.rows) {
        const QString svg = folders.assets + QStringLiteral("/twemoji/") + row.artwork + ".svg";
        const QImage picture = renderPicture(svg);
        if (picture.isNull()) {
            err() << svg << ": cannot be rendered\n";
            return false;
        }
        for (size_t i = 0; i < languages.size(); ++i) {
            const QString path = folders.data + QLatin1Char('/') + languages[i].pictures +
                                 QLatin1Char('/') + row.words[int(i)] + QLatin1Char('.') +
                                 row.format;
            if (!savePicture(picture, path, row.format)) {
                err() << path << ": cannot be written\n";
                return false;
            }
        }
    }
    return true;
}

bool writeList(const QString& path, const QStringList& words)
{
    if (writeFileAtomically(path, listFileBytes(words)))
        return true;
    err() << path << ": cannot be written\n";
    return false;
}

bool writeLists(const WordTable& table, const std::vector<ListRule>& rules,
                const std::vector<LanguageFolders>& languages, const Folders& folders)
{
    for (size_t i = 0; i < languages.size(); ++i) {
        const int language = int(i);
        const QString listFolder = folders.data + QLatin1Char('/') + languages[i].lists;
        QDir().mkpath(listFolder);
        if (!writeList(listFolder + QLatin1Char('/') + languages[i].defaultList,
                       defaultListWords(table, language)))
            return false;
        for (const ListRule& rule : rules) {
            if (!writeList(listFolder + QLatin1Char('/') + rule.fileNames[language],
                           selectedWords(table, language, rule.selection)))
                return false;
        }
    }
    return true;
}

int run(const QString& repository)
{
    const Folders folders{repository + QStringLiteral("/assets/pictures"),
                          repository + QStringLiteral("/data")};
    QString error;
    const auto table = readWordTable(folders.assets + QStringLiteral("/words.tsv"), &error);
    const auto rules =
        table ? readListRules(folders.assets + QStringLiteral("/lists.tsv"), *table, &error)
              : std::nullopt;
    if (!table || !rules) {
        err() << error << '\n';
        return 1;
    }
    std::vector<LanguageFolders> languages;
    for (const QString& language : table->languages) {
        const auto found = readLanguageFolders(folders.data, language);
        if (!found) {
            err() << language << ": no language file with keys 0100, 0101 and 0102\n";
            return 1;
        }
        languages.push_back(*found);
    }
    if (!renderPictures(*table, languages, folders) ||
        !writeLists(*table, *rules, languages, folders))
        return 1;
    QTextStream(stdout) << table->rows.size() << " pictures in " << languages.size()
                        << " languages\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        err() << "usage: ortolino_content <repository folder>\n";
        return 2;
    }
    return run(arguments[1]);
}
