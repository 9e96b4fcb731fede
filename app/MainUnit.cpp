#include "app/MainUnit.h"

#include "app/BoardView.h"
#include "app/ComputerFace.h"
#include "app/PoleUnit.h"
#include "app/WordSheetsView.h"
#include "core/LanguageUnit.h"
#include "core/SavedGame.h"
#include "core/WordsUnit.h"
#include "extras/AboutUnit.h"
#include "extras/BestWordsUnit.h"
#include "extras/ChoiceUnit.h"
#include "extras/GameServices.h"
#include "extras/HowToPlayUnit.h"
#include "extras/ImagesUnit.h"
#include "extras/ImagesWindow.h"
#include "extras/ShortcutUnit.h"
#include "extras/SoundUnit.h"
#include "platform/Cp1251.h"
#include "platform/ErrorBox.h"
#include "platform/FileWriting.h"
#include "platform/VordaError.h"
#include "platform/WebOpener.h"
#include "records/AddRatingUnit.h"
#include "records/WinnersUnit.h"
#include "settings/SetCPUUnit.h"
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

const char* const HomePageUrl = "https://vorda2000.example.org/";
const char* const HomePageAddress = "vorda2000.example.org";
const char* const AuthorSiteUrl1 = "https://letterworks.example.net/";
const char* const AuthorSiteUrl2 = "https://letterworks.example.com/";

namespace {

const QColor kWordColour(200, 200, 255);
const QColor kWordShadow(100, 100, 255);
// Where the areas stand in the client area.
constexpr QPoint kFieldTopLeft(kOuterWidth / 2 - 100, 88);
constexpr QPoint kFaceTopLeft(455, 6);
constexpr int kPaletteTop = kOuterHeight - 120;

} // namespace

TMainWindow::TMainWindow(GameServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    setObjectName(QStringLiteral("MainWindow"));
    // The window draws its own caption bar and frame.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFont(CoolFont(11));
    CreateMenu();
    CreateControls();
    FormCreate();
    // The textures folder stays the current directory for the whole run: the textures
    // window lists its files, and the sound effects are found in its "sounds" folder.
    QDir::setCurrent(TextureChoice.TexturesDir);
}

TMainWindow::~TMainWindow() {
    turn_->stop();
    qApp->removeEventFilter(this);
    services_.words().loadedListener = nullptr;
    services_.sound().setSwitchedOn(false);
}

