// The yardsticks of bench_startup. Plain: the least a Qt program does to put
// a full-screen window on screen. Without a window manager (the benchmark's
// bare X server) showFullScreen() alone leaves the window at Qt's default
// 640x480, which is cheaper to paint than a screen: the window takes the
// screen's size first, so that it is full-screen with a window manager or
// without. With --covering: the same window shown the way Ortolino shows its
// own, a main window with a coloured background over the screen's available
// area (a window manager's panels stay visible).
#include <QApplication>
#include <QMainWindow>
#include <QScreen>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (QApplication::arguments().contains(QStringLiteral("--covering"))) {
        QMainWindow window;
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(255, 200, 120));
        window.setPalette(palette);
        window.setAutoFillBackground(true);
        window.setGeometry(window.screen()->availableGeometry());
        window.show();
        return QApplication::exec();
    }
    QWidget window;
    window.setGeometry(window.screen()->geometry());
    window.showFullScreen();
    return QApplication::exec();
}
