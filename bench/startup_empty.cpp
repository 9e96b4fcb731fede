// The yardstick of the start-up benchmark: an empty Qt Widgets window of the game's size with a
// menu bar of three menus, which closes after its first painting, as the game does when
// VORDA2000_QUIT_AFTER_START is set.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

namespace {

class CloseAfterFirstPaint : public QObject {
public:
    explicit CloseAfterFirstPaint(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Paint) {
            window_->removeEventFilter(this);
            QTimer::singleShot(0, window_, &QWidget::close);
        }
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

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
