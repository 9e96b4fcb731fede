#include "app/MainUnit.h"

#include "app/PoleUnit.h"
#include "app/WordSheetsView.h"
#include "core/LanguageUnit.h"
#include "core/WordsUnit.h"
#include "extras/AboutUnit.h"
#include "extras/ChoiceUnit.h"
#include "extras/HowToPlayUnit.h"
#include "extras/ImagesUnit.h"
#include "extras/ImagesWindow.h"
#include "extras/ShortcutUnit.h"
#include "extras/SoundUnit.h"
#include "platform/Cp1251.h"
#include "platform/ErrorBox.h"
#include "platform/FileWriting.h"
#include "platform/Hooks.h"
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

QRandomGenerator GameRandom;

const char* const HomePageUrl = "https://vorda2000.example.org/";
const char* const HomePageAddress = "vorda2000.example.org";
const char* const AuthorSiteUrl1 = "https://letterworks.example.net/";
const char* const AuthorSiteUrl2 = "https://letterworks.example.com/";

namespace {

constexpr uint16_t kStartWordRow = 3;
const QColor kWordColour(200, 200, 255);
const QColor kWordShadow(100, 100, 255);
const QColor kScoreColour(128, 255, 128);
const QColor kSheetColour(255, 210, 210);

// Windows point sizes at 96 dots per inch, in pixels.
constexpr int pointsToPixels(int points) {
    return (points * 96 + 36) / 72;
}

QAction* addItem(QMenu* menu, const char* name, int image = -1) {
    QAction* item = menu->addAction(QString::fromLatin1(name));
    item->setObjectName(QString::fromLatin1(name));
    if (image >= 0)
        item->setIcon(QIcon(QStringLiteral(":/menu/%1").arg(image)));
    return item;
}

// A ticked item shows its picture with a mark over it: a check mark for an on/off item, a
// ring around the picture for one of a group (the language badges' letters stay clear). The menu
// shows the picture's "on" state for a ticked item, where the plain picture would only sit in a
// faint sunken frame.
void addTickedPicture(QAction* item, bool exclusive) {
    constexpr int kSide = 16;
    QIcon icon = item->icon();
    QPixmap picture = icon.pixmap(kSide, kSide);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor outline(0, 0, 0);
    const QColor mark(0, 200, 0);
    if (exclusive) {
        const QRectF ring(1, 1, kSide - 2, kSide - 2);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(outline, 2));
        painter.drawRoundedRect(ring, 3, 3);
        painter.setPen(QPen(mark, 1.5));
        painter.drawRoundedRect(ring.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    } else {
        const QPointF tick[] = {{2.5, 8.5}, {6.5, 13}, {14, 2.5}};
        painter.setPen(QPen(outline, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(tick, 3);
        painter.setPen(QPen(mark, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(tick, 3);
    }
    painter.end();
    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Selected})
        icon.addPixmap(picture, mode, QIcon::On);
    item->setIcon(icon);
}

QMenu* addSubmenu(QWidget* parent, const char* name) {
    auto* menu = new QMenu(QString::fromLatin1(name), parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

TMainWindow::TMainWindow(QWidget* parent) : QWidget(parent) {
    Hooks.MainWindow = this;
    setObjectName(QStringLiteral("MainWindow"));
    // The window draws its own caption bar and frame.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFont(CoolFont(11));
    CreateMenu();
    CreateControls();
    FormCreate();
    CreateDialogs();
}

TMainWindow::~TMainWindow() {
    qApp->removeEventFilter(this);
    Hooks.WordsLoaded = nullptr;
    Hooks.SoundSwitchedOn = nullptr;
    if (Hooks.SettingsView == this)
        Hooks.SettingsView = nullptr;
    for (auto& column : SheetLabels)
        for (auto*& label : column)
            label = nullptr;
    ScoreDisplays[1] = ScoreDisplays[2] = nullptr;
    for (auto& column : FieldGrid)
        for (auto*& cell : column)
            cell = nullptr;
    if (Hooks.DialogHost == this)
        Hooks.DialogHost = nullptr;
    if (Hooks.MainWindow == this)
        Hooks.MainWindow = nullptr;
}

// A menu command reports its errors itself, however it was triggered.
void TMainWindow::connectCommand(QAction* item, void (TMainWindow::*handler)()) {
    connect(item, &QAction::triggered, this,
            [this, handler] { RunReportingErrors([this, handler] { (this->*handler)(); }); });
}

void TMainWindow::CreateMenu() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setNativeMenuBar(false);

    Menu_Game = addSubmenu(this, "Menu_Game");
    Menu_NewGame = addItem(Menu_Game, "Menu_NewGame", 3);
    Menu_NewGame->setShortcut(QKeySequence(Qt::Key_F2));
    Menu_Records = addItem(Menu_Game, "Menu_Records");
    Menu_None1 = addItem(Menu_Game, "Menu_None1");
    Menu_Exit = addItem(Menu_Game, "Menu_Exit", 0);
    Menu_Exit->setShortcut(QKeySequence(Qt::Key_Escape));

    Menu_Options = addSubmenu(this, "Menu_Options");
    Menu_Chooselanguage = addSubmenu(this, "Menu_Chooselanguage");
    Menu_Options->addMenu(Menu_Chooselanguage);
    Menu_Russian = addItem(Menu_Chooselanguage, "Menu_Russian", 8);
    Menu_English = addItem(Menu_Chooselanguage, "Menu_English", 9);
    auto* languages = new QActionGroup(this);
    for (QAction* item : {Menu_Russian, Menu_English}) {
        item->setCheckable(true);
        languages->addAction(item);
        addTickedPicture(item, true);
    }
    Menu_Russian->setChecked(true);
    Menu_CPU = addItem(Menu_Options, "Menu_CPU", 5);
    Menu_Textures = addItem(Menu_Options, "Menu_Textures", 10);
    Menu_Sound = addItem(Menu_Options, "Menu_Sound", 4);
    // A click inverts the tick mark of the checkable item; sounds play while it is ticked.
    Menu_Sound->setCheckable(true);
    Menu_Sound->setChecked(true);
    addTickedPicture(Menu_Sound, false);

    Menu_Help = addSubmenu(this, "Menu_Help");
    Menu_Help1 = addItem(Menu_Help, "Menu_Help1", 1);
    Menu_Help1->setShortcut(QKeySequence(Qt::Key_F1));
    Menu_About = addItem(Menu_Help, "Menu_About", 2);
    Menu_About->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F1));
    Menu_none2 = addItem(Menu_Help, "Menu_none2");
    Menu_Visit = addItem(Menu_Help, "Menu_Visit", 6);
    Menu_Pelmarov1 = addItem(Menu_Help, "Menu_Pelmarov1");
    Menu_Pelmarov1->setIcon(QIcon(QStringLiteral(":/menu/SITE1")));
    Menu_Pelmarov2 = addItem(Menu_Help, "Menu_Pelmarov2");
    Menu_Pelmarov2->setIcon(QIcon(QStringLiteral(":/menu/SITE2")));
    Menu_CreateShortcut = addItem(Menu_Help, "Menu_CreateShortcut", 7);

    for (QMenu* menu : {Menu_Game, Menu_Options, Menu_Help})
        MainMenu1->addMenu(menu);

    // Shortcuts work while the pointer is anywhere in the window.
    for (QAction* item : {Menu_NewGame, Menu_Exit, Menu_Help1, Menu_About})
        addAction(item);

    connectCommand(Menu_NewGame, &TMainWindow::Menu_NewGameClick);
    connectCommand(Menu_Records, &TMainWindow::Menu_RecordsClick);
    connectCommand(Menu_Exit, &TMainWindow::Menu_ExitClick);
    connectCommand(Menu_Russian, &TMainWindow::Menu_RussianClick);
    connectCommand(Menu_English, &TMainWindow::Menu_EnglishClick);
    connectCommand(Menu_CPU, &TMainWindow::Menu_CPUClick);
    connectCommand(Menu_Textures, &TMainWindow::Menu_TexturesClick);
    connectCommand(Menu_Visit, &TMainWindow::Menu_VisitClick);
    connectCommand(Menu_Pelmarov1, &TMainWindow::Menu_Pelmarov1Click);
    connectCommand(Menu_Pelmarov2, &TMainWindow::Menu_Pelmarov2Click);
    connectCommand(Menu_Help1, &TMainWindow::Menu_Help1Click);
    connectCommand(Menu_About, &TMainWindow::Menu_AboutClick);
    connectCommand(Menu_CreateShortcut, &TMainWindow::Menu_CreateShortcutClick);
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

    Score1 = new TCoolLabel(Hook);
    Score1->setGeometry(135, 50, 30, 20);
    Score2 = new TCoolLabel(Hook);
    Score2->setGeometry(420, 50, 30, 20);
    for (TCoolLabel* score : {Score1, Score2}) {
        score->SetAlignment(Qt::AlignCenter);
        score->SetTransparent(true);
        score->setFont(CoolFont(16));
        score->SetFontColor(kScoreColour);
    }
    ScoreDisplays[1] = Score1;
    ScoreDisplays[2] = Score2;

    CPUface = new QLabel(Hook);
    CPUface->setGeometry(457, 8, 100, 70);
    CPUface->setAlignment(Qt::AlignCenter);
    CoolBevel1 = new TCoolBevel(Hook);
    CoolBevel1->setGeometry(455, 6, 104, 74);

    CoolPanel1 = new TCoolPanel(Hook);
    CoolPanel1->setGeometry(25, 85, 140, 205);
    CoolPanel2 = new TCoolPanel(Hook);
    CoolPanel2->setGeometry(420, 85, 140, 205);
    for (TCoolPanel* panel : {CoolPanel1, CoolPanel2})
        panel->SetBevels(BevelKind::Lowered, BevelKind::Raised);

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

    MainTimer = new QTimer(this);
    MainTimer->setInterval(kMainTimerInterval);
    connect(MainTimer, &QTimer::timeout, this, &TMainWindow::MainTimerTimer);
    MainTimer->start();
}

void TMainWindow::FormCreate() {
    // VORDA2000_SEED fixes the deal, for pictures of the game that stay the same.
    bool fixedSeed = false;
    const uint seed = qEnvironmentVariableIntValue("VORDA2000_SEED", &fixedSeed);
    GameRandom.seed(fixedSeed ? seed : static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
    Game.MainInputEnabled = true;
    ShowFace(QStringLiteral("CPU00"));
    RegisterTextureClient(this, [this] { ApplyMainTextures(); });
    ApplyTextures();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - kOuterWidth) / 2, (area.height() - kOuterHeight) / 2 - 20);
    }
    qApp->installEventFilter(this);
    CreateWordLabels();
    CreateLetterButtons();
    CreateCells();
    Hooks.SettingsView = this;
    Hooks.DialogHost = this;
    Hooks.SoundSwitchedOn = [this] { return Menu_Sound->isChecked(); };
    Hooks.WordsLoaded = [this](const TWords& words) { RefreshLanguageItems(words); };

