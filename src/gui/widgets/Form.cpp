#include "gui/widgets/Form.h"

#include "core/app/Program.h"
#include "core/platform/ResizeMath.h"
#include "gui/widgets/Accessibility.h"
#include "gui/widgets/FormTranslator.h"
#include "gui/widgets/WindowManager.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace ortolino {

Form::Form(const QString& name, Program& program, WindowManager& windows, QSize designTwips)
    : program_(program), windows_(windows)
{
    installAccessibleControls();
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* inner = new QWidget(this);
    setCentralWidget(inner);
    // The inner area starts at its design size; the resizer records it so.
    inner->setFixedSize(twipsX(designTwips.width()), twipsY(designTwips.height()));
}

void Form::Form_Load()
{
    MLSLoadFormStrings(this, program_.language);
    createResizer();
}

void Form::Form_Activate()
{
    coverScreen();
}

void Form::createResizer()
{
    adjustSize();
    // From here on the inner area follows the window's size.
    centralWidget()->setMinimumSize(0, 0);
    centralWidget()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resizer_ = std::make_unique<clsResize>();
    resizer_->setSourceForm(this);
    resizer_->SizeFormToScreen(75);
}

void Form::coverScreen()
{
    followScreen();
    setGeometry(screen()->availableGeometry());
    // A Wayland client can neither place its windows nor learn where the
    // desktop's panels are (its available area is the whole screen): there
    // the window would run under the panel and its own title bar, and lose
    // its foot (the lowest keys, "avanti"). The compositor is asked to
    // maximise it instead, which fits it between the panels.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void Form::followScreen()
{
    if (QWindow* handle = windowHandle())
        connect(handle, &QWindow::screenChanged, this, &Form::screenAreaChanged,
                Qt::UniqueConnection);
    QScreen* current = screen();
    if (current == followedScreen_)
        return;
    if (followedScreen_)
        disconnect(followedScreen_, nullptr, this, nullptr);
    followedScreen_ = current;
    connect(current, &QScreen::availableGeometryChanged, this, &Form::screenAreaChanged);
}

// A window manager keeps the title bar of a window already shown on the
// screen, where a new one could be placed with its title bar above it: the
// window, covering the screen again, would lose its foot below the screen's
// edge. It is maximised as well, which fits it whole.
void Form::screenAreaChanged()
{
    coverScreen();
    if (isVisible())
        setWindowState(windowState() | Qt::WindowMaximized);
}

int Form::twipsX(int twips) const
{
    return twipsToPixels(twips, logicalDpiX());
}

int Form::twipsY(int twips) const
{
    return twipsToPixels(twips, logicalDpiY());
}

QRect Form::twipsRect(int left, int top, int width, int height) const
{
    return {twipsX(left), twipsY(top), twipsX(width), twipsY(height)};
}

void Form::place(QWidget* control, int left, int top, int width, int height) const
{
    control->setGeometry(twipsRect(left, top, width, height));
}

void Form::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (resizer_)
        resizer_->ResizeControls();
}

void Form::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    windows_.forget(this);
    QMainWindow::closeEvent(event);
}

} // namespace ortolino
