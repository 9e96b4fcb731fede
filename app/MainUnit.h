#pragma once

#include "core/GameState.h"
#include "core/RulesUnit.h"
#include "core/SearchUnit.h"
#include "settings/INIUnit.h"
#include "skin/CoolDialog.h"

#include <QRandomGenerator>
#include <QWidget>

#include <cstdint>
#include <string>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QMenuBar;
class QPainter;
class QTimer;
class TCoolBevel;
class TCoolBtn;
class TCoolFormHook;
class TCoolLabel;
class TCoolPanel;
class Tpole;

// The state of the game and of the current move is Game (core/GameState.h).

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
constexpr int kLetterButtons = 32;

// Opens web addresses; tests replace it.
class TWebOpener {
public:
    virtual ~TWebOpener() = default;
    // False when the address could not be opened.
    virtual bool Open(const QString& address) = 0;
};

// The main window: the field, the letter palette, the word sheets, the menu and the timer;
// it runs the human's move and the computer's turn.
class TMainWindow : public QWidget,
                    public TSettingsView,
                    public TDialogHost,
                    private SearchObserver {
    Q_OBJECT
public:
    explicit TMainWindow(QWidget* parent = nullptr);
    ~TMainWindow() override;

    // Controls declared with the window (client coordinates).
    QMenuBar* MainMenu1 = nullptr;
    TCoolFormHook* Hook = nullptr; // the client area with the window's wallpaper
    TCoolLabel* Slowo = nullptr;
    TCoolLabel* Score1 = nullptr;
    TCoolLabel* Score2 = nullptr;
    QLabel* CPUface = nullptr;
    TCoolBevel* CoolBevel1 = nullptr;
    TCoolPanel* CoolPanel1 = nullptr;
    TCoolPanel* CoolPanel2 = nullptr;
    TCoolBtn* AdviceButton = nullptr;
    TCoolBtn* SkipButton = nullptr;
    QTimer* MainTimer = nullptr;
    TCoolBtn* LetterButtons[kLetterButtons + 1] = {};

    QMenu* Menu_Game = nullptr;
    QAction* Menu_NewGame = nullptr;
    QAction* Menu_Records = nullptr;
    QAction* Menu_None1 = nullptr;
    QAction* Menu_Exit = nullptr;
    QMenu* Menu_Options = nullptr;
    QMenu* Menu_Chooselanguage = nullptr;
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

    // The name of the face picture shown now ("CPU00", …).
    const QString& FaceName() const { return faceName_; }

    // TDialogHost
    QWidget* DialogParent() override { return this; }
    void SetMainInputEnabled(bool enabled) override;
    void ShowFace(const QString& name) override;
    QRandomGenerator& Random() override;

    // Menu commands and buttons.
    void Menu_NewGameClick();
    void Menu_RecordsClick();
    void Menu_ExitClick();
    void Menu_RussianClick();
    void Menu_EnglishClick();
    void Menu_CPUClick();
    void Menu_TexturesClick();
    void Menu_VisitClick();
    void Menu_Pelmarov1Click();
    void Menu_Pelmarov2Click();
    void Menu_Help1Click();
    void Menu_AboutClick();
    void Menu_CreateShortcutClick();
    void SkipButtonClick();
    void AdviceButtonClick();

    // The game.
    bool GameEnded() const;
    void GameOver();
    void ComputerTurn();
    // Returns after the tick counter has changed n times, handling messages meanwhile; returns
    // at once while the window is closing.
    void WaitTicks(uint16_t n);
    void MainTimerTimer();
    // The thinking face of the computer's turn: one step for every change of the tick
    // counter that the search observes, the two pictures alternating in a cycle of 20 steps.
    void StartThinkingFace();
    void AdvanceThinkingFace();

    // The human's move.
    void Normalize_Letters();
    void lettersOnMouseDown(TCoolBtn* button);
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
    QWidget* CursorFrame = nullptr;

    // The self-drawn frame. LinkButtonRect is the home-page button of the caption bar as last
    // painted, in window coordinates; LinkHitRect is where a press reaches it (one row less at
    // the top, so the window can still be dragged from there).
    bool LinkPressed = false;
    QRect LinkButtonRect;
    QRect LinkHitRect() const;
    // 0 minimise, 1 maximise (always off), 2 close.
    QRect CaptionButtonRect(int index) const;

    // The window is closing: a running turn stops at its next wait without crediting a word.
    bool ClosingDown() const { return closingDown_; }

    // Tests shorten the timer and replace the web opener.
    void SetTimerIntervalForTests(int ms);
    void SetWebOpener(TWebOpener* opener) { webOpener_ = opener; }

    // TSettingsView
    void CheckEnglishItem() override;
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
    void CreateDialogs();
    void FormClose();
    void CreateMenu();
    void connectCommand(QAction* item, void (TMainWindow::*handler)());
    void CreateControls();
    void CreateWordLabels();
    void CreateLetterButtons();
    void CreateCells();
    void ApplyMainTextures();
    void RefreshLanguageItems(const TWords& words);
    void SwitchLanguage(uint16_t language);
    void ShowPreviewUnderPointer();
    void CreateCursorFrame();
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
    void AcceptHumanWord(const std::string& word, bool playSound);
    void SetTurnCommandsEnabled(bool enabled);
    void SetMenuText(QAction* item, const char* key);
    void OpenAddress(const QString& address);
    std::string FindBestWordOnField();

    // SearchObserver: the search's progress on screen.
    bool TrialLetterDone() override;
    void BestWordFound(const LetterGrid& grid, const std::string& word) override;

    QString faceName_;
    bool closingDown_ = false;
    // The caption bar's mouse state.
    int pressedCaptionButton_ = -1;
    bool linkPressStarted_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
    QPoint lastCaptionPoint_;
    uint64_t gameNumber_ = 0; // counts new games, so a turn can tell that its game ended
    // The face animation of the computer's turn.
    int lastSeenTick_ = 0;
    int facePhase_ = 0;
    bool faceFlag_ = true;
    // The right-button press seen last, so that one press handed on to parent widgets is
    // handled once.
    quint64 lastRightPressTime_ = 0;
    QPointF lastRightPressPos_;
    TWebOpener* webOpener_ = nullptr;
    QPoint pointerWhenShown_;      // the pointer's screen position when the cursor appeared
    Tpole* pointerCell_ = nullptr; // the cell under the mouse pointer, whoever owns the preview
};

// The pseudo-random generator of the start words, seeded from the clock at start-up.
extern QRandomGenerator GameRandom;

// The three web addresses of the Help menu.
extern const char* const HomePageUrl;
extern const char* const HomePageAddress; // the home page's host name, shown in the caption bar
extern const char* const AuthorSiteUrl1;
extern const char* const AuthorSiteUrl2;
