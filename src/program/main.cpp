#include "core/app/CommandLine.h"
#include "core/app/Informazioni.h"
#include "core/app/Program.h"
#include "core/app/Startup.h"
#include "core/platform/Clock.h"
#include "core/platform/Random.h"
#include "core/platform/Waiter.h"
#include "gui/character/CharacterAgent.h"
#include "gui/character/QtAudio.h"
#include "gui/widgets/PrinterTarget.h"
#include "gui/widgets/QtDialogs.h"
#include "gui/widgets/QtServices.h"
#include "gui/widgets/WindowManager.h"
#include "program/Windows.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

using namespace ortolino;

namespace {

// Prints the help or the version in the current language and ends the
// program there; an unknown option ends it with a message and status 1.
void processCommandLine(QCoreApplication& app)
{
    const Environment environment = Environment::fromSystem(QCoreApplication::applicationDirPath());
    Language language(environment);
    const auto qtTranslations = installQtTranslations(app, language);
    QCommandLineParser parser;
    describeOptions(parser, language, environment);
    parser.process(app);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Ortolino"));
    QCoreApplication::setApplicationVersion(programVersion());
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (asksForInformation(arguments)) {
        // Help and version need no display: a core application answers them.
        QCoreApplication app(argc, argv);
        processCommandLine(app);
        return 0;
    }

    QApplication app(argc, argv); // takes Qt's own options (-platform, -style, ...) away
    processCommandLine(app);
    QGuiApplication::setDesktopFileName(QStringLiteral(ORTOLINO_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(ORTOLINO_APP_ID)));

    SystemRandom random;
    SteadyClock clock;
    QtMessageBoxes messages;
    QtFontRegistry fonts;
    QtDialogs dialogs;
    EventLoopWaiter waiter(clock);
    QtDocumentOpener documents;
    QtProgramExit programExit;
    Environment environment = Environment::fromSystem(QApplication::applicationDirPath());
    CharacterAgent agent(environment.programFile(QStringLiteral("personaggi")));
    QtSoundPlayer sounds;
    DefaultPrinter printer;
    Services services;
    services.random = &random;
    services.clock = &clock;
    services.messages = &messages;
    services.fonts = &fonts;
    services.dialogs = &dialogs;
    services.waiter = &waiter;
    services.documents = &documents;
    services.programExit = &programExit;
    services.agent = &agent;
    services.sounds = &sounds;
    services.printer = &printer;

    Program program(std::move(environment), services);
    const auto qtTranslations = installQtTranslations(app, program.language);
    SingleInstanceLock lock(program.env.runtimeFolder);
    if (Main(program, lock) == StartResult::AlreadyRunning)
        return 0;

    WindowManager windows(program);
    registerWindows(windows);
    windows.show(QStringLiteral("FormAvvio"));
    return QApplication::exec();
}
