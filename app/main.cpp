#include "app/MainUnit.h"
#include "extras/ImagesUnit.h"
#include "platform/ErrorBox.h"
#include "platform/Hooks.h"
#include "platform/ProgramFolder.h"
#include "settings/INIUnit.h"

#include <QTimer>

#include <cstdio>

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
    mainWindow.show();
    if (quitAfterStart)
        QTimer::singleShot(0, &mainWindow, &QWidget::close);
    const int status = app.exec();
    return errorShown ? 1 : status;
}
