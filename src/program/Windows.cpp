#include "program/Windows.h"

#include "gui/config/FormConfigura.h"
#include "gui/exercise/lettere.h"
#include "gui/menu/FormAvvio.h"
#include "gui/menu/FormInfo.h"
#include "gui/menu/FormMenu.h"
#include "gui/report/FormEserciziEseguiti.h"
#include "gui/report/FormProgressi.h"
#include "gui/widgets/WindowManager.h"

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
    add<FormProgressi>(windows, "FormProgressi");
    // A window closed by its close box leads back to the menu instead of
    // ending the program.
    windows.setHome(QStringLiteral("FormMenu"));
}

} // namespace ortolino