    // The steps that read files. Each reports its own failure and the others still run, so a
    // damaged or missing file costs only what it holds.
    for (const QString& path :
         {SettingsFile.FileName(), RecordsPath(), LibraryPath(1), LibraryPath(2)})
        RemoveStaleTemporaryFiles(path);
    RunReportingErrors([] { ReadWinners(); });
    {
        // The settings, the check of the language's texts and the language items' captions
        // after each library load share one reading of the settings file.
        const TVordaIniFile::ReadingScope reading(SettingsFile);
        RunReportingErrors([] { ReadSettings(); });
        RunReportingErrors([] { CheckLanguageTexts(); });
        Normalize_Letters();
        // The other language's library is read only for its count in the language item: the
        // current language stays what the settings say, whatever happens to that file.
        RunReportingErrors(
            [] { LoadWordCount(Words, Words.Language == kRussian ? kEnglish : kRussian); });
        RunReportingErrors([this] {
            LoadWords(Words);
            Menu_NewGameClick();
        });
    }
    RunReportingErrors([] { LoadTextures(); });
    ApplyTextures();
}

// Every dialog of the game is made here, once, and lives as long as the main window; each
// enters itself in Dialogs.
void TMainWindow::CreateDialogs() {
    // The textures window makes the textures folder the current directory: the sound effects
    // are found in its "sounds" folder.
    new TImagesWindow(this);
    new TSetCPUWindow(this);
    new TChoiceWindow(this);
    new TWinnersWindow(this);
    new TAddRatingWindow(this);
    new TAboutWindow(this);
    new THowToPlayWindow(this);
}