void TMainWindow::CreateControls() {
    // The menu bar takes our own menu height, not its size hint: the layout rules count
    // with that metric.
    const int menuTop = kSmCyFrame + kCaptionHeight;
    MainMenu1->setGeometry(kSmCxFrame, menuTop, kClientWidth, kMenuHeight);
    setFixedSize(kOuterWidth, kOuterHeight);

    Hook = new TCoolFormHook(this);
    Hook->setGeometry(kSmCxFrame, menuTop + kMenuHeight, kClientWidth, kClientHeight);
    Hook->setPalette(QPalette(QColor(96, 72, 56)));

    Slowo = new TCoolLabel(Hook);
    Slowo->setGeometry(195, 20, 200, 40);
    Slowo->SetAlignment(Qt::AlignCenter);
    Slowo->SetBevels(BevelKind::Lowered, BevelKind::Raised);
    Slowo->setFont(CoolFont(19));
    Slowo->SetFontColor(kWordColour);
    Slowo->SetShadowColor(kWordShadow);

    sheets_ = std::make_unique<WordSheetsView>(model_, Hook);
    face_ = new ComputerFace(Hook);
    face_->move(kFaceTopLeft);

    AdviceButton = new TCoolBtn(Hook);
    AdviceButton->setGeometry(25, 11, 100, 25);
    SkipButton = new TCoolBtn(Hook);
    SkipButton->setGeometry(25, 48, 100, 25);
    for (TCoolBtn* button : {AdviceButton, SkipButton}) {
        button->setFont(CoolFont(15, true));
        button->SetFontColor(kWordColour);
        button->SetShadowColor(kWordShadow);
    }
    connect(SkipButton, &QAbstractButton::clicked, this,
            [this] { RunReportingErrors([this] { SkipButtonClick(); }); });
    connect(AdviceButton, &QAbstractButton::clicked, this,
            [this] { RunReportingErrors([this] { AdviceButtonClick(); }); });

    board_ = new BoardView(model_, Hook);
    board_->move(kFieldTopLeft);
    connect(board_, &BoardView::cellClicked, this, &TMainWindow::poleOnClick);
    connect(board_, &BoardView::cellEntered, this, &TMainWindow::PointerEnteredCell);
    connect(board_, &BoardView::cellLeft, this, &TMainWindow::PointerLeftCell);
    connect(board_, &BoardView::focusGained, this, &TMainWindow::FieldFocusGained);
    connect(board_, &BoardView::focusLost, this, &TMainWindow::FieldFocusLost);
    // Tab goes as the window is laid out, in the order of creation: the field, then the
    // palette below it.
    palette_ = new LetterPalette(model_, Hook);
    palette_->setGeometry(0, kPaletteTop, kClientWidth, 2 * LetterPalette::kButtonSize);
    connect(palette_, &LetterPalette::letterPressed, this, &TMainWindow::lettersOnMouseDown);
    // The window itself holds the focus at first: the field and the palette take it by Tab
    // only, so the keys keep their meaning until the player moves the focus.
    setFocus();
    connect(&model_, &GameModel::changed, this, &TMainWindow::RefreshWordAndHint);
    connect(&model_, &GameModel::changed, this, &TMainWindow::SaveGame);

    turn_ = new ComputerTurn(model_, services_.words(), *this, this);
    connect(turn_, &ComputerTurn::finished, this, [this](bool hintFoundWord) {
        RunReportingErrors([this, hintFoundWord] { ComputerTurnFinished(hintFoundWord); });
    });

    MainTimer = new QTimer(this);
    MainTimer->setInterval(kMainTimerInterval);
    connect(MainTimer, &QTimer::timeout, this, &TMainWindow::MainTimerTimer);
    MainTimer->start();
}

void TMainWindow::FormCreate() {
    // VORDA2000_SEED fixes the deal, for pictures of the game that stay the same.
    bool fixedSeed = false;
    const uint seed = qEnvironmentVariableIntValue("VORDA2000_SEED", &fixedSeed);
    random_.seed(fixedSeed ? seed : static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
    services_.game().MainInputEnabled = true;
    ShowFace(QStringLiteral("CPU00"));
    RegisterTextureClient(this, [this] { ApplyMainTextures(); });
    ApplyTextures();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - kOuterWidth) / 2, (area.height() - kOuterHeight) / 2 - 20);
    }
    qApp->installEventFilter(this);
    // The sound follows the check mark of its menu item, whoever sets it.
    services_.sound().setSwitchedOn(Menu_Sound->isChecked());
    connect(Menu_Sound, &QAction::toggled, this,
            [this](bool on) { services_.sound().setSwitchedOn(on); });
    services_.words().loadedListener = [this](const TWords& words) { RefreshLanguageItems(words); };

    // The steps that read files. Each reports its own failure and the others still run, so a
    // damaged or missing file costs only what it holds.
    for (const QString& path : {services_.settingsFile().FileName(), RecordsPath(), SavedGamePath(),
                                LibraryPath(1), LibraryPath(2)})
        RemoveStaleTemporaryFiles(path);
    RunReportingErrors([this] { ReadWinners(services_.winners()); });
    {
        // The settings, the check of the language's texts and the language items' captions
        // after each library load share one reading of the settings file.
        const TVordaIniFile::ReadingScope reading(services_.settingsFile());
        RunReportingErrors([this] { ReadSettings(services_, this); });
        RunReportingErrors([this] { CheckLanguageTexts(services_); });
        Normalize_Letters();
        // The other languages' libraries are read only for their counts in the language items:
        // the current language stays what the settings say, whatever happens to those files.
        for (const LanguageInfo& other : kLanguageTable)
            if (other.Number != services_.words().Language)
                RunReportingErrors(
                    [this, &other] { LoadWordCount(services_.words(), other.Number); });
        RunReportingErrors([this] {
            LoadWords(services_.words());
            ResumeOrStartGame();
        });
    }
    RunReportingErrors([] { LoadTextures(); });
    ApplyTextures();
}

