#include "app/LetterPalette.h"

#include "app/ScreenReaders.h"

#include "core/GameModel.h"
#include "core/LanguageTable.h"
#include "extras/TextureChoice.h"
#include "skin/CoolControls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

#include <algorithm>

namespace {
const QColor kPaletteLetter(255, 255, 0);
const QColor kChosenLetterColour(0, 0, 255);

// The focus mark over the current letter: the skinned buttons' own dotted ring. The mouse
// passes through it to the button.
class PaletteFocusMark : public QWidget {
public:
    explicit PaletteFocusMark(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        constexpr int kInset = CoolButton::kFocusInset;
        paintFocusMark(painter, rect().adjusted(kInset, kInset, -kInset - 1, -kInset - 1), true);
    }
};
// A letter is a button to screen readers, named by its letter; pressing it chooses the letter
// as a press of the mouse does.
class PaletteLetterAccessible : public QAccessibleWidget {
public:
    explicit PaletteLetterAccessible(CoolButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        auto* button = static_cast<CoolButton*>(widget());
        if (action == pressAction() && button->isEnabled())
            emit button->mouseDown(Qt::LeftButton);
    }
};

QAccessibleInterface* paletteLetterAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(CoolButton::staticMetaObject.className()) && object &&
        qobject_cast<LetterPalette*>(object->parent()))
        return new PaletteLetterAccessible(static_cast<CoolButton*>(object));
    return nullptr;
}
} // namespace

LetterPalette::LetterPalette(const GameModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
    static const bool registered = [] {
        QAccessible::installFactory(paletteLetterAccessible);
        return true;
    }();
    Q_UNUSED(registered);
    for (int i = 1; i <= kButtons; ++i) {
        auto* button = new CoolButton(this);
        button->resize(kButtonSize, kButtonSize);
        button->setRounded(true);
        button->setSimpleView(true);
        button->setFont(coolFont(pointsToPixels(16), true));
        button->setFontColor(Qt::yellow);
        connect(button, &CoolButton::mouseDown, this,
                [this, button] { emit letterPressed(button->caption()); });
        buttons_[i] = button;
    }
    focusMark_ = new PaletteFocusMark(this);
    setFocusPolicy(Qt::TabFocus);
    connect(&model_, &GameModel::changed, this, &LetterPalette::refresh);
}

void LetterPalette::setLanguage(const LanguageInfo& language) {
    const int letterCount = int(language.letters.size());
    const int perRow = (letterCount + 1) / 2; // two rows of letters
    perRow_ = std::max(perRow, 1);
    alphabetSize_ = letterCount;
    const int left = language.paletteLeft - x();
    for (int i = 1; i <= kButtons; ++i) {
        CoolButton* button = buttons_[i];
        const bool used = i <= letterCount;
        button->move(left + kButtonSize * ((i - 1) % perRow), i > perRow ? kButtonSize : 0);
        // A hidden button's caption is never read (buttonFor() passes hidden buttons by); it is
        // emptied so that no letter of the other alphabet lingers.
        button->setCaption(used ? std::string(1, language.letters[size_t(i - 1)]) : std::string());
        button->setVisible(used);
    }
    setCurrent(std::clamp(current_, 1, std::max(alphabetSize_, 1)));
    refresh();
}

void LetterPalette::moveCurrent(int dc, int dr) {
    const int column = std::clamp((current_ - 1) % perRow_ + dc, 0, perRow_ - 1);
    const int row = std::clamp((current_ - 1) / perRow_ + dr, 0, 1);
    // The second row of an odd alphabet is one letter short.
    setCurrent(std::min(row * perRow_ + column + 1, alphabetSize_));
}

void LetterPalette::setCurrent(int index) {
    current_ = index;
    if (hasFocus())
        showFocusMark();
}

void LetterPalette::showFocusMark() {
    CoolButton* button = buttons_[current_];
    focusMark_->setGeometry(button->geometry());
    focusMark_->raise();
    focusMark_->show();
    // Screen readers follow the mark from letter to letter.
    QAccessibleEvent event(button, QAccessible::Focus);
    tellScreenReaders(event);
}

void LetterPalette::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    // The mark comes to the chosen letter, if there is one.
    const std::string& chosen = model_.state().chosenLetter;
    for (int i = 1; i <= alphabetSize_; ++i)
        if (!chosen.empty() && buttons_[i]->caption() == chosen)
            current_ = i;
    if (alphabetSize_ > 0)
        showFocusMark();
}

void LetterPalette::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    focusMark_->hide();
}

CoolButton* LetterPalette::buttonFor(const std::string& letter) const {
    for (int i = 1; i <= kButtons; ++i)
        if (!buttons_[i]->isHidden() && buttons_[i]->caption() == letter)
            return buttons_[i];
    return nullptr;
}

void LetterPalette::refresh() {
    const std::string& chosen = model_.state().chosenLetter;
    for (int i = 1; i <= kButtons; ++i) {
        CoolButton* button = buttons_[i];
        const bool isChosen = !chosen.empty() && button->caption() == chosen;
        const QColor colour = isChosen ? kChosenLetterColour : kPaletteLetter;
        if (button->fontColor() != colour) {
            button->setFontColor(colour);
            button->setWallpaper(getTexture(isChosen ? kChosenLetterSlot : kLetterSlot));
        }
    }
}

void LetterPalette::applyTextures() {
    const std::string& chosen = model_.state().chosenLetter;
    for (int i = 1; i <= kButtons; ++i)
        buttons_[i]->setWallpaper(getTexture(
            !chosen.empty() && buttons_[i]->caption() == chosen ? kChosenLetterSlot : kLetterSlot));
}
