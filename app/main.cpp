#include "app/MainUnit.h"
#include "extras/AboutUnit.h"
#include "extras/ChoiceUnit.h"
#include "extras/HowToPlayUnit.h"
#include "extras/ImagesUnit.h"
#include "extras/ImagesWindow.h"
#include "platform/ErrorBox.h"
#include "records/AddRatingUnit.h"
#include "records/WinnersUnit.h"
#include "settings/INIUnit.h"
#include "settings/SetCPUUnit.h"

int main(int argc, char** argv) {
    VordaApplication app(argc, argv);
    VordaApplication::setApplicationName(QStringLiteral("Vorda 2000"));
    InitSettingsFile();
    InitTextures();

    TMainWindow mainWindow;
    // The textures window makes the textures folder the current directory: the sound effects
    // are found in its "sounds" folder.
    new TImagesWindow(&mainWindow);
    new TSetCPUWindow(&mainWindow);
    new TChoiceWindow(&mainWindow);
    new TWinnersWindow(&mainWindow);
    new TAddRatingWindow(&mainWindow);
    new TAboutWindow(&mainWindow);
    new THowToPlayWindow(&mainWindow);
    mainWindow.show();
    return app.exec();
}
