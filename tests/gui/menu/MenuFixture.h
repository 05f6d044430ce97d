#pragma once

#include "gui/menu/FormMenu.h"
#include "gui/widgets/ClickLabel.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/SwitchBox.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QDir>
#include <QTest>
#include <QTimer>

namespace ortolino::test {

// The real windows with a stand-in exercise window named "lettere".
class MenuFixture : public WindowFixture
{
protected:
    explicit MenuFixture(TestEnvironment::Data data = TestEnvironment::Data::Shipped)
        : WindowFixture(data)
    {
        QDir().mkpath(env.env().cartellaUtenti());
        program.state.PercorsoProfilo = env.env().profiloPredefinito();
        standIn("lettere");
    }

    FormMenu* showMenu(int mode = kModoMouse)
    {
        program.state.ModalitaInput = mode;
        return qobject_cast<FormMenu*>(windows.show("FormMenu"));
    }
};

// The buttons shown red.
inline QList<int> redButtons(const FormMenu* menu)
{
    QList<int> red;
    for (int i = 0; i < kPulsantiMenu; ++i) {
        if (background(control(menu, "Command1", i)) == QColor(255, 0, 0))
            red << i;
    }
    return red;
}

inline QWidget* menuButton(const FormMenu* menu, int index)
{
    return control(menu, "Command1", index);
}
inline QComboBox* userList(const FormMenu* menu)
{
    return control<QComboBox>(menu, "Combo1");
}
inline QTimer* scanTimer(const FormMenu* menu)
{
    return control<QTimer>(menu, "Timer1");
}
inline SwitchBox* switchBox(const FormMenu* menu, bool manual)
{
    return control<SwitchBox>(menu,
                              manual ? "PictureScansioneManuale" : "PictureScansioneAutomatica");
}

} // namespace ortolino::test
