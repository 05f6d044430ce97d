// Saves one file over and over, alternating two contents of different sizes,
// until it is killed; tools/savekill/kill-during-save.sh kills it at random
// moments and checks that the file is always one content or the other, whole.
//   ortolino_save_loop FILE           saves until killed
//   ortolino_save_loop --clean FOLDER removes what killed saves left there
//   ortolino_save_loop --write A B    writes the two contents to A and B
#include "core/platform/TextFiles.h"

#include <cstdio>
#include <QCoreApplication>
#include <QFile>
#include <QStringList>

using namespace ortolino;

namespace {

QByteArray content(int which)
{
    return which == 0 ? QByteArray(300 * 1024, 'A') : QByteArray(200 * 1024 + 7, 'B');
}

bool writePlain(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 3 && args[0] == QLatin1String("--write"))
        return writePlain(args[1], content(0)) && writePlain(args[2], content(1)) ? 0 : 1;
    if (args.size() == 2 && args[0] == QLatin1String("--clean")) {
        std::printf("%d\n", removeStaleTemporaryFiles(args[1]));
        return 0;
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: ortolino_save_loop FILE | --clean FOLDER | --write A B\n");
        return 2;
    }
    for (int i = 0;; i = 1 - i) {
        if (!writeFileAtomically(args[0], content(i)))
            return 1;
    }
}
