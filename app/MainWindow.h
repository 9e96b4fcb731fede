#pragma once

#include "app/AccessibleTexts.h"
#include "app/CaptionBar.h"
#include "app/FieldCursor.h"
#include "app/GameController.h"
#include "app/GameMenu.h"
#include "app/LetterPalette.h"
#include "app/WindowMetrics.h"
#include "core/GameModel.h"
#include "extras/GameDialogs.h"
#include "settings/SettingsFile.h"
#include "skin/CoolDialog.h"
#include "skin/FramePainter.h"

#include <QRandomGenerator>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QMenuBar;
class QPainter;
class QTimer;
class BoardView;
class GameServices;
class ComputerFace;
class CoolButton;
class CoolClientArea;
class CoolLabel;
class FieldCell;
class WordSheetsView;

constexpr int kMainTimerInterval = 114; // ms
constexpr int kTicksPerCycle = 32;
constexpr int kLetterButtons = LetterPalette::kButtons;

// Opens web addresses; tests replace it.
class WebOpener {
public:
    virtual ~WebOpener() = default;
    // False when the address could not be opened.
    virtual bool open(const QString& address) = 0;
};

// The three web addresses of the Help menu.
extern const char* const homePageUrl;
extern const char* const homePageAddress; // the home page's host name, shown in the caption bar
extern const char* const authorSiteUrl1;
extern const char* const authorSiteUrl2;

// The main window: the menu, the layout of the areas that draw the game model (the field, the
// palette, the word sheets, the computer's face), the timer, and the handlers that turn the
// player's input into the model's operations. It owns the model and the computer's turn.
class MainWindow : public QWidget, public SettingsView, public DialogHost {
    Q_OBJECT
public:
    // The services stay with their owner and outlive the window.
    explicit MainWindow(GameServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Controls declared with the window (client coordinates).
    CoolClientArea* clientArea() const { return clientArea_; } // with the window's wallpaper
    CoolLabel* wordDisplay() const { return wordDisplay_; } // the word spelled, or the computer's
    CoolButton* hintButton() const { return hintButton_; }
    CoolButton* skipButton() const { return skipButton_; }
    QTimer* mainTimer() const { return mainTimer_; }

    GameController& controller() { return *game_; }
    GameModel& model() { return game_->model(); }
    BoardView& board() { return *board_; }
    LetterPalette& letterPalette() { return *palette_; }
    WordSheetsView& sheets() { return *sheets_; }
    ComputerFace& face() { return *face_; }
    // The computer's turn, the shake of its head over a refused word, a question or the end of
    // a game runs; the player's moves wait for it.
    bool busy() const { return game_->busy(); }

    // The menu bar and its items.
    GameMenu& menu() { return *menu_; }

    // The game's dialogs, each made when first needed.
    GameDialogs& dialogs() { return dialogs_; }
    // The name of the face picture shown now ("CPU00", …).
    const QString& faceName() const;

    // DialogHost
    QWidget* dialogParent() override { return this; }
    void setMainInputEnabled(bool enabled) override;
    void showFace(const QString& name) override;
    QRandomGenerator& random() override;

    // Menu commands and buttons.
    // The turns of the game finished last beside the best words they could have been; the
    // search runs here, after the game.
    void showBestWords();
    // F5: what the word of the computer's last move means.
    void showComputerWordMeaning();
    void showRecords();
    void exitGame();
    void chooseStrength();
    void chooseTextures();
    void visitHomePage();
    void visitAuthorSite1();
    void visitAuthorSite2();
    void showHowToPlay();
    void showAbout();
    void createShortcut();

    void timerTick();
    // The main timer's counter, 0..31.
    int tickCount() const { return tickCount_; }
    // The thinking face of the computer's turn at the current tick; the hint's search leaves
    // the face alone.
    void startThinkingFace();
    void advanceThinkingFace();

    // The human's move.
    void resetPalette();
    void chooseLetter(const std::string& letter);
    void cellClicked(FieldCell* cell);
    // The application-wide hook of the right mouse button: the step back, while no game
    // dialog is up. The press goes on to its widget all the same.
    void stepBack();

    // Play from the keyboard goes through the same handlers as the mouse: a letter of the
    // current alphabet presses its palette button, the arrow keys move a cursor over the field
    // that stands for the pointer (the preview follows it), Space and Enter click the cursor's
    // cell, Backspace steps back. These keys do nothing during the computer's turn or while a
    // dialog blocks the window.
    // The frame drawn around the cursor's cell; hidden while the cursor is.
    QWidget* cursorFrame() const;

    // The self-drawn frame.
    const CaptionBar& captionBar() const { return captionBar_; }

    // The close has run: the computer's turn stopped, settings and records written.
    bool closingDown() const { return closed_; }

    // Tests shorten the timer and replace the web opener.
    void setTimerIntervalForTests(int ms);
    void setWebOpener(WebOpener* opener) { webOpener_ = opener; }

    // SettingsView
    void checkLanguageItem(uint16_t language) override;
    void applyMenuTexts() override;
    void applyButtonTexts() override;
    void setSoundChecked(bool on) override;
    bool soundChecked() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void initialise();
    void closeDown();
    void createMenu();
    void connectCommand(QAction* item, void (MainWindow::*handler)());
    void createControls();
    void applyMainTextures();
    void switchLanguage(uint16_t language);
    void changeLanguage(uint16_t language);
    bool fieldKeyPressed(const QKeyEvent& key);
    void connectController();
    // A new or restored game: the keyboard's cursor and the face start afresh.
    void gameStarted();
    // The computer's turn on screen: the caption, the commands, the face.
    void turnStarted();
    void turnFinished();
    void announceMove(const MoveRecord& move);
    // The question the game waits on, and the windows of a game's end.
    void askQuestion(GameQuestion question, const std::string& word);
    void showGameEnd(const GameResult& result);
    void refreshWordAndHint();
    void setTurnCommandsEnabled(bool enabled);
    // What screen readers say about the field, the palette, the word and the sheets.
    void applyAccessibleTexts();
    // Tells screen readers of something that has just happened (the computer's move).
    void announce(const QString& text);
    void openAddress(const QString& address);

    GameServices& services_;
    CoolClientArea* clientArea_ = nullptr;
    CoolLabel* wordDisplay_ = nullptr;
    CoolButton* hintButton_ = nullptr;
    CoolButton* skipButton_ = nullptr;
    QTimer* mainTimer_ = nullptr;
    FieldCursor* cursor_ = nullptr;
    std::unique_ptr<GameMenu> menu_;
    AccessibleTexts accessibleTexts_;
    int tickCount_ = 0;
    GameController* game_ = nullptr;
    GameDialogs dialogs_{this, services_};
    BoardView* board_ = nullptr;
    LetterPalette* palette_ = nullptr;
    std::unique_ptr<WordSheetsView> sheets_;
    ComputerFace* face_ = nullptr;
    QString titleBeforeTurn_;
    bool closed_ = false;
    CaptionBar captionBar_{*this, QString::fromLatin1(homePageAddress)};
    // The right-button press seen last, so that one press handed on to parent widgets is
    // handled once.
    quint64 lastRightPressTime_ = 0;
    QPointF lastRightPressPos_;
    WebOpener* webOpener_ = nullptr;
};
