#include "app/MainWindow.h"

#include "app/BoardView.h"
#include "app/ComputerFace.h"
#include "app/FieldCell.h"
#include "app/WordSheetsView.h"
#include "core/LanguageTable.h"
#include "core/LibraryCache.h"
#include "core/SavedGame.h"
#include "core/WordLibrary.h"
#include "extras/AboutWindow.h"
#include "extras/BestWordsWindow.h"
#include "extras/DesktopShortcut.h"
#include "extras/GameServices.h"
#include "extras/HelpWindow.h"
#include "extras/QuestionWindow.h"
#include "extras/SoundEffects.h"
#include "extras/TextureChoice.h"
#include "extras/TexturesWindow.h"
#include "platform/Cp1251.h"
#include "platform/ErrorBox.h"
#include "platform/FileWriting.h"
#include "platform/VordaError.h"
#include "platform/WebOpener.h"
#include "records/NameEntryWindow.h"
#include "records/RecordsTable.h"
#include "settings/StrengthWindow.h"
#include "skin/CoolControls.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

const char* const homePageUrl = "https://vorda2000.example.org/";
const char* const homePageAddress = "vorda2000.example.org";
const char* const authorSiteUrl1 = "https://letterworks.example.net/";
const char* const authorSiteUrl2 = "https://letterworks.example.com/";

namespace {

const QColor kWordColour(200, 200, 255);
const QColor kWordShadow(100, 100, 255);
// Where the areas stand in the client area.
constexpr QPoint kFieldTopLeft(kOuterWidth / 2 - 100, 88);
constexpr QPoint kFaceTopLeft(455, 6);
constexpr int kPaletteTop = kOuterHeight - 120;

} // namespace

MainWindow::MainWindow(GameServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    setObjectName(QStringLiteral("MainWindow"));
    // The window draws its own caption bar and frame.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFont(coolFont(11));
    game_ = new GameController(services_.words(), services_.game(), services_.sound(), this);
    createMenu();
    createControls();
    initialise();
    // The textures folder stays the current directory for the whole run: the textures
    // window lists its files, and the sound effects are found in its "sounds" folder.
    QDir::setCurrent(ChosenTextures.texturesDir);
}

MainWindow::~MainWindow() {
    game_->close();
    qApp->removeEventFilter(this);
    services_.words().loadedListener = nullptr;
    services_.sound().setSwitchedOn(false);
}

void MainWindow::createControls() {
    // The menu bar takes our own menu height, not its size hint: the layout rules count
    // with that metric.
    const int menuTop = kSmCyFrame + kCaptionHeight;
    menu_->menuBar->setGeometry(kSmCxFrame, menuTop, kClientWidth, kMenuHeight);
    setFixedSize(kOuterWidth, kOuterHeight);

    clientArea_ = new CoolClientArea(this);
    clientArea_->setGeometry(kSmCxFrame, menuTop + kMenuHeight, kClientWidth, kClientHeight);
    clientArea_->setPalette(QPalette(QColor(96, 72, 56)));

    wordDisplay_ = new CoolLabel(clientArea_);
    wordDisplay_->setGeometry(195, 20, 200, 40);
    wordDisplay_->setAlignment(Qt::AlignCenter);
    wordDisplay_->setBevels(BevelKind::Lowered, BevelKind::Raised);
    wordDisplay_->setFont(coolFont(19));
    wordDisplay_->setFontColor(kWordColour);
    wordDisplay_->setShadowColor(kWordShadow);

    sheets_ = std::make_unique<WordSheetsView>(game_->model(), clientArea_);
    face_ = new ComputerFace(clientArea_);
    face_->move(kFaceTopLeft);

    hintButton_ = new CoolButton(clientArea_);
    hintButton_->setGeometry(25, 11, 100, 25);
    skipButton_ = new CoolButton(clientArea_);
    skipButton_->setGeometry(25, 48, 100, 25);
    for (CoolButton* button : {hintButton_, skipButton_}) {
        button->setFont(coolFont(15, true));
        button->setFontColor(kWordColour);
        button->setShadowColor(kWordShadow);
    }
    connect(skipButton_, &QAbstractButton::clicked, this,
            [this] { runReportingErrors([this] { game_->skipTurn(); }); });
    connect(hintButton_, &QAbstractButton::clicked, this,
            [this] { runReportingErrors([this] { game_->askForHint(); }); });

    board_ = new BoardView(game_->model(), clientArea_);
    board_->move(kFieldTopLeft);
    connect(board_, &BoardView::cellClicked, this, &MainWindow::cellClicked);
    cursor_ = new FieldCursor(*board_, this);
    // Tab goes as the window is laid out, in the order of creation: the field, then the
    // palette below it.
    palette_ = new LetterPalette(game_->model(), clientArea_);
    palette_->setGeometry(0, kPaletteTop, kClientWidth, 2 * LetterPalette::kButtonSize);
    connect(palette_, &LetterPalette::letterPressed, this, &MainWindow::chooseLetter);
    // The window itself holds the focus at first: the field and the palette take it by Tab
    // only, so the keys keep their meaning until the player moves the focus.
    setFocus();
    connectController();

    mainTimer_ = new QTimer(this);
    mainTimer_->setInterval(kMainTimerInterval);
    connect(mainTimer_, &QTimer::timeout, this, &MainWindow::timerTick);
    mainTimer_->start();
}

