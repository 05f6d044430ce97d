#include "app/Windows.h"

#include "menu/FormAvvio.h"
#include "platform/WindowManager.h"

namespace ortolino {

namespace {

template <typename Window>
void add(WindowManager& windows, const char* name)
{
    windows.registerForm(QString::fromLatin1(name),
                         [](Program& p, WindowManager& w) { return new Window(p, w); });
}

} // namespace

void registerWindows(WindowManager& windows)
{
    add<FormAvvio>(windows, "FormAvvio");
}

} // namespace ortolino
