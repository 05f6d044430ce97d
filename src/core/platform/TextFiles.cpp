#include "core/platform/TextFiles.h"

#include "core/platform/FileNames.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStringDecoder>
#include <sys/stat.h>
#include <unistd.h>

namespace ortolino {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five undefined
// bytes map to the C1 controls of the same value, as Windows does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString decodeWindows1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b <= 0x9F ? QChar(kCp1252High[b - 0x80]) : QChar(b));
    }
    return text;
}

QString decodeText(const QByteArray& bytes)
{
    QByteArrayView view(bytes);
    // Notepad's "Unicode" is UTF-16 with a byte-order mark; read as Windows-1252
    // every second letter would be a NUL and no word would match a picture.
    if (const auto marked = QStringConverter::encodingForData(view);
        marked && *marked != QStringConverter::Utf8) {
        QStringDecoder wide(*marked, QStringDecoder::Flag::Stateless);
        return wide.decode(view);
    }
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(view.toByteArray());
}

std::optional<QByteArray> encodeWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) {
        char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        bool found = false;
        for (size_t i = 0; i < kCp1252High.size(); ++i) {
            if (kCp1252High[i] == u) {
                bytes.append(static_cast<char>(0x80 + i));
                found = true;
                break;
            }
        }
        if (!found)
            return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> readFileBytes(const QString& path, qint64 maxBytes)
{
    // Not blocking: opening a pipe with no writer would wait for ever.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    const auto closing = qScopeGuard([fd] { ::close(fd); });
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxBytes)
        return std::nullopt;
    // The size is read again as the file is read: it may grow in between.
    QByteArray bytes(static_cast<qsizetype>(info.st_size), Qt::Uninitialized);
    qint64 done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > maxBytes)
                return std::nullopt;
            bytes.resize(std::min<qint64>(bytes.size() + 4096, maxBytes + 1));
        }
        const ssize_t got =
            ::read(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += got;
    }
    if (done > maxBytes)
        return std::nullopt;
    bytes.truncate(static_cast<qsizetype>(done));
    return bytes;
}

namespace {

bool writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t put = ::write(fd, data, static_cast<size_t>(size));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data += put;
        size -= put;
    }
    return true;
}

// A rename is only on the disk once its folder is flushed too. Past the
// rename the new file is in place whatever this says, so it reports nothing.
void syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    const QFileInfo link(path);
    const QString target = link.isSymLink() ? link.symLinkTarget() : path;
    const QByteArray name = QFile::encodeName(target);
    QByteArray temporary = name + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    // The new file keeps the old one's permissions; a new one gets the usual ones.
    struct stat old;
    mode_t mode = 0;
    if (::stat(name.constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    const bool written = writeAll(fd, bytes.constData(), bytes.size()) && ::fchmod(fd, mode) == 0 &&
                         ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.constData(), name.constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    syncFolder(QFile::encodeName(QFileInfo(target).absolutePath()));
    return true;
}

bool writeFileUnlessSame(const QString& path, const QByteArray& bytes)
{
    return readFileBytes(path, bytes.size()) == bytes || writeFileAtomically(path, bytes);
}

QString keepBeside(const QString& path, const QString& suffix)
{
    constexpr int kMostCopies = 999;
    const QByteArray from = QFile::encodeName(path);
    for (int n = 1; n <= kMostCopies; ++n) {
        const QString kept = path + QLatin1Char('.') +
                             (n == 1 ? QString() : QString::number(n) + QLatin1Char('.')) + suffix;
        if (QFileInfo::exists(resolveCaseInsensitive(kept)))
            continue;
        const QByteArray to = QFile::encodeName(kept);
        if (::linkat(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), AT_SYMLINK_FOLLOW) == 0)
            return kept;
        if (errno == EEXIST)
            continue; // made meanwhile under this very name
        return QFile::copy(path, kept) ? kept : QString();
    }
    return {};
}

int removeStaleTemporaryFiles(const QString& folder)
{
    static const QRegularExpression temporary(QStringLiteral("^.+\\.(ini|txt)\\.[A-Za-z0-9]{6}$"),
                                              QRegularExpression::CaseInsensitiveOption);
    int removed = 0;
    QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (temporary.match(name).hasMatch() && dir.remove(name))
            ++removed;
    }
    return removed;
}

QStringList splitLines(const QString& text)
{
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    unified.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = unified.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // a final line end does not start another line
    return lines;
}

bool fieldNeedsQuotes(const QString& text)
{
    return text.contains(QLatin1Char(',')) || text.startsWith(QLatin1Char(' ')) ||
           text.startsWith(QLatin1Char('"'));
}

QString asField(const QString& text)
{
    return fieldNeedsQuotes(text) ? QLatin1Char('"') + text + QLatin1Char('"') : text;
}

} // namespace ortolino
