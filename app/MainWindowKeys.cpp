// Play from the keyboard: letters choose in the palette, the arrow keys move a cursor over the
// field, Space and Enter click the cursor's cell, Backspace steps back, F3 skips and F4 asks
// for the hint. Every key goes through the mouse's own handlers, so the two ways of playing
// cannot drift apart.
#include "app/MainWindow.h"
#include "extras/GameServices.h"

#include "app/BoardView.h"
#include "app/FieldCell.h"
#include "core/KeyPositions.h"
#include "core/LanguageTable.h"
#include "core/WordLibrary.h"
#include "platform/Cp1251.h"
#include "skin/CoolControls.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>

namespace {
struct CursorStep {
    int key;
    int dc, dr;
};
constexpr CursorStep kCursorSteps[] = {
    {Qt::Key_Left, -1, 0}, {Qt::Key_Right, 1, 0}, {Qt::Key_Up, 0, -1}, {Qt::Key_Down, 0, 1}};

// The visible palette button that carries the typed letter in the current alphabet, whatever
// its case, or null.
CoolButton* paletteButtonFor(const QString& text, const LetterPalette& palette) {
    const QString capital = text.toUpper();
    if (capital.size() != 1)
        return nullptr;
    return palette.buttonFor(unicodeToCp1251(capital));
}
} // namespace

bool MainWindow::fieldKeyPressed(const QKeyEvent& key) {
    // Shortcuts with Ctrl or Alt belong to the menu and the desktop.
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const auto step = std::find_if(std::begin(kCursorSteps), std::end(kCursorSteps),
                                   [&](const CursorStep& s) { return s.key == key.key(); });
    const bool arrow = step != std::end(kCursorSteps);
    const bool click =
        key.key() == Qt::Key_Space || key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    const bool backspace = key.key() == Qt::Key_Backspace;
    // With the focus on the palette the arrows move its mark and Space or Enter chooses.
    const bool inPalette = (arrow || click) && palette_->hasFocus();
    // The skip and hint buttons, beside F2's new game.
    CoolButton* command = key.key() == Qt::Key_F3   ? skipButton_
                          : key.key() == Qt::Key_F4 ? hintButton_
                                                    : nullptr;
    CoolButton* letter = nullptr;
    if (!arrow && !click && !backspace && !command) {
        letter = paletteButtonFor(key.text(), *palette_);
        // With a Latin layout a game whose language has a layout of its own takes the letter
        // that layout has there.
        const auto letterAtKey = languageOf(services_.words().language).letterAtKey;
        if (!letter && letterAtKey)
            if (const auto mapped = letterAtKey(key.nativeScanCode(), key.text()))
                letter =
                    paletteButtonFor(cp1251ToUnicode(std::string(1, char(*mapped))), *palette_);
        if (!letter)
            return false;
    }
    // The right button's gate, and nothing at all while the computer is thinking.
    if (!services_.game().mainInputEnabled || game_->model().phase() == MovePhase::Computer ||
        QApplication::activeModalWidget())
        return true;
    if (arrow) {
        if (inPalette)
            palette_->moveCurrent(step->dc, step->dr);
        else
            cursor_->move(step->dc, step->dr);
        return true;
    }
    // A held key is one press, as a held mouse button is one click.
    if (key.isAutoRepeat())
        return true;
    if (command) {
        // Only what a click could reach: the hint is hidden once used.
        if (command->isEnabled() && command->isVisibleTo(this))
            command->click();
    } else if (inPalette) {
        chooseLetter(palette_->button(palette_->current())->caption());
    } else if (click) {
        if (cursor_->shown())
            cellClicked(cursor_->cell());
    } else if (backspace) {
        stepBack();
    } else {
        chooseLetter(letter->caption());
    }
    return true;
}
