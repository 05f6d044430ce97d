#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace ortolino {

struct Environment;
struct ProgramState;
class PictureFolder;
class WaitingNotice;

// The words of the list editor: those with a picture that are not in the
// list, and those in the list. Both in capitals, sorted, each word once.
struct ParoleEditor
{
    QStringList disponibili;     // ListImmaginiDisponibili
    QStringList inLista;         // ListImmaginiDaUtilizzare
    QSet<QString> senzaImmagine; // words of the list that have no picture here
};

// The editor's order: alphabetical without regard to letter case.
void ordinaParole(QStringList& words);

// The form of a word in the editor and in a list file: in capitals, unless
// they change its letters ("fuß" would be FUSS, read "fuss" in lower case):
// then in lower case.
QString formaInLista(const QString& word);

// Every picture word of the folder (a name ending in "jpg" or "gif" in any
// case, the word being the name without its last four characters), in
// its list form, sorted, each once, leaving out words no list can hold. The
// length is not limited.
QStringList paroleConImmagine(const PictureFolder& folder);

// The files of the teacher's own pictures folder in a picture format the
// program does not take (a phone's .jpeg, a downloaded .png), by name: their
// words are missing from the editor, and she is told why.
QStringList immaginiInAltroFormato(const QString& folder);

// A new list: every picture word available, the list empty.
ParoleEditor editorVuoto(const PictureFolder& folder);

// The list in use: the picture words found in the list file, every word of it
// however long the list, or in the catalogue when there is no list (letter
// case ignored), on the list side, the others available. The list's words
// without a picture here (a list made for another language's pictures, or on
// another machine) are on the list side too, in `senzaImmagine`: saving the
// list again must not drop them unseen.
ParoleEditor editorSullaLista(const PictureFolder& folder, const Environment& env,
                              const ProgramState& state);

// Whether the current user can ever be given the word: it is no longer than
// MassimoLettere (longer words never enter the catalogue) and holds a letter
// of the keyboard (LettereTastiera, any case), so that some exercise can blank
// it. Other letters (an accent, a digit) are shown as they are, never asked.
bool parolaPerUtente(const ProgramState& state, const QString& word);

// How many of the words fit the current user (parolaPerUtente).
int contaParolePerUtente(const ProgramState& state, const QStringList& words);

// Moves the words at the given positions of one side to the other side,
// which stays sorted.
void spostaParole(QStringList& from, QStringList& to, QList<int> positions);

// Loads the words of the list in use into the catalogue (in the case in force,
// any length, at most 1000). With no list (an unnamed file, or none found) it
// loads every picture word of the admitted length, for this catalogue only
// (TutteLeImmagini), as CaricaParole does.
void CaricaListaInUso(const Environment& env, ProgramState& state, WaitingNotice* notice);

// True when a list file can hold the word so that it reads back equal: not
// empty, no line break, broken character or leading byte-order mark, and no
// double quote in a word that must be quoted (one holding a comma, starting
// with a blank or a quote, or ending with a blank). Pictures whose word cannot
// be held are not offered by the editor.
bool parolaSalvabileInLista(const QString& word);

// The bytes of a list file: each word that can be held, in its list form, quoted
// where it needs it, followed by CR LF; in Windows-1252 when every character
// fits and reads back so, otherwise in UTF-8.
QByteArray testoListaParole(const QStringList& words);

// Writes a list file whole (never half a file). False when it failed.
bool scriviListaParole(const QString& path, const QStringList& words);

// The lists folders: the program's, and beside it its twin under the settings
// folder when the program folder cannot be written (an installed program),
// where the teacher's lists are saved. The list dialogs offer both, so that
// the lists that came with the program stay in reach beside her own.
QStringList cartelleListe(const Environment& env, const ProgramState& state);

// The folder a list dialog starts in: the last of the lists folders; to open
// a list, the program's own while the twin holds no list yet.
QString cartellaListeDialoghi(const Environment& env, const ProgramState& state, short kind);

// Where a list chosen in the save dialog is written: a path inside a program
// folder that cannot be written goes to its writable twin.
QString percorsoScritturaLista(const Environment& env, const QString& chosen);

} // namespace ortolino
