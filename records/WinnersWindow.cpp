// The records window: the current list, and the clearing of it or of every list.
#include "records/WinnersUnit.h"

#include "core/GameState.h"
#include "core/LanguageUnit.h"
#include "core/WordsUnit.h"
#include "extras/ChoiceUnit.h"
#include "extras/GameDialogs.h"
#include "extras/GameServices.h"
#include "extras/ImagesUnit.h"
#include "platform/Cp1251.h"
#include "settings/INIUnit.h"
#include "skin/CoolControls.h"

namespace {

bool AnyEntryFilled(const WinnersTable& records) {
    for (int language = 1; language <= kRecordLanguages; ++language)
        for (int strength = 1; strength <= kRecordStrengths; ++strength)
            for (int place = 1; place <= kRecordPlaces; ++place)
                if (!IsEmptyEntry(records.lists[language][strength][place]))
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

std::string RecordsListName(const GameServices& services) {
    const std::string language =
        services.languageText(LanguageOf(services.words().Language).MenuItem);
    return language + ", " + services.languageText("Strength") + " " +
           std::to_string(int(services.game().MaxWordLength) - 2);
}

TWinnersWindow::TWinnersWindow(QWidget* parent, TGameDialogs& dialogs)
    : TCoolDialog(parent, "WinnersWindow", kWindowWidth, kWindowHeight, MainInput::Blocked),
      dialogs_(dialogs) {
    // The frame first, so the labels lie on its wallpaper.
    Bevel1 = new TCoolBevel(Hook);
    Bevel1->setGeometry(kListFrameLeft, kListFrameTop, kListFrameWidth, kListFrameHeight);
    // Two pixels wide: a light and a dark column, a raised line between the columns.
    Bevel2 = new TCoolBevel(Hook);
    Bevel2->setGeometry(kColumnLine, kListFrameTop + 2, 2, kListFrameHeight - 4);

    const int scoreWidth = kColumnLine - kListFrameLeft;
    const int nameWidth = kListFrameWidth - scoreWidth;
    for (int row = 1; row <= kRecordPlaces; ++row) {
        const int y = kListFrameTop + kRowHeight * (row - 1);
        auto* score = new TCoolLabel(Hook);
        score->setGeometry(kListFrameLeft, y, scoreWidth, kRowHeight);
        score->SetFontColor(kScoreColour);
        auto* name = new TCoolLabel(Hook);
        name->setGeometry(kColumnLine, y, nameWidth, kRowHeight);
        name->SetFontColor(kNameColour);
        name->SetElided(true);
        for (TCoolLabel* label : {score, name}) {
            label->SetTransparent(true);
            label->SetAlignment(Qt::AlignCenter);
            label->setFont(CoolFont(kLabelPixels));
        }
        ScoreLabels[row] = score;
        NameLabels[row] = name;
    }

    ClearButton1 = new TCoolBtn(Hook);
    ClearButton1->setGeometry(15, 280, 120, 25);
    ClearButton2 = new TCoolBtn(Hook);
    ClearButton2->setGeometry(15, 320, 120, 25);
    for (TCoolBtn* button : {ClearButton1, ClearButton2}) {
        button->SetGradient(kGradientStart, kGradientEnd);
        button->setFocusPolicy(Qt::TabFocus);
        button->setFont(CoolFont(kClearButtonPixels));
    }
    connect(ClearButton1, &QAbstractButton::clicked, this, &TWinnersWindow::ClearButton1Click);
    connect(ClearButton2, &QAbstractButton::clicked, this, &TWinnersWindow::ClearButton2Click);

    CoolOkButton = MakeOkButton(QRect(200, 293, 40, 40));

    FollowTextures();
}

void TWinnersWindow::ApplyWindowTextures() {
    Bevel1->SetWallpaper(GetTexture(kButtonsSlot));
}

void TWinnersWindow::FormActivate() {
    const WinnerEntry* list = CurrentWinnersList(dialogs_.services());
    ClearButton1->setEnabled(list && !IsEmptyEntry(list[1]));
    ClearButton2->setEnabled(AnyEntryFilled(dialogs_.services().winners()));
    ClearButton1->SetCaption(dialogs_.services().languageText("WinnersButton1"));
    ClearButton2->SetCaption(dialogs_.services().languageText("WinnersButton2"));
    FitCaptionFonts({ClearButton1, ClearButton2});
    setWindowTitle(DialogTitle(dialogs_.services().languageText("Menu_Records")) +
                   QStringLiteral(" \u2014 ") +
                   Cp1251ToUnicode(RecordsListName(dialogs_.services())));
    for (int row = 1; row <= kRecordPlaces; ++row) {
        if (!list) {
            ScoreLabels[row]->SetCaption(std::string());
            NameLabels[row]->SetCaption(std::string());
            continue;
        }
        const WinnerEntry& entry = list[row];
        ScoreLabels[row]->SetCaption(IsEmptyEntry(entry) ? std::string()
                                                         : std::to_string(entry.Score));
        NameLabels[row]->SetCaption(entry.Name);
    }
}

bool TWinnersWindow::ConfirmClearing(const TCoolBtn* button) {
    const int answer = ShowChoiceWindow(dialogs_.ChoiceWindow(), button->Caption(),
                                        dialogs_.services().languageText("Sure"));
    // The question's own close gave the main window its input back; this window is still up.
    SetMainInputEnabled(false);
    // Only Yes clears: Esc or closing the question keeps every record.
    return answer == kChoiceYes;
}

void TWinnersWindow::ClearButton1Click() {
    if (!ConfirmClearing(ClearButton1))
        return;
    ClearCurrentWinners(dialogs_.services());
    FormActivate();
}

void TWinnersWindow::ClearButton2Click() {
    if (!ConfirmClearing(ClearButton2))
        return;
    ClearAllWinners(dialogs_.services().winners());
    FormActivate();
}
