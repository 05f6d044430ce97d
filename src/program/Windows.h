#pragma once

namespace ortolino {

class WindowManager;

// Makes every window of the program known to the window manager by its name.
void registerWindows(WindowManager& windows);

} // namespace ortolino
