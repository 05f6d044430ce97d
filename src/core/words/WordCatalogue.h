#pragma once

#include <optional>
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace ortolino {

struct Environment;
struct ProgramState;
class MessageBoxes;
class WaitingNotice;

// The picture folder as read once: its listing, for the catalogue, and an
// index of its picture files by case-folded name, so that finding the picture
// of a word costs a table look-up and no file-system call.
class PictureFolder
{
public:
    PictureFolder() = default; // no folder read: no pictures
    explicit PictureFolder(const QString& path);

    const QString& path() const { return path_; }
    // Plain files and sub-folders, hidden ones left out, sorted by name
    // without regard to letter case, so that the 1000-word limit keeps the
    // same words whatever the file system.
    const QStringList& names() const { return names_; }

    // True when a plain file w.jpg or w.gif exists, in any letter case
    // (w without its leading blanks).
    bool hasPicture(const QString& word) const;
    // The .jpg picture of the word when it exists, else its .gif path (as it
    // is on disk when it exists).
    QString PercorsoImmagine(const QString& word) const;

private:
    struct Pictures
    {
        QString jpg; // file names as on disk; empty when missing
        QString gif;
    };
    static QString key(const QString& stem);
    const Pictures* picturesOf(const QString& word) const;

    QString path_;
    QStringList names_;
    QHash<QString, Pictures> pictures_;
};

// Program folder + "/" + CartellaImmagini.
QString cartellaImmaginiPath(const Environment& env, const ProgramState& state);

// The list named by ListaInUso. A list of the program folder may have been
// saved to its writable twin under the settings folder: that copy wins.
QString readableListPath(const Environment& env, const QString& listaInUso);

// A list holds at most 1000 words: a larger file is refused as damaged.
inline constexpr qint64 kListaDimensioneMassima = 1024 * 1024;

// The bytes of the list in use; nothing when it is unnamed, missing, unreadable
// or larger than kListaDimensioneMassima.
std::optional<QByteArray> readWordList(const Environment& env, const ProgramState& state);

// The fields of a word-list file's text: separated by line ends or commas; a
// field that begins with a double quote runs to the next one (the quotes are
// not kept and the rest up to the separator is dropped); blanks in front of a
// field are dropped. Empty fields are kept (the caller skips them).
QStringList campiListaParole(const QString& text);

// The word in the letter case in force: upper case for "maiuscolo", lower
// case otherwise ("corsivo" only changes the font).
QString parolaNelCasoInUso(const ProgramState& state, const QString& word);

// Stores a word at the end of the catalogue when it is admitted: not empty,
// at most MassimoLettere characters, and the catalogue not yet full. It is
// stored in the letter case in force. True when stored.
bool aggiungiParola(ProgramState& state, const QString& word);

// The word a picture-folder entry names: the name without its last four
// characters when its last three are "jpg" or "gif" in any case; nothing for
// other names and names too short to split so.
std::optional<QString> parolaDiImmagine(const QString& name);

// Appends every picture of the listing: names whose last three letters are
// "jpg" or "gif" in any case, the word being the name without its last four.
void aggiungiParoleImmagini(ProgramState& state, const PictureFolder& folder);

// Reads the picture folder (with the waiting notice on screen, when there is
// one) and appends its pictures to the catalogue. Returns the folder read.
PictureFolder CaricaTutteParoleDisponibili(const Environment& env, ProgramState& state,
                                           WaitingNotice* notice);

// Builds the catalogue for a new exercise: from the list ListaInUso, or from
// every picture when UsaTutteLeImmagini is set or the list cannot be read (a
// silent switch that sticks). The picture folder is read in either case.
PictureFolder CaricaParole(const Environment& env, ProgramState& state, WaitingNotice* notice);

// The words of a list have no picture: tells the user, switches to all
// pictures for good and rebuilds the catalogue from the picture folder.
PictureFolder ripartiConTutteLeImmagini(const Environment& env, ProgramState& state,
                                        MessageBoxes* messages, WaitingNotice* notice);

} // namespace ortolino
