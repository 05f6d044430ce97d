#pragma once

#include "gui/widgets/Form.h"
#include "gui/widgets/WindowManager.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStringList>

namespace ortolino::test {

// Windows unloaded by a hand-over go away at the next turn of the loop.
inline void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Names of the loaded windows, in the window manager's order.
inline QStringList loadedNames(const WindowManager& windows)
{
    QStringList names;
    for (Form* form : windows.loadedWindows())
        names << form->objectName();
    return names;
}

} // namespace ortolino::test