void MainWindow::initialise() {
    services_.game().mainInputEnabled = true;
    showFace(QStringLiteral("CPU00"));
    registerTextureClient(this, [this] { applyMainTextures(); });
    applyTextures();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - kOuterWidth) / 2, (area.height() - kOuterHeight) / 2 - 20);
    }
    qApp->installEventFilter(this);
    // The sound follows the check mark of its menu item, whoever sets it.
    services_.sound().setSwitchedOn(menu_->soundItem->isChecked());
    connect(menu_->soundItem, &QAction::toggled, this,
            [this](bool on) { services_.sound().setSwitchedOn(on); });
    services_.words().loadedListener = [this](const WordLibrary& words) {
        menu_->refreshLanguageItems(
            [this](std::string_view key) { return services_.languageText(key); }, words);
    };

    // The steps that read files. Each reports its own failure and the others still run, so a
    // damaged or missing file costs only what it holds.
    removeStaleTemporaryFiles({services_.settingsFile().fileName(), recordsPath(), savedGamePath(),
                               libraryPath(1), libraryPath(2), libraryCachePath(libraryPath(1)),
                               libraryCachePath(libraryPath(2))});
    runReportingErrors([this] { readWinners(services_.winners()); });
    {
        // The settings, the check of the language's texts and the language items' captions
        // after each library load share one reading of the settings file.
        const SettingsFile::ReadingScope reading(services_.settingsFile());
        runReportingErrors([this] { readSettings(services_, this); });
        runReportingErrors([this] { checkLanguageTexts(services_); });
        resetPalette();
        // The other languages' libraries are read only for their counts in the language items:
        // the current language stays what the settings say, whatever happens to those files.
        for (const LanguageInfo& other : kLanguageTable)
            if (other.number != services_.words().language)
                runReportingErrors(
                    [this, &other] { loadWordCount(services_.words(), other.number); });
        runReportingErrors([this] {
            loadWords(services_.words());
            // Once a start: without the ranks the computer plays on, choosing among all words.
            const std::string_view ranksProblem = ranksProblemKey(services_.words().ranks);
            if (!ranksProblem.empty())
                showErrorBox(cp1251ToUnicode(services_.languageText(ranksProblem))
                                 .arg(QDir::toNativeSeparators(services_.words().ranksFileName)));
            game_->resumeOrStartGame();
        });
    }
    runReportingErrors([this] {
        if (const QString gone = forgottenPicturesMessage(services_, loadTextures());
            !gone.isEmpty())
            showErrorBox(gone);
    });
    applyTextures();
}

void MainWindow::applyMainTextures() {
    clientArea_->setWallpaper(getTexture(kMainWallSlot));
    sheets_->panel(1)->setWallpaper(getTexture(kWordSheetSlot));
    sheets_->panel(2)->setWallpaper(sheets_->panel(1)->wallpaper());
    wordDisplay_->setWallpaper(getTexture(kWordDisplaySlot));
    skipButton_->setWallpaper(getTexture(kButtonsSlot));
    hintButton_->setWallpaper(getTexture(kButtonsSlot));
    palette_->applyTextures();
    board_->applyTextures();
}

void MainWindow::setMainInputEnabled(bool enabled) {
    services_.game().mainInputEnabled = enabled;
}

QRandomGenerator& MainWindow::random() {
    return game_->random();
}

void MainWindow::showFace(const QString& name) {
    face_->showPicture(name);
}