void TMainWindow::CreateWordLabels() {
    TCoolPanel* panels[3] = {nullptr, CoolPanel1, CoolPanel2};
    for (int player = 1; player <= 2; ++player) {
        for (int line = 1; line <= kSheetLines; ++line) {
            auto* label = new TCoolLabel(panels[player]);
            label->setGeometry(5, 4 + 13 * (line - 1), 130, 13);
            label->SetAlignment(Qt::AlignCenter);
            label->SetTransparent(true);
            label->SetSimpleView(true);
            label->setFont(CoolFont(pointsToPixels(10), true));
            label->SetFontColor(kSheetColour);
            label->show();
            SheetLabels[player][line] = label;
        }
    }
}

void TMainWindow::CreateLetterButtons() {
    for (int i = 1; i <= kLetterButtons; ++i) {
        auto* button = new TCoolBtn(Hook);
        button->resize(34, 34);
        button->SetRounded(true);
        button->SetSimpleView(true);
        button->setFont(CoolFont(pointsToPixels(16), true));
        button->SetFontColor(Qt::yellow);
        connect(button, &TCoolBtn::mouseDown, this, [this, button] { lettersOnMouseDown(button); });
        button->show();
        LetterButtons[i] = button;
    }
}

void TMainWindow::CreateCells() {
    for (int c = 1; c <= kFieldSide; ++c) {
        for (int r = 1; r <= kFieldSide; ++r) {
            auto* cell = new Tpole(Hook);
            cell->Col = static_cast<uint16_t>(c);
            cell->Row = static_cast<uint16_t>(r);
            cell->Selected = true;
            cell->setGeometry(kOuterWidth / 2 - 100 + 40 * (c - 1), 88 + 40 * (r - 1), 40, 40);
            cell->SetBevels(BevelKind::Raised, BevelKind::Raised);
            cell->SetSimpleView(true);
            cell->SetAlignment(Qt::AlignCenter);
            cell->setFont(CoolFont(pointsToPixels(19)));
            cell->SetFontColor(Qt::black);
            connect(cell, &Tpole::clicked, this, &TMainWindow::poleOnClick);
            connect(cell, &Tpole::mouseEntered, this, &TMainWindow::PointerEnteredCell);
            connect(cell, &Tpole::mouseLeft, this, &TMainWindow::PointerLeftCell);
            cell->show();
            FieldGrid[c][r] = cell;
        }
    }
    CreateCursorFrame();
}

