#include "gui/widgets/QtServices.h"

#include "gui/widgets/QtDialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QMessageBox>
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

bool QtDocumentOpener::open(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void QtProgramExit::endNow()
{
    QCoreApplication::exit(0);
}

} // namespace ortolino
