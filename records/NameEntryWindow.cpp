#include "records/NameEntryWindow.h"

#include "core/GameState.h"
#include "extras/GameServices.h"
#include "extras/SoundEffects.h"
#include "extras/TextureChoice.h"
#include "platform/Cp1251.h"
#include "platform/ErrorBox.h"
#include "records/RecordsTable.h"
#include "settings/SettingsFile.h"
#include "skin/CoolControls.h"
#include "skin/CoolEdit.h"

#include <QTimer>

#include <cstdlib>

namespace {
constexpr int kWindowWidth = 292;
constexpr int kWindowHeight = 133;
constexpr int kTooBadPixels = 32;
constexpr int kTakenBackPixels = 15;

void showFace(DialogHost* host, const QString& name) {
    if (host)
        host->showFace(name);
}
} // namespace

NameEntryWindow::NameEntryWindow(QWidget* parent, GameServices& services)
    : CoolDialog(parent, "AddRatingWindow", kWindowWidth, kWindowHeight, MainInput::Blocked),
      services_(services) {
    // Under every other control and deaf to the mouse: it covers the whole window.
    tooBadLabel = new CoolLabel(clientArea);
    tooBadLabel->setGeometry(0, 0, kWindowWidth, kWindowHeight);
    tooBadLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    tooBadLabel->setFont(coolFont(kTooBadPixels));
    tooBadLabel->setCaption("Too bad !");

    resultLabel = new CoolLabel(clientArea);
    resultLabel->setGeometry(0, 20, kWindowWidth, 16);
    promptLabel = new CoolLabel(clientArea);
    promptLabel->setGeometry(15, 65, 161, 14);
    for (CoolLabel* label : {resultLabel, promptLabel})
        label->setFont(coolFont(13, true));
    for (CoolLabel* label : {tooBadLabel, resultLabel, promptLabel}) {
        label->setTransparent(true);
        label->setAlignment(Qt::AlignCenter);
        label->setFontColor(Qt::black);
    }

    nameEdit = new CoolEdit(clientArea);
    nameEdit->setGeometry(15, 90, 160, 22);
    nameEdit->setFont(coolFont(13));
    nameEdit->setFontColor(Qt::white);
    nameEdit->setCp1251Only();

    okButton = makeOkButton(QRect(220, 80, 40, 40));
    // Enter in the name box closes the window as OK does.
    setDefaultButton(okButton);

    faceTimer = new QTimer(this);
    faceTimer->setInterval(kFaceTimerInterval);
    connect(faceTimer, &QTimer::timeout, this, &NameEntryWindow::animateFace);
    faceTimer->start();

    followTextures();
}

void NameEntryWindow::applyWindowTextures() {
    nameEdit->setWallpaper(getTexture(kTextAreaSlot));
}

int32_t NameEntryWindow::gameResult() const {
    return int32_t(humanScore) - int32_t(computerScore);
}

void NameEntryWindow::prepareToShow() {
    const int32_t result = gameResult();
    // Without a list for the current strength no result can enter one.
    const RecordEntry* list = currentWinnersList(services_);
    // A game with a move taken back enters no list; the window says so in its large line.
    const bool qualifies = !takenBack && list && result >= list[kRecordPlaces].score;
    tooBadLabel->setFont(coolFont(takenBack ? kTakenBackPixels : kTooBadPixels));
    nameEdit->setVisible(qualifies);
    promptLabel->setVisible(qualifies);
    tooBadLabel->setVisible(!qualifies);
    services_.sound().play(qualifies ? kSoundWinner : kSoundLoser);
    if (computerScore > humanScore)
        faceAnimating = true;
    else
        showFace(host(), QStringLiteral("CPU31"));
    setWindowTitle(cp1251ToUnicode(services_.languageText("GameOver")));
    nameEdit->setCp1251Text(services_.languageText("Anonimous"));
    resultLabel->setCaption(services_.languageText("AddRating1") + " " + std::to_string(result));
    promptLabel->setCaption(services_.languageText("AddRating2"));
    tooBadLabel->setCaption(
        services_.languageText(takenBack ? "TakenBackNoRecords" : "AddRating3"));
    if (qualifies) {
        // Typing replaces the offered name at once.
        nameEdit->setFocus();
        nameEdit->selectAll();
    }
}

void NameEntryWindow::animateFace() {
    if (!faceAnimating)
        return;
    faceFrame = faceFrame <= 8 ? faceFrame + 1 : 1;
    if (faceFrame == 6)
        faceFrame = 8;
    const int picture = 5 - std::abs(int(faceFrame) - 5);
    showFace(host(), QStringLiteral("CPU5%1").arg(picture));
}

void NameEntryWindow::afterHide() {
    faceAnimating = false;
    showFace(host(), QStringLiteral("CPU00"));
    if (takenBack)
        return;
    addRecord(services_, gameResult(), nameEdit->cp1251Text());
    // Stored at once: another copy of the game on the same folder merges it into its own.
    runReportingErrors([this] { writeWinners(services_.winners()); });
}

void showNameEntry(NameEntryWindow& window, uint16_t humanScore, uint16_t computerScore,
                   bool takenBack) {
    window.humanScore = humanScore;
    window.computerScore = computerScore;
    window.takenBack = takenBack;
    window.show();
}
