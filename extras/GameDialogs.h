#pragma once

#include <QPointer>

class GameServices;
class QWidget;
class TAboutWindow;
class TAddRatingWindow;
class TBestWordsWindow;
class TChoiceWindow;
class THowToPlayWindow;
class TImagesWindow;
class TSetCPUWindow;
class TWinnersWindow;

// The game's dialogs, each made the first time it is needed (most games never open most of
// them, and making them all costs the start time) as a child of the main window, and kept
// for the rest of the window's life. A dialog made late takes the textures and the language
// in force when it is made: each dresses itself at its making and reads its texts at every
// showing.
class TGameDialogs {
public:
    // The dialogs are made as children of the owner (the main window, which they reach as
    // their TDialogHost) and take what they need of the services.
    TGameDialogs(QWidget* owner, GameServices& services) : owner_(owner), services_(services) {}
    TGameDialogs(const TGameDialogs&) = delete;
    TGameDialogs& operator=(const TGameDialogs&) = delete;

    TImagesWindow& ImagesWindow();
    TSetCPUWindow& SetCPUWindow();
    TChoiceWindow& ChoiceWindow();
    TWinnersWindow& WinnersWindow();
    TAddRatingWindow& AddRatingWindow();
    TAboutWindow& AboutWindow();
    THowToPlayWindow& HowToPlayWindow();
    TBestWordsWindow& BestWordsWindow();
    GameServices& services() { return services_; }

private:
    QWidget* owner_;
    GameServices& services_;
    // Null until made; the owner destroys them with itself.
    QPointer<TImagesWindow> images_;
    QPointer<TSetCPUWindow> setCPU_;
    QPointer<TChoiceWindow> choice_;
    QPointer<TWinnersWindow> winners_;
    QPointer<TAddRatingWindow> addRating_;
    QPointer<TAboutWindow> about_;
    QPointer<THowToPlayWindow> howToPlay_;
    QPointer<TBestWordsWindow> bestWords_;
};
