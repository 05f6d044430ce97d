#include "core/words/WordCatalogue.h"

#include "core/app/Profile.h"
#include "core/app/ProgramState.h"
#include "core/platform/Environment.h"
#include "core/platform/FileNames.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/TextFiles.h"
#include "core/words/WaitingNotice.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <mutex>
#include <optional>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
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

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

char16_t asciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

QString foldedKey(QStringView stem)
{
    // Through capitals first: a word shown in capitals may have grown ("fuß" is
    // FUSS), and must still find its picture.
    return stem.toString().normalized(QString::NormalizationForm_C).toUpper().toCaseFolded();
}

// A hash of the case-folded stem; ASCII stems are folded without a copy.
quint32 foldedHash(QStringView stem)
{
    quint32 hash = 2166136261u;
    const auto add = [&hash](char16_t c) { hash = (hash ^ c) * 16777619u; };
    if (isAscii(stem)) {
        for (QChar c : stem)
            add(asciiLower(c.unicode()));
    } else {
        for (QChar c : foldedKey(stem))
            add(c.unicode());
    }
    return hash;
}

bool sameFolded(QStringView a, QStringView b)
{
    if (isAscii(a) && isAscii(b)) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](QChar x, QChar y) {
                   return asciiLower(x.unicode()) == asciiLower(y.unicode());
               });
    }
    return foldedKey(a) == foldedKey(b);
}

