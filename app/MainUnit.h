#pragma once

#include "app/AccessibleTexts.h"
#include "app/ComputerTurn.h"
#include "app/LetterPalette.h"
#include "core/GameModel.h"
#include "extras/GameDialogs.h"
#include "settings/INIUnit.h"
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
class TCoolBtn;
class TCoolFormHook;
class TCoolLabel;
class Tpole;
class WordSheetsView;

// The window's outer size as the layout rules see it: the 580 × 380 client area with our
// own caption, menu and frame metrics around it.
constexpr int kClientWidth = 580;
constexpr int kClientHeight = 380;
constexpr int kFrameWidth = 4;
constexpr int kCaptionHeight = 20;
// Our own stand-ins for the system metrics of the self-drawn frame: the sizing frame and the
// caption buttons.
constexpr int kSmCxFrame = kFrameWidth;
constexpr int kSmCyFrame = kFrameWidth;
constexpr int kSmCxSize = 18;
constexpr int kSmCySize = 18;
constexpr int kMenuHeight = 20;
constexpr int kOuterWidth = kClientWidth + 2 * kFrameWidth;
constexpr int kOuterHeight = kClientHeight + kCaptionHeight + kMenuHeight + 2 * kFrameWidth;
constexpr int kMainTimerInterval = 114; // ms
constexpr int kTicksPerCycle = 32;
constexpr int kLetterButtons = LetterPalette::kButtons;
// Where the keyboard's cursor appears first in a game.
constexpr uint16_t kMiddleCell = (kFieldSide + 1) / 2;

// Opens web addresses; tests replace it.
class TWebOpener {
public:
    virtual ~TWebOpener() = default;
    // False when the address could not be opened.
    virtual bool Open(const QString& address) = 0;
};

// The main window: the menu, the layout of the areas that draw the game model (the field, the
// palette, the word sheets, the computer's face), the timer, and the handlers that turn the
// player's input into the model's operations. It owns the model and the computer's turn.
class TMainWindow : public QWidget, public TSettingsView, public TDialogHost, private TurnDisplay {
    Q_OBJECT
public:
    // The services stay with their owner and outlive the window.
    explicit TMainWindow(GameServices& services, QWidget* parent = nullptr);
    ~TMainWindow() override;

    // Controls declared with the window (client coordinates).
    QMenuBar* MainMenu1 = nullptr;
    TCoolFormHook* Hook = nullptr; // the client area with the window's wallpaper
    TCoolLabel* Slowo = nullptr;   // the word being spelled, or the computer's
    TCoolBtn* AdviceButton = nullptr;
    TCoolBtn* SkipButton = nullptr;
    QTimer* MainTimer = nullptr;

    GameModel& Model() { return model_; }
    BoardView& Board() { return *board_; }
    LetterPalette& Palette() { return *palette_; }
    WordSheetsView& Sheets() { return *sheets_; }
    ComputerFace& Face() { return *face_; }
    // The computer's turn or the shake of its head over a refused word runs; the player's
    // moves wait for it.
    bool Busy() const;

    QMenu* Menu_Game = nullptr;
    QAction* Menu_NewGame = nullptr;
    QAction* Menu_TakeBack = nullptr;
    QAction* Menu_BestWords = nullptr;
    QAction* Menu_Records = nullptr;
    QAction* Menu_None1 = nullptr;
    QAction* Menu_Exit = nullptr;
    QMenu* Menu_Options = nullptr;
    QMenu* Menu_Chooselanguage = nullptr;
    // The language items, one for each row of the language table; the two rows by name.
    QAction* LanguageItem(uint16_t language) const;
    QAction* Menu_Russian = nullptr;
    QAction* Menu_English = nullptr;
    QAction* Menu_CPU = nullptr;
    QAction* Menu_Textures = nullptr;
    QAction* Menu_Sound = nullptr;
    QMenu* Menu_Help = nullptr;
    QAction* Menu_Help1 = nullptr;
    QAction* Menu_About = nullptr;
    QAction* Menu_none2 = nullptr;
    QAction* Menu_Visit = nullptr;
    QAction* Menu_Pelmarov1 = nullptr;
    QAction* Menu_Pelmarov2 = nullptr;
    QAction* Menu_CreateShortcut = nullptr;

