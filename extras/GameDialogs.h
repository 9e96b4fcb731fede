#pragma once

#include <QPointer>

class QWidget;
class AboutWindow;
class NameEntryWindow;
class BestWordsWindow;
class QuestionWindow;
class HelpWindow;
class TexturesWindow;
class StrengthWindow;
class RecordsWindow;

// The game's dialogs, each made the first time it is needed (most games never open most of
// them, and making them all costs the start time) as a child of the main window, and kept
// for the rest of the window's life. A dialog made late takes the textures and the language
// in force when it is made: each dresses itself at its making and reads its texts at every
// showing.
class GameDialogs {
public:
    explicit GameDialogs(QWidget* owner) : owner_(owner) {}
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

private:
    QWidget* owner_;
    // Null until made; the owner destroys them with itself.
    QPointer<TexturesWindow> images_;
    QPointer<StrengthWindow> setCPU_;
    QPointer<QuestionWindow> choice_;
    QPointer<RecordsWindow> winners_;
    QPointer<NameEntryWindow> addRating_;
    QPointer<AboutWindow> about_;
    QPointer<HelpWindow> howToPlay_;
    QPointer<BestWordsWindow> bestWords_;
};
