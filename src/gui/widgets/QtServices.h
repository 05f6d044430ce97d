#pragma once

#include "core/platform/DocumentOpener.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/Services.h"

namespace ortolino {

// Message boxes as QMessageBox, owned by the active window.
class QtMessageBoxes final : public MessageBoxes
{
public:
    Answer show(const Message& message) override;
};

// Registers a font file with this application's font database.
class QtFontRegistry final : public FontRegistry
{
public:
    bool registerFont(const QString& path) override;
};

// Opens a file with the desktop's associated application (xdg-open and kin).
class QtDocumentOpener final : public DocumentOpener
{
public:
    void open(const QString& path) override;
};

// Leaves every running event loop, so that main() returns: the windows are not
// closed first, so none of their unload handlers runs.
class QtProgramExit final : public ProgramExit
{
public:
    void endNow() override;
};

} // namespace ortolino