    // The game's dialogs, each made when first needed.
    TGameDialogs& Dialogs() { return dialogs_; }

    // The name of the face picture shown now ("CPU00", …).
    const QString& FaceName() const;

    // TDialogHost
    QWidget* DialogParent() override { return this; }
    void SetMainInputEnabled(bool enabled) override;
    void ShowFace(const QString& name) override;
    QRandomGenerator& Random() override;

    // Menu commands and buttons.
    void Menu_NewGameClick();
    // Takes the human's last turn back, with the computer's reply.
    void Menu_TakeBackClick();
    // At the start: the saved game when it was played in the current language and strength,
    // else a new game.
    void ResumeOrStartGame();
    // Keeps the game on the board in the saved game, whenever its moves changed.
    void SaveGame();
    // The turns of the game finished last beside the best words they could have been; the
    // search runs here, after the game.
    void Menu_BestWordsClick();
    // A game is in progress: a move (a word or a pass, by either player) after the start word,
    // and the game not over.
    bool GameInProgress() const;
    // Before a change that starts a new game: asks "Start a new game?" while a game is in
    // progress. True to go on.
    bool ConfirmNewGame();
    void Menu_RecordsClick();
    void Menu_ExitClick();
    void Menu_CPUClick();
    void Menu_TexturesClick();
    void Menu_VisitClick();
    void Menu_Pelmarov1Click();
    void Menu_Pelmarov2Click();
    void Menu_Help1Click();
    void Menu_AboutClick();
    void Menu_CreateShortcutClick();
    // F10: the menu bar takes the keyboard with its first menu open.
    void OpenMenuBar();
    void SkipButtonClick();
    void AdviceButtonClick();

    // The game.
    void GameOver();
    void StartComputerTurn(bool forHuman);
    void MainTimerTimer();
    // The main timer's counter, 0..31.
    int TickCount() const { return tickCount_; }
    // The thinking face of the computer's turn at the current tick; the hint's search leaves
    // the face alone.
    void StartThinkingFace();
    void AdvanceThinkingFace();

    // The human's move.
    void Normalize_Letters();
    void lettersOnMouseDown(const std::string& letter);
    void poleMouseEnter(Tpole* cell);
    void poleMouseLeave(Tpole* cell);
    void poleOnClick(Tpole* cell);
    void ShowRefusal();
    // The application-wide hook of the right mouse button: the step back, while no game
    // dialog is up. The press goes on to its widget all the same.
    void AppOnMessage();

    // Play from the keyboard goes through the same handlers as the mouse: a letter of the
    // current alphabet presses its palette button, the arrow keys move a cursor over the field
    // that stands for the pointer (the preview follows it), Space and Enter click the cursor's
    // cell, Backspace steps back. These keys do nothing during the computer's turn or while a
    // dialog blocks the window.
    // The frame drawn around the cursor's cell; hidden while the cursor is.
    QWidget* CursorFrame() const;

    // The self-drawn frame. LinkButtonRect is the home-page button of the caption bar as last
    // painted, in window coordinates; LinkHitRect is where a press reaches it (one row less at
    // the top, so the window can still be dragged from there).
    bool LinkPressed = false;
    QRect LinkButtonRect;
    QRect LinkHitRect() const;
    // 0 minimise, 1 maximise (always off), 2 close.
    QRect CaptionButtonRect(int index) const;

    // The close has run: the computer's turn stopped, settings and records written.
    bool ClosingDown() const { return closed_; }

    // Tests shorten the timer and replace the web opener.
    void SetTimerIntervalForTests(int ms);
    void SetWebOpener(TWebOpener* opener) { webOpener_ = opener; }

