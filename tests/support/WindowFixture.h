#pragma once

#include "core/app/Program.h"
#include "gui/widgets/Form.h"
#include "gui/widgets/WindowManager.h"
#include "program/Windows.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"
#include "support/WindowTesting.h"

#include <gtest/gtest.h>

namespace ortolino::test {

// The real windows, registered as the program registers them, on the offscreen
// screen with folders and doubles of their own; whatever is still loaded at
// the end is unloaded (a fixture whose seams outlive the windows calls
// unloadAll() in its own destructor).
class WindowFixture : public ::testing::Test
{
protected:
    explicit WindowFixture(TestEnvironment::Data data = TestEnvironment::Data::Shipped) : env(data)
    {
        registerWindows(windows);
    }
    ~WindowFixture() override { unloadAll(); }

    void unloadAll()
    {
        for (Form* form : windows.loadedWindows())
            windows.unload(form);
        settle();
    }

    // The loaded windows' names, once those unloaded meanwhile went.
    QStringList loaded()
    {
        settle();
        return loadedNames(windows);
    }

    // A window closed by its close box; returns the windows loaded then.
    QStringList closeByBox(QWidget* window)
    {
        window->close();
        QTest::qWait(0);
        return loaded();
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const Message& message : seams.messages.shown)
            texts << message.text;
        return texts;
    }

    // An empty window under another window's name, to stand in for it.
    void standIn(const QString& name)
    {
        windows.registerForm(name, [name](Program& p, WindowManager& w) {
            return new Form(name, p, w, QSize(9000, 7000));
        });
    }

    TestEnvironment env;
    TestServices seams;
    Program program{env.env(), seams.services()};
    WindowManager windows{program};
};

} // namespace ortolino::test
