#pragma once

#include "core/platform/MessageBoxes.h"

#include <functional>
#include <QDir>
#include <QFileInfo>
#include <QString>

namespace ortolino {

// Hands a file to the desktop, which opens it with its associated application
// (a PDF viewer for the manual). Returns at once: false when the desktop could
// not take the file. A desktop that finds only afterwards that nothing can
// open it (no viewer installed) calls `failedLater` then.
class DocumentOpener
{
public:
    virtual ~DocumentOpener() = default;
    virtual bool open(const QString& path, std::function<void()> failedLater) = 0;
};

// Opens a document through the desktop's opener. A missing document, or a
// desktop with nothing to open it with, is told in `failure` (%1: the file),
// also when the desktop finds that out late: a teacher asking for the manual
// must not be met with nothing at all.
inline void ApriDocumento(DocumentOpener* opener, MessageBoxes* boxes, const QString& path,
                          const QString& failure)
{
    if (opener == nullptr)
        return;
    const auto tell = [boxes, text = failure.arg(QDir::toNativeSeparators(path))] {
        if (boxes == nullptr)
            return;
        Message message;
        message.text = text;
        message.icon = Message::Icon::Warning;
        boxes->show(message);
    };
    if (!QFileInfo::exists(path) || !opener->open(path, tell))
        tell();
}

// Ends the whole program at once, from wherever it is called: no window's
// unload handler runs. Tests record the request instead.
class ProgramExit
{
public:
    virtual ~ProgramExit() = default;
    virtual void endNow() = 0;
};

} // namespace ortolino
