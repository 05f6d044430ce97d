#pragma once

#include <QString>

namespace ortolino {

// Hands a file to the desktop, which opens it with its associated application
// (a PDF viewer for the manual). Returns at once; the result is not looked at.
class DocumentOpener
{
public:
    virtual ~DocumentOpener() = default;
    virtual void open(const QString& path) = 0;
};

// Opens a document through the desktop's opener; a missing document or a
// missing viewer gives no message from Ortolino (the desktop may show its own).
inline void ApriDocumento(DocumentOpener* opener, const QString& path)
{
    if (opener)
        opener->open(path);
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