void TMainWindow::ApplyMainTextures() {
    Hook->SetWallpaper(GetTexture(kMainWallSlot));
    CoolPanel1->SetWallpaper(GetTexture(kWordSheetSlot));
    CoolPanel2->SetWallpaper(CoolPanel1->Wallpaper());
    Slowo->SetWallpaper(GetTexture(kWordDisplaySlot));
    SkipButton->SetWallpaper(GetTexture(kButtonsSlot));
    AdviceButton->SetWallpaper(GetTexture(kButtonsSlot));
    for (TCoolBtn* button : LetterButtons)
        if (button)
            button->SetWallpaper(GetTexture(
                button->Caption() == Game.ChosenLetter ? kChosenLetterSlot : kLetterSlot));
    ForEachCell([](Tpole* cell) {
        if (cell)
            cell->SetWallpaper(GetTexture(cell->Selected ? kSelectedCellSlot : kCellSlot));
    });
}

void TMainWindow::SetMainInputEnabled(bool enabled) {
    Game.MainInputEnabled = enabled;
}

QRandomGenerator& TMainWindow::Random() {
    return GameRandom;
}

void TMainWindow::ShowFace(const QString& name) {
    faceName_ = name;
    CPUface->setPixmap(QPixmap::fromImage(LoadResourceBitmap(name)));
}