const QString& MainWindow::faceName() const {
    return face_->name();
}

QWidget* MainWindow::cursorFrame() const {
    return board_->cursorFrame();
}

// --- The game's flow on screen ---------------------------------------------------------------

void MainWindow::gameStarted() {
    face_->stopShake();
    cursor_->reset();
    face_->setAccessibleName(accessibleTexts_.computer);
}

void MainWindow::showGameEnd(const GameResult& result) {
    NameEntryWindow& nameEntry = dialogs_.addRatingWindow();
    // The records follow the name entry; the next game starts when both have closed.
    connect(
        &nameEntry, &QDialog::finished, this,
        [this] {
            RecordsWindow& records = dialogs_.winnersWindow();
            connect(
                &records, &QDialog::finished, game_, [this] { game_->endOfGameSeen(); },
                Qt::SingleShotConnection);
            records.show();
        },
        Qt::SingleShotConnection);
    showNameEntry(nameEntry, result.humanScore, result.computerScore, result.takenBack);
}

void MainWindow::refreshWordAndHint() {
    const std::string word = game_->shownWord();
    wordDisplay_->setCaption(word);
    const QString spoken = accessibleTexts_.word + QStringLiteral(": ") +
                           (word.empty() ? accessibleTexts_.empty : cp1251ToUnicode(word));
    if (wordDisplay_->accessibleName() != spoken)
        wordDisplay_->setAccessibleName(spoken);
    menu_->takeBackItem->setEnabled(!game_->computerMoving() && game_->model().canTakeBack());
    hintButton_->setVisible(game_->hintLeft());
}

// --- Timer -----------------------------------------------------------------------------------

void MainWindow::timerTick() {
    tickCount_ = tickCount_ == kTicksPerCycle - 1 ? 0 : tickCount_ + 1;
    const float x = static_cast<float>(tickCount_) * 6.2832f / kTicksPerCycle;
    const QColor colour(127 + static_cast<int>(std::lround(126 * std::sin(x))),
                        127 + static_cast<int>(std::lround(126 * std::sin(x + 2.093f))),
                        127 + static_cast<int>(std::lround(126 * std::sin(x + 4.186f))));
    board_->paintPendingLetters(colour);
    face_->tick();
    game_->tick();
}

void MainWindow::setTimerIntervalForTests(int ms) {
    mainTimer_->setInterval(ms);
}

// --- Menu commands ----------------------------------------------------------------------------

void MainWindow::showRecords() {
    dialogs_.winnersWindow().show();
}

void MainWindow::exitGame() {
    close();
}

// The textures window leaves the main window's input alone.
void MainWindow::chooseTextures() {
    dialogs_.imagesWindow().show();
}

void MainWindow::visitHomePage() {
    openAddress(QString::fromLatin1(homePageUrl));
}
void MainWindow::visitAuthorSite1() {
    openAddress(QString::fromLatin1(authorSiteUrl1));
}
void MainWindow::visitAuthorSite2() {
    openAddress(QString::fromLatin1(authorSiteUrl2));
}

void MainWindow::showHowToPlay() {
    dialogs_.howToPlayWindow().show();
}

void MainWindow::showAbout() {
    dialogs_.aboutWindow().show();
}

void MainWindow::createShortcut() {
    const QString made = createDesktopShortcut();
    showMessageBox(cp1251ToUnicode(services_.languageText("ShortcutMade"))
                       .arg(QDir::toNativeSeparators(made)));
}

void MainWindow::openAddress(const QString& address) {
    const bool opened = webOpener_ ? webOpener_->open(address) : openWebAddress(address);
    // Without a browser the player still learns the address.
    if (!opened)
        showErrorBox(cp1251ToUnicode(services_.languageText("LinkFailed")).arg(address));
}

void MainWindow::setSoundChecked(bool on) {
    menu_->soundItem->setChecked(on);
}
bool MainWindow::soundChecked() const {
    return menu_->soundItem->isChecked();
}

// --- Close --------------------------------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
    closeDown();
    event->accept();
}

void MainWindow::closeDown() {
    // Whatever runs stops here: no word is credited after the close.
    game_->close();
    face_->stopShake();
    closed_ = true;
    // A settings file that cannot be written is reported, and the close still completes.
    runReportingErrors([this] { writeSettings(services_, this); });
    // The records are written even when the settings could not be.
    runReportingErrors([this] { writeWinners(services_.winners()); });
}
