// The yardstick of the start-up benchmark: an empty Qt Widgets window of the game's size with a
// menu bar of three menus, which closes after its first painting, as the game does when
// VORDA2000_QUIT_AFTER_START is set.
#include "app/CloseAfterFirstPaint.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    for (const char* title : {"Game", "Options", "Help"})
        window.menuBar()->addMenu(QString::fromLatin1(title));
    window.resize(580, 400);
    new CloseAfterFirstPaint(&window);
    window.show();
    return app.exec();
}