// --- New game and the end of a game ----------------------------------------------------------

void TMainWindow::Menu_NewGameClick() {
    // Without a five-letter word no game starts, and the one on the board stays.
    CheckStartWords(Words);
    ++gameNumber_;
    ResetCursor();
    ClearPlayedWords();
    Slowo->SetCaption(std::string());
    AdviceButton->setVisible(true);
    const WordList& fiveLetterWords = Words.Lists[kFieldSide];
    const std::string& startWord =
        fiveLetterWords.At(static_cast<int>(GameRandom.bounded(quint32(fiveLetterWords.Count()))));
    PushPlayedWord(startWord);
    ForEachCell([&startWord](Tpole* cell) {
        // The start word fills the middle row.
        if (cell->Row == kStartWordRow) {
            cell->SetCaption(startWord.substr(static_cast<size_t>(cell->Col - 1), 1));
            cell->Filled = true;
        } else {
            cell->SetCaption(std::string());
            cell->Filled = false;
        }
        cell->Unselect();
    });
    ShowPreviewUnderPointer();
    Game.InputPhase = kPlacingPhase;
    // Two turns in a row without a word end a game, never turns of the game before.
    Game.PassCount = 0;
    ClearSheets();
}

bool TMainWindow::GameEnded() const {
    return ::GameEnded(FieldLetters(), Game.PassCount);
}

void TMainWindow::GameOver() {
    if (closingDown_)
        return;
    ShowNameEntry();
    ShowRecordsWindow();
    Menu_NewGameClick();
}

// The free cell under the pointer shows the chosen letter while the human is placing.
void TMainWindow::ShowPreviewUnderPointer() {
    if (!Game.OverCell || Game.ChosenLetter.empty() || Game.HoverCol < 1 ||
        Game.HoverCol > kFieldSide || Game.HoverRow < 1 || Game.HoverRow > kFieldSide)
        return;
    Tpole* cell = FieldGrid[Game.HoverCol][Game.HoverRow];
    if (cell->Caption().empty() && !cell->Filled)
        cell->SetCaption(Game.ChosenLetter);
}

// --- Timer -----------------------------------------------------------------------------------

void TMainWindow::MainTimerTimer() {
    Game.TickCount = Game.TickCount == kTicksPerCycle - 1 ? 0 : Game.TickCount + 1;
    const float x = static_cast<float>(Game.TickCount) * 6.2832f / kTicksPerCycle;
    const QColor colour(127 + static_cast<int>(std::lround(126 * std::sin(x))),
                        127 + static_cast<int>(std::lround(126 * std::sin(x + 2.093f))),
                        127 + static_cast<int>(std::lround(126 * std::sin(x + 4.186f))));
    ForEachCell([&colour](Tpole* cell) {
        if (cell && !cell->Filled && !cell->Caption().empty() && !cell->Selected)
            cell->SetFontColor(colour);
    });
}

void TMainWindow::SetTimerIntervalForTests(int ms) {
    MainTimer->setInterval(ms);
}

// --- Menu commands ----------------------------------------------------------------------------

void TMainWindow::Menu_RecordsClick() {
    ShowRecordsWindow();
}

void TMainWindow::Menu_ExitClick() {
    close();
}

void TMainWindow::Menu_RussianClick() {
    SwitchLanguage(kRussian);
}
void TMainWindow::Menu_EnglishClick() {
    SwitchLanguage(kEnglish);
}

