#include "core/app/CommandLine.h"
#include "core/app/Informazioni.h"
#include "core/app/Program.h"
#include "core/app/Startup.h"
#include "core/history/SqlHistory.h"
#include "core/platform/Clock.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/Random.h"
#include "core/platform/TerminationSignals.h"
#include "core/platform/Waiter.h"
#include "core/speech/ItemSpeech.h"
#include "gui/character/CharacterAgent.h"
#include "gui/widgets/PrinterTarget.h"
#include "gui/widgets/QtDialogs.h"
#include "gui/widgets/QtServices.h"
#include "gui/widgets/WindowManager.h"
#include "program/LateAudio.h"
#include "program/Windows.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFontDatabase>
#include <QIcon>
#include <thread>

using namespace ortolino;

namespace {

// Prints the help or the version in the current language (Qt's part of the
// help too) and ends the program there; an unknown option ends it with a
// message and status 1.
void processCommandLine(QCoreApplication& app)
{
    const Environment environment = Environment::fromSystem(QCoreApplication::applicationDirPath());
    Language language(environment);
    QtTranslations qtTranslations;
    qtTranslations.follow(language.code());
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
    // The splash's first text makes Qt read the description of every installed
    // font; a worker does it while the program reads its own files, and the
    // splash finds it done (Qt's font database is thread-safe).
    std::jthread fontsWarmUp([] { QFontDatabase::families(); });
    QGuiApplication::setDesktopFileName(QStringLiteral(ORTOLINO_APP_ID));

    SystemRandom random;
    SteadyClock clock;
    QtMessageBoxes messages;
    QtFontRegistry fonts(QtFontRegistry::When::Later);
    QtDialogs dialogs;
    EventLoopWaiter waiter(clock);
    QtDocumentOpener documents;
    QtProgramExit programExit;
    Environment environment = Environment::fromSystem(QApplication::applicationDirPath());
    LateAudio sounds(LateAudio::modulePathFor(QApplication::applicationDirPath()));
    CharacterAgentOptions speech;
    speech.audio = sounds.speechAudio();
    CharacterAgent agent(environment.programFile(QStringLiteral("personaggi")), speech);
    ItemSpeech scanVoice(
        [folder = speech.espeakDataFolder] { return std::make_unique<EspeakSynthesizer>(folder); },
        sounds.speechAudio());
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
    services.scanVoice = &scanVoice;
    services.printer = &printer;

    Program program(std::move(environment), services);
    SingleInstanceLock lock(program.env.runtimeFolder);
    if (Main(program, lock) == StartResult::AlreadyRunning)
        return 0;

    // The exercises' history, written while a user's tracking is on.
    SqlHistory history(
        SqlHistory::fileIn(program.env.cartellaDati()), [&program](const QString& setAside) {
            Message message;
            message.text = program.text(QStringLiteral("0250")) + QStringLiteral("\r\n") +
                           QDir::toNativeSeparators(setAside);
            message.icon = Message::Icon::Warning;
            program.services.messages->show(message);
        });
    program.services.history = &history;

    WindowManager windows(program);
    registerWindows(windows);
    // The splash needs neither the handwriting font nor sound nor speech:
    // they get ready once it is on screen.
    windows.afterFirstFrame([&] {
        // Looking the icon up in the icon themes takes longer than drawing
        // the splash; the window manager takes the icon when it comes.
        QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(ORTOLINO_APP_ID)));
        fonts.registerNoted();
        history.prepare();
        agent.prepare();
        sounds.prepare();
    });
    // A machine shutting down ends the program as "ESCI" does, so that the
    // windows close and the history keeps the word in progress.
    const TerminationSignals terminationSignals;
    windows.show(QStringLiteral("FormAvvio"));
    return QApplication::exec();
}
