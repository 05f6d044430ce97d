#include "gui/widgets/clsResize.h"
#include "gui/widgets/Controls.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>

using namespace ortolino;

namespace {

struct TestWindow
{
    TestWindow()
    {
        auto* inner = new QWidget(&window);
        window.setCentralWidget(inner);
        inner->setFixedSize(400, 300);
        label = new QLabel("a", inner);
        label->setObjectName("Label1");
        label->setGeometry(40, 30, 100, 50);
        tagged = new QLabel("b", inner);
        tagged->setObjectName("Label2");
        tagged->setGeometry(200, 100, 80, 40);
        line = new LineControl(inner);
        line->setObjectName("Line1");
        line->setEndPoints({10, 20}, {110, 20});
        window.adjustSize();
        inner->setMinimumSize(0, 0);
        inner->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resizer.setSourceForm(&window);
    }
    void resizeInner(int w, int h)
    {
        window.centralWidget()->resize(w, h);
        resizer.ResizeControls();
    }

    QMainWindow window;
    QLabel* label = nullptr;
    QLabel* tagged = nullptr;
    LineControl* line = nullptr;
    clsResize resizer;
};

TEST(ResizerTest, FirstCallOnlyRecordsThenScalesWithoutDrift)
{
    TestWindow w;
    w.resizer.ResizeControls();
    EXPECT_EQ(w.label->geometry(), QRect(40, 30, 100, 50));

    w.resizeInner(800, 600);
    EXPECT_EQ(w.label->geometry(), QRect(80, 60, 200, 100));
    EXPECT_EQ(w.line->p1(), QPoint(20, 40));
    EXPECT_EQ(w.line->p2(), QPoint(220, 40));
    for (int i = 0; i < 7; ++i)
        w.resizeInner(333 + i * 17, 251 + i * 13);
    w.resizeInner(400, 300);
    EXPECT_EQ(w.label->geometry(), QRect(40, 30, 100, 50));
    EXPECT_EQ(w.line->p2(), QPoint(110, 20));
}

TEST(ResizerTest, TagsAndTwoWindowsAreIndependent)
{
    TestWindow a;
    TestWindow b;
    setTag(a.tagged, "@l,t");
    a.resizer.ResizeControls();
    b.resizer.ResizeControls();
    a.resizeInner(800, 600);
    EXPECT_EQ(a.tagged->geometry(), QRect(400, 200, 80, 40)); // moved, not sized
    EXPECT_EQ(b.label->geometry(), QRect(40, 30, 100, 50));   // the other window untouched
}

TEST(ResizerTest, ALineTagChoosesEndPointsAndAnUntaggedLineScalesBoth)
{
    TestWindow w;
    setTag(w.line, "@L,T");  // X1 and Y1 follow the window, X2 and Y2 stay
    setTag(w.label, "size"); // no "@": scaled fully
    w.resizer.ResizeControls();
    w.resizeInner(800, 900);
    EXPECT_EQ(w.line->p1(), QPoint(20, 60));
    EXPECT_EQ(w.line->p2(), QPoint(110, 20));
    EXPECT_EQ(w.label->geometry(), QRect(80, 90, 200, 150));
}

TEST(ResizerTest, SizeFormToScreenCentresAtSeventyFivePercent)
{
    TestWindow w;
    w.resizer.SizeFormToScreen(75);
    QRect screen = w.window.screen()->availableGeometry();
    EXPECT_EQ(w.window.width(), static_cast<int>(screen.width() * 0.75));
    EXPECT_EQ(w.window.x(), screen.x() + (screen.width() - w.window.width()) / 2);
}

TEST(ResizerTest, AWindowRecordedWithNoAreaIsLeftAlone)
{
    TestWindow w;
    w.window.centralWidget()->resize(0, 0);
    w.resizer.ResizeControls();
    w.resizeInner(800, 600);
    EXPECT_EQ(w.label->geometry(), QRect(40, 30, 100, 50));
}

} // namespace
