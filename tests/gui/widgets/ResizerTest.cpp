#include "gui/widgets/clsResize.h"
#include "gui/widgets/Controls.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>

using namespace ortolino;

namespace {

// A 400 x 300 area with two labels and a line (the arithmetic is ResizeMathTest's).
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

// Controls and lines follow the area without drift, each window its own; one
// recorded with no area is left alone; "@" tags are read from the controls.
TEST(ResizerTest, ControlsAndLinesFollowTheAreaAsTheirTagsSayWithoutDrift)
{
    TestWindow w, other;
    w.resizer.ResizeControls();
    other.resizer.ResizeControls();
    EXPECT_EQ(w.label->geometry(), QRect(40, 30, 100, 50));
    w.resizeInner(800, 600);
    EXPECT_EQ(w.label->geometry(), QRect(80, 60, 200, 100));
    EXPECT_EQ(w.line->p1(), QPoint(20, 40));
    EXPECT_EQ(w.line->p2(), QPoint(220, 40));
    EXPECT_EQ(other.label->geometry(), QRect(40, 30, 100, 50));
    for (int i = 0; i < 7; ++i)
        w.resizeInner(333 + i * 17, 251 + i * 13);
    w.resizeInner(400, 300);
    EXPECT_EQ(w.label->geometry(), QRect(40, 30, 100, 50));
    EXPECT_EQ(w.line->p2(), QPoint(110, 20));

    TestWindow empty;
    empty.window.centralWidget()->resize(0, 0);
    empty.resizer.ResizeControls();
    empty.resizeInner(800, 600);
    EXPECT_EQ(empty.label->geometry(), QRect(40, 30, 100, 50));

    TestWindow tags;
    setTag(tags.tagged, "@l,t");
    setTag(tags.line, "@L,T");
    tags.resizer.ResizeControls();
    tags.resizeInner(800, 900);
    EXPECT_EQ(tags.tagged->geometry(), QRect(400, 300, 80, 40));
    EXPECT_EQ(tags.line->p1(), QPoint(20, 60));
    EXPECT_EQ(tags.line->p2(), QPoint(110, 20));
    EXPECT_EQ(tags.label->geometry(), QRect(80, 90, 200, 150));

    tags.resizer.SizeFormToScreen(75); // where: ResizeMathTest
    const QRect screen = tags.window.screen()->availableGeometry();
    EXPECT_EQ(tags.window.width(), static_cast<int>(screen.width() * 0.75));
}

} // namespace
