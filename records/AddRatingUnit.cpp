#include "records/AddRatingUnit.h"

#include "core/GameState.h"
#include "extras/GameServices.h"
#include "extras/ImagesUnit.h"
#include "extras/SoundUnit.h"
#include "platform/Cp1251.h"
#include "platform/ErrorBox.h"
#include "records/WinnersUnit.h"
#include "settings/INIUnit.h"
#include "skin/CoolControls.h"
#include "skin/CoolEdit.h"

#include <QTimer>

#include <cstdlib>

namespace {
constexpr int kWindowWidth = 292;
constexpr int kWindowHeight = 133;
constexpr int kTooBadPixels = 32;
constexpr int kTakenBackPixels = 15;

void showFace(TDialogHost* host, const QString& name) {
    if (host)
        host->ShowFace(name);
}
} // namespace

TAddRatingWindow::TAddRatingWindow(QWidget* parent, GameServices& services)
    : TCoolDialog(parent, "AddRatingWindow", kWindowWidth, kWindowHeight, MainInput::Blocked),
      services_(services) {
    // Under every other control and deaf to the mouse: it covers the whole window.
    CoolLabel3 = new TCoolLabel(Hook);
    CoolLabel3->setGeometry(0, 0, kWindowWidth, kWindowHeight);
    CoolLabel3->setAttribute(Qt::WA_TransparentForMouseEvents);
    CoolLabel3->setFont(CoolFont(kTooBadPixels));
    CoolLabel3->SetCaption("Too bad !");

    CoolLabel1 = new TCoolLabel(Hook);
    CoolLabel1->setGeometry(0, 20, kWindowWidth, 16);
    CoolLabel2 = new TCoolLabel(Hook);
    CoolLabel2->setGeometry(15, 65, 161, 14);
    for (TCoolLabel* label : {CoolLabel1, CoolLabel2})
        label->setFont(CoolFont(13, true));
    for (TCoolLabel* label : {CoolLabel3, CoolLabel1, CoolLabel2}) {
        label->SetTransparent(true);
        label->SetAlignment(Qt::AlignCenter);
        label->SetFontColor(Qt::black);
    }

    Edit1 = new TCoolEdit(Hook);
    Edit1->setGeometry(15, 90, 160, 22);
    Edit1->setFont(CoolFont(13));
    Edit1->SetFontColor(Qt::white);
    Edit1->SetCp1251Only();

    CoolOkButton = MakeOkButton(QRect(220, 80, 40, 40));
    // Enter in the name box closes the window as OK does.
    SetDefaultButton(CoolOkButton);

    Timer1 = new QTimer(this);
    Timer1->setInterval(kFaceTimerInterval);
    connect(Timer1, &QTimer::timeout, this, &TAddRatingWindow::Timer1Timer);
    Timer1->start();

    FollowTextures();
}

void TAddRatingWindow::ApplyWindowTextures() {
    Edit1->SetWallpaper(GetTexture(kTextAreaSlot));
}

int32_t TAddRatingWindow::Result() const {
    return int32_t(HumanScore) - int32_t(ComputerScore);
}

void TAddRatingWindow::FormActivate() {
    const int32_t result = Result();
    // Without a list for the current strength no result can enter one.
    const WinnerEntry* list = CurrentWinnersList(services_);
    // A game with a move taken back enters no list; the window says so in its large line.
    const bool qualifies = !TakenBack && list && result >= list[kRecordPlaces].Score;
    CoolLabel3->setFont(CoolFont(TakenBack ? kTakenBackPixels : kTooBadPixels));
    Edit1->setVisible(qualifies);
    CoolLabel2->setVisible(qualifies);
    CoolLabel3->setVisible(!qualifies);
    services_.sound().play(qualifies ? kSoundWinner : kSoundLoser);
    if (ComputerScore > HumanScore)
        FaceAnimating = true;
    else
        showFace(Host(), QStringLiteral("CPU31"));
    setWindowTitle(Cp1251ToUnicode(services_.languageText("GameOver")));
    Edit1->SetText(services_.languageText("Anonimous"));
    CoolLabel1->SetCaption(services_.languageText("AddRating1") + " " + std::to_string(result));
    CoolLabel2->SetCaption(services_.languageText("AddRating2"));
    CoolLabel3->SetCaption(services_.languageText(TakenBack ? "TakenBackNoRecords" : "AddRating3"));
    if (qualifies) {
        // Typing replaces the offered name at once.
        Edit1->setFocus();
        Edit1->selectAll();
    }
}

void TAddRatingWindow::Timer1Timer() {
    if (!FaceAnimating)
        return;
    FaceFrame = FaceFrame <= 8 ? FaceFrame + 1 : 1;
    if (FaceFrame == 6)
        FaceFrame = 8;
    const int picture = 5 - std::abs(int(FaceFrame) - 5);
    showFace(Host(), QStringLiteral("CPU5%1").arg(picture));
}

void TAddRatingWindow::FormDeactivate() {
    FaceAnimating = false;
    showFace(Host(), QStringLiteral("CPU00"));
    if (TakenBack)
        return;
    AddToWinners(services_, Result(), Edit1->Text());
    // Stored at once: another copy of the game on the same folder merges it into its own.
    RunReportingErrors([this] { WriteWinners(services_.winners()); });
}

void ShowNameEntry(TAddRatingWindow& window, uint16_t humanScore, uint16_t computerScore,
                   bool takenBack) {
    window.HumanScore = humanScore;
    window.ComputerScore = computerScore;
    window.TakenBack = takenBack;
    window.exec();
}
