// Checks a language file for a translator:
//   ortolino_lngcheck Deutsch.lng [Italiano.lng]
// lists every key of the reference (by default the Italian file beside it)
// without a text, every control of every window without a text, every key
// naming no control, and, as warnings, the texts identical to the reference.
// Exit status 0 when nothing but warnings was found, 1 otherwise.
#include "core/app/Program.h"
#include "gui/widgets/WindowManager.h"
#include "program/LanguageCheck.h"
#include "program/Windows.h"

#include <cstdio>
#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace ortolino;

int main(int argc, char* argv[])
{
    // The windows are built, never shown: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Building a window reads nothing of a user's: a home of its own all the
    // same, set before Qt starts, which asks for the runtime folder at once
    // (unset, its warning stood among the findings).
    QTemporaryDir home;
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
        qputenv(variable, home.path().toLocal8Bit());
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2 || arguments.size() > 3) {
        std::fprintf(stderr, "usage: %s FILE.lng [REFERENCE.lng]\n", qPrintable(arguments[0]));
        return 2;
    }
    const QString path = arguments[1];
    const QString reference = arguments.size() == 3
                                  ? arguments[2]
                                  : QFileInfo(path).absolutePath() + QLatin1String("/Italiano.lng");

    Program program(Environment::fromSystem(QApplication::applicationDirPath()), Services{});
    WindowManager windows(program);
    registerWindows(windows);

    int errors = 0;
    for (const LanguageFinding& finding : checkLanguageFile(path, reference, windows)) {
        errors += finding.isError() ? 1 : 0;
        std::printf("%s: %s: %s\n", qPrintable(QFileInfo(path).fileName()),
                    finding.isError() ? "error" : "warning", qPrintable(finding.describe()));
    }
    return errors == 0 ? 0 : 1;
}
