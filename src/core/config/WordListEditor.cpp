#include "core/config/WordListEditor.h"

#include "core/app/ProgramState.h"
#include "core/platform/Dialogs.h"
#include "core/platform/Environment.h"
#include "core/platform/TextFiles.h"
#include "core/words/WordCatalogue.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace ortolino {

namespace {

QStringList paroleDelCatalogo(const ProgramState& state)
{
    QStringList words;
    const int count = std::min(state.NumeroParole, kMassimoParole);
    for (int i = 1; i <= count; ++i)
        words << state.ParoleDisponibili[static_cast<size_t>(i)];
    return words;
}

// Every word of the list in use, however many (the catalogue keeps the first
// 1000); none when there is no list to read.
std::optional<QStringList> paroleDellaListaInUso(const Environment& env, const ProgramState& state)
{
    const std::optional<QByteArray> list =
        state.ListaInUso.trimmed().isEmpty() ? std::nullopt : readWordList(env, state);
    if (!list)
        return std::nullopt;
    QStringList words = campiListaParole(decodeText(*list));
    words.removeAll(QString());
    return words;
}

} // namespace

void ordinaParole(QStringList& words)
{
    std::sort(words.begin(), words.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
}

QStringList paroleConImmagine(const PictureFolder& folder)
{
    QStringList words;
    QSet<QString> seen;
    for (const QString& name : folder.names()) {
        const QString word = formaInLista(parolaDiImmagine(name).value_or(QString()));
        if (parolaSalvabileInLista(word) && !seen.contains(word)) {
            seen.insert(word);
            words << word;
        }
    }
    ordinaParole(words);
    return words;
}

QStringList immaginiInAltroFormato(const QString& folder)
{
    // Name filters ignore letter case: "IMG_0042.JPEG" is found too.
    static const QStringList kAltriFormati = {
        QStringLiteral("*.png"),  QStringLiteral("*.jpeg"), QStringLiteral("*.jpe"),
        QStringLiteral("*.webp"), QStringLiteral("*.bmp"),  QStringLiteral("*.tif"),
        QStringLiteral("*.tiff"), QStringLiteral("*.heic"), QStringLiteral("*.heif"),
        QStringLiteral("*.avif"), QStringLiteral("*.svg")};
    if (folder.isEmpty())
        return {};
    return QDir(folder).entryList(kAltriFormati, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

ParoleEditor editorVuoto(const PictureFolder& folder)
{
    return {paroleConImmagine(folder), {}, {}};
}

ParoleEditor editorSullaLista(const PictureFolder& folder, const Environment& env,
                              const ProgramState& state)
{
    ParoleEditor editor;
    const QStringList pictures = paroleConImmagine(folder);
    QHash<QString, QString> byCapitals; // a list's FUSS is the picture's fuß
    for (const QString& word : pictures)
        byCapitals.insert(word.toUpper(), word);
    const std::optional<QStringList> list = paroleDellaListaInUso(env, state);
    for (const QString& word : list ? *list : paroleDelCatalogo(state))
        editor.senzaImmagine.insert(byCapitals.value(word.toUpper(), formaInLista(word)));
    for (const QString& word : pictures)
        (editor.senzaImmagine.remove(word) ? editor.inLista : editor.disponibili) << word;
    editor.senzaImmagine.removeIf(
        [](const QString& word) { return !parolaSalvabileInLista(word); });
    for (const QString& word : std::as_const(editor.senzaImmagine))
        editor.inLista << word;
    ordinaParole(editor.inLista);
    return editor;
}

bool parolaPerUtente(const ProgramState& state, const QString& word)
{
    if (word.isEmpty() || word.size() > state.MassimoLettere)
        return false;
    return std::any_of(word.begin(), word.end(), [&state](QChar c) {
        return std::any_of(state.LettereTastiera.begin() + 1, state.LettereTastiera.end(),
                           [c](const QString& key) {
                               return key.size() == 1 && key[0].toCaseFolded() == c.toCaseFolded();
                           });
    });
}

int contaParolePerUtente(const ProgramState& state, const QStringList& words)
{
    return static_cast<int>(std::count_if(words.begin(), words.end(), [&state](const QString& w) {
        return parolaPerUtente(state, w);
    }));
}

void spostaParole(QStringList& from, QStringList& to, QList<int> positions)
{
    // From the last to the first, so that removing keeps the positions still to visit.
    std::sort(positions.begin(), positions.end(), std::greater<>());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    for (int position : positions) {
        if (position < 0 || position >= from.size())
            continue;
        to << from.takeAt(position);
    }
    ordinaParole(to);
}

void CaricaListaInUso(const Environment& env, ProgramState& state, WaitingNotice* notice)
{
    state.NumeroParole = 0;
    const std::optional<QStringList> list = paroleDellaListaInUso(env, state);
    state.TutteLeImmagini = !list;
    if (!list) {
        CaricaTutteParoleDisponibili(env, state, notice);
        return;
    }
    for (const QString& word : *list) {
        if (state.NumeroParole >= kMassimoParole)
            break;
        ++state.NumeroParole;
        state.ParoleDisponibili[static_cast<size_t>(state.NumeroParole)] =
            parolaNelCasoInUso(state, word);
    }
}

QString formaInLista(const QString& word)
{
    const QString upper = word.toUpper();
    return upper.toLower() == word.toLower() ? upper : word.toLower();
}

namespace {

// The reader drops the blanks after an unquoted field: a word ending in one
// is quoted, as one starting with one is.
bool vuoleVirgolette(const QString& word)
{
    return fieldNeedsQuotes(word) || word.endsWith(QLatin1Char(' '));
}

} // namespace

bool parolaSalvabileInLista(const QString& word)
{
    // A byte-order mark at the start of a file is dropped when it is read.
    return !word.isEmpty() && word.isValidUtf16() && !word.startsWith(QChar(0xFEFF)) &&
           !word.contains(QLatin1Char('\r')) && !word.contains(QLatin1Char('\n')) &&
           !(vuoleVirgolette(word) && word.contains(QLatin1Char('"')));
}

QByteArray testoListaParole(const QStringList& words)
{
    QString text;
    for (const QString& word : words) {
        const QString shown = formaInLista(word);
        if (!parolaSalvabileInLista(shown))
            continue;
        text += (vuoleVirgolette(shown) ? QLatin1Char('"') + shown + QLatin1Char('"') : shown) +
                QLatin1String("\r\n");
    }
    // The reader takes bytes that are valid UTF-8 as UTF-8: Windows-1252 bytes
    // that happen to be so ("Ã©") are written in UTF-8 instead.
    if (const std::optional<QByteArray> windows = encodeWindows1252(text);
        windows && decodeText(*windows) == text)
        return *windows;
    return text.toUtf8();
}

bool scriviListaParole(const QString& path, const QStringList& words)
{
    return writeFileAtomically(path, testoListaParole(words));
}

QStringList cartelleListe(const Environment& env, const ProgramState& state)
{
    const QString inProgram = env.programFile(state.CartellaListe) + QLatin1Char('/');
    const QFileInfo folder(inProgram);
    const bool writable = folder.exists() ? folder.isDir() && folder.isWritable()
                                          : QFileInfo(env.programFolder).isWritable();
    if (writable)
        return {inProgram};
    const QString twin = env.writableTwin(state.CartellaListe) + QLatin1Char('/');
    QDir().mkpath(twin);
    return {inProgram, twin};
}

QString cartellaListeDialoghi(const Environment& env, const ProgramState& state, short kind)
{
    const QStringList folders = cartelleListe(env, state);
    const bool twinHoldsAList =
        !QDir(folders.last()).entryList({QStringLiteral("*.txt")}, QDir::Files).isEmpty();
    return kind == Dialogs::Open && !twinHoldsAList ? folders.first() : folders.last();
}

QString percorsoScritturaLista(const Environment& env, const QString& chosen)
{
    const QString programFolder = env.programFolder + QLatin1Char('/');
    if (!chosen.startsWith(programFolder))
        return chosen;
    return env.pathForWriting(chosen.mid(programFolder.size()));
}

} // namespace ortolino
