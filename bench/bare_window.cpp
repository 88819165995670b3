// The least a Qt Widgets program can do to put a window like Zantor's on the screen: a
// frameless top-level widget of the main window's size and nothing in it. The start-up
// benchmark times Zantor against this, so that what the toolkit and the X server cost
// anyway is not counted against Zantor.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.resize(440, 457);
    window.show();
    return QApplication::exec();
}
