#pragma once

#include <QCursor>

namespace ortolino {

// Ortolino's own pointer for buttons: a big, friendly pencil whose tip is the
// hot spot, easy for a child to follow on screen.
QCursor pencilPointer();

} // namespace ortolino
