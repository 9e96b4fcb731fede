#include "extras/BestWordsUnit.h"
#include "extras/GameServices.h"

#include "extras/ImagesUnit.h"
#include "platform/Cp1251.h"
#include "settings/INIUnit.h"
#include "skin/CoolControls.h"
#include "skin/CoolListBox.h"

#include <QBrush>

namespace {
constexpr int kClientWidth = 540;
constexpr int kClientHeight = 320;
constexpr int kListLeft = 15, kListTop = 40, kListWidth = 510, kListHeight = 220;
// The columns' left edges within a line: who, word, points, best word, mark.
const QList<int> kColumns = {0, 110, 235, 295, 420};
constexpr int kLinePixels = 14;
const char* const kHeadKeys[TBestWordsWindow::kColumnCount] = {"BestWho", "BestWord", "BestScore",
                                                               "BestPossible", ""};
const QColor kHeadColour(255, 255, 255);
const QColor kLineColour(255, 255, 255);
const QColor kMatchedColour(255, 215, 0);

QString Text(const GameServices& services, const char* key) {
    return Cp1251ToUnicode(services.languageText(key));
}
} // namespace

TBestWordsWindow::TBestWordsWindow(QWidget* parent, GameServices& services)
    : TCoolDialog(parent, "BestWordsWindow", kClientWidth, kClientHeight, MainInput::Blocked),
      services_(services) {
    for (int column = 0; column < kColumnCount; ++column) {
        const int right = column + 1 < kColumnCount ? kColumns[column + 1] : kListWidth;
        auto* head = new TCoolLabel(Hook);
        head->setGeometry(kListLeft + kColumns[column], 15, right - kColumns[column], 22);
        head->SetTransparent(true);
        head->SetAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        head->SetFontColor(kHeadColour);
        head->setFont(CoolFont(kLinePixels, true));
        Heads[column] = head;
    }

    TurnList = new TCoolListBox(Hook);
    TurnList->setGeometry(kListLeft, kListTop, kListWidth, kListHeight);
    TurnList->setFont(CoolFont(kLinePixels, true));
    TurnList->SetSelFont(CoolFont(kLinePixels, true));
    TurnList->SetFontColor(kLineColour);
    TurnList->SetItemHeight(20);
    TurnList->SetColumns(kColumns);
    // Reached with Tab, to scroll a long game with the arrow keys.
    TurnList->setFocusPolicy(Qt::TabFocus);

    CoolOkButton = MakeOkButton(QRect((kClientWidth - 40) / 2, 270, 40, 40));
    CoolOkButton->setAccessibleName(QStringLiteral("OK"));
    setTabOrder(CoolOkButton, TurnList);

    FollowTextures();
}

void TBestWordsWindow::ApplyWindowTextures() {
    TurnList->SetWallpaper(GetTexture(kTextAreaSlot));
}

void TBestWordsWindow::FormActivate() {
    const QString title = DialogTitle(services_.languageText("Menu_BestWords"));
    setWindowTitle(title);
    setAccessibleName(title);
    TurnList->setAccessibleName(title);
    for (int column = 0; column < kColumnCount; ++column)
        Heads[column]->SetCaption(*kHeadKeys[column] ? services_.languageText(kHeadKeys[column])
                                                     : std::string());
    TurnList->clear();
    const QStringList lines = BestWordsLines(services_, Turns);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        auto* line = new QListWidgetItem(lines[i], TurnList);
        // Screen readers read the columns as a sentence rather than across tabs.
        line->setData(
            Qt::AccessibleTextRole,
            lines[i].split(QLatin1Char('\t'), Qt::SkipEmptyParts).join(QStringLiteral(", ")));
        if (Turns[size_t(i)].matched)
            line->setData(Qt::ForegroundRole, QBrush(kMatchedColour));
    }
    CoolOkButton->setFocus();
}

QStringList BestWordsLines(const GameServices& services, const std::vector<TurnReview>& turns) {
    QStringList lines;
    for (const TurnReview& turn : turns) {
        const bool passed = turn.word.empty();
        lines << QStringList{Text(services,
                                  turn.player == Player::Human ? "BestYou" : "BestComputer"),
                             passed ? Text(services, "BestPassed") : Cp1251ToUnicode(turn.word),
                             QString::number(turn.score),
                             turn.best.empty() ? Text(services, "BestNone")
                                               : Cp1251ToUnicode(turn.best),
                             turn.matched ? Text(services, "BestMatched") : QString()}
                     .join(QLatin1Char('\t'));
    }
    return lines;
}

void ShowBestWordsWindow(TBestWordsWindow& window, const std::vector<TurnReview>& turns) {
    window.Turns = turns;
    window.exec();
}