void TMainWindow::SwitchLanguage(uint16_t language) {
    QAction* item = language == kRussian ? Menu_Russian : Menu_English;
    QAction* other = language == kRussian ? Menu_English : Menu_Russian;
    // The radio group has already moved the check mark when the item was triggered; the
    // language in use tells whether this is a change.
    if (Words.Language == language) {
        item->setChecked(true);
        return;
    }
    // Until the switch has succeeded the old language keeps its mark.
    other->setChecked(true);
    // What can fail comes first: the new library is read and checked aside, then the settings
    // are written. Only then does the game change language, so a failure leaves the language,
    // the captions, the game on the board and the settings file as they were.
    const QString russianItem = Menu_Russian->text();
    const QString englishItem = Menu_English->text();
    const uint16_t oldLanguage = Words.Language;
    const std::string oldSection = Words.LanguageSection;
    TWords next;
    next.Language = language;
    std::copy(std::begin(Words.WordCount), std::end(Words.WordCount), next.WordCount);
    try {
        LoadWords(next);
        CheckStartWords(next);
        Words.Language = language;
        Words.LanguageSection = LanguageOf(language).Section;
        WriteSettings();
    } catch (...) {
        Words.Language = oldLanguage;
        Words.LanguageSection = oldSection;
        // The load showed the new count already.
        Menu_Russian->setText(russianItem);
        Menu_English->setText(englishItem);
        throw;
    }
    std::swap(Words.Lists, next.Lists);
    Words.FileName = next.FileName;
    Words.WordCount[language] = next.WordCount[language];
    item->setChecked(true);
    {
        const TVordaIniFile::ReadingScope reading(SettingsFile);
        ReadSettings();
        RunReportingErrors([] { CheckLanguageTexts(); });
    }
    Menu_NewGameClick();
    Normalize_Letters();
    Game.ChosenLetter.clear();
}

// The textures window leaves the main window's input alone.
void TMainWindow::Menu_TexturesClick() {
    ShowTexturesWindow();
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
    ShowHelpWindow();
}

void TMainWindow::Menu_AboutClick() {
    ShowAboutWindow();
}

void TMainWindow::Menu_CreateShortcutClick() {
    const QString made = CreateDesktopShortcut();
    ShowMessageBox(
        Cp1251ToUnicode(LanguageText("ShortcutMade")).arg(QDir::toNativeSeparators(made)));
}

void TMainWindow::OpenAddress(const QString& address) {
    const bool opened = webOpener_ ? webOpener_->Open(address) : OpenWebAddress(address);
    // Without a browser the player still learns the address.
    if (!opened)
        ShowErrorBox(Cp1251ToUnicode(LanguageText("LinkFailed")).arg(address));
}

// --- Language texts ---------------------------------------------------------------------------

void TMainWindow::CheckEnglishItem() {
    Menu_English->setChecked(true);
}

void TMainWindow::SetMenuText(QAction* item, const char* key) {
    const std::string text = LanguageText(key);
    // A separator is an item whose text is "-". It keeps no text: the menu would draw it
    // before the line.
    const bool separator = text == "-";
    item->setSeparator(separator);
    item->setText(separator ? QString() : Cp1251ToUnicode(text));
}

void TMainWindow::ApplyMenuTexts() {
    setWindowTitle(Cp1251ToUnicode(LanguageText("Title")));
    for (QMenu* menu : {Menu_Game, Menu_Options, Menu_Chooselanguage, Menu_Help})
        menu->setTitle(Cp1251ToUnicode(LanguageText(menu->objectName().toStdString())));
    for (QAction* item : {Menu_NewGame, Menu_Records, Menu_None1, Menu_Exit, Menu_CPU,
                          Menu_Textures, Menu_Sound, Menu_Help1, Menu_About, Menu_none2, Menu_Visit,
                          Menu_Pelmarov1, Menu_Pelmarov2, Menu_CreateShortcut})
        SetMenuText(item, item->objectName().toLatin1().constData());
    RefreshLanguageItems(Words);
}

void TMainWindow::RefreshLanguageItems(const TWords& words) {
    Menu_Russian->setText(
        Cp1251ToUnicode(LanguageText("Menu_Russian") + " " + std::to_string(words.WordCount[1])));
    Menu_English->setText(
        Cp1251ToUnicode(LanguageText("Menu_English") + " " + std::to_string(words.WordCount[2])));
}

void TMainWindow::ApplyButtonTexts() {
    SkipButton->SetCaption(LanguageText("SkipButton"));
    AdviceButton->SetCaption(LanguageText("AdviceButton"));
    FitCaptionFonts({SkipButton, AdviceButton});
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
    closingDown_ = true;
    // A settings file that cannot be written is reported, and the close still completes.
    RunReportingErrors([] { WriteSettings(); });
    // The records are written even when the settings could not be.
    RunReportingErrors([] { WriteWinners(); });
}
