#pragma once

#include <QPointer>

class GameServices;
class QWidget;
class AboutWindow;
class NameEntryWindow;
class BestWordsWindow;
class QuestionWindow;
class HelpWindow;
class TexturesWindow;
class StrengthWindow;
class MeaningWindow;
class RecordsWindow;

// The game's dialogs, each made the first time it is needed (most games never open most of
// them, and making them all costs the start time) as a child of the main window, and kept
// for the rest of the window's life. A dialog made late takes the textures and the language
// in force when it is made: each dresses itself at its making and reads its texts at every
// showing.
class GameDialogs {
public:
    // The dialogs are made as children of the owner (the main window, which they reach as
    // their DialogHost) and take what they need of the services.
    GameDialogs(QWidget* owner, GameServices& services) : owner_(owner), services_(services) {}
    GameDialogs(const GameDialogs&) = delete;
    GameDialogs& operator=(const GameDialogs&) = delete;

    TexturesWindow& imagesWindow();
    StrengthWindow& setCPUWindow();
    QuestionWindow& choiceWindow();
    RecordsWindow& winnersWindow();
    NameEntryWindow& addRatingWindow();
    AboutWindow& aboutWindow();
    HelpWindow& howToPlayWindow();
    BestWordsWindow& bestWordsWindow();
    MeaningWindow& meaningWindow();
    GameServices& services() { return services_; }

private:
    QWidget* owner_;
    GameServices& services_;
    // Null until made; the owner destroys them with itself.
    QPointer<TexturesWindow> images_;
    QPointer<StrengthWindow> setCPU_;
    QPointer<QuestionWindow> choice_;
    QPointer<RecordsWindow> winners_;
    QPointer<NameEntryWindow> addRating_;
    QPointer<AboutWindow> about_;
    QPointer<HelpWindow> howToPlay_;
    QPointer<BestWordsWindow> bestWords_;
    QPointer<MeaningWindow> meaning_;
};