// The word of a picture name as a view; see parolaDiImmagine().
std::optional<QStringView> wordOfPicture(QStringView name)
{
    if (name.size() < 4)
        return std::nullopt; // too short to hold a dot, an extension and a word
    const QStringView extension = name.right(3);
    if (extension.compare(u"jpg", Qt::CaseInsensitive) != 0 &&
        extension.compare(u"gif", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return name.chopped(4);
}

} // namespace

// The folders' names: their text in one block, a record of 8 bytes per name
// in sorted order, and an open-addressing table from the case-folded stem of
// each .jpg and .gif name to its record.
class PictureFolder::Index
{
public:
    enum Kind : quint8
    {
        File,
        Folder,
        Link,  // not looked at yet
        Broken // a link to nothing usable
    };
    enum Picture : quint8
    {
        NotPicture,
        Jpg,
        Gif
    };
    struct Entry
    {
        quint32 offset;
        quint8 length;     // a file name has at most 255 bytes, so as many characters
        mutable Kind kind; // a Link becomes what its target is, once looked at
        Picture picture;
        bool own; // in the teacher's own folder
    };
    static_assert(sizeof(Entry) == 8);

    static std::shared_ptr<const Index> make(const PictureFolders& folders);

    PictureFolders folders;
    // Taken before each folder was read; nothing for a folder that is not there.
    std::optional<FileStamp> stamp, ownStamp;
    QString text;
    std::vector<Entry> entries;

    QStringView nameOf(const Entry& entry) const
    {
        return QStringView(text).mid(entry.offset, entry.length);
    }
    // The entry of the stem's picture of that kind, or nullptr.
    const Entry* find(QStringView stem, Picture picture) const;
    // What a link names, looked at once.
    Kind kindOf(const Entry& entry) const;
    QString folderOf(const Entry& entry) const { return entry.own ? folders.own : folders.program; }
    // True when the index may miss a change of a folder. A missing program
    // folder is read again each time; the teacher's folder is usually missing,
    // which counts as unchanged until it appears.
    bool outdated() const
    {
        const std::optional<FileStamp> ownNow = FileStamp::of(folders.own);
        return !stamp || !stamp->unchangedIn(FileStamp::of(folders.program)) ||
               (ownStamp ? !ownStamp->unchangedIn(ownNow) : ownNow.has_value());
    }

    // The catalogue of every picture as last built from this index, for the
    // word length and letter case it was built with: the same index gives the
    // same words, so reopening the exercise copies them.
    struct PictureWords
    {
        int massimoLettere = 0;
        QString carattere;
        std::vector<QString> words;
    };
    mutable std::optional<PictureWords> pictureWords;

private:
    struct Slot
    {
        quint32 hash = 0;
        quint32 entry = 0; // entry index + 1; 0 for a free slot
    };
    // Appends the entries of one folder, but for the pictures of the words in `taken`.
    void read(const QString& path, bool own, const QSet<QString>& taken);
    void sort();
    void fillTable();
    std::vector<Slot> slots_;
};

namespace {

PictureFolder::Index::Kind kindOfType(unsigned char type)
{
    using Index = PictureFolder::Index;
    switch (type) {
    case DT_REG:
        return Index::File;
    case DT_DIR:
        return Index::Folder;
    case DT_LNK:
    case DT_UNKNOWN:
        return Index::Link; // looked at when needed
    default:
        return Index::Broken; // devices, pipes, sockets
    }
}

// The first (up to) four ASCII letters of a name, folded, packed for a quick
// comparison; `known` tells how many of them there are.
struct SortKey
{
    quint32 packed = 0;
    int known = 0;
};

SortKey sortKeyOf(QStringView name)
{
    SortKey key;
    for (; key.known < 4 && key.known < name.size(); ++key.known) {
        const char16_t c = name[key.known].unicode();
        if (c >= 0x80)
            break;
        key.packed |= quint32(asciiLower(c)) << (24 - 8 * key.known);
    }
    return key;
}

} // namespace

std::shared_ptr<const PictureFolder::Index>
PictureFolder::Index::make(const PictureFolders& folders)
{
    auto index = std::make_shared<Index>();
    index->folders = folders;
    index->ownStamp = FileStamp::of(folders.own);
    index->stamp = FileStamp::of(folders.program);
    index->read(folders.own, true, {});
    QSet<QString> own; // the words the teacher gave pictures of her own
    for (const Entry& entry : index->entries) {
        if (entry.picture != NotPicture && entry.kind != Folder)
            own.insert(foldedKey(index->nameOf(entry).chopped(4)));
    }
    index->read(folders.program, false, own);
    index->text.squeeze();
    index->entries.shrink_to_fit();
    index->sort();
    index->fillTable();
    return index;
}

void PictureFolder::Index::read(const QString& path, bool own, const QSet<QString>& taken)
{
    DIR* folder = path.isEmpty() ? nullptr : opendir(QFile::encodeName(path).constData());
    if (folder == nullptr)
        return;
    while (const dirent* entry = readdir(folder)) {
        if (entry->d_name[0] == '.')
            continue; // hidden, and the folder itself and its parent
        const Kind kind = kindOfType(entry->d_type);
        if (kind == Broken)
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (name.size() > 0xff || text.size() + name.size() > 0xffffffffLL)
            continue;
        Picture picture = NotPicture;
        if (hasExtension(name, kJpg))
            picture = Jpg;
        else if (hasExtension(name, kGif))
            picture = Gif;
        if (picture != NotPicture && !taken.isEmpty() && taken.contains(foldedKey(name.chopped(4))))
            continue;
        entries.push_back({quint32(text.size()), quint8(name.size()), kind, picture, own});
        text += name;
    }
    closedir(folder);
}

void PictureFolder::Index::sort()
{
    std::vector<std::pair<SortKey, Entry>> keyed;
    keyed.reserve(entries.size());
    for (const Entry& entry : entries)
        keyed.emplace_back(sortKeyOf(nameOf(entry)), entry);
    std::sort(keyed.begin(), keyed.end(), [this](const auto& a, const auto& b) {
        // The packed letters decide when they differ within what both know:
        // the full comparison would decide there too.
        const int known = std::min(a.first.known, b.first.known);
        const quint32 mask = known == 0 ? 0 : ~quint32(0) << (32 - 8 * known);
        if ((a.first.packed & mask) != (b.first.packed & mask))
            return (a.first.packed & mask) < (b.first.packed & mask);
        const QStringView x = nameOf(a.second);
        const QStringView y = nameOf(b.second);
        const int order = x.compare(y, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : x.compare(y) < 0;
    });
    for (size_t i = 0; i < keyed.size(); ++i)
        entries[i] = keyed[i].second;
}

void PictureFolder::Index::fillTable()
{
    size_t pictures = 0;
    for (const Entry& entry : entries)
        pictures += entry.picture != NotPicture ? 1 : 0;
    size_t size = 8;
    while (size < 2 * pictures)
        size *= 2;
    slots_.assign(size, Slot{});
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        if (entry.picture == NotPicture || entry.kind == Folder)
            continue;
        const QStringView stem = nameOf(entry).chopped(4);
        if (find(stem, entry.picture) != nullptr)
            continue; // of two names that differ only in case, the first listed wins
        const quint32 hash = foldedHash(stem);
        size_t slot = hash & (size - 1);
        while (slots_[slot].entry != 0)
            slot = (slot + 1) & (size - 1);
        slots_[slot] = {hash, quint32(i + 1)};
    }
}

const PictureFolder::Index::Entry* PictureFolder::Index::find(QStringView stem,
                                                              Picture picture) const
{
    if (slots_.empty())
        return nullptr;
    const quint32 hash = foldedHash(stem);
    const size_t mask = slots_.size() - 1;
    for (size_t slot = hash & mask; slots_[slot].entry != 0; slot = (slot + 1) & mask) {
        if (slots_[slot].hash != hash)
            continue;
        const Entry& entry = entries[slots_[slot].entry - 1];
        if (entry.picture == picture && sameFolded(nameOf(entry).chopped(4), stem))
            return &entry;
    }
    return nullptr;
}

PictureFolder::Index::Kind PictureFolder::Index::kindOf(const Entry& entry) const
{
    if (entry.kind == Link) {
        struct stat target;
        const QString file = folderOf(entry) + QLatin1Char('/') + nameOf(entry).toString();
        if (stat(QFile::encodeName(file).constData(), &target) != 0)
            entry.kind = Broken;
        else
            entry.kind = S_ISREG(target.st_mode) ? File : S_ISDIR(target.st_mode) ? Folder : Broken;
    }
    return entry.kind;
}

namespace {

// The run's index: the one of the folders asked for last.
struct IndexCache
{
    std::mutex mutex;
    std::shared_ptr<const PictureFolder::Index> index;
};

IndexCache& indexCache()
{
    static IndexCache cache;
    return cache;
}

} // namespace

QString nomeLista(const QString& listaInUso)
{
    return listaInUso.mid(std::max(listaInUso.lastIndexOf(QLatin1Char('/')),
                                   listaInUso.lastIndexOf(QLatin1Char('\\'))) +
                          1);
}

QString readableListPath(const Environment& env, const QString& listaInUso,
                         const QString& cartellaListe)
{
    QStringList candidates;
    const QString programFolder = env.programFolder + QLatin1Char('/');
    if (listaInUso.startsWith(programFolder)) {
        const QString relative = listaInUso.mid(programFolder.size());
        candidates << env.writableTwin(relative) << env.programFile(relative);
    } else {
        candidates << listaInUso;
    }
    const QString name = nomeLista(listaInUso);
    if (!name.isEmpty() && !cartellaListe.isEmpty()) {
        const QString relative = cartellaListe + QLatin1Char('/') + name;
        candidates << env.writableTwin(relative) << env.programFile(relative);
    }
    for (const QString& candidate : candidates) {
        const QString onDisk = resolveCaseInsensitive(candidate);
        if (QFileInfo(onDisk).isFile())
            return onDisk;
    }
    return {};
}

namespace {

// True when the list lies in the lists folder named `cartella` (under the
// program folder, or its writable twin under the settings folder).
bool listaDellaCartella(const Environment& env, const QString& lista, const QString& cartella)
{
    if (lista.isEmpty() || cartella.isEmpty())
        return false;
    const QString folder = QDir::cleanPath(QFileInfo(lista).absolutePath());
    return folder == QDir::cleanPath(env.programFile(cartella)) ||
           folder == QDir::cleanPath(env.writableTwin(cartella));
}

} // namespace

QString listaPerLaLingua(const Environment& env, const ProgramState& state)
{
    for (const QString& cartella : state.CartelleListeAltre) {
        if (listaDellaCartella(env, state.ListaInUso, cartella))
            return percorsoListaPredefinita(env, state);
    }
    return state.ListaInUso;
}

std::optional<QByteArray> readWordList(const Environment& env, const ProgramState& state)
{
    const QString lista = listaPerLaLingua(env, state);
    if (lista.isEmpty())
        return std::nullopt;
    const QString path = readableListPath(env, lista, state.CartellaListe);
    if (path.isEmpty())
        return std::nullopt;
    return readFileBytes(path, kListaDimensioneMassima);
}

QString listaMostrata(const Environment& env, const ProgramState& state, const QString& unread)
{
    return nomeLista(listaPerLaLingua(env, state)) +
           (readWordList(env, state) ? QString() : unread);
}

bool PictureFolder::needsIndexing(const PictureFolders& folders)
{
    IndexCache& cache = indexCache();
    std::lock_guard lock(cache.mutex);
    return !cache.index || cache.index->folders != folders || cache.index->outdated();
}

PictureFolder PictureFolder::indexed(const PictureFolders& folders, WaitingNotice* notice)
{
    IndexCache& cache = indexCache();
    std::unique_lock lock(cache.mutex);
    if (cache.index && cache.index->folders == folders && !cache.index->outdated())
        return PictureFolder(cache.index);
    lock.unlock();
    if (notice != nullptr)
        notice->showWaitingNotice(); // may handle events: not under the lock
    // The old index goes first, so that two never share the memory.
    lock.lock();
    cache.index.reset();
    cache.index = Index::make(folders);
    const PictureFolder folder(cache.index);
    lock.unlock();
    if (notice != nullptr)
        notice->hideWaitingNotice();
    return folder;
}

PictureFolder::PictureFolder(const PictureFolders& folders)
    : PictureFolder(indexed(folders, nullptr))
{
}

qsizetype PictureFolder::count() const
{
    return index_ ? qsizetype(index_->entries.size()) : 0;
}

QStringView PictureFolder::name(qsizetype i) const
{
    return index_->nameOf(index_->entries[size_t(i)]);
}

bool PictureFolder::recallPictureWords(ProgramState& state) const
{
    if (!index_ || !index_->pictureWords)
        return false;
    const Index::PictureWords& memo = *index_->pictureWords;
    if (memo.massimoLettere != state.MassimoLettere || memo.carattere != state.CarattereLettere)
        return false;
    // A catalogue rebuilt from the same index mostly holds these very strings
    // already: only the others are copied. When every entry shares its string
    // (the same data pointers and sizes, byte for byte) there is nothing to do,
    // which one comparison of the two arrays tells faster than a loop.
    static_assert(sizeof(QString) == sizeof(void*) * 2 + sizeof(qsizetype));
    const size_t count = memo.words.size();
    if (count > 0 &&
        std::memcmp(static_cast<const void*>(state.ParoleDisponibili.data() + 1),
                    static_cast<const void*>(memo.words.data()), count * sizeof(QString)) != 0) {
        for (size_t i = 0; i < count; ++i) {
            QString& word = state.ParoleDisponibili[i + 1];
            if (!word.isSharedWith(memo.words[i]))
                word = memo.words[i];
        }
    }
    state.NumeroParole = int(count);
    return true;
}

void PictureFolder::rememberPictureWords(const ProgramState& state) const
{
    if (!index_)
        return;
    const auto first = state.ParoleDisponibili.begin() + 1;
    index_->pictureWords =
        Index::PictureWords{state.MassimoLettere, state.CarattereLettere,
                            std::vector<QString>(first, first + state.NumeroParole)};
}

bool PictureFolder::listed(qsizetype i) const
{
    return index_->kindOf(index_->entries[size_t(i)]) != Index::Broken;
}

QStringList PictureFolder::names() const
{
    QStringList list;
    list.reserve(count());
    for (qsizetype i = 0; i < count(); ++i) {
        if (listed(i))
            list << name(i).toString();
    }
    return list;
}

// A picture is a plain file; a link not looked at yet is taken for one.
bool PictureFolder::hasPicture(const QString& word) const
{
    if (!index_)
        return false;
    const QString stem = withoutLeadingBlanks(word);
    for (const Index::Picture picture : {Index::Jpg, Index::Gif}) {
        const Index::Entry* entry = index_->find(stem, picture);
        if (entry != nullptr && (entry->kind == Index::File || entry->kind == Index::Link))
            return true;
    }
    return false;
}

void PictureFolder::resolveLinks(const QString& word) const
{
    if (!index_)
        return;
    const QString stem = withoutLeadingBlanks(word);
    for (const Index::Picture picture : {Index::Jpg, Index::Gif}) {
        if (const Index::Entry* entry = index_->find(stem, picture))
            index_->kindOf(*entry);
    }
}

QString PictureFolder::PercorsoImmagine(const QString& word) const
{
    const QString stem = withoutLeadingBlanks(word);
    if (!index_)
        return QLatin1Char('/') + stem + kGif;
    for (const Index::Picture picture : {Index::Jpg, Index::Gif}) {
        const Index::Entry* entry = index_->find(stem, picture);
        if (entry != nullptr && (entry->kind == Index::File || entry->kind == Index::Link))
            return index_->folderOf(*entry) + QLatin1Char('/') + index_->nameOf(*entry).toString();
    }
    return index_->folders.program + QLatin1Char('/') + stem + kGif;
}

PictureFolders cartelleImmagini(const Environment& env, const ProgramState& state)
{
    // A language that names no pictures folder has no twin either: the twin
    // would be the settings folder itself.
    const QString& folder = state.CartellaImmagini;
    return {env.programFile(folder),
            folder.trimmed().isEmpty() ? QString() : env.writableTwin(folder)};
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
        if (!quoted) {
            end = i;
            // Blanks after a word (easily left in Notepad) would hide its picture.
            while (end > start && text[end - 1] == QLatin1Char(' '))
                --end;
        }
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
    // Measured as the child sees it: a change of case can lengthen a word
    // ("stoß" becomes "STOSS").
    const QString shown = parolaNelCasoInUso(state, word);
    if (shown.isEmpty() || shown.size() > state.MassimoLettere)
        return false;
    if (state.NumeroParole >= kMassimoParole)
        return false;
    ++state.NumeroParole;
    state.ParoleDisponibili[static_cast<size_t>(state.NumeroParole)] = shown;
    return true;
}

std::optional<QString> parolaDiImmagine(QStringView name)
{
    const std::optional<QStringView> word = wordOfPicture(name);
    return word ? std::optional<QString>(word->toString()) : std::nullopt;
}

void aggiungiParoleImmagini(ProgramState& state, const PictureFolder& folder)
{
    for (qsizetype i = 0; i < folder.count() && state.NumeroParole < kMassimoParole; ++i) {
        const std::optional<QStringView> word = wordOfPicture(folder.name(i));
        // Only a word that would be admitted is worth a look at a link.
        if (word && !word->isEmpty() && word->size() <= state.MassimoLettere && folder.listed(i))
            aggiungiParola(state, word->toString());
    }
}

namespace {

// The catalogue's words learn now whether their links lead to pictures, so
// that drawing them touches no file.
void resolveCatalogueLinks(const ProgramState& state, const PictureFolder& folder)
{
    for (int i = 1; i <= state.NumeroParole; ++i)
        folder.resolveLinks(state.ParoleDisponibili[static_cast<size_t>(i)]);
}

} // namespace

PictureFolder CaricaTutteParoleDisponibili(const Environment& env, ProgramState& state,
                                           WaitingNotice* notice)
{
    const PictureFolder folder = PictureFolder::indexed(cartelleImmagini(env, state), notice);
    const bool fromEmpty = state.NumeroParole == 0;
    if (fromEmpty && folder.recallPictureWords(state))
        return folder;
    aggiungiParoleImmagini(state, folder);
    resolveCatalogueLinks(state, folder);
    if (fromEmpty)
        folder.rememberPictureWords(state);
    return folder;
}

PictureFolder CaricaParole(const Environment& env, ProgramState& state, WaitingNotice* notice)
{
    state.NumeroParole = 0;
    state.TutteLeImmagini = state.UsaTutteLeImmagini;
    if (!state.UsaTutteLeImmagini) {
        if (const std::optional<QByteArray> list = readWordList(env, state)) {
            for (const QString& field : campiListaParole(decodeText(*list)))
                aggiungiParola(state, field);
            // The notice belongs to the reading of all pictures.
            const PictureFolder folder(cartelleImmagini(env, state));
            resolveCatalogueLinks(state, folder);
            return folder;
        }
        state.TutteLeImmagini = true; // no list to read: all pictures, without a word
    }
    return CaricaTutteParoleDisponibili(env, state, notice);
}

PictureFolder ripartiConTutteLeImmagini(const QString& avviso, const Environment& env,
                                        ProgramState& state, MessageBoxes* messages,
                                        WaitingNotice* notice)
{
    if (messages != nullptr) {
        Message message;
        message.text = QString(avviso).replace(QLatin1Char('|'), QLatin1String("\r\n"));
        message.icon = Message::Icon::Critical;
        messages->show(message);
    }
    state.UsaTutteLeImmagini = true;
    state.TutteLeImmagini = true;
    state.NumeroParole = 0;
    return CaricaTutteParoleDisponibili(env, state, notice);
}

} // namespace ortolino
