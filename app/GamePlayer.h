#pragma once

class GameController;

// One side of a game. When its turn begins the controller hands it over: a player at the
// computer waits for the board, the palette and the keys; the computer searches for its word.
// Which kind sits in which seat is decided where the controller makes its players.
class GamePlayer {
public:
    virtual ~GamePlayer() = default;
    virtual void beginTurn(GameController& game) = 0;
};