void TMainWindow::ApplyMainTextures() {
    Hook->SetWallpaper(GetTexture(kMainWallSlot));
    sheets_->panel(1)->SetWallpaper(GetTexture(kWordSheetSlot));
    sheets_->panel(2)->SetWallpaper(sheets_->panel(1)->Wallpaper());
    Slowo->SetWallpaper(GetTexture(kWordDisplaySlot));
    SkipButton->SetWallpaper(GetTexture(kButtonsSlot));
    AdviceButton->SetWallpaper(GetTexture(kButtonsSlot));
    palette_->applyTextures();
    board_->applyTextures();
}

void TMainWindow::SetMainInputEnabled(bool enabled) {
    services_.game().MainInputEnabled = enabled;
}

QRandomGenerator& TMainWindow::Random() {
    return random_;
}

void TMainWindow::ShowFace(const QString& name) {
    face_->showPicture(name);
}

const QString& TMainWindow::FaceName() const {
    return face_->name();
}

QWidget* TMainWindow::CursorFrame() const {
    return board_->cursorFrame();
}

bool TMainWindow::Busy() const {
    return turn_->running() || face_->shaking();
}

// --- New game and the end of a game ----------------------------------------------------------

void TMainWindow::Menu_NewGameClick() {
    // Without a five-letter word no game starts, and the one on the board stays.
    CheckStartWords(services_.words());
    turn_->stop();
    face_->stopShake();
    ResetCursor();
    face_->setAccessibleName(accessibleTexts_.computer);
    const WordList& fiveLetterWords = services_.words().Lists[kFieldSide];
    model_.newGame(
        fiveLetterWords.At(static_cast<int>(random_.bounded(quint32(fiveLetterWords.Count())))));
    ShowPreviewUnderPointer();
}

void TMainWindow::ResumeOrStartGame() {
    CheckStartWords(services_.words());
    const SavedGameLoad load = LoadSavedGame();
    if (!load.problem.isEmpty())
        ShowErrorBox(load.problem);
    // A game of another language or strength (the settings were changed by hand) is not
    // continued under the wrong rules.
    if (!load.game || load.game->language != services_.words().Language ||
        load.game->strength != int(services_.game().MaxWordLength) - 2) {
        Menu_NewGameClick();
        return;
    }
    turn_->stop();
    ResetCursor();
    model_.restore(load.game->state);
    if (model_.isOver()) {
        // A game that ended before its close is still there to review.
        finishedGame_ = model_.state().history;
        Menu_BestWords->setEnabled(true);
        Menu_NewGameClick();
        return;
    }
    ShowPreviewUnderPointer();
    // The computer had not answered yet: it answers now, once the window is up.
    if (model_.toMove() == Player::Computer)
        QTimer::singleShot(0, this, [this] {
            if (!closed_ && !Busy() && model_.toMove() == Player::Computer)
                StartComputerTurn(false);
        });
}

void TMainWindow::SaveGame() {
    if (model_.state().history.empty())
        return;
    const QByteArray bytes = SavedGameBytes(
        services_.words().Language, int(services_.game().MaxWordLength) - 2, model_.state());
    if (bytes == savedGame_)
        return;
    QString reason;
    if (WriteSavedGame(bytes, &reason)) {
        savedGame_ = bytes;
        return;
    }
    if (saveFailureShown_)
        return;
    saveFailureShown_ = true;
    // Reported after the change that caused it has run to its end.
    const QString text = QStringLiteral("Cannot save the game in \"%1\": %2")
                             .arg(QDir::toNativeSeparators(SavedGamePath()), reason);
    QTimer::singleShot(0, this, [text] { ShowErrorBox(text); });
}

void TMainWindow::Menu_TakeBackClick() {
    if (Busy() || !model_.canTakeBack())
        return;
    ResetCursor();
    model_.takeBack();
    ShowPreviewUnderPointer();
}

void TMainWindow::GameOver() {
    finishedGame_ = model_.state().history;
    Menu_BestWords->setEnabled(true);
    ShowNameEntry(dialogs_.AddRatingWindow(), model_.state().score(Player::Human),
                  model_.state().score(Player::Computer), model_.state().takenBack);
    dialogs_.WinnersWindow().exec();
    Menu_NewGameClick();
}

