#include "app/ChoiceUnit.h"
#include "app/MainUnit.h"
#include "extras/ImagesUnit.h"
#include "platform/ErrorBox.h"
#include "settings/INIUnit.h"
#include "settings/SetCPUUnit.h"

#include <QDir>

int main(int argc, char** argv) {
    VordaApplication app(argc, argv);
    VordaApplication::setApplicationName(QStringLiteral("Vorda 2000"));
    InitSettingsFile();
    InitTextures();

    TMainWindow mainWindow;
    // From here on the textures folder is the current directory: the sound effects are found
    // in its "sounds" folder.
    QDir::setCurrent(TexturesDir);
    new TSetCPUWindow(&mainWindow);
    new TChoiceWindow(&mainWindow);
    mainWindow.show();
    return app.exec();
}
