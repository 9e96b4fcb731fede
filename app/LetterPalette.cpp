#include "app/LetterPalette.h"

#include "core/GameModel.h"
#include "core/LanguageUnit.h"
#include "extras/ImagesUnit.h"
#include "skin/CoolControls.h"

namespace {
const QColor kPaletteLetter(255, 255, 0);
const QColor kChosenLetterColour(0, 0, 255);
} // namespace

LetterPalette::LetterPalette(const GameModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
    for (int i = 1; i <= kButtons; ++i) {
        auto* button = new TCoolBtn(this);
        button->resize(kButtonSize, kButtonSize);
        button->SetRounded(true);
        button->SetSimpleView(true);
        button->setFont(CoolFont(PointsToPixels(16), true));
        button->SetFontColor(Qt::yellow);
        connect(button, &TCoolBtn::mouseDown, this,
                [this, button] { emit letterPressed(button->Caption()); });
        buttons_[i] = button;
    }
    connect(&model_, &GameModel::changed, this, &LetterPalette::refresh);
}

void LetterPalette::setLanguage(const LanguageInfo& language) {
    const int letterCount = int(language.letters.size());
    const int perRow = (letterCount + 1) / 2; // two rows of letters
    const int left = language.PaletteLeft - x();
    for (int i = 1; i <= kButtons; ++i) {
        TCoolBtn* button = buttons_[i];
        const bool used = i <= letterCount;
        button->move(left + kButtonSize * ((i - 1) % perRow), i > perRow ? kButtonSize : 0);
        button->SetCaption(used ? std::string(1, language.letters[size_t(i - 1)]) : std::string());
        button->setVisible(used);
    }
    refresh();
}

TCoolBtn* LetterPalette::buttonFor(const std::string& letter) const {
    for (int i = 1; i <= kButtons; ++i)
        if (!buttons_[i]->isHidden() && buttons_[i]->Caption() == letter)
            return buttons_[i];
    return nullptr;
}

void LetterPalette::refresh() {
    const std::string& chosen = model_.state().chosenLetter;
    for (int i = 1; i <= kButtons; ++i) {
        TCoolBtn* button = buttons_[i];
        const bool isChosen = !chosen.empty() && button->Caption() == chosen;
        const QColor colour = isChosen ? kChosenLetterColour : kPaletteLetter;
        if (button->FontColor() != colour) {
            button->SetFontColor(colour);
            button->SetWallpaper(GetTexture(isChosen ? kChosenLetterSlot : kLetterSlot));
        }
    }
}

void LetterPalette::applyTextures() {
    const std::string& chosen = model_.state().chosenLetter;
    for (int i = 1; i <= kButtons; ++i)
        buttons_[i]->SetWallpaper(GetTexture(
            !chosen.empty() && buttons_[i]->Caption() == chosen ? kChosenLetterSlot : kLetterSlot));
}
