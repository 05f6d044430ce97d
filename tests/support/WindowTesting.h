#pragma once

#include "gui/widgets/Controls.h"
#include "gui/widgets/Form.h"
#include "gui/widgets/SwitchBox.h"
#include "gui/widgets/WindowManager.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QStringList>
#include <QTest>
#include <stdexcept>

namespace ortolino::test {

// Windows unloaded by a hand-over go away at the next turn of the loop.
inline void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Names of the loaded windows, in the window manager's order.
inline QStringList loadedNames(const WindowManager& windows)
{
    QStringList names;
    for (Form* form : windows.loadedWindows())
        names << form->objectName();
    return names;
}

// A window's control by its design name (and its index in a control array,
// -1 for a single control), as the language files name it. A control the
// window lacks throws, which fails the test that asked for it.
template <typename Control = QWidget>
Control* control(const QObject* window, const QString& name, int index = -1)
{
    for (Control* candidate : window->findChildren<Control*>(name)) {
        if (controlIndex(candidate) == index)
            return candidate;
    }
    throw std::runtime_error("no control " + name.toStdString() + "(" + std::to_string(index) +
                             ")");
}

// A small real JPEG picture (red, or the colour given) below the program
// folder, e.g. "immagini/nave.jpg".
inline void writePicture(const TestEnvironment& env, const QString& relative,
                         QSize size = QSize(40, 20), const QColor& colour = QColor(200, 40, 40))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = env.env().programFile(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, "JPG"))
        throw std::runtime_error("cannot write the picture " + relative.toStdString());
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

// What the platform sends for a shaking hand's clicks on the middle of a
// control: press, release, then the double click's press (QEvent::MouseButtonDblClick)
// and release, then a plain press and release for a third click; 100 ms apart.
// With `openedHere` false the first click went to the window before, which it
// opened: this one gets its release only. The clock runs far ahead of QTest's,
// whose later clicks are then never taken for repeats.
inline void shakyClicks(QWidget* target, int clicks, bool openedHere = true)
{
    static quint64 clock = 1'000'000'000;
    clock += 10'000;
    const QPointF centre = QRectF(target->rect()).center();
    auto send = [&](QEvent::Type type) {
        const bool press = type != QEvent::MouseButtonRelease;
        QMouseEvent event(type, centre, target->mapToGlobal(centre), Qt::LeftButton,
                          press ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        event.setTimestamp(clock += 50);
        QApplication::sendEvent(target, &event);
    };
    for (int click = 1; click <= clicks; ++click) {
        if (click > 1 || openedHere)
            send(click == 2 ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress);
        send(QEvent::MouseButtonRelease);
    }
}

} // namespace ortolino::test
