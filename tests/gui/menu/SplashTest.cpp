#include "gui/menu/FormAvvio.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace ortolino;
using namespace ortolino::test;

namespace {

using SplashTest = WindowFixture;

TEST_F(SplashTest, ShowsTranslatedAndCoversTheScreen)
{
    program.language.CurrentLanguage = "English";
    program.state.NumeroRigheRegistro = 7;
    auto* form = qobject_cast<FormAvvio*>(windows.show("FormAvvio"));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(control<QPushButton>(form, "Command1")->text(), "&Start");
    EXPECT_EQ(control<QLabel>(form, "Label2")->text(), "I learn to write words");
    EXPECT_EQ(form->geometry(), form->screen()->availableGeometry());
    EXPECT_EQ(program.state.NumeroRigheRegistro, 0);
    EXPECT_EQ(windows.loadedWindows().size(), 1);
    windows.unload(form);
}

// What start-up puts off (the handwriting font, speech) runs once the splash
// has been painted, and in any case before the next window loads.
TEST_F(SplashTest, PutOffWorkRunsAfterTheFirstFrameOrBeforeTheNextWindow)
{
    QStringList done;
    windows.afterFirstFrame([&] { done << "font"; });
    Form* splash = windows.show("FormAvvio");
    EXPECT_TRUE(done.isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !done.isEmpty(); }, 5000));
    windows.unload(splash);
    settle();

    WindowManager again(program);
    registerWindows(again);
    again.afterFirstFrame([&] { done << "speech"; });
    again.show("FormAvvio");
    EXPECT_EQ(done, QStringList{"font"});
    again.show("FormMenu");
    EXPECT_EQ(done, (QStringList{"font", "speech"}));
    settle();
    EXPECT_EQ(done.size(), 2);
}

TEST_F(SplashTest, ASwitchUserStartsWithEnterOrSpace)
{
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        auto* form = qobject_cast<FormAvvio*>(windows.show("FormAvvio"));
        ASSERT_NE(form, nullptr);
        QPointer<FormAvvio> guard(form);
        auto* start = control<QPushButton>(form, "Command1");
        start->setFocus();
        QTest::keyClick(start, key);
        settle();
        EXPECT_TRUE(guard.isNull()) << key; // the button acted: the splash unloaded
        ASSERT_EQ(windows.loadedWindows().size(), 1);
        Form* menu = windows.loadedWindows().front();
        EXPECT_EQ(menu->objectName(), "FormMenu");
        windows.unload(menu);
        settle();
    }
}

} // namespace
