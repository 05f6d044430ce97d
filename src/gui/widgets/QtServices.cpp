#include "gui/widgets/QtServices.h"

#include "gui/widgets/QtDialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <utility>

namespace ortolino {

MessageBoxes::Answer QtMessageBoxes::show(const Message& message)
{
    const FocusReturn focus(QApplication::activeWindow());
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(message.title);
    box.setText(message.text);
    // A teacher can copy a path the message names (a folder to open by hand).
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    switch (message.icon) {
    case Message::Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Message::Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Message::Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Message::Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Message::Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    if (message.buttons == Message::Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(message.yesDestroys ? QMessageBox::No : QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

bool QtFontRegistry::registerFont(const QString& path)
{
    if (when_ == When::Later) {
        noted_ << path;
        return true;
    }
    return QFontDatabase::addApplicationFont(path) >= 0;
}

void QtFontRegistry::registerNoted()
{
    for (const QString& path : std::exchange(noted_, {}))
        QFontDatabase::addApplicationFont(path);
}

QtDocumentOpener::~QtDocumentOpener()
{
    // An opener still running holds the viewer it started in the foreground:
    // ending the opener leaves the viewer open, as a desktop's launcher would.
    for (QProcess* process : openers_.findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        process->disconnect();
        process->kill();
        process->waitForFinished(1000);
    }
}

bool QtDocumentOpener::open(const QString& path, std::function<void()> failedLater)
{
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    auto* process = new QProcess(&openers_);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QElapsedTimer running;
    running.start();
    QObject::connect(process, &QProcess::finished, process,
                     [process, running, window = failureWindow_,
                      failedLater = std::move(failedLater)](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         // xdg-open's 1 to 4: bad call, no such file, no
                         // application found, the application failed. It
                         // says so within seconds; a viewer it ran in the
                         // foreground and that ended badly later (killed at
                         // logout) had opened the file.
                         if (status == QProcess::NormalExit && code != 0 && failedLater &&
                             running.elapsed() < window.count())
                             failedLater();
                     });
    process->start(xdgOpen, {path});
    if (process->waitForStarted())
        return true;
    delete process;
    return false;
}

qsizetype QtDocumentOpener::running() const
{
    return openers_.findChildren<QProcess*>(Qt::FindDirectChildrenOnly).size();
}

void QtProgramExit::endNow()
{
    QCoreApplication::exit(0);
}

} // namespace ortolino
