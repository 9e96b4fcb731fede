#pragma once

#include "core/RulesUnit.h"
#include "core/SpisokUnit.h"

#include <array>
#include <cstdint>
#include <string>

constexpr uint16_t kMinStrengthLength = 3;
constexpr uint16_t kMaxStrengthLength = 8;
// Where the keyboard's cursor appears first in a game.
constexpr uint16_t kMiddleCell = (kFieldSide + 1) / 2;

// The game's mutable state in one place: the current move, the turn counters, the word
// sheets' words and scores and the computer's strength. The main window, its dialogs and the
// rules read and change it through Game; a fresh TGameState is the state of a program just
// started. Letters and words are Windows-1251 bytes.
struct TGameState {
    // --- The current move.
    uint8_t InputPhase = kPlacingPhase;    // kPlacingPhase, kSelectingPhase or kComputerPhase
    std::string ChosenLetter;              // the letter picked in the palette, or empty
    uint16_t PlacedCol = 0, PlacedRow = 0; // the human's new letter, while kSelectingPhase
    uint16_t HoverCol = 0, HoverRow = 0;   // the cell the pointer entered last
    bool OverCell = false;                 // the pointer is over one of the cells
    // The keyboard's cursor on the field. While it is shown it stands for the pointer (HoverCol,
    // HoverRow and OverCell follow it); a new game hides it and brings it back to the middle.
    bool CursorShown = false;
    uint16_t CursorCol = kMiddleCell, CursorRow = kMiddleCell;
    uint16_t LastCol = 0, LastRow = 0; // the cell added last to the word being formed
    int32_t PassCount = 0;             // consecutive turns without a word
    uint16_t TickCount = 0;            // the main timer's counter, 0..31
    bool MainInputEnabled = true;      // false while a dialog blocks the main window
    bool HintMode = false;             // a search runs on the human's behalf

    // --- The word sheets.
    // The words of the game, newest in slot 0; empty slots hold "".
    std::array<std::string, kPlayedWordSlots> PlayedWords;
    uint16_t Scores[3] = {0, 0, 0}; // index 1 the human, 2 the computer

    // --- The longest word the computer may play, 3..8; the player sees it as strength 1..6
    // (MaxWordLength - 2). It starts at 8 so that a failed first read of the settings never
    // writes a nonsense strength back at the close.
    uint16_t MaxWordLength = kMaxStrengthLength;
};

// The one game of the program.
extern TGameState Game;
