#include "app/AfterFirstPaint.h"
#include "app/CloseAfterFirstPaint.h"
#include "app/MainWindow.h"
#include "extras/GameServices.h"
#include "extras/TextureChoice.h"
#include "platform/ErrorBox.h"
#include "platform/ProgramFolder.h"
#include "settings/SettingsFile.h"

#include "VordaVersion.h"

#include <cstdio>
#include <cstring>

namespace {
constexpr char kHelpText[] =
    "Usage: vorda2000 [--help | --version]\n"
    "A word game on a five by five grid of letters, against the computer.\n"
    "\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "Without options the game starts. The player's settings, records and added words are\n"
    "kept in $XDG_DATA_HOME/vorda2000/ (by default ~/.local/share/vorda2000/), or beside the\n"
    "program when its files are there. See vorda2000(6).\n";

// Answers --help and --version before any window system is touched, so both work without a
// display. Returns true when the program should stop there.
bool answerInformationOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelpText, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs("vorda2000 " VORDA_VERSION "\n", stdout);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (answerInformationOption(argc, argv))
        return 0;
    VordaApplication app(argc, argv);
    // Qt gives the window this name as its class, which the desktop entry names.
    VordaApplication::setApplicationName(QStringLiteral(VORDA_WINDOW_CLASS));
    VordaApplication::setApplicationVersion(QStringLiteral(VORDA_VERSION));
    VordaApplication::setDesktopFileName(QStringLiteral("org.example.vorda2000"));
    // For checks of an installed copy: start up completely, close as the player would, and
    // print every error instead of showing it; any error makes the exit status 1.
    const bool quitAfterStart = qEnvironmentVariableIsSet("VORDA2000_QUIT_AFTER_START");
    bool errorShown = false;
    if (quitAfterStart) {
        errorBoxRedirect = [&errorShown](const QString& text) {
            std::fprintf(stderr, "vorda2000: %s\n", qPrintable(text));
            errorShown = true;
        };
    }
    // Every file below is found through the game folder, so it is settled first.
    const GameFolderChoice folder = prepareGameFolder();
    if (!folder.problem.isEmpty())
        showErrorBox(folder.problem);
    GameServices services;
    initSettingsFile(services.settingsFile());
    initTextures();

    // The main window makes every dialog of the game.
    MainWindow mainWindow(services);
    // The sound output opens in the background once the window is on screen; a window closed
    // at its first painting (a scripted start, made below, whose close comes first) has no use
    // for it.
    new AfterFirstPaint(&mainWindow, [&mainWindow, &services] {
        if (mainWindow.isVisible())
            services.sound().allowOutput();
    });
    if (quitAfterStart)
        new CloseAfterFirstPaint(&mainWindow);
    mainWindow.show();
    const int status = app.exec();
    return errorShown ? 1 : status;
}
