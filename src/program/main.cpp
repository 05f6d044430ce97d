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

using namespace ortolino;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ortolino"));

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
    SingleInstanceLock lock(program.env.runtimeFolder);
    if (Main(program, lock) == StartResult::AlreadyRunning)
        return 0;

    WindowManager windows(program);
    registerWindows(windows);
    windows.show(QStringLiteral("FormAvvio"));
    return QApplication::exec();
}
