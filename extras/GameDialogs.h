#pragma once

#include <QPointer>

class TAboutWindow;
class TAddRatingWindow;
class TBestWordsWindow;
class TChoiceWindow;
class THowToPlayWindow;
class TImagesWindow;
class TSetCPUWindow;
class TWinnersWindow;

// The game's dialogs in one place. The main window makes each once; a dialog enters itself
// here when it is made and drops out by itself when it is destroyed, so every entry is null
// without a main window.
struct TGameDialogs {
    QPointer<TImagesWindow> ImagesWindow;
    QPointer<TSetCPUWindow> SetCPUWindow;
    QPointer<TChoiceWindow> ChoiceWindow;
    QPointer<TWinnersWindow> WinnersWindow;
    QPointer<TAddRatingWindow> AddRatingWindow;
    QPointer<TAboutWindow> AboutWindow;
    QPointer<THowToPlayWindow> HowToPlayWindow;
    QPointer<TBestWordsWindow> BestWordsWindow;
};
extern TGameDialogs Dialogs;
