#pragma once

#include "gui/menu/FormMenu.h"
#include "gui/widgets/ClickLabel.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/SwitchBox.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMouseEvent>
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

    FormMenu* showMenu() { return qobject_cast<FormMenu*>(windows.show("FormMenu")); }
};

inline const QColor kRed(255, 0, 0);

// The buttons shown red.
inline QList<int> redButtons(const FormMenu* menu)
{
    QList<int> red;
    for (int i = 0; i < kPulsantiMenu; ++i) {
        if (background(control(menu, "Command1", i)) == kRed)
            red << i;
    }
    return red;
}

// The menu's controls by design name.
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
inline SwitchBox* manualSwitch(const FormMenu* menu)
{
    return control<SwitchBox>(menu, "PictureScansioneManuale");
}
inline SwitchBox* automaticSwitch(const FormMenu* menu)
{
    return control<SwitchBox>(menu, "PictureScansioneAutomatica");
}

// The pointer moves over a control (without a pressed button).
inline void moveOver(QWidget* widget)
{
    const QPointF centre = QRectF(widget->rect()).center();
    QMouseEvent move(QEvent::MouseMove, centre, widget->mapToGlobal(centre), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// A switch released: the box hands the release on once no repeat follows.
inline void releaseSwitch(SwitchBox* box, Qt::Key key)
{
    QTest::keyRelease(box, key);
    box->deliverPendingRelease();
}

// A switch pressed and released (a switch interface sends ordinary keys).
inline void pressSwitch(SwitchBox* box, Qt::Key key)
{
    QTest::keyPress(box, key);
    releaseSwitch(box, key);
}

} // namespace ortolino::test
