#pragma once

namespace ortolino {

class WindowManager;

// Makes every window of the program known to the window manager by its name.
void registerWindows(WindowManager& windows);

// Shows the main menu unless it is already loaded: a window that closes by
// its close box leads back to the menu instead of ending the program.
void tornaAlMenu(WindowManager& windows);

} // namespace ortolino