// The free cell under the pointer shows the chosen letter while the human is placing.
void TMainWindow::ShowPreviewUnderPointer() {
    if (pointer_.OverCell && pointer_.HoverCol >= 1 && pointer_.HoverCol <= kFieldSide &&
        pointer_.HoverRow >= 1 && pointer_.HoverRow <= kFieldSide)
        board_->setPreviewCell(pointer_.HoverCol, pointer_.HoverRow);
    else
        board_->setPreviewCell(0, 0);
}

void TMainWindow::RefreshWordAndHint() {
    const std::string word = turn_->running() ? turnWord_ : model_.word();
    Slowo->SetCaption(word);
    const QString spoken = accessibleTexts_.word + QStringLiteral(": ") +
                           (word.empty() ? accessibleTexts_.empty : Cp1251ToUnicode(word));
    if (Slowo->accessibleName() != spoken)
        Slowo->setAccessibleName(spoken);
    Menu_TakeBack->setEnabled(!turn_->running() && model_.canTakeBack());
    AdviceButton->setVisible(!model_.state().hintUsed);
}

// --- Timer -----------------------------------------------------------------------------------

void TMainWindow::MainTimerTimer() {
    tickCount_ = tickCount_ == kTicksPerCycle - 1 ? 0 : tickCount_ + 1;
    const float x = static_cast<float>(tickCount_) * 6.2832f / kTicksPerCycle;
    const QColor colour(127 + static_cast<int>(std::lround(126 * std::sin(x))),
                        127 + static_cast<int>(std::lround(126 * std::sin(x + 2.093f))),
                        127 + static_cast<int>(std::lround(126 * std::sin(x + 4.186f))));
    board_->paintPendingLetters(colour);
    face_->tick();
    turn_->tick();
}

void TMainWindow::SetTimerIntervalForTests(int ms) {
    MainTimer->setInterval(ms);
}

// --- Menu commands ----------------------------------------------------------------------------

void TMainWindow::Menu_RecordsClick() {
    dialogs_.WinnersWindow().exec();
}

void TMainWindow::Menu_ExitClick() {
    close();
}

// The textures window leaves the main window's input alone.
void TMainWindow::Menu_TexturesClick() {
    dialogs_.ImagesWindow().exec();
}

void TMainWindow::Menu_VisitClick() {
    OpenAddress(QString::fromLatin1(HomePageUrl));
}
void TMainWindow::Menu_Pelmarov1Click() {
    OpenAddress(QString::fromLatin1(AuthorSiteUrl1));
}
void TMainWindow::Menu_Pelmarov2Click() {
    OpenAddress(QString::fromLatin1(AuthorSiteUrl2));
}

void TMainWindow::Menu_Help1Click() {
    dialogs_.HowToPlayWindow().exec();
}

void TMainWindow::Menu_AboutClick() {
    dialogs_.AboutWindow().exec();
}

void TMainWindow::Menu_CreateShortcutClick() {
    const QString made = CreateDesktopShortcut();
    ShowMessageBox(Cp1251ToUnicode(services_.languageText("ShortcutMade"))
                       .arg(QDir::toNativeSeparators(made)));
}

void TMainWindow::OpenAddress(const QString& address) {
    const bool opened = webOpener_ ? webOpener_->Open(address) : OpenWebAddress(address);
    // Without a browser the player still learns the address.
    if (!opened)
        ShowErrorBox(Cp1251ToUnicode(services_.languageText("LinkFailed")).arg(address));
}

void TMainWindow::SetSoundChecked(bool on) {
    Menu_Sound->setChecked(on);
}
bool TMainWindow::SoundChecked() const {
    return Menu_Sound->isChecked();
}

// --- Close --------------------------------------------------------------------------------------

void TMainWindow::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TMainWindow::FormClose() {
    // Whatever runs stops here: no word is credited after the close.
    turn_->stop();
    face_->stopShake();
    closed_ = true;
    // A settings file that cannot be written is reported, and the close still completes.
    RunReportingErrors([this] { WriteSettings(services_, this); });
    // The records are written even when the settings could not be.
    RunReportingErrors([this] { WriteWinners(services_.winners()); });
}
