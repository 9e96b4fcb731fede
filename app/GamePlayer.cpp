#include "app/GamePlayer.h"

#include "app/GameController.h"

namespace {

class HumanPlayer final : public GamePlayer {
public:
    void beginTurn(GameController& game) override { game.awaitHumanMove(); }
};

class ComputerPlayer final : public GamePlayer {
public:
    void beginTurn(GameController& game) override { game.startComputerTurn(false); }
};

} // namespace

std::unique_ptr<GamePlayer> makeHumanPlayer() {
    return std::make_unique<HumanPlayer>();
}

std::unique_ptr<GamePlayer> makeComputerPlayer() {
    return std::make_unique<ComputerPlayer>();
}
