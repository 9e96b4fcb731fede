#include "app/MainUnit.h"
#include "extras/ImagesUnit.h"
#include "platform/ErrorBox.h"
#include "platform/Hooks.h"
#include "platform/ProgramFolder.h"
#include "settings/INIUnit.h"

#include <QEvent>
#include <QTimer>

#include <cstdio>

namespace {

// Closes a window as soon as it has been painted for the first time, so a scripted start sees
// the whole start-up, the first painting included.
class CloseAfterFirstPaint : public QObject {
public:
    explicit CloseAfterFirstPaint(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Paint) {
            window_->removeEventFilter(this);
            // Queued, so the painting runs to its end first.
            QTimer::singleShot(0, window_, &QWidget::close);
        }
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

int main(int argc, char** argv) {
    VordaApplication app(argc, argv);
    VordaApplication::setApplicationName(QStringLiteral("Vorda 2000"));
    // For checks of an installed copy: start up completely, close as the player would, and
    // print every error instead of showing it; any error makes the exit status 1.
    const bool quitAfterStart = qEnvironmentVariableIsSet("VORDA2000_QUIT_AFTER_START");
    bool errorShown = false;
    if (quitAfterStart) {
        Hooks.ErrorBox = [&errorShown](const QString& text) {
            std::fprintf(stderr, "vorda2000: %s\n", qPrintable(text));
            errorShown = true;
        };
    }
    // Every file below is found through the game folder, so it is settled first.
    const GameFolderChoice folder = PrepareGameFolder();
    if (!folder.problem.isEmpty())
        ShowErrorBox(folder.problem);
    InitSettingsFile();
    InitTextures();

    // The main window makes every dialog of the game.
    TMainWindow mainWindow;
    if (quitAfterStart)
        new CloseAfterFirstPaint(&mainWindow);
    mainWindow.show();
    const int status = app.exec();
    return errorShown ? 1 : status;
}
