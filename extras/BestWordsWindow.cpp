#include "extras/BestWordsWindow.h"
#include "extras/GameServices.h"

#include "extras/MeaningWindow.h"
#include "extras/TextureChoice.h"
#include "platform/Cp1251.h"
#include "settings/SettingsFile.h"
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
const char* const kHeadKeys[BestWordsWindow::kColumnCount] = {"BestWho", "BestWord", "BestScore",
                                                              "BestPossible", ""};
const QColor kHeadColour(255, 255, 255);
const QColor kLineColour(255, 255, 255);
const QColor kMatchedColour(255, 215, 0);

QString cp1251Text(const GameServices& services, const char* key) {
    return cp1251ToUnicode(services.languageText(key));
}
} // namespace

BestWordsWindow::BestWordsWindow(QWidget* parent, GameServices& services)
    : CoolDialog(parent, "BestWordsWindow", kClientWidth, kClientHeight, MainInput::Blocked),
      services_(services) {
    for (int column = 0; column < kColumnCount; ++column) {
        const int right = column + 1 < kColumnCount ? kColumns[column + 1] : kListWidth;
        auto* head = new CoolLabel(clientArea);
        head->setGeometry(kListLeft + kColumns[column], 15, right - kColumns[column], 22);
        head->setTransparent(true);
        head->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        head->setFontColor(kHeadColour);
        head->setFont(coolFont(kLinePixels, true));
        heads[column] = head;
    }

    turnList = new CoolListBox(clientArea);
    turnList->setGeometry(kListLeft, kListTop, kListWidth, kListHeight);
    turnList->setFont(coolFont(kLinePixels, true));
    turnList->setSelFont(coolFont(kLinePixels, true));
    turnList->setFontColor(kLineColour);
    turnList->setItemHeight(20);
    turnList->setColumns(kColumns);
    // Reached with Tab, to scroll a long game with the arrow keys.
    turnList->setFocusPolicy(Qt::TabFocus);

    okButton = makeOkButton(QRect((kClientWidth - 40) / 2, 270, 40, 40));
    okButton->setAccessibleName(QStringLiteral("OK"));
    setTabOrder(okButton, turnList);

    meaningButton = new CoolButton(clientArea);
    meaningButton->setGeometry(kListLeft, 274, 130, 32);
    meaningButton->setSimpleView(true);
    meaningButton->setFont(coolFont(15, true));
    meaningButton->setFontColor(Qt::white);
    meaningButton->setFocusPolicy(Qt::TabFocus);
    setTabOrder(turnList, meaningButton);
    connect(meaningButton, &QAbstractButton::clicked, this, &BestWordsWindow::showMeaning);
    connect(turnList, &QListWidget::itemDoubleClicked, this, &BestWordsWindow::showMeaning);

    followTextures();
}

void BestWordsWindow::applyWindowTextures() {
    turnList->setWallpaper(getTexture(kTextAreaSlot));
    meaningButton->setWallpaper(getTexture(kButtonsSlot));
}

MeaningWindow& BestWordsWindow::meaningWindow() {
    if (!meaningWindow_) {
        meaningWindow_ = new MeaningWindow(this, services_);
        connect(meaningWindow_, &MeaningWindow::lookUpRequested, this,
                &BestWordsWindow::lookUpRequested);
    }
    return *meaningWindow_;
}

void BestWordsWindow::showMeaning() {
    const int line = turnList->currentRow();
    if (line < 0 || size_t(line) >= turns.size())
        return;
    const TurnReview& turn = turns[size_t(line)];
    const std::string& word = turn.word.empty() ? turn.best : turn.word;
    if (!word.empty())
        meaningWindow().showWord(word);
}

void BestWordsWindow::prepareToShow() {
    const QString title = dialogTitle(services_.languageText("Menu_BestWords"));
    setWindowTitle(title);
    setAccessibleName(title);
    turnList->setAccessibleName(title);
    for (int column = 0; column < kColumnCount; ++column)
        heads[column]->setCaption(*kHeadKeys[column] ? services_.languageText(kHeadKeys[column])
                                                     : std::string());
    meaningButton->setCaption(services_.languageText("MeaningButton"));
    turnList->clear();
    const QStringList lines = bestWordsLines(services_, turns);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        auto* line = new QListWidgetItem(lines[i], turnList);
        // Screen readers read the columns as a sentence rather than across tabs.
        line->setData(
            Qt::AccessibleTextRole,
            lines[i].split(QLatin1Char('\t'), Qt::SkipEmptyParts).join(QStringLiteral(", ")));
        if (turns[size_t(i)].matched)
            line->setData(Qt::ForegroundRole, QBrush(kMatchedColour));
    }
    okButton->setFocus();
}

QStringList bestWordsLines(const GameServices& services, const std::vector<TurnReview>& turns) {
    QStringList lines;
    for (const TurnReview& turn : turns) {
        const bool passed = turn.word.empty();
        lines << QStringList{cp1251Text(services,
                                        turn.player == Player::Human ? "BestYou" : "BestComputer"),
                             passed ? cp1251Text(services, "BestPassed")
                                    : cp1251ToUnicode(turn.word),
                             QString::number(turn.score),
                             turn.best.empty() ? cp1251Text(services, "BestNone")
                                               : cp1251ToUnicode(turn.best),
                             turn.matched ? cp1251Text(services, "BestMatched") : QString()}
                     .join(QLatin1Char('\t'));
    }
    return lines;
}

void showBestWordsWindow(BestWordsWindow& window, const std::vector<TurnReview>& turns) {
    window.turns = turns;
    window.show();
}
