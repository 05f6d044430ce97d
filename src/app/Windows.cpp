#include "app/Windows.h"

#include "config/FormConfigura.h"
#include "exercise/lettere.h"
#include "menu/FormAvvio.h"
#include "menu/FormMenu.h"
#include "platform/FormInfo.h"
#include "platform/WindowManager.h"
#include "report/FormEserciziEseguiti.h"

namespace ortolino {

namespace {

template <typename Window> void add(WindowManager& windows, const char* name)
{
    windows.registerForm(QString::fromLatin1(name),
                         [](Program& p, WindowManager& w) { return new Window(p, w); });
}

} // namespace

void registerWindows(WindowManager& windows)
{
    add<FormAvvio>(windows, "FormAvvio");
    add<FormMenu>(windows, "FormMenu");
    add<lettere>(windows, "lettere");
    add<FormInfo>(windows, "FormInfo");
    add<FormConfigura>(windows, "FormConfigura");
    add<FormEserciziEseguiti>(windows, "FormEserciziEseguiti");
}

void tornaAlMenu(WindowManager& windows)
{
    const QString menu = QStringLiteral("FormMenu");
    if (!windows.find(menu))
        windows.show(menu);
}

} // namespace ortolino
