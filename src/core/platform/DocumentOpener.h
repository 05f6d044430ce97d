#pragma once

#include "core/platform/MessageBoxes.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace ortolino {

// Hands a file to the desktop, which opens it with its associated application
// (a PDF viewer for the manual). Returns at once: true when the desktop took
// the file (its viewer may still fail later, out of our sight).
class DocumentOpener
{
public:
    virtual ~DocumentOpener() = default;
    virtual bool open(const QString& path) = 0;
};

// Opens a document through the desktop's opener. A missing document, or a
// desktop with nothing to open it with, is told in `failure` (%1: the file):
// a teacher asking for the manual must not be met with nothing at all.
inline void ApriDocumento(DocumentOpener* opener, MessageBoxes* boxes, const QString& path,
                          const QString& failure)
{
    if (opener == nullptr || (QFileInfo::exists(path) && opener->open(path)))
        return;
    if (boxes != nullptr) {
        Message message;
        message.text = failure.arg(QDir::toNativeSeparators(path));
        message.icon = Message::Icon::Warning;
        boxes->show(message);
    }
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
