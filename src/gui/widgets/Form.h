#pragma once

#include "gui/widgets/clsResize.h"

#include <memory>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>

namespace ortolino {

class Program;
class WindowManager;

// Base of Ortolino's six windows. A window is created afresh each time it is
// shown: Form_Load runs once after creation, Form_Activate each time it is
// shown, Form_Unload when it closes. Controls are placed in twips of the
// window's design area and scaled by the window's own resizer.
class Form : public QMainWindow
{
    Q_OBJECT
public:
    Form(const QString& name, Program& program, WindowManager& windows, QSize designTwips);

    virtual void Form_Load();
    virtual void Form_Activate();
    virtual void Form_Unload() {}

    Program& program() const { return program_; }
    WindowManager& windows() const { return windows_; }
    clsResize* resizer() const { return resizer_.get(); }

    // Covers the screen (its available area), as every window does when
    // activated, and again whenever that area changes (a projector plugged in
    // mid-lesson changes the resolution) or the window goes to another screen.
    void coverScreen();

    // Design units to pixels with the screen's logical DPI.
    int twipsX(int twips) const;
    int twipsY(int twips) const;
    QRect twipsRect(int left, int top, int width, int height) const;

protected:
    // Creates the window's resizer and sizes it to 75 % of the screen.
    void createResizer();
    // Places a control at a design position (twips) of the window's inner area.
    void place(QWidget* control, int left, int top, int width, int height) const;
    QWidget* area() const { return centralWidget(); }

    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void followScreen();
    void screenAreaChanged();

    Program& program_;
    WindowManager& windows_;
    std::unique_ptr<clsResize> resizer_;
    QPointer<QScreen> followedScreen_;
};

} // namespace ortolino
