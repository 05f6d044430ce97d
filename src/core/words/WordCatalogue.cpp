#include "core/words/WordCatalogue.h"

#include "core/app/ProgramState.h"
#include "core/platform/Environment.h"
#include "core/platform/FileNames.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/TextFiles.h"
#include "core/words/WaitingNotice.h"

#include <algorithm>
#include <dirent.h>
#include <optional>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <vector>

namespace ortolino {

namespace {

const QString kJpg = QStringLiteral(".jpg");
const QString kGif = QStringLiteral(".gif");

QString withoutLeadingBlanks(const QString& word)
{
    qsizetype first = 0;
    while (first < word.size() && word[first] == QLatin1Char(' '))
        ++first;
    return word.mid(first);
}

bool isFieldEnd(QChar c)
{
    return c == QLatin1Char(',') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

struct FolderEntry
{
    QString name;
    bool isFile; // a plain file (else a folder)
};

// The plain files and folders of a folder, links followed, in the order the
// system gives them. Hidden names (a leading dot), devices, pipes, sockets
// and broken links are left out. One directory read and no call per entry,
// except for links, whose target must be looked at.
std::vector<FolderEntry> listFolder(const QString& path)
{
    std::vector<FolderEntry> entries;
    DIR* folder = opendir(QFile::encodeName(path).constData());
    if (folder == nullptr)
        return entries;
    while (const dirent* entry = readdir(folder)) {
        if (entry->d_name[0] == '.')
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat target;
            if (fstatat(dirfd(folder), entry->d_name, &target, 0) != 0)
                continue;
            type = S_ISREG(target.st_mode) ? DT_REG : S_ISDIR(target.st_mode) ? DT_DIR : DT_UNKNOWN;
        }
        if (type == DT_REG || type == DT_DIR)
            entries.push_back({QFile::decodeName(entry->d_name), type == DT_REG});
    }
    closedir(folder);
    return entries;
}

} // namespace

QString readableListPath(const Environment& env, const QString& listaInUso)
{
    const QString programFolder = env.programFolder + QLatin1Char('/');
    if (listaInUso.startsWith(programFolder))
        return env.pathForReading(listaInUso.mid(programFolder.size()));
    return listaInUso;
}

std::optional<QByteArray> readWordList(const Environment& env, const ProgramState& state)
{
    if (state.ListaInUso.isEmpty())
        return std::nullopt;
    const QString path = readableListPath(env, state.ListaInUso);
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return readFileBytes(path, kListaDimensioneMassima);
}

PictureFolder::PictureFolder(const QString& path) : path_(path)
{
    std::vector<FolderEntry> entries = listFolder(path);
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        const int order = a.name.compare(b.name, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    names_.reserve(static_cast<qsizetype>(entries.size()));
    pictures_.reserve(static_cast<qsizetype>(entries.size()));
    for (const FolderEntry& entry : entries) {
        names_ << entry.name;
        if (!entry.isFile)
            continue;
        const bool jpg = hasExtension(entry.name, kJpg);
        if (!jpg && !hasExtension(entry.name, kGif))
            continue;
        Pictures& pictures = pictures_[key(entry.name.chopped(4))];
        QString& slot = jpg ? pictures.jpg : pictures.gif;
        if (slot.isEmpty()) // of two names that differ only in case, the first listed wins
            slot = entry.name;
    }
}

QString PictureFolder::key(const QString& stem)
{
    return stem.normalized(QString::NormalizationForm_C).toCaseFolded();
}

const PictureFolder::Pictures* PictureFolder::picturesOf(const QString& word) const
{
    const auto found = pictures_.constFind(key(withoutLeadingBlanks(word)));
    return found == pictures_.cend() ? nullptr : &found.value();
}

bool PictureFolder::hasPicture(const QString& word) const
{
    return picturesOf(word) != nullptr;
}

QString PictureFolder::PercorsoImmagine(const QString& word) const
{
    const Pictures* pictures = picturesOf(word);
    QString name;
    if (pictures == nullptr)
        name = withoutLeadingBlanks(word) + kGif;
    else
        name = pictures->jpg.isEmpty() ? pictures->gif : pictures->jpg;
    return path_ + QLatin1Char('/') + name;
}

QString cartellaImmaginiPath(const Environment& env, const ProgramState& state)
{
    return env.programFile(state.CartellaImmagini);
}

QStringList campiListaParole(const QString& text)
{
    QStringList fields;
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        while (i < size && text[i] == QLatin1Char(' '))
            ++i;
        const bool quoted = i < size && text[i] == QLatin1Char('"');
        const qsizetype start = quoted ? i + 1 : i;
        qsizetype end = size;
        if (quoted) {
            const qsizetype closing = text.indexOf(QLatin1Char('"'), start);
            end = closing < 0 ? size : closing;
            i = end;
        }
        while (i < size && !isFieldEnd(text[i]))
            ++i; // after a closing quote, up to the separator: dropped
        if (!quoted)
            end = i;
        fields << text.mid(start, end - start);
        if (QStringView(text).mid(i, 2) == u"\r\n")
            ++i; // CR LF is one line end
        ++i;
    }
    return fields;
}

QString parolaNelCasoInUso(const ProgramState& state, const QString& word)
{
    return state.CarattereLettere == kMaiuscolo ? word.toUpper() : word.toLower();
}

bool aggiungiParola(ProgramState& state, const QString& word)
{
    if (word.isEmpty() || word.size() > state.MassimoLettere)
        return false;
    if (state.NumeroParole >= kMassimoParole)
        return false;
    ++state.NumeroParole;
    state.ParoleDisponibili[static_cast<size_t>(state.NumeroParole)] =
        parolaNelCasoInUso(state, word);
    return true;
}

std::optional<QString> parolaDiImmagine(const QString& name)
{
    if (name.size() < 4)
        return std::nullopt; // too short to hold a dot, an extension and a word
    const QString extension = name.right(3).toLower();
    if (extension != QLatin1String("jpg") && extension != QLatin1String("gif"))
        return std::nullopt;
    return name.chopped(4);
}

void aggiungiParoleImmagini(ProgramState& state, const PictureFolder& folder)
{
    for (const QString& name : folder.names()) {
        if (const std::optional<QString> word = parolaDiImmagine(name))
            aggiungiParola(state, *word);
    }
}

PictureFolder CaricaTutteParoleDisponibili(const Environment& env, ProgramState& state,
                                           WaitingNotice* notice)
{
    if (notice != nullptr)
        notice->showWaitingNotice();
    PictureFolder folder(cartellaImmaginiPath(env, state));
    aggiungiParoleImmagini(state, folder);
    if (notice != nullptr)
        notice->hideWaitingNotice();
    return folder;
}

PictureFolder CaricaParole(const Environment& env, ProgramState& state, WaitingNotice* notice)
{
    state.NumeroParole = 0;
    if (!state.UsaTutteLeImmagini) {
        if (const std::optional<QByteArray> list = readWordList(env, state)) {
            for (const QString& field : campiListaParole(decodeText(*list)))
                aggiungiParola(state, field);
            return PictureFolder(cartellaImmaginiPath(env, state));
        }
        state.UsaTutteLeImmagini = true; // no list to read: all pictures, without a word
    }
    return CaricaTutteParoleDisponibili(env, state, notice);
}

PictureFolder ripartiConTutteLeImmagini(const Environment& env, ProgramState& state,
                                        MessageBoxes* messages, WaitingNotice* notice)
{
    if (messages != nullptr) {
        Message message;
        message.text = QStringLiteral("Immagini indicate nella lista non trovate.\r\n"
                                      "Riparto in modalità di default.");
        message.icon = Message::Icon::Critical;
        messages->show(message);
    }
    state.UsaTutteLeImmagini = true;
    state.NumeroParole = 0;
    return CaricaTutteParoleDisponibili(env, state, notice);
}

} // namespace ortolino
