#pragma once

#include <QCursor>

namespace ortolino {

// Ortolino's own pointer for buttons: a big, friendly pencil whose tip is the
// hot spot, easy for a child to follow on screen.
QCursor pencilPointer();

// One choice of the pointer is one click, however many times a shaking hand
// clicks for it. Qt presses a button once for each click of a double or
// triple click, and when the first click opens another window the second
// lands there, on whatever lies under the pointer (a double click on the
// splash's "Avvio" chose the menu's door and ended the program). On buttons,
// picture buttons (ClickLabel) and menu bars, the second press of a double
// click is no press, and neither is a press that follows an ignored one
// within the double-click interval. For the whole program, as long as `owner`
// lives: the window manager, which every window needs.
void countRepeatedClicksOnce(QObject& owner);

} // namespace ortolino
