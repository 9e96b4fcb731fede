#include "app/WordSheetsView.h"

#include "core/GameModel.h"
#include "skin/CoolControls.h"

#include <QStringList>

namespace {
const QColor kScoreColour(128, 255, 128);
const QColor kSheetColour(255, 210, 210);

// A name set anew tells screen readers of the change; an unchanged one says nothing.
void setName(QWidget* widget, const QString& name) {
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

} // namespace

WordSheetsView::WordSheetsView(const GameModel& model, QWidget* clientArea) : model_(model) {
    const int panelLeft[2] = {25, 420};
    const int scoreLeft[2] = {135, 420};
    for (int p = 0; p < 2; ++p) {
        CoolLabel* score = new CoolLabel(clientArea);
        score->setGeometry(scoreLeft[p], 50, 30, 20);
        score->setAlignment(Qt::AlignCenter);
        score->setTransparent(true);
        score->setFont(coolFont(16));
        score->setFontColor(kScoreColour);
        scores_[p] = score;

        auto* panel = new CoolPanel(clientArea);
        panel->setGeometry(panelLeft[p], 85, 140, 205);
        panel->setBevels(BevelKind::Lowered, BevelKind::Raised);
        panels_[p] = panel;
    }
    for (int p = 0; p < 2; ++p) {
        for (int l = 0; l < kSheetLines; ++l) {
            auto* label = new CoolLabel(panels_[p]);
            label->setGeometry(5, 4 + 13 * l, 130, 13);
            label->setAlignment(Qt::AlignCenter);
            label->setTransparent(true);
            label->setSimpleView(true);
            label->setFont(coolFont(pointsToPixels(10), true));
            label->setFontColor(kSheetColour);
            lines_[p][l] = label;
        }
    }
    QObject::connect(&model_, &GameModel::changed, clientArea, [this] { refresh(); });
}

void WordSheetsView::refresh() {
    for (int p = 0; p < 2; ++p) {
        const Player player = p == 0 ? Player::Human : Player::Computer;
        const unsigned score = model_.state().score(player);
        scores_[p]->setCaption(scoreText(score));
        const std::vector<std::string> words = model_.sheet(player);
        // A line without a word is hidden: it shows nothing, and a screen reader need not
        // stop at it.
        for (int l = 0; l < kSheetLines; ++l) {
            const bool used = l < int(words.size());
            lines_[p][l]->setCaption(used ? words[size_t(l)] : std::string());
            lines_[p][l]->setVisible(used);
        }
        setName(scores_[p], texts_.scores[p] + QStringLiteral(": ") + QString::number(score));
        QStringList spoken;
        for (const std::string& word : words)
            spoken << cp1251ToUnicode(word);
        setName(panels_[p],
                texts_.sheets[p] + QStringLiteral(": ") +
                    (spoken.isEmpty() ? texts_.empty : spoken.join(QStringLiteral(", "))));
    }
}

void WordSheetsView::setAccessibleTexts(const AccessibleTexts& texts) {
    texts_ = texts;
    refresh();
}