    // TSettingsView
    void CheckLanguageItem(uint16_t language) override;
    void ApplyMenuTexts() override;
    void ApplyButtonTexts() override;
    void SetSoundChecked(bool on) override;
    bool SoundChecked() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PaintFrame(QPainter& painter);
    void PaintCaptionLink(QPainter& painter);
    void PaintOutline(QPainter& painter);
    int captionButtonAt(const QPoint& point) const;
    void FormCreate();
    void FormClose();
    void CreateMenu();
    void connectCommand(QAction* item, void (TMainWindow::*handler)());
    void CreateControls();
    void ApplyMainTextures();
    void RefreshLanguageItems(const TWords& words);
    void SwitchLanguage(uint16_t language);
    void ShowPreviewUnderPointer();
    bool FieldKeyPressed(const QKeyEvent& key);
    // A move or press of the mouse over a cell takes the preview back from the keyboard's
    // cursor; the event goes on as usual.
    void PointerActiveOverCell(QObject* watched, QEvent* event);
    void PointerEnteredCell(Tpole* cell);
    void PointerLeftCell(Tpole* cell);
    void MoveCursor(int dc, int dr);
    void ShowCursor();
    void HideCursor();
    void RefreshCursorPreview();
    void ResetCursor();
    void ConfirmWord();
    void AskToAddWord(const std::string& word);
    void AfterHumanWord(bool playSound);
    void ComputerTurnFinished(bool hintFoundWord);
    void RefreshWordAndHint();
    void SetTurnCommandsEnabled(bool enabled);
    void SetMenuText(QAction* item, const char* key);
    // Every menu's items get their mnemonics, after their captions are set.
    void ApplyMnemonics();
    // What screen readers say about the field, the palette, the word and the sheets.
    void ApplyAccessibleTexts();
    // Tells screen readers of something that has just happened (the computer's move).
    void Announce(const QString& text);
    void FieldFocusGained(Qt::FocusReason reason);
    void FieldFocusLost(Qt::FocusReason reason);
    void OpenAddress(const QString& address);

    // TurnDisplay: the computer's turn on screen.
    void turnBegan() override;
    void showSearch(const std::string& word, const std::optional<LetterGrid>& board) override;
    void thinkingStep() override;
    void showNothingFound() override;
    void wordApplied() override;
    bool turnEnded() override;

    // Where the pointer and the keyboard's cursor are over the field, cells 1-based. While the
    // cursor is shown it stands for the pointer (HoverCol, HoverRow and OverCell follow it); a
    // new game hides it and brings it back to the middle.
    GameServices& services_;
    struct PointerState {
        uint16_t HoverCol = 0, HoverRow = 0; // the cell the pointer entered last
        bool OverCell = false;               // the pointer is over one of the cells
        bool CursorShown = false;
        uint16_t CursorCol = kMiddleCell, CursorRow = kMiddleCell;
    } pointer_;
    std::vector<QAction*> languageItems_;
    AccessibleTexts accessibleTexts_;
    int tickCount_ = 0;
    GameModel model_;
    // The start words' and the dialogs' pseudo-random generator, seeded from the clock.
    QRandomGenerator random_;
    TGameDialogs dialogs_{this, services_};
    QByteArray savedGame_; // what the saved game holds now
    // The moves of the game finished last, for its best words; empty before the first end of a
    // game and after a change of language.
    std::vector<MoveRecord> finishedGame_;
    bool saveFailureShown_ = false; // a saved game that cannot be written is reported once
    BoardView* board_ = nullptr;
    LetterPalette* palette_ = nullptr;
    std::unique_ptr<WordSheetsView> sheets_;
    ComputerFace* face_ = nullptr;
    ComputerTurn* turn_ = nullptr;
    // The word display during the computer's turn; the model's word otherwise.
    std::string turnWord_;
    QString titleBeforeTurn_;
    bool closed_ = false;
    // The caption bar's mouse state.
    int pressedCaptionButton_ = -1;
    bool linkPressStarted_ = false;
    CaptionDrag drag_;
    QPoint lastCaptionPoint_;
    // The right-button press seen last, so that one press handed on to parent widgets is
    // handled once.
    quint64 lastRightPressTime_ = 0;
    QPointF lastRightPressPos_;
    TWebOpener* webOpener_ = nullptr;
    QPoint pointerWhenShown_;      // the pointer's screen position when the cursor appeared
    Tpole* pointerCell_ = nullptr; // the cell under the mouse pointer, whoever owns the preview
};

// The three web addresses of the Help menu.
extern const char* const HomePageUrl;
extern const char* const HomePageAddress; // the home page's host name, shown in the caption bar
extern const char* const AuthorSiteUrl1;
extern const char* const AuthorSiteUrl2;
