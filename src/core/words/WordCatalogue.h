#pragma once

#include <memory>
#include <optional>
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ortolino {

struct Environment;
struct ProgramState;
class MessageBoxes;
class WaitingNotice;

// Where the pictures are: the program's folder, which an installed program
// cannot change, and the teacher's own, the same folder's twin under the
// settings folder, where a teacher adds pictures of her own. An own picture
// takes the place of the program's pictures of the same word.
struct PictureFolders
{
    QString program;
    QString own;
    bool operator==(const PictureFolders&) const = default;
};

// The picture folders as indexed once per run. The index is made the first
// time the folders are asked for and made again only when one has changed
// since (a picture added, renamed or removed changes the folder's modification
// time), so reopening the exercise reads no folder. It holds the names in one
// block of text with a small record per name and a hash table of the pictures
// by case-folded name: finding the picture of a word costs a table look-up and
// no file-system call. Names that are symbolic links are looked at only when a
// word needs them (resolveLinks). A PictureFolder is a cheap handle on an index
// that never changes; use it on the user-interface thread.
class PictureFolder
{
public:
    PictureFolder() = default; // no folder read: no pictures
    // The run's index of the folders, made now when it is missing or out of date.
    explicit PictureFolder(const PictureFolders& folders);
    // The same, with the waiting notice on screen while the index is made (and
    // only then: an index still up to date shows no notice).
    static PictureFolder indexed(const PictureFolders& folders, WaitingNotice* notice);
    // True when the next opening of the folders must make its index.
    static bool needsIndexing(const PictureFolders& folders);

    // The names of both folders as one listing: plain files, sub-folders and
    // links, hidden ones left out, sorted by name without regard to letter
    // case, so that the 1000-word limit keeps the same words whatever the file
    // system. A link whose target is missing counts only until resolveLinks()
    // has looked at it.
    qsizetype count() const;
    QStringView name(qsizetype i) const;
    QStringList names() const;
    // True when entry i is a plain file or a folder (a link is looked at now).
    bool listed(qsizetype i) const;

    // True when a plain file w.jpg or w.gif exists, in any letter case
    // (w without its leading blanks). A link not yet looked at counts as a file.
    bool hasPicture(const QString& word) const;
    // The .jpg picture of the word when it exists, else its .gif path (as it
    // is on disk when it exists).
    QString PercorsoImmagine(const QString& word) const;
    // Looks at the links among the word's pictures (once per index), so that
    // hasPicture() and PercorsoImmagine() tell the truth about them without
    // touching the file system later.
    void resolveLinks(const QString& word) const;

    // The catalogue of every picture, kept with the index once built into an
    // empty catalogue: recall copies it into an empty catalogue when the word
    // length and letter case are the same (true), so that reopening the
    // exercise does not go through the folder's names again.
    bool recallPictureWords(ProgramState& state) const;
    void rememberPictureWords(const ProgramState& state) const;

    class Index;

private:
    explicit PictureFolder(std::shared_ptr<const Index> index) : index_(std::move(index)) {}
    std::shared_ptr<const Index> index_;
};

// Program folder + "/" + CartellaImmagini, and its twin under the settings
// folder (`Environment::writableTwin`); no twin when no folder is named.
PictureFolders cartelleImmagini(const Environment& env, const ProgramState& state);

// The file name of a list path, after its last "/" or backslash (a profile may
// hold a Windows path): what the windows show of the list in use.
QString nomeLista(const QString& listaInUso);

// The file of the list named by ListaInUso; empty when none is found. The
// file name matches in any letter case. A list of the program folder may have
// been saved to its writable twin under the settings folder: that copy wins.
// A path that names no file here (one from Windows, "C:\...\liste\animali.txt",
// or from another machine, another folder's letter case) stands for the file
// of that name in the lists folder `cartellaListe` (twin first).
QString readableListPath(const Environment& env, const QString& listaInUso,
                         const QString& cartellaListe);

// A list holds at most 1000 words: a larger file is refused as damaged.
inline constexpr qint64 kListaDimensioneMassima = 1024 * 1024;

// The list the exercises use: the profile's, unless it lies in the lists
// folder of another language (its words name that language's pictures, so
// hardly any would be given): then this language's default list, while the
// profile keeps its own for when its language comes back.
QString listaPerLaLingua(const Environment& env, const ProgramState& state);

// The bytes of the list in use (`listaPerLaLingua`); nothing when it is
// unnamed, not found, unreadable or larger than kListaDimensioneMassima.
std::optional<QByteArray> readWordList(const Environment& env, const ProgramState& state);

// What the windows show of the list in use (`listaPerLaLingua`): its file
// name, and `unread` after it when the list cannot be read, so that every
// picture serves instead.
QString listaMostrata(const Environment& env, const ProgramState& state, const QString& unread);

// The fields of a word-list file's text: separated by line ends or commas; a
// field that begins with a double quote runs to the next one (the quotes are
// not kept and the rest up to the separator is dropped); blanks in front of a
// field, and after an unquoted one, are dropped. Empty fields are kept (the
// caller skips them).
QStringList campiListaParole(const QString& text);

// The word in the letter case in force: upper case for "maiuscolo", lower
// case otherwise ("corsivo" only changes the font).
QString parolaNelCasoInUso(const ProgramState& state, const QString& word);

// Stores a word at the end of the catalogue when it is admitted: in the letter
// case in force, not empty and at most MassimoLettere characters, and the
// catalogue not yet full. It is stored in that case. True when stored.
bool aggiungiParola(ProgramState& state, const QString& word);

// The word a picture-folder entry names: the name without its last four
// characters when its last three are "jpg" or "gif" in any case; nothing for
// other names and names too short to split so.
std::optional<QString> parolaDiImmagine(QStringView name);

// Appends every picture of the listing: names whose last three letters are
// "jpg" or "gif" in any case, the word being the name without its last four.
// Stops once the catalogue is full.
void aggiungiParoleImmagini(ProgramState& state, const PictureFolder& folder);

// Appends the pictures of the picture folder to the catalogue; the folder is
// indexed first when it has no index of this run or has changed (with the
// waiting notice on screen, when there is one). Returns the folder.
PictureFolder CaricaTutteParoleDisponibili(const Environment& env, ProgramState& state,
                                           WaitingNotice* notice);

// Builds the catalogue for a new exercise: from the list ListaInUso, or from
// every picture when UsaTutteLeImmagini is set or no list can be read. The
// latter switch is silent and for this catalogue only (TutteLeImmagini): the
// profile keeps its list until the teacher changes it. The picture folder is
// indexed in either case (when its index is out of date), and the links among
// the pictures of the catalogue's words are looked at, so that drawing touches
// no file.
PictureFolder CaricaParole(const Environment& env, ProgramState& state, WaitingNotice* notice);

// The words of a list have no picture: tells the user (`avviso`, the text of
// "0245"), switches to all pictures for good and rebuilds the catalogue from
// the picture folder.
PictureFolder ripartiConTutteLeImmagini(const QString& avviso, const Environment& env,
                                        ProgramState& state, MessageBoxes* messages,
                                        WaitingNotice* notice);

} // namespace ortolino
