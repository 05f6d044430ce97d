// The yardstick of bench_startup: the least a Qt program does to put a
// full-screen window on screen.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.showFullScreen();
    return QApplication::exec();
}
