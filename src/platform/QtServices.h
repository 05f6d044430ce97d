#pragma once

#include "platform/MessageBoxes.h"
#include "platform/Services.h"

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

} // namespace ortolino
