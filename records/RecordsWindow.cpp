// The records window: the current list, and the clearing of it or of every list.
#include "records/RecordsTable.h"

#include "core/GameState.h"
#include "core/LanguageTable.h"
#include "core/WordLibrary.h"
#include "extras/GameDialogs.h"
#include "extras/GameServices.h"
#include "extras/QuestionWindow.h"
#include "extras/TextureChoice.h"
#include "platform/Cp1251.h"
#include "settings/SettingsFile.h"
#include "skin/CoolControls.h"

namespace {

bool anyEntryFilled(const RecordsTable& records) {
    for (int language = 1; language <= kRecordLanguages; ++language)
        for (int strength = 1; strength <= kRecordStrengths; ++strength)
            for (int place = 1; place <= kRecordPlaces; ++place)
                if (!isEmptyEntry(records.lists[language][strength][place]))
                    return true;
    return false;
}

const QColor kScoreColour(255, 255, 255);
const QColor kNameColour(200, 255, 210);
const QColor kGradientStart(255, 215, 0);
const QColor kGradientEnd(255, 165, 0);
constexpr int kWindowWidth = 292;
constexpr int kWindowHeight = 357;
constexpr int kListFrameLeft = 15, kListFrameTop = 15, kListFrameWidth = 265,
              kListFrameHeight = 250;
constexpr int kColumnLine = 85;
constexpr int kRowHeight = 25;
constexpr int kLabelPixels = 19;       // "Default" at 14 points
constexpr int kClearButtonPixels = 11; // "Default" at 8 points, the buttons' own size

} // namespace

std::string recordsListName(const GameServices& services) {
    const std::string language =
        services.languageText(languageOf(services.words().language).menuItem);
    return language + ", " + services.languageText("Strength") + " " +
           std::to_string(int(services.game().maxWordLength) - 2);
}

RecordsWindow::RecordsWindow(QWidget* parent, GameDialogs& dialogs)
    : CoolDialog(parent, "WinnersWindow", kWindowWidth, kWindowHeight, MainInput::Blocked),
      dialogs_(dialogs) {
    // The frame first, so the labels lie on its wallpaper.
    frameBevel = new CoolBevel(clientArea);
    frameBevel->setGeometry(kListFrameLeft, kListFrameTop, kListFrameWidth, kListFrameHeight);
    // Two pixels wide: a light and a dark column, a raised line between the columns.
    dividerBevel = new CoolBevel(clientArea);
    dividerBevel->setGeometry(kColumnLine, kListFrameTop + 2, 2, kListFrameHeight - 4);

    const int scoreWidth = kColumnLine - kListFrameLeft;
    const int nameWidth = kListFrameWidth - scoreWidth;
    for (int row = 1; row <= kRecordPlaces; ++row) {
        const int y = kListFrameTop + kRowHeight * (row - 1);
        auto* score = new CoolLabel(clientArea);
        score->setGeometry(kListFrameLeft, y, scoreWidth, kRowHeight);
        score->setFontColor(kScoreColour);
        auto* name = new CoolLabel(clientArea);
        name->setGeometry(kColumnLine, y, nameWidth, kRowHeight);
        name->setFontColor(kNameColour);
        name->setElided(true);
        for (CoolLabel* label : {score, name}) {
            label->setTransparent(true);
            label->setAlignment(Qt::AlignCenter);
            label->setFont(coolFont(kLabelPixels));
        }
        scoreLabels[row] = score;
        nameLabels[row] = name;
    }

    clearListButton = new CoolButton(clientArea);
    clearListButton->setGeometry(15, 280, 120, 25);
    clearAllButton = new CoolButton(clientArea);
    clearAllButton->setGeometry(15, 320, 120, 25);
    for (CoolButton* button : {clearListButton, clearAllButton}) {
        button->setGradient(kGradientStart, kGradientEnd);
        button->setFocusPolicy(Qt::TabFocus);
        button->setFont(coolFont(kClearButtonPixels));
    }
    connect(clearListButton, &QAbstractButton::clicked, this, &RecordsWindow::clearThisList);
    connect(clearAllButton, &QAbstractButton::clicked, this, &RecordsWindow::clearAllLists);

    okButton = makeOkButton(QRect(200, 293, 40, 40));

    followTextures();
}

void RecordsWindow::applyWindowTextures() {
    frameBevel->setWallpaper(getTexture(kButtonsSlot));
}

void RecordsWindow::prepareToShow() {
    const RecordEntry* list = currentWinnersList(dialogs_.services());
    clearListButton->setEnabled(list && !isEmptyEntry(list[1]));
    clearAllButton->setEnabled(anyEntryFilled(dialogs_.services().winners()));
    clearListButton->setCaption(dialogs_.services().languageText("WinnersButton1"));
    clearAllButton->setCaption(dialogs_.services().languageText("WinnersButton2"));
    fitCaptionFonts({clearListButton, clearAllButton});
    setWindowTitle(dialogTitle(dialogs_.services().languageText("Menu_Records")) +
                   QStringLiteral(" \u2014 ") +
                   cp1251ToUnicode(recordsListName(dialogs_.services())));
    for (int row = 1; row <= kRecordPlaces; ++row) {
        if (!list) {
            scoreLabels[row]->setCaption(std::string());
            nameLabels[row]->setCaption(std::string());
            continue;
        }
        const RecordEntry& entry = list[row];
        scoreLabels[row]->setCaption(isEmptyEntry(entry) ? std::string()
                                                         : std::to_string(entry.score));
        nameLabels[row]->setCaption(entry.name);
    }
}

void RecordsWindow::confirmClearing(const CoolButton* button, void (*clear)(GameServices&)) {
    QuestionWindow& question = dialogs_.choiceWindow();
    connect(
        &question, &QDialog::finished, this,
        [this, clear](int answer) {
            // The question's own close gave the main window its input back; this window is
            // still up.
            setMainInputEnabled(false);
            // Only Yes clears: Esc or closing the question keeps every record.
            if (answer != kChoiceYes)
                return;
            clear(dialogs_.services());
            prepareToShow();
        },
        Qt::SingleShotConnection);
    showChoiceWindow(question, button->caption(), dialogs_.services().languageText("Sure"));
}

void RecordsWindow::clearThisList() {
    confirmClearing(clearListButton, &clearCurrentWinners);
}

void RecordsWindow::clearAllLists() {
    confirmClearing(clearAllButton,
                    [](GameServices& services) { clearAllWinners(services.winners()); });
}
